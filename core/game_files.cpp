#include "core/game_files.h"

#include <allegro.h>
#include <limits.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {
// Any picture every run loads tells the game's own folder from a stranger's.
const char* const GAME_FILE_MARK = "backgrounds/titlebg.bmp";

std::string executableFolder() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0) return "";
    std::string executable(path, static_cast<size_t>(length));
    return executable.substr(0, executable.rfind('/') + 1);
}

std::string currentFolder() {
    char path[PATH_MAX];
    return getcwd(path, sizeof(path)) ? path : ".";
}
uint32_t littleEndian(const unsigned char* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

// The pictures are 24-bit BMP files shown at 16 bits. Allegro's loader reads
// one a byte at a time into a 24-bit bitmap and converts that whole: for the
// backdrop a 2 MB transient, and the slower half of start-up. Here each row
// is converted as it is read, with the same truncation to 5-6-5 bits. Any
// other kind of file, or one that ends early, is left to Allegro's loader.
class TrueColourBmp {
public:
    explicit TrueColourBmp(const std::string& path) : file(std::fopen(path.c_str(), "rb")) {}
    ~TrueColourBmp() {
        if (file) std::fclose(file);
    }
    TrueColourBmp(const TrueColourBmp&) = delete;
    TrueColourBmp& operator=(const TrueColourBmp&) = delete;

    bool opened() const { return file != nullptr; }

    // The picture at 16 bits, or null when Allegro should read the file.
    BITMAP* read() {
        if (get_color_depth() != 16 || !(get_color_conversion() & COLORCONV_24_TO_16) || !readHeader())
            return nullptr;
        BITMAP* picture = create_bitmap(width, rows);
        if (picture && !readRows(picture)) {
            destroy_bitmap(picture);
            picture = nullptr;
        }
        return picture;
    }

private:
    bool readHeader() {
        const int MOST_PIXELS_A_SIDE = 16384;
        unsigned char header[54];
        if (std::fread(header, 1, sizeof header, file) != sizeof header || header[0] != 'B' || header[1] != 'M')
            return false;
        pixels_at = littleEndian(header + 10, 4);
        width = static_cast<int32_t>(littleEndian(header + 18, 4));
        rows = static_cast<int32_t>(littleEndian(header + 22, 4));  // rows stored bottom row first
        bool plain = littleEndian(header + 14, 4) >= 40 && littleEndian(header + 28, 2) == 24 &&
                     littleEndian(header + 30, 4) == 0;
        return plain && width > 0 && width <= MOST_PIXELS_A_SIDE && rows > 0 && rows <= MOST_PIXELS_A_SIDE;
    }

    bool readRows(BITMAP* picture) {
        std::vector<unsigned char> row((static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3));
        if (std::fseek(file, static_cast<long>(pixels_at), SEEK_SET) != 0) return false;
        for (int i = 0; i < rows; ++i) {
            if (std::fread(row.data(), 1, row.size(), file) != row.size()) return false;
            uint16_t* out = reinterpret_cast<uint16_t*>(picture->line[rows - 1 - i]);
            for (int x = 0; x < width; ++x) {
                const unsigned char* bgr = &row[3 * static_cast<size_t>(x)];
                out[x] = static_cast<uint16_t>((bgr[2] >> 3) << _rgb_r_shift_16 | (bgr[1] >> 2) << _rgb_g_shift_16 |
                                               (bgr[0] >> 3) << _rgb_b_shift_16);
            }
        }
        return true;
    }

    FILE* file;
    uint32_t pixels_at = 0;
    int32_t width = 0;
    int rows = 0;
};

}  // namespace

void enterGameFolder() {
    if (access(GAME_FILE_MARK, R_OK) == 0) return;
    std::string folder = executableFolder();
    if (!folder.empty() && chdir(folder.c_str()) != 0) std::perror(folder.c_str());
}

namespace {
void sayMissing(const std::string& path) {
    std::fprintf(stderr, "Zenvar: missing picture %s/%s\n", currentFolder().c_str(), path.c_str());
}
}  // namespace

bool pictureFileReadable(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file) std::fclose(file);
    if (!file) sayMissing(path);
    return file != nullptr;
}

BITMAP* loadPicture(const std::string& path) {
    TrueColourBmp file(path);
    // A file that cannot be opened is not tried twice.
    BITMAP* picture = file.opened() ? file.read() : nullptr;
    if (!picture && file.opened()) picture = load_bitmap(path.c_str(), nullptr);
    if (!picture) sayMissing(path);
    return picture;
}
