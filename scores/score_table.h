// Score tables: five best scores and three-character names per game mode,
// kept in 35-byte little-endian files in the working directory.
//
// A table is a plain value: the game keeps three of them for the whole run,
// reads them once at start-up and writes them back at shut-down. The files are
// untrusted (hand-edited, truncated, a folder in their place), so loading never
// fails: it falls back to built-in rows, and a short file only replaces the
// bytes it holds. Saving writes a temporary file beside the real one (beside a
// symbolic link's target) and renames it over it, so a failed save never costs
// the previous scores.
//
// The files are shared: the player may protect them, and another copy of the
// game may write them while this one runs. So the shut-down never writes a
// table from memory over what is on disk: it reads the file again and adds the
// scores entered in this session, and it leaves alone any file it could not
// read or may not write.
#pragma once

#include <cstdint>
#include <string>

struct ScoreTable {
    int32_t scores[5];
    char names[5][3];
};

const int SCORE_ROWS = 5;
const int SCORE_FILE_SIZE = 35;

enum ScoreFileState { SCORE_FILE_READ, SCORE_FILE_MISSING, SCORE_FILE_UNREADABLE };

// Unreadable: the file exists but could not be opened or read (reason: errno).
ScoreFileState loadScoreTable(ScoreTable& table, std::string path, int* reason = nullptr);
// True when the file now holds the table; false leaves the old file untouched.
bool saveScoreTable(ScoreTable table, std::string path);

// One mode's file as start-up found it.
struct ScoreFileRecord {
    ScoreTable as_loaded;  // rows of `now` not among these were entered this session
    bool keep_away;        // it exists but could not be read: never replaced
};
// Loads the table; an unreadable file is reported on stderr, once.
ScoreFileRecord loadSessionTable(ScoreTable& table, const std::string& path);
// Adds this session's entries to the file as it is on disk now. A file that
// gains nothing is rewritten only when it is missing or not 35 bytes. Every
// refusal or failure is one line on stderr naming the file and why.
bool saveSessionTable(const ScoreFileRecord& record, const ScoreTable& now, const std::string& path);
int insertScore(ScoreTable& table, int32_t score);  // row placed, or -1 when it does not qualify
bool scoreQualifies(const ScoreTable& table, int32_t score);
std::string scoreColumnText(const ScoreTable& table);
// Three cells per name: a byte the font has no glyph for (newline too) becomes a
// zero byte, which the font leaves as a blank cell.
std::string nameColumnText(const ScoreTable& table);

// The game's three tables, one per mode, kept for the whole run.
extern ScoreTable marathon_table;
extern ScoreTable two_minute_table;
extern ScoreTable five_minute_table;
// The table that belongs to a game mode (Marathon, TwoMinute, FiveMinute).
ScoreTable& scoreTableFor(int mode);
