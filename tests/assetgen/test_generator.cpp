// The generator itself: two runs into fresh folders write the same files
// byte for byte, and match what the build put in the run folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {
std::string runFolder() {
    const char* env = std::getenv("ZENVAR_RUN_DIR");
    return env ? env : fs::current_path().string();
}

std::string generatorPath() { return (fs::path(runFolder()) / ".." / "assetgen" / "zenvar-assetgen").string(); }

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Relative path -> bytes of every file under `root`.
std::map<std::string, std::string> filesUnder(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = contentsOf(entry.path());
    return files;
}

fs::path generateIntoFreshFolder() {
    char pattern[] = "/tmp/zenvar-assets-XXXXXX";
    const char* folder = mkdtemp(pattern);
    EXPECT_NE(folder, nullptr);
    std::string command = "'" + generatorPath() + "' '" + folder + "' > /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return fs::path(folder);
}
}  // namespace

TEST(Generator, TwoRunsWriteIdenticalFilesMatchingTheRunFolder) {
    ASSERT_TRUE(fs::exists(generatorPath())) << generatorPath();
    fs::path first = generateIntoFreshFolder(), second = generateIntoFreshFolder();
    std::map<std::string, std::string> a = filesUnder(first), b = filesUnder(second);
    fs::remove_all(first);
    fs::remove_all(second);
    EXPECT_GE(a.size(), 80u);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& kv : a) {
        auto other = b.find(kv.first);
        ASSERT_NE(other, b.end()) << kv.first << " written only once";
        EXPECT_TRUE(kv.second == other->second) << kv.first << " differs between runs";
        fs::path built = fs::path(runFolder()) / kv.first;
        EXPECT_TRUE(fs::exists(built) && contentsOf(built) == kv.second) << kv.first << " in the run folder is stale";
    }
}
