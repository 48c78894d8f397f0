#include "scores/score_table.h"

#include "core/game_types.h"
#include "core/platform.h"
#include "gfx/bitmap_font.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const int32_t DEFAULT_SCORE = 10000;
// Rows for a first run, when there is no file to open.
const char MISSING_FILE_NAMES[SCORE_ROWS][4] = {"OST", "WIC", "KST", "UDI", "OS!"};
// Rows for a file the system could open but not read.
const char UNREADABLE_FILE_NAMES[SCORE_ROWS][4] = {"HOL", "TRA", "NEP", "LAY", "ERS"};

ScoreTable defaultTable(const char names[SCORE_ROWS][4]) {
    ScoreTable table;
    for (int row = 0; row < SCORE_ROWS; ++row) {
        table.scores[row] = DEFAULT_SCORE;
        std::memcpy(table.names[row], names[row], 3);
    }
    return table;
}

// Lays the bytes a file held over the table. A file that ends inside a field
// replaces only the bytes it still holds: a score keeps its old high bytes, a
// name its old letters.
void applyRecord(ScoreTable& table, const unsigned char* record, size_t length) {
    for (int row = 0; row < SCORE_ROWS; ++row) {
        size_t at = static_cast<size_t>(row) * 7;
        uint32_t value = static_cast<uint32_t>(table.scores[row]);
        for (size_t i = 0; i < 4 && at + i < length; ++i)
            value = (value & ~(0xFFu << (8 * i))) | static_cast<uint32_t>(record[at + i]) << (8 * i);
        table.scores[row] = static_cast<int32_t>(value);
        for (size_t i = 0; i < 3 && at + 4 + i < length; ++i)
            table.names[row][i] = static_cast<char>(record[at + 4 + i]);
    }
}

void encodeRecord(const ScoreTable& table, unsigned char record[SCORE_FILE_SIZE]) {
    unsigned char* out = record;
    for (int row = 0; row < SCORE_ROWS; ++row) {
        uint32_t value = static_cast<uint32_t>(table.scores[row]);
        for (int i = 0; i < 4; ++i) *out++ = static_cast<unsigned char>(value >> (8 * i));
        for (int i = 0; i < 3; ++i) *out++ = static_cast<unsigned char>(table.names[row][i]);
    }
}

// Writes the table over the file at `target` (no link): 0, or why not (errno).
int replaceFile(const ScoreTable& table, const std::string& target) {
    unsigned char record[SCORE_FILE_SIZE];
    encodeRecord(table, record);
    return replaceFileSafely(target, record, SCORE_FILE_SIZE);
}

bool sameRow(const ScoreTable& a, int a_row, const ScoreTable& b, int b_row) {
    return a.scores[a_row] == b.scores[b_row] && std::memcmp(a.names[a_row], b.names[b_row], 3) == 0;
}

bool sameTable(const ScoreTable& a, const ScoreTable& b) {
    for (int row = 0; row < SCORE_ROWS; ++row)
        if (!sameRow(a, row, b, row)) return false;
    return true;
}

void reportNotSaved(const std::string& path, const char* why, int error) {
    std::fprintf(stderr, "Zenvar: %s not saved: %s (%s)\n", path.c_str(), why, std::strerror(error));
}

// Inserts the rows of `now` that are not in `loaded` into `on_disk`, best
// first, each below equal scores; returns how many such rows there were.
int mergeSessionEntries(ScoreTable& on_disk, const ScoreTable& loaded, const ScoreTable& now) {
    bool matched[SCORE_ROWS] = {};
    int entries = 0;
    for (int row = 0; row < SCORE_ROWS; ++row) {
        int old = 0;
        while (old < SCORE_ROWS && (matched[old] || !sameRow(loaded, old, now, row))) ++old;
        if (old < SCORE_ROWS) {
            matched[old] = true;  // each row loaded accounts for one row now
            continue;
        }
        entries += 1;
        int placed = insertScore(on_disk, now.scores[row]);
        if (placed >= 0) std::memcpy(on_disk.names[placed], now.names[row], 3);
    }
    return entries;
}

bool mergeAndSave(const ScoreFileRecord& record, const ScoreTable& now, const std::string& path,
                  const std::string& target) {
    ScoreTable on_disk = {};  // as at start-up: bytes past a short file read as zero
    int reason = 0;
    ScoreFileState state = loadScoreTable(on_disk, target, &reason);
    if (state == SCORE_FILE_UNREADABLE) {
        reportNotSaved(path, "the file on disk cannot be read", reason);
        return false;
    }
    ScoreTable merged = on_disk;
    mergeSessionEntries(merged, record.as_loaded, now);
    bool full_size = state == SCORE_FILE_READ && fileSize(target) == SCORE_FILE_SIZE;
    if (full_size && sameTable(merged, on_disk)) return true;
    // Renaming over a file the player made read-only would succeed: ask first.
    if (state == SCORE_FILE_READ && !mayWriteFile(target)) {
        reportNotSaved(path, "the file may not be written", errno);
        return false;
    }
    int error = replaceFile(merged, target);
    if (error) reportNotSaved(path, "writing failed", error);
    return error == 0;
}

}  // namespace

ScoreFileState loadScoreTable(ScoreTable& table, std::string path, int* reason) {
    ScoreTable working = table;
    ScoreFileState state = SCORE_FILE_READ;
    errno = 0;
    FILE* in = isNamedPipe(path) ? nullptr : std::fopen(path.c_str(), "rb");
    int open_error = errno;
    if (!in) {
        working = defaultTable(MISSING_FILE_NAMES);
        state = pathMayExist(path) ? SCORE_FILE_UNREADABLE : SCORE_FILE_MISSING;
        if (reason) *reason = open_error ? open_error : EINVAL;
    } else {
        unsigned char record[SCORE_FILE_SIZE];
        errno = 0;
        size_t length = std::fread(record, 1, sizeof record, in);
        if (std::ferror(in)) {
            working = defaultTable(UNREADABLE_FILE_NAMES);
            state = SCORE_FILE_UNREADABLE;
            if (reason) *reason = errno ? errno : EIO;
        } else {
            applyRecord(working, record, length);
        }
        std::fclose(in);
    }
    table = working;
    return state;
}

bool saveScoreTable(ScoreTable table, std::string path) { return replaceFile(table, linkChainEnd(path)) == 0; }

ScoreFileRecord loadSessionTable(ScoreTable& table, const std::string& path) {
    int reason = 0;
    ScoreFileRecord record;
    record.keep_away = loadScoreTable(table, path, &reason) == SCORE_FILE_UNREADABLE;
    record.as_loaded = table;
    if (record.keep_away)
        std::fprintf(stderr, "Zenvar: cannot read %s (%s): playing with default scores, which will not be saved\n",
                     path.c_str(), std::strerror(reason));
    return record;
}

bool saveSessionTable(const ScoreFileRecord& record, const ScoreTable& now, const std::string& path) {
    if (record.keep_away) return false;
    std::string target = linkChainEnd(path);
    // Another copy of the game saving into the same folder waits for this one,
    // so neither merges into a file the other is about to replace.
    int lock = lockFolderOf(target);
    bool saved = mergeAndSave(record, now, path, target);
    unlockFolder(lock);
    return saved;
}

int insertScore(ScoreTable& table, int32_t score) {
    int row = 0;
    while (row < SCORE_ROWS && score <= table.scores[row]) ++row;
    if (row == SCORE_ROWS) return -1;
    for (int below = SCORE_ROWS - 1; below > row; --below) {
        table.scores[below] = table.scores[below - 1];
        std::memcpy(table.names[below], table.names[below - 1], 3);
    }
    table.scores[row] = score;
    std::memcpy(table.names[row], "   ", 3);
    return row;
}

bool scoreQualifies(const ScoreTable& table, int32_t score) {
    return score > table.scores[SCORE_ROWS - 1];
}

std::string scoreColumnText(const ScoreTable& table) {
    std::string text;
    for (int row = 0; row < SCORE_ROWS; ++row) {
        if (row > 0) text += "\n\n\n";
        text += std::to_string(table.scores[row]);
    }
    return text;
}

std::string nameColumnText(const ScoreTable& table) {
    std::string text;
    for (int row = 0; row < SCORE_ROWS; ++row) {
        if (row > 0) text += "\n\n\n";
        for (char byte : table.names[row])
            text += BitmapFont::glyphFor(static_cast<unsigned char>(byte)) >= 0 ? byte : '\0';
    }
    return text;
}

ScoreTable marathon_table;
ScoreTable two_minute_table;
ScoreTable five_minute_table;

ScoreTable& scoreTableFor(int mode) {
    if (mode == TwoMinute) return two_minute_table;
    if (mode == FiveMinute) return five_minute_table;
    return marathon_table;
}
