/* Tells whether a line of the game's font text is on a screenshot.
 * Usage: text_at SCREEN.ppm FONT.ppm X Y TEXT
 * Both images are binary PPM (P6); FONT is a glyph strip of 16x16 cells with
 * magenta as the transparent colour. Every opaque glyph pixel of TEXT drawn
 * with its top-left corner at (X, Y) must match the screenshot within the
 * rounding of a 16-bit screen; up to one pixel in twenty may differ, so a
 * sprite or bullet crossing the text does not hide it. Exit 0 on a match,
 * 1 otherwise, 2 on bad input. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    int w, h;
    unsigned char* rgb;
} Image;

static int readPpm(const char* path, Image* image) {
    FILE* f = fopen(path, "rb");
    int maxval, ok;
    if (!f) return 0;
    ok = fscanf(f, "P6 %d %d %d", &image->w, &image->h, &maxval) == 3 && maxval == 255 && fgetc(f) != EOF;
    size_t size = ok ? (size_t)image->w * image->h * 3 : 0;
    image->rgb = malloc(size + 1);
    ok = ok && fread(image->rgb, 1, size, f) == size;
    fclose(f);
    return ok;
}

/* The strip's cell of a byte: letters, punctuation " .?!+-$%", digits. */
static int glyphFor(unsigned char c) {
    const char* p = c ? strchr(" .?!+-$%", c) : NULL;
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a';
    if (c >= '0' && c <= '9') return 34 + (c - '0');
    return p ? 26 + (int)(p - " .?!+-$%") : -1;
}

int main(int argc, char** argv) {
    Image screen, font;
    int checked = 0, wrong = 0;
    if (argc != 6 || !readPpm(argv[1], &screen) || !readPpm(argv[2], &font)) return 2;
    for (size_t i = 0; i < strlen(argv[5]); ++i) {
        int glyph = glyphFor((unsigned char)argv[5][i]);
        for (int gy = 0; glyph >= 0 && gy < 16; ++gy) {
            for (int gx = 0; gx < 16; ++gx) {
                const unsigned char* g = font.rgb + ((size_t)gy * font.w + glyph * 16 + gx) * 3;
                int sx = atoi(argv[3]) + 16 * (int)i + gx, sy = atoi(argv[4]) + gy, wrong_here = 0;
                if ((g[0] > 240 && g[1] < 16 && g[2] > 240) || sx < 0 || sy < 0 || sx >= screen.w || sy >= screen.h)
                    continue;
                for (int c = 0; c < 3; ++c) wrong_here |= abs(g[c] - screen.rgb[((size_t)sy * screen.w + sx) * 3 + c]) > 12;
                checked += 1;
                wrong += wrong_here;
            }
        }
    }
    printf("%d of %d glyph pixels differ\n", wrong, checked);
    return (checked > 0 && wrong * 20 <= checked) ? 0 : 1;
}
