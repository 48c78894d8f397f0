#include "bench/play_allocation_audit.h"

#include "bench/allocation_counter.h"

void PlayAllocationAudit::beforeFrame() {
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) enemiesBefore[i] = enemy_slots[i];
    tracesBefore = AllocationCounter::traceCount();
}

// Slots emptied at the end of a frame are null at the next snapshot, so a
// spawned enemy always shows as a changed pointer. A gem can be removed and
// another dropped into the same slot within one frame, possibly at the same
// address; the drop is recognised by its age, which starts at 0 and is first
// advanced in the next frame's gem step.
bool PlayAllocationAudit::frameCreatedObjects() const {
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) {
        if (enemy_slots[i] && enemy_slots[i] != enemiesBefore[i]) return true;
    }
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) {
        if (gem_slots[i] && gem_ages[i] == 0) return true;
    }
    return false;
}

void PlayAllocationAudit::afterFrame(long cppAllocations) {
    if (frameCreatedObjects()) {
        spawnFrameCount += 1;
        spawnAllocationCount += cppAllocations;
        AllocationCounter::discardTracesFrom(tracesBefore);
        return;
    }
    if (cppAllocations == 0) return;
    violationFrameCount += 1;
    violationCount += cppAllocations;
}
