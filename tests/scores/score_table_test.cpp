// Score tables against real files in a scratch folder: every file size the game
// can meet, files that are not files, failed saves and the merge of two copies.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>
#include <vector>

#include "scores/score_table.h"
#include "support/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

typedef std::vector<unsigned char> Bytes;
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
// The 35-byte record a table must produce, written out by hand.
Bytes recordOf(const ScoreTable& table) {
    Bytes bytes;
    for (int row = 0; row < 5; ++row) {
        for (int i = 0; i < 4; ++i) bytes.push_back((static_cast<uint32_t>(table.scores[row]) >> (8 * i)) & 0xff);
        for (int i = 0; i < 3; ++i) bytes.push_back(static_cast<unsigned char>(table.names[row][i]));
    }
    return bytes;
}

const char* const LOADED = "500AAA 400BBB 300CCC 200DDD 100EEE";
const char* const OTHER_WRITER = "900OTH 500AAA 400BBB 300CCC 200DDD";
const char* const FIRST_RUN = "10000OST 10000WIC 10000KST 10000UDI 10000OS!";
// Every byte differs, so a partial load shows which bytes it kept.
const char* const OLD = "287454020abc 287454021def 287454022ghi 287454023jkl 287454024mno";

void writeFile(const std::string& file, const Bytes& bytes) {
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}
Bytes readFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
// Entries in a folder: a temporary left behind shows here.
long entries(const std::string& where) { return std::distance(fs::directory_iterator(where), {}); }

class ScoreFileTest : public ::testing::Test {
protected:
    testing_support::ScratchFolder folder;
    std::string path = folder.path + "/marathon.dat";
};

// Every length from empty to past the record: a short file replaces only the
// bytes it holds (the low bytes of a score first), a long one gives its first 35.
TEST_F(ScoreFileTest, FilesOfEverySizeLoadTheirBytesAndSaveBackAs35) {
    Bytes full = recordOf(tableOf("-993XY0 -1993XY1 -2993XY2 -3993XY3 -4993XY4"));
    full.insert(full.end(), 5, 0xEE);
    const Bytes old_bytes = recordOf(tableOf(OLD));
    for (size_t length : {0, 1, 7, 8, 20, 33, 34, 35, 40}) {
        writeFile(path, Bytes(full.begin(), full.begin() + length));
        ScoreTable table = tableOf(OLD);
        loadScoreTable(table, path);
        Bytes expected(full.begin(), full.begin() + std::min<size_t>(length, 35));
        expected.insert(expected.end(), old_bytes.begin() + expected.size(), old_bytes.end());
        EXPECT_EQ(recordOf(table), expected) << length << " bytes";
        ASSERT_TRUE(saveScoreTable(table, path));
        EXPECT_EQ(readFile(path), expected) << length << " bytes";
    }
}

// A save keeps the permissions the player gave the file; a first save gets a new file's.
TEST_F(ScoreFileTest, SavedFilesKeepOrGetOrdinaryPermissions) {
    writeFile(folder.path + "/plain", Bytes{1});
    for (fs::perms given : {fs::status(folder.path + "/plain").permissions(), fs::perms(0640)}) {
        if (fs::exists(path)) fs::permissions(path, given);
        ASSERT_TRUE(saveScoreTable(tableOf(OLD), path));
        EXPECT_EQ(fs::status(path).permissions(), given);
    }
}

// The shut-down save against what it finds on disk. Every refusal leaves the
// old file and no temporary behind and says on stderr which file and why. A
// file-size limit fails the write half way, as a full disk does. A link stays a link.
TEST_F(ScoreFileTest, SessionSaveMergesIntoTheFileOnDiskOrLeavesItAlone) {
    const std::string sub = folder.path + "/sub";
    const std::function<void()> other_writer = [&] { writeFile(path, recordOf(tableOf(OTHER_WRITER))); };
    const auto linked = [&](const char* target) {
        fs::create_directory(sub);
        ASSERT_EQ(symlink(target, path.c_str()), 0);
    };
    const struct {
        const char* what;
        std::function<void()> arrange;
        bool entry, keep_away, size_limit, saved;
        const char* expected;  // rows read back through `path`; empty: a folder is still there
        const char* message;   // on stderr, after "<file> not saved: "
    } cases[] = {
        {"nothing gained", other_writer, false, false, false, true, OTHER_WRITER, ""},
        {"one entry", other_writer, true, false, false, true, "900OTH 777NEW 500AAA 400BBB 300CCC", ""},
        {"first run", [] {}, false, false, false, true, FIRST_RUN, ""},
        {"size limit", other_writer, true, false, true, false, OTHER_WRITER, "writing failed (File too large)"},
        {"folder", [&] { fs::create_directory(path); }, true, false, false, false, "",
         "the file on disk cannot be read (Is a directory)"},
        {"unreadable at start", other_writer, true, true, false, false, OTHER_WRITER, ""},
        {"link", [&] { linked("sub/real.dat"); writeFile(sub + "/real.dat", recordOf(tableOf(OTHER_WRITER))); },
         true, false, false, true, "900OTH 777NEW 500AAA 400BBB 300CCC", ""},
        {"dangling link", [&] { linked("sub/new.dat"); }, false, false, false, true, FIRST_RUN, ""},
    };
    signal(SIGXFSZ, SIG_IGN);  // as the game does
    for (const auto& c : cases) {
        for (const auto& entry : fs::directory_iterator(folder.path)) fs::remove_all(entry);
        c.arrange();
        ScoreTable now = tableOf(LOADED);
        if (c.entry) std::memcpy(now.names[insertScore(now, 777)], "NEW", 3);
        struct rlimit saved_limit;
        getrlimit(RLIMIT_FSIZE, &saved_limit);
        struct rlimit limit = {c.size_limit ? 20 : saved_limit.rlim_cur, saved_limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        // stderr goes into a pipe, which the file-size limit does not reach.
        int pipe_ends[2], old_stderr = dup(2);
        ASSERT_EQ(pipe(pipe_ends), 0);
        dup2(pipe_ends[1], 2);
        close(pipe_ends[1]);
        EXPECT_EQ(saveSessionTable({tableOf(LOADED), c.keep_away}, now, path), c.saved) << c.what;
        dup2(old_stderr, 2);
        close(old_stderr);
        setrlimit(RLIMIT_FSIZE, &saved_limit);
        char text[512];
        std::string said(text, std::max<ssize_t>(read(pipe_ends[0], text, sizeof text), 0));
        close(pipe_ends[0]);
        bool folder_left = fs::is_directory(path);
        EXPECT_EQ(folder_left, !*c.expected) << c.what;
        EXPECT_TRUE(folder_left || readFile(path) == recordOf(tableOf(c.expected))) << c.what;
        EXPECT_EQ(said, *c.message ? "Zenvar: " + path + " not saved: " + c.message + "\n" : "") << c.what;
        bool link = fs::is_symlink(path);
        EXPECT_EQ(entries(folder.path), link ? 2 : 1) << c.what << ": no temporary left";
        EXPECT_TRUE(!link || entries(sub) == 1) << c.what << ": no temporary left";
        EXPECT_EQ(link, fs::exists(sub)) << c.what << ": the link stays";
    }
}

// Another copy saving into the same folder holds it locked: this save waits,
// then merges with what that copy wrote, so neither loses a score.
TEST_F(ScoreFileTest, SessionSaveWaitsForAnotherCopyAndMergesWithWhatItWrote) {
    int other_copy = open(folder.path.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(other_copy, LOCK_EX), 0);
    ScoreTable now = tableOf(LOADED);
    std::memcpy(now.names[insertScore(now, 777)], "NEW", 3);
    std::thread save([&] { EXPECT_TRUE(saveSessionTable({tableOf(LOADED), false}, now, path)); });
    usleep(200 * 1000);
    EXPECT_FALSE(fs::exists(path)) << "written while another copy held the folder";
    writeFile(path, recordOf(tableOf(OTHER_WRITER)));
    close(other_copy);
    save.join();
    EXPECT_EQ(readFile(path), recordOf(tableOf("900OTH 777NEW 500AAA 400BBB 300CCC")));
}

}  // namespace
