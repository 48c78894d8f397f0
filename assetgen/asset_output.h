// Where the generator's files go. Every picture, sample and music piece is
// written through here, relative to the run folder, creating folders on the
// way; pictures are also kept (as copies) for the contact sheet, grouped in
// rows as they were written.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

class SpriteCanvas;

struct SheetEntry {
    BITMAP* picture;  // owned copy
    int scale;        // shown enlarged (small sprites) or reduced (backdrops): >0 enlarge, <0 reduce
};

class AssetOutput {
public:
    explicit AssetOutput(const std::string& run_folder);
    ~AssetOutput();

    // Save a canvas as a 24-bit BMP and keep it for the contact sheet. Throws
    // std::runtime_error when the file cannot be written.
    void savePicture(const std::string& relative_path, const SpriteCanvas& canvas, int sheet_scale = 2);
    void saveBitmap(const std::string& relative_path, BITMAP* bitmap, int sheet_scale = 2);
    void saveBytes(const std::string& relative_path, const std::vector<uint8_t>& bytes);
    // Keep a copy of a picture written some other way for the contact sheet.
    void showOnSheet(BITMAP* bitmap, int sheet_scale);
    // For a file the caller writes itself: makes the folders on the way,
    // counts the file and returns its full path.
    std::string claimFile(const std::string& relative_path);
    // Start a new row on the contact sheet.
    void newSheetRow();

    std::string pathOf(const std::string& relative_path) const;
    const std::vector<std::vector<SheetEntry>>& sheetRows() const { return rows; }
    int filesWritten() const { return written; }

private:
    void makeFoldersFor(const std::string& full_path) const;

    std::string root;
    std::vector<std::vector<SheetEntry>> rows;
    int written = 0;
};
