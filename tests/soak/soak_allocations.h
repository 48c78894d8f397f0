// Counts the blocks handed out by operator new and not yet given back, so the
// soak can tell that a finished round leaves the heap as it found it.
#pragma once

long liveAllocations();
