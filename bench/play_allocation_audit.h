// PlayAllocationAudit: which play frames allocate, and whether they may.
//
// During play only a spawned enemy or a dropped gem may allocate (and their
// deletion free). The audit looks at the enemy and gem slots around each frame:
// a frame that put a new enemy or gem into a slot is a spawn frame and may
// allocate; any C++ allocation in another frame is a violation, and while
// tracing its call stack is kept for the report.
#pragma once

#include "play/round_state.h"

class PlayAllocationAudit {
public:
    void beforeFrame();
    void afterFrame(long cppAllocations);

    long spawnFrames() const { return spawnFrameCount; }
    long spawnAllocations() const { return spawnAllocationCount; }
    long violationFrames() const { return violationFrameCount; }
    long violations() const { return violationCount; }

private:
    bool frameCreatedObjects() const;

    const Enemy* enemiesBefore[ENEMY_SLOT_COUNT] = {};
    int tracesBefore = 0;
    long spawnFrameCount = 0;
    long spawnAllocationCount = 0;
    long violationFrameCount = 0;
    long violationCount = 0;
};
