// libFuzzer target for the score files: any bytes at all may sit in a score
// file. Loading must not crash, saving must write exactly a score file's size,
// and loading the saved file must give back the same table.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "scores/score_table.h"

namespace {
// The save syncs to disk; a memory file system keeps that cheap.
const std::string scratch = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/zenvar-fuzz-" +
                            std::to_string(getpid());
const std::string input = scratch + "-in.dat", saved = scratch + "-out.dat";

void removeScratchFiles() { unlink(input.c_str()), unlink(saved.c_str()); }  // libFuzzer ends with exit()
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    [[maybe_unused]] static const int cleanup_registered = std::atexit(removeScratchFiles);
    FILE* file = std::fopen(input.c_str(), "wb");
    if (!file || (size && std::fwrite(data, 1, size, file) != size)) std::abort();
    std::fclose(file);

    // Bytes beyond a short file keep what the table held: start from a pattern.
    ScoreTable table, reloaded;
    std::memset(&table, 0x5a, sizeof table);
    std::memset(&reloaded, 0, sizeof reloaded);
    loadScoreTable(table, input);
    struct stat info;
    if (!saveScoreTable(table, saved) || stat(saved.c_str(), &info) != 0 || info.st_size != SCORE_FILE_SIZE)
        std::abort();
    loadScoreTable(reloaded, saved);
    if (std::memcmp(table.scores, reloaded.scores, sizeof table.scores) != 0 ||
        std::memcmp(table.names, reloaded.names, sizeof table.names) != 0)
        std::abort();
    // The column texts are built from whatever the file held.
    if (scoreColumnText(table).empty() || nameColumnText(table).size() != 5 * 3 + 4 * 3) std::abort();
    return 0;
}
