// Each game mode keeps its own score table: a two-minute score must never land
// in the marathon table or be saved to another mode's file.
#include <gtest/gtest.h>

#include "core/game_types.h"
#include "core/program.h"
#include "scores/score_table.h"

namespace {

TEST(ShellProgram, EachModeReachesItsOwnScoreTable) {
    EXPECT_EQ(&scoreTableFor(Marathon), &marathon_table);
    EXPECT_EQ(&scoreTableFor(TwoMinute), &two_minute_table);
    EXPECT_EQ(&scoreTableFor(FiveMinute), &five_minute_table);
}

}  // namespace
