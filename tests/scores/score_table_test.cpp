// Score tables against real files in a scratch folder: every file size the game
// can meet, files that are not files, failed saves, and the table operations.
#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
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
    std::vector<std::string> folderEntries() {
        std::vector<std::string> names;
        DIR* dir = opendir(folder.c_str());
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

// The process may not write more than 20 bytes into any file, so the save
// fails half way through its temporary file, as on a full disk. This works
// for root too, unlike a read-only folder.
TEST_F(ScoreFileTest, AWriteThatFailsMidFileKeepsTheOldFileAndLeavesNoTemporary) {
    ASSERT_TRUE(saveScoreTable(distinctTable(), path));
    const Bytes old_bytes = readFile(path);

    ScoreTable new_table = distinctTable();
    new_table.scores[0] = 99999;
    struct rlimit saved_limit;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved_limit), 0);
    void (*saved_handler)(int) = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small_limit = saved_limit;
    small_limit.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small_limit), 0);
    bool saved = saveScoreTable(new_table, path);
    setrlimit(RLIMIT_FSIZE, &saved_limit);
    signal(SIGXFSZ, saved_handler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(readFile(path), old_bytes);
    EXPECT_TRUE(onlyTheScoreFile());
    EXPECT_TRUE(saveScoreTable(new_table, path));  // with room again it goes through
    EXPECT_EQ(readFile(path), recordOf(new_table));
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

}  // namespace
