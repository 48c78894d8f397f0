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
    void TearDown() override {
        std::string command = "rm -rf '" + folder + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    void writeFile(const std::string& file, const Bytes& bytes) {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    Bytes readFile(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<std::string> folderEntries() {
        std::vector<std::string> names;
        DIR* dir = opendir(folder.c_str());
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(dir);
        return names;
    }

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

ScoreTable zeroTable() {
    ScoreTable table;
    std::memset(&table, 0, sizeof table);
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

TEST_F(ScoreFileTest, MissingFileGivesFirstRunRowsWhere10000DoesNotQualify) {
    ScoreTable table = distinctTable();
    loadScoreTable(table, path);
    expectDefaults(table, SET_A);
    EXPECT_FALSE(scoreQualifies(table, 10000));
    EXPECT_TRUE(scoreQualifies(table, 10001));
    EXPECT_EQ(insertScore(table, 10001), 0);
}

TEST_F(ScoreFileTest, ShortFilesReplaceOnlyTheBytesTheyHold) {
    ScoreTable source;
    for (int row = 0; row < 5; ++row) {
        source.scores[row] = -1000 * (row + 1) + 7;  // negative: every score byte differs from the old ones
        std::memcpy(source.names[row], "XYZ", 3);
        source.names[row][2] = static_cast<char>('0' + row);
    }
    const Bytes full = recordOf(source);
    const ScoreTable old = distinctTable();
    const Bytes old_bytes = recordOf(old);

    for (size_t length : {0, 1, 2, 5, 7, 8, 20, 33, 34}) {
        writeFile(path, Bytes(full.begin(), full.begin() + length));
        ScoreTable table = old;
        loadScoreTable(table, path);
        Bytes expected(full.begin(), full.begin() + length);
        expected.insert(expected.end(), old_bytes.begin() + length, old_bytes.end());
        EXPECT_EQ(recordOf(table), expected) << length << " bytes";
    }

    // Seven bytes into a fresh table: row 0 filled, rows 1 to 4 still zero.
    writeFile(path, Bytes(full.begin(), full.begin() + 7));
    ScoreTable fresh = zeroTable();
    loadScoreTable(fresh, path);
    EXPECT_EQ(fresh.scores[0], -993);
    EXPECT_EQ(name(fresh, 0), "XY0");
    for (int row = 1; row < 5; ++row) {
        EXPECT_EQ(fresh.scores[row], 0);
        EXPECT_EQ(name(fresh, row), std::string(3, '\0'));
    }
}

TEST_F(ScoreFileTest, FullAndLongFilesLoadTheFirst35BytesAndSaveBackAs35) {
    Bytes bytes = recordOf(distinctTable());
    Bytes long_file = bytes;
    for (int i = 0; i < 5; ++i) long_file.push_back(0xEE);
    writeFile(path, long_file);

    ScoreTable table = zeroTable();
    loadScoreTable(table, path);
    EXPECT_EQ(recordOf(table), bytes);
    EXPECT_EQ(table.scores[0], 0x11223344);
    EXPECT_EQ(name(table, 4), "mno");

    ASSERT_TRUE(saveScoreTable(table, path));
    EXPECT_EQ(readFile(path), bytes);
}

TEST_F(ScoreFileTest, ThirtyFiveZeroBytesGiveZeroScoresAndZeroByteNames) {
    writeFile(path, Bytes(35, 0));
    ScoreTable table = distinctTable();
    loadScoreTable(table, path);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(table.scores[row], 0);
        EXPECT_EQ(name(table, row), std::string(3, '\0'));
    }
    // The zero bytes reach the name column so the font can leave blank cells.
    const std::string zeros(3, '\0');
    EXPECT_EQ(nameColumnText(table), zeros + "\n\n\n" + zeros + "\n\n\n" + zeros + "\n\n\n" + zeros + "\n\n\n" + zeros);
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

TEST_F(ScoreFileTest, SaveWritesLittleEndianScoresThenNames) {
    ScoreTable table = zeroTable();
    table.scores[0] = 0x01020304;
    table.scores[1] = -2;
    table.scores[4] = 30000;
    std::memcpy(table.names[0], "A.!", 3);
    ASSERT_TRUE(saveScoreTable(table, path));
    Bytes file = readFile(path);
    ASSERT_EQ(file.size(), 35u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 7), (Bytes{4, 3, 2, 1, 'A', '.', '!'}));
    EXPECT_EQ(Bytes(file.begin() + 7, file.begin() + 11), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(file.begin() + 28, file.begin() + 32), (Bytes{0x30, 0x75, 0, 0}));
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"marathon.dat"});
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
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"marathon.dat"});
}

TEST_F(ScoreFileTest, ANamedPipeDoesNotHangTheLoad) {
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    ScoreTable table = distinctTable();
    loadScoreTable(table, path);
    expectDefaults(table, SET_A);
}

// Root may write anywhere on disk, but not into a missing folder nor into /proc,
// where no file can be created at all.
TEST_F(ScoreFileTest, SaveWhereNoFileCanBeCreatedFailsQuietly) {
    std::string nowhere = folder + "/no-such-folder/marathon.dat";
    EXPECT_FALSE(saveScoreTable(distinctTable(), nowhere));
    EXPECT_TRUE(folderEntries().empty());

    EXPECT_FALSE(saveScoreTable(distinctTable(), "/proc/zenvar-marathon.dat"));
    EXPECT_NE(access("/proc/zenvar-marathon.dat", F_OK), 0);
}

// The process may not write more than 20 bytes into any file, so the save
// fails half way through its temporary file, as on a full disk. This works
// for root too, unlike a read-only folder.
TEST_F(ScoreFileTest, AWriteThatFailsMidFileKeepsTheOldFileAndLeavesNoTemporary) {
    ScoreTable old_table = distinctTable();
    ASSERT_TRUE(saveScoreTable(old_table, path));
    const Bytes old_bytes = readFile(path);

    ScoreTable new_table = zeroTable();
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
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"marathon.dat"});

    // With room again the same save goes through.
    EXPECT_TRUE(saveScoreTable(new_table, path));
    EXPECT_EQ(readFile(path), recordOf(new_table));
}

TEST_F(ScoreFileTest, SavedFilesKeepOrGetOrdinaryPermissions) {
    ASSERT_TRUE(saveScoreTable(distinctTable(), path));
    std::string plain = folder + "/plain";
    writeFile(plain, Bytes{1});
    struct stat saved_info, plain_info;
    ASSERT_EQ(stat(path.c_str(), &saved_info), 0);
    ASSERT_EQ(stat(plain.c_str(), &plain_info), 0);
    EXPECT_EQ(saved_info.st_mode & 0777, plain_info.st_mode & 0777);

    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(saveScoreTable(zeroTable(), path));
    ASSERT_EQ(stat(path.c_str(), &saved_info), 0);
    EXPECT_EQ(saved_info.st_mode & 0777, 0640u);
}

ScoreTable descendingTable() {
    ScoreTable table;
    const char* names[5] = {"AAA", "BBB", "CCC", "DDD", "EEE"};
    for (int row = 0; row < 5; ++row) {
        table.scores[row] = 500 - 100 * row;  // 500 400 300 200 100
        std::memcpy(table.names[row], names[row], 3);
    }
    return table;
}

TEST(ScoreTableTest, InsertPlacesEachScoreAtItsRowAndDropsTheLast) {
    const int scores[5] = {501, 401, 301, 201, 101};
    for (int expected_row = 0; expected_row < 5; ++expected_row) {
        ScoreTable table = descendingTable();
        ASSERT_EQ(insertScore(table, scores[expected_row]), expected_row);
        int old_row = 0;
        for (int row = 0; row < 5; ++row) {
            if (row == expected_row) {
                EXPECT_EQ(table.scores[row], scores[expected_row]);
                EXPECT_EQ(name(table, row), "   ");
            } else {
                EXPECT_EQ(table.scores[row], descendingTable().scores[old_row]) << "row " << row;
                EXPECT_EQ(name(table, row), name(descendingTable(), old_row)) << "row " << row;
                ++old_row;
            }
        }
    }
}

TEST(ScoreTableTest, ATieGoesBelowTheEqualScore) {
    ScoreTable table = descendingTable();
    EXPECT_EQ(insertScore(table, 300), 3);
    EXPECT_EQ(table.scores[2], 300);
    EXPECT_EQ(name(table, 2), "CCC");
    EXPECT_EQ(table.scores[3], 300);
    EXPECT_EQ(name(table, 3), "   ");
    EXPECT_EQ(table.scores[4], 200);
    EXPECT_EQ(name(table, 4), "DDD");
}

TEST(ScoreTableTest, QualifyingNeedsOnePointMoreThanTheFifthScore) {
    ScoreTable table = descendingTable();
    EXPECT_FALSE(scoreQualifies(table, 100));
    EXPECT_TRUE(scoreQualifies(table, 101));

    ScoreTable unchanged = table;
    EXPECT_EQ(insertScore(table, 100), -1);
    EXPECT_EQ(recordOf(table), recordOf(unchanged));

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
