#include "scores/score_table.h"

#include "core/program.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

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

// Opening a named pipe for reading would block the start-up until some other
// program writes to it, so a pipe counts as a file that cannot be opened.
bool isNamedPipe(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// Reads one little-endian score. A file that ends inside the field replaces
// only the low bytes it still holds; the others keep their old value.
void readScore(std::istream& in, int32_t& score) {
    uint32_t value = static_cast<uint32_t>(score);
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    in.read(reinterpret_cast<char*>(bytes), 4);
    value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    score = static_cast<int32_t>(value);
}

void encodeRecord(const ScoreTable& table, unsigned char record[SCORE_FILE_SIZE]) {
    unsigned char* out = record;
    for (int row = 0; row < SCORE_ROWS; ++row) {
        uint32_t value = static_cast<uint32_t>(table.scores[row]);
        for (int i = 0; i < 4; ++i) *out++ = static_cast<unsigned char>(value >> (8 * i));
        for (int i = 0; i < 3; ++i) *out++ = static_cast<unsigned char>(table.names[row][i]);
    }
}

bool writeAll(int fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// The new file keeps the permissions of the one it replaces; a first save
// gets what a plain create would give.
mode_t modeForNewFile(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Makes the rename itself survive a power cut. Best effort: the data is
// already safe in one of the two names whatever happens here.
void syncFolder(const std::string& path) {
    int fd = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool writeTempFile(int fd, const ScoreTable& table, mode_t mode) {
    unsigned char record[SCORE_FILE_SIZE];
    encodeRecord(table, record);
    bool ok = fchmod(fd, mode) == 0;
    ok = ok && writeAll(fd, record, SCORE_FILE_SIZE);
    ok = ok && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    return ok;
}

}  // namespace

void loadScoreTable(ScoreTable& table, std::string path) {
    ScoreTable working = table;
    std::ifstream in;
    if (!isNamedPipe(path)) in.open(path, std::ios::in | std::ios::binary);
    if (!in.is_open() || in.fail()) {
        working = defaultTable(MISSING_FILE_NAMES);
    } else {
        for (int row = 0; row < SCORE_ROWS; ++row) {
            readScore(in, working.scores[row]);
            for (int i = 0; i < 3; ++i) in.read(&working.names[row][i], 1);
        }
        if (in.bad()) working = defaultTable(UNREADABLE_FILE_NAMES);
        in.close();
    }
    table = working;
}

bool saveScoreTable(ScoreTable table, std::string path) {
    std::string pattern = path + ".XXXXXX";
    std::vector<char> temp_path(pattern.begin(), pattern.end());
    temp_path.push_back('\0');
    mode_t mode = modeForNewFile(path);
    int fd = mkstemp(temp_path.data());
    if (fd < 0) return false;
    bool ok = writeTempFile(fd, table, mode);
    ok = ok && std::rename(temp_path.data(), path.c_str()) == 0;
    if (!ok) {
        unlink(temp_path.data());
        return false;
    }
    syncFolder(path);
    return true;
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
        text.append(table.names[row], 3);
    }
    return text;
}

// The game's three tables, one per mode, kept for the whole run.
ScoreTable marathon_table;
ScoreTable two_minute_table;
ScoreTable five_minute_table;
