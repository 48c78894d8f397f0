// Score tables: five best scores and three-character names per game mode,
// kept in 35-byte little-endian files in the working directory.
#pragma once

#include <cstdint>
#include <string>

struct ScoreTable {
    int32_t scores[5];
    char names[5][3];
};

void loadScoreTable(ScoreTable& table, std::string path);
void saveScoreTable(ScoreTable table, std::string path);
int insertScore(ScoreTable& table, int32_t score);  // row placed, or -1 when it does not qualify
bool scoreQualifies(const ScoreTable& table, int32_t score);
std::string scoreColumnText(const ScoreTable& table);
std::string nameColumnText(const ScoreTable& table);
