#include "assetgen/asset_output.h"

#include <sys/stat.h>

#include <cstdio>
#include <stdexcept>

#include "assetgen/sprite_canvas.h"

AssetOutput::AssetOutput(const std::string& run_folder) : root(run_folder) { rows.emplace_back(); }

AssetOutput::~AssetOutput() {
    for (auto& row : rows)
        for (auto& entry : row) destroy_bitmap(entry.picture);
}

std::string AssetOutput::pathOf(const std::string& relative_path) const { return root + "/" + relative_path; }

void AssetOutput::makeFoldersFor(const std::string& full_path) const {
    for (size_t slash = full_path.find('/', 1); slash != std::string::npos; slash = full_path.find('/', slash + 1)) {
        mkdir(full_path.substr(0, slash).c_str(), 0755);
    }
}

void AssetOutput::savePicture(const std::string& relative_path, const SpriteCanvas& canvas, int sheet_scale) {
    BITMAP* bmp = canvas.toBitmap();
    saveBitmap(relative_path, bmp, sheet_scale);
    destroy_bitmap(bmp);
}

void AssetOutput::saveBitmap(const std::string& relative_path, BITMAP* bitmap, int sheet_scale) {
    std::string full = pathOf(relative_path);
    makeFoldersFor(full);
    // save_bmp writes what the bitmap holds; the generator works in 24 bits.
    if (save_bmp(full.c_str(), bitmap, nullptr) != 0) throw std::runtime_error("cannot write " + full);
    ++written;
    showOnSheet(bitmap, sheet_scale);
}

void AssetOutput::showOnSheet(BITMAP* bitmap, int sheet_scale) {
    BITMAP* copy = create_bitmap(bitmap->w, bitmap->h);
    blit(bitmap, copy, 0, 0, 0, 0, bitmap->w, bitmap->h);
    rows.back().push_back(SheetEntry{copy, sheet_scale});
}

std::string AssetOutput::claimFile(const std::string& relative_path) {
    std::string full = pathOf(relative_path);
    makeFoldersFor(full);
    ++written;
    return full;
}

void AssetOutput::saveBytes(const std::string& relative_path, const std::vector<uint8_t>& bytes) {
    std::string full = pathOf(relative_path);
    makeFoldersFor(full);
    FILE* f = std::fopen(full.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + full);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !ok) throw std::runtime_error("cannot write " + full);
    ++written;
}

void AssetOutput::newSheetRow() {
    if (!rows.back().empty()) rows.emplace_back();
}
