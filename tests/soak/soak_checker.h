// The soak's invariants: what must hold after every simulated frame, and what
// must hold each time a round has handed back to the front end.
//
// Each check reads only program-wide state and the objects' public accessors,
// so a broken slot pointer, a pool that overflows, a timer that runs out of its
// range or a bitmap that outlives its round shows up at the frame it happens,
// with the seed that replays it. The sanitizer build turns a stale pointer
// read here into an immediate report.
#pragma once

#include <string>
#include <vector>

class SoakChecker {
public:
    // Remembers the graphic library's entries with only the ship alive.
    void rememberShipEntries();
    // A round has just been started from the title.
    void roundStarted();
    bool checkFrame();
    // The round is over and the front end has taken over again.
    bool checkRoundOver(long live_allocations);

    const std::string& failure() const { return problem; }

    int mostEnemies() const { return most_enemies; }
    int mostGems() const { return most_gems; }
    int mostLasers() const { return most_lasers; }
    long kindCount(char kind) const;
    long endsByDeath() const { return deaths; }
    long endsByTime() const { return time_ups; }

private:
    bool fail(const std::string& what);
    bool checkShell();
    bool checkRoundCounters();
    bool checkEnemies();
    bool checkEnemy(int slot);
    bool checkGems();
    bool checkShip();
    bool checkEnding();
    bool checkClock();
    bool checkScoreTables();
    bool libraryMatchesShipEntries();

    std::string problem;
    std::vector<std::string> ship_names;
    std::vector<int> ship_counts;
    long allocation_baseline = -1;

    int last_score = 0;
    int end_x = 0, end_y = 0;
    int last_end_counter = -1;
    int last_seconds = 0;
    bool last_paused = false;
    void* last_slots[35] = {};

    int most_enemies = 0, most_gems = 0, most_lasers = 0;
    long kinds_seen[5] = {};
    long deaths = 0, time_ups = 0;
};
