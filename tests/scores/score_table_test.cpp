// Score tables against real files in a scratch folder: every file size the game
// can meet, files that are not files, failed saves, and the table operations.
#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "scores/score_table.h"

namespace {

typedef std::vector<unsigned char> Bytes;

class ScoreFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zenvar-scores-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        path = folder + "/marathon.dat";
    }
    void TearDown() override { ASSERT_EQ(std::system(("rm -rf '" + folder + "'").c_str()), 0); }

    void writeFile(const std::string& file, const Bytes& bytes) {
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    Bytes readFile(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<std::string> folderEntries(const std::string& where = "") {
        std::vector<std::string> names;
        DIR* dir = opendir((where.empty() ? folder : where).c_str());
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') names.push_back(entry->d_name);
        closedir(dir);
        return names;
    }
    bool onlyTheScoreFile() { return folderEntries() == std::vector<std::string>{"marathon.dat"}; }

    std::string folder;
    std::string path;
};

// A table whose every byte differs, so a partial load shows which bytes it kept.
ScoreTable distinctTable() {
    ScoreTable table;
    for (int row = 0; row < 5; ++row) {
        table.scores[row] = 0x11223344 + row;
        for (int i = 0; i < 3; ++i) table.names[row][i] = static_cast<char>('a' + row * 3 + i);
    }
    return table;
}

// The 35-byte record a table must produce, written out by hand.
Bytes recordOf(const ScoreTable& table) {
    Bytes bytes;
    for (int row = 0; row < 5; ++row) {
        uint32_t value = static_cast<uint32_t>(table.scores[row]);
        for (int i = 0; i < 4; ++i) bytes.push_back((value >> (8 * i)) & 0xff);
        for (int i = 0; i < 3; ++i) bytes.push_back(static_cast<unsigned char>(table.names[row][i]));
    }
    return bytes;
}

std::string name(const ScoreTable& table, int row) { return std::string(table.names[row], 3); }

void expectDefaults(const ScoreTable& table, const char* const names[5]) {
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(table.scores[row], 10000) << "row " << row;
        EXPECT_EQ(name(table, row), names[row]) << "row " << row;
    }
}

const char* const SET_A[5] = {"OST", "WIC", "KST", "UDI", "OS!"};
const char* const SET_B[5] = {"HOL", "TRA", "NEP", "LAY", "ERS"};

TEST_F(ScoreFileTest, MissingFileOrPipeGivesFirstRunRowsWhere10000DoesNotQualify) {
    ScoreTable table = distinctTable();
    loadScoreTable(table, path);
    expectDefaults(table, SET_A);
    EXPECT_FALSE(scoreQualifies(table, 10000));
    EXPECT_EQ(insertScore(table, 10001), 0);

    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);  // must not hang the load
    table = distinctTable();
    loadScoreTable(table, path);
    expectDefaults(table, SET_A);
}

// Every length from empty to past the record: a short file replaces only the
// bytes it holds, a long one gives its first 35, and saving writes 35 back
// through a temporary file that does not stay behind.
TEST_F(ScoreFileTest, FilesOfEverySizeLoadTheirBytesAndSaveBackAs35) {
    ScoreTable source;
    for (int row = 0; row < 5; ++row) {
        source.scores[row] = -1000 * (row + 1) + 7;  // negative: every score byte differs from the old ones
        std::memcpy(source.names[row], "XY0", 3);
        source.names[row][2] = static_cast<char>('0' + row);
    }
    Bytes full = recordOf(source);
    for (int i = 0; i < 5; ++i) full.push_back(0xEE);
    const Bytes old_bytes = recordOf(distinctTable());

    for (size_t length : {0, 1, 7, 8, 20, 33, 34, 35, 40}) {
        writeFile(path, Bytes(full.begin(), full.begin() + length));
        ScoreTable table = distinctTable();
        loadScoreTable(table, path);
        Bytes expected(full.begin(), full.begin() + std::min<size_t>(length, 35));
        expected.insert(expected.end(), old_bytes.begin() + expected.size(), old_bytes.end());
        EXPECT_EQ(recordOf(table), expected) << length << " bytes";
        ASSERT_TRUE(saveScoreTable(table, path));
        EXPECT_EQ(readFile(path), expected) << length << " bytes";
        EXPECT_TRUE(onlyTheScoreFile());
    }
}

TEST_F(ScoreFileTest, ThirtyFiveZeroBytesGiveZeroScoresAndZeroByteNames) {
    writeFile(path, Bytes(35, 0));
    ScoreTable table = distinctTable();
    loadScoreTable(table, path);
    // The zero bytes reach the name column so the font can leave blank cells.
    const std::string zeros(3, '\0'), gap = "\n\n\n";
    EXPECT_EQ(nameColumnText(table), zeros + gap + zeros + gap + zeros + gap + zeros + gap + zeros);
    EXPECT_EQ(scoreColumnText(table), "0\n\n\n0\n\n\n0\n\n\n0\n\n\n0");
}

TEST_F(ScoreFileTest, RandomFilesLoadLittleEndianAndSaveBackByteForByte) {
    std::mt19937 random(20261206);
    for (int trial = 0; trial < 200; ++trial) {
        Bytes bytes(random() % 60);
        for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(random());
        writeFile(path, bytes);
        ScoreTable table = distinctTable();
        loadScoreTable(table, path);

        Bytes expected = recordOf(distinctTable());
        std::copy(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 35), expected.begin());
        ASSERT_EQ(recordOf(table), expected) << "trial " << trial;
        ASSERT_TRUE(saveScoreTable(table, path));
        ASSERT_EQ(readFile(path), expected) << "trial " << trial;
    }
}

TEST_F(ScoreFileTest, AFolderNamedLikeTheFileIsNeitherReadNorReplaced) {
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    // The folder opens but cannot be read: the rows for an unreadable file,
    // never whatever the table held before.
    ScoreTable table = distinctTable();
    loadScoreTable(table, path);
    expectDefaults(table, SET_B);

    EXPECT_FALSE(saveScoreTable(table, path));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_TRUE(onlyTheScoreFile());
}

// Root may write anywhere on disk, but not into a missing folder nor into /proc.
TEST_F(ScoreFileTest, SaveWhereNoFileCanBeCreatedFailsQuietly) {
    EXPECT_FALSE(saveScoreTable(distinctTable(), folder + "/no-such-folder/marathon.dat"));
    EXPECT_TRUE(folderEntries().empty());
    EXPECT_FALSE(saveScoreTable(distinctTable(), "/proc/zenvar-marathon.dat"));
    EXPECT_NE(access("/proc/zenvar-marathon.dat", F_OK), 0);
}

TEST_F(ScoreFileTest, SavedFilesKeepOrGetOrdinaryPermissions) {
    ASSERT_TRUE(saveScoreTable(distinctTable(), path));
    writeFile(folder + "/plain", Bytes{1});
    struct stat saved_info, plain_info;
    ASSERT_EQ(stat(path.c_str(), &saved_info), 0);
    ASSERT_EQ(stat((folder + "/plain").c_str(), &plain_info), 0);
    EXPECT_EQ(saved_info.st_mode & 0777, plain_info.st_mode & 0777);

    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(saveScoreTable(distinctTable(), path));
    ASSERT_EQ(stat(path.c_str(), &saved_info), 0);
    EXPECT_EQ(saved_info.st_mode & 0777, 0640u);
}

ScoreTable descendingTable() {
    ScoreTable table;
    const char* names[5] = {"AAA", "BBB", "CCC", "DDD", "EEE"};
    for (int row = 0; row < 5; ++row) {
        table.scores[row] = 500 - 100 * row;
        std::memcpy(table.names[row], names[row], 3);
    }
    return table;
}

std::string rows(const ScoreTable& table) {
    std::string text;
    for (int row = 0; row < 5; ++row) text += std::to_string(table.scores[row]) + name(table, row) + " ";
    return text;
}

// Every row, a tie (below the equal score) and one point short of qualifying.
TEST(ScoreTableTest, InsertPlacesEachScoreAtItsRowAndDropsTheLast) {
    const struct {
        int score;
        int row;
        const char* table;
    } cases[] = {
        {501, 0, "501    500AAA 400BBB 300CCC 200DDD "}, {401, 1, "500AAA 401    400BBB 300CCC 200DDD "},
        {301, 2, "500AAA 400BBB 301    300CCC 200DDD "}, {201, 3, "500AAA 400BBB 300CCC 201    200DDD "},
        {101, 4, "500AAA 400BBB 300CCC 200DDD 101    "}, {300, 3, "500AAA 400BBB 300CCC 300    200DDD "},
        {100, -1, "500AAA 400BBB 300CCC 200DDD 100EEE "},
    };
    for (const auto& c : cases) {
        ScoreTable table = descendingTable();
        EXPECT_EQ(scoreQualifies(table, c.score), c.row >= 0) << c.score;
        EXPECT_EQ(insertScore(table, c.score), c.row) << c.score;
        EXPECT_EQ(rows(table), c.table) << c.score;
    }
    ScoreTable table = descendingTable();
    table.scores[4] = -5;
    EXPECT_TRUE(scoreQualifies(table, -4));
    EXPECT_FALSE(scoreQualifies(table, -5));
}

TEST(ScoreTableTest, ColumnsAreRowsThreeLinesApart) {
    ScoreTable table = descendingTable();
    table.scores[0] = 1234567;
    table.scores[4] = -20;
    EXPECT_EQ(scoreColumnText(table), "1234567\n\n\n400\n\n\n300\n\n\n200\n\n\n-20");
    EXPECT_EQ(nameColumnText(table), "AAA\n\n\nBBB\n\n\nCCC\n\n\nDDD\n\n\nEEE");
}

// "500AAA 400BBB ...": five rows, score then three name bytes.
ScoreTable tableOf(const std::string& text) {
    ScoreTable table = {};
    std::istringstream in(text);
    std::string row_text;
    for (int row = 0; row < 5 && in >> row_text; ++row) {
        table.scores[row] = std::stoi(row_text.substr(0, row_text.size() - 3));
        std::memcpy(table.names[row], row_text.data() + row_text.size() - 3, 3);
    }
    return table;
}

const char* const LOADED = "500AAA 400BBB 300CCC 200DDD 100EEE";
const char* const OTHER_WRITER = "900OTH 500AAA 400BBB 300CCC 200DDD";

// The session's entries are the rows it has that start-up did not load; they
// go into whatever is on disk now, below equal scores, if they still qualify.
TEST(ScoreTableTest, MergePutsOnlyThisSessionsEntriesIntoTheTableOnDisk) {
    const struct {
        const char* now;
        const char* on_disk;
        const char* expected;
        int entries;
    } cases[] = {
        {LOADED, OTHER_WRITER, OTHER_WRITER, 0},
        {"500AAA 450NEW 400BBB 300CCC 200DDD", OTHER_WRITER, "900OTH 500AAA 450NEW 400BBB 300CCC", 1},
        {"500AAA 450NEW 400BBB 300CCC 200DDD", "900OTH 450OTH 400BBB 300CCC 200DDD",
         "900OTH 450OTH 450NEW 400BBB 300CCC", 1},
        {"600ONE 600TWO 500AAA 400BBB 300CCC", LOADED, "600ONE 600TWO 500AAA 400BBB 300CCC", 2},
        {"500AAA 400BBB 300CCC 300CCC 200DDD", LOADED, "500AAA 400BBB 300CCC 300CCC 200DDD", 1},
        {"500AAA 400BBB 300CCC 200DDD 150NEW", "900OTH 800OTH 700OTH 600OTH 500OTH",
         "900OTH 800OTH 700OTH 600OTH 500OTH", 1},
    };
    for (const auto& c : cases) {
        ScoreTable on_disk = tableOf(c.on_disk);
        EXPECT_EQ(mergeSessionEntries(on_disk, tableOf(LOADED), tableOf(c.now)), c.entries) << c.now;
        EXPECT_EQ(rows(on_disk), rows(tableOf(c.expected))) << c.now << " into " << c.on_disk;
    }
}

// The shut-down save against what it finds on disk. Every refusal leaves the
// old file and no temporary behind and says on stderr which file and why. A
// file-size limit makes the write fail half way, as on a full disk, for root too.
TEST_F(ScoreFileTest, SessionSaveMergesIntoTheFileOnDiskOrLeavesItAlone) {
    const std::string sub = folder + "/sub";
    const std::string first_run = "10000OST 10000WIC 10000KST 10000UDI 10000OS!";
    const std::function<void()> other_writer = [&] { writeFile(path, recordOf(tableOf(OTHER_WRITER))); };
    const struct {
        const char* what;
        std::function<void()> arrange;
        bool entry, keep_away, size_limit, saved;
        std::string expected;  // rows read back through `path`; empty: a folder is still there
        const char* message;   // on stderr, after the file's name
    } cases[] = {
        {"nothing gained", other_writer, false, false, false, true, OTHER_WRITER, ""},
        {"one entry", other_writer, true, false, false, true, "900OTH 777NEW 500AAA 400BBB 300CCC", ""},
        {"first run", [] {}, false, false, false, true, first_run, ""},
        {"40 bytes", [&] { other_writer(); std::ofstream(path, std::ios::app) << "12345"; }, false, false, false,
         true, OTHER_WRITER, ""},
        {"size limit", other_writer, true, false, true, false, OTHER_WRITER, "File too large"},
        {"folder", [&] { mkdir(path.c_str(), 0755); }, true, false, false, false, "", "Is a directory"},
        {"unreadable at start", other_writer, true, true, false, false, OTHER_WRITER, ""},
        {"link", [&] { mkdir(sub.c_str(), 0755); writeFile(sub + "/real.dat", recordOf(tableOf(OTHER_WRITER)));
             symlink("sub/real.dat", path.c_str()); }, true, false, false, true,
         "900OTH 777NEW 500AAA 400BBB 300CCC", ""},
        {"dangling link", [&] { mkdir(sub.c_str(), 0755); symlink("sub/new.dat", path.c_str()); }, false, false,
         false, true, first_run, ""},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(std::system(("rm -rf '" + folder + "'/*").c_str()), 0);
        c.arrange();
        ScoreFileRecord record = {tableOf(LOADED), c.keep_away};
        ScoreTable now = tableOf(LOADED);
        if (c.entry) std::memcpy(now.names[insertScore(now, 777)], "NEW", 3);
        struct rlimit saved_limit;
        getrlimit(RLIMIT_FSIZE, &saved_limit);
        struct rlimit limit = {c.size_limit ? 20 : saved_limit.rlim_cur, saved_limit.rlim_max};
        signal(SIGXFSZ, SIG_IGN);  // as the game does
        setrlimit(RLIMIT_FSIZE, &limit);
        // stderr goes into a pipe, which the file-size limit does not reach.
        int pipe_ends[2], old_stderr = dup(2);
        ASSERT_EQ(pipe(pipe_ends), 0);
        dup2(pipe_ends[1], 2);
        close(pipe_ends[1]);
        EXPECT_EQ(saveSessionTable(record, now, path), c.saved) << c.what;
        dup2(old_stderr, 2);
        close(old_stderr);
        char text[512];
        std::string said(text, std::max<ssize_t>(read(pipe_ends[0], text, sizeof text), 0));
        close(pipe_ends[0]);
        setrlimit(RLIMIT_FSIZE, &saved_limit);

        struct stat info;
        bool folder_left = stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        EXPECT_EQ(folder_left, c.expected.empty()) << c.what;
        if (!folder_left) {
            EXPECT_EQ(readFile(path), recordOf(tableOf(c.expected))) << c.what;
        }
        EXPECT_EQ(said.rfind("Zenvar: " + path + " not saved: ", 0) == 0, *c.message != 0) << c.what << ": " << said;
        EXPECT_NE(said.find(c.message), std::string::npos) << c.what << ": " << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), *c.message ? 1 : 0) << c.what << ": " << said;
        EXPECT_EQ(folderEntries().size(), 1u + (access(sub.c_str(), F_OK) == 0)) << c.what;  // no temporary left
        if (access(sub.c_str(), F_OK) == 0) {
            EXPECT_EQ(folderEntries(sub).size(), 1u) << c.what;
            EXPECT_EQ(lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode), true) << c.what << ": the link stays";
        }
    }
}

}  // namespace
