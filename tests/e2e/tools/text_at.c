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
    int maxval;
    if (!f) return 0;
    if (fscanf(f, "P6 %d %d %d", &image->w, &image->h, &maxval) != 3 || maxval != 255) {
        fclose(f);
        return 0;
    }
    fgetc(f);
    image->rgb = malloc((size_t)image->w * image->h * 3);
    size_t want = (size_t)image->w * image->h * 3;
    size_t got = fread(image->rgb, 1, want, f);
    fclose(f);
    return got == want;
}

/* The strip's cell of a byte: letters, punctuation " .?!+-$%", digits. */
static int glyphFor(unsigned char c) {
    const char* punctuation = " .?!+-$%";
    const char* p;
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a';
    if (c >= '0' && c <= '9') return 34 + (c - '0');
    p = strchr(punctuation, c);
    if (c && p) return 26 + (int)(p - punctuation);
    return -1;
}

static const unsigned char* at(const Image* image, int x, int y) { return image->rgb + ((size_t)y * image->w + x) * 3; }

static int close(int a, int b) { return abs(a - b) <= 12; }

int main(int argc, char** argv) {
    Image screen, font;
    int x0, y0, checked = 0, wrong = 0;
    size_t i;
    if (argc != 6 || !readPpm(argv[1], &screen) || !readPpm(argv[2], &font)) {
        fprintf(stderr, "usage: text_at SCREEN.ppm FONT.ppm X Y TEXT\n");
        return 2;
    }
    x0 = atoi(argv[3]);
    y0 = atoi(argv[4]);
    for (i = 0; i < strlen(argv[5]); ++i) {
        int glyph = glyphFor((unsigned char)argv[5][i]), gx, gy;
        if (glyph < 0) continue;
        for (gy = 0; gy < 16; ++gy) {
            for (gx = 0; gx < 16; ++gx) {
                const unsigned char* g = at(&font, glyph * 16 + gx, gy);
                int sx = x0 + 16 * (int)i + gx, sy = y0 + gy;
                const unsigned char* s;
                if (g[0] > 240 && g[1] < 16 && g[2] > 240) continue;
                if (sx < 0 || sy < 0 || sx >= screen.w || sy >= screen.h) continue;
                s = at(&screen, sx, sy);
                checked += 1;
                if (!close(g[0], s[0]) || !close(g[1], s[1]) || !close(g[2], s[2])) wrong += 1;
            }
        }
    }
    printf("%d of %d glyph pixels differ\n", wrong, checked);
    return (checked > 0 && wrong * 20 <= checked) ? 0 : 1;
}
