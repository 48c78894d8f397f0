// Score tables: five best scores and three-character names per game mode,
// kept in 35-byte little-endian files in the working directory.
//
// A table is a plain value: the game keeps three of them for the whole run,
// reads them once at start-up and writes them back at shut-down. The files are
// untrusted (hand-edited, truncated, a folder in their place), so loading never
// fails: it falls back to built-in rows, and a short file only replaces the
// bytes it holds. Saving writes a temporary file beside the real one and renames
// it over it, so a failed save never costs the previous scores.
#pragma once

#include <cstdint>
#include <string>

struct ScoreTable {
    int32_t scores[5];
    char names[5][3];
};

const int SCORE_ROWS = 5;
const int SCORE_FILE_SIZE = 35;

void loadScoreTable(ScoreTable& table, std::string path);
// True when the file now holds the table; false leaves the old file untouched.
bool saveScoreTable(ScoreTable table, std::string path);
int insertScore(ScoreTable& table, int32_t score);  // row placed, or -1 when it does not qualify
bool scoreQualifies(const ScoreTable& table, int32_t score);
std::string scoreColumnText(const ScoreTable& table);
std::string nameColumnText(const ScoreTable& table);
