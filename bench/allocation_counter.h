// AllocationCounter: counts heap allocations made by the benchmark process.
//
// The benchmark replaces the global operator new and interposes the C heap
// (malloc, calloc, realloc) so that every allocation, whether it comes from our
// own classes, the standard library or Allegro's create_bitmap, is counted.
// The two are kept apart: C++ allocations show our own code, C allocations the
// temporary bitmaps Allegro makes. The counters are plain words: the benchmark
// runs Allegro without its timer thread, so only the main thread allocates.
// (Whether a play frame may allocate at all is the soak's check.)
#pragma once

class AllocationCounter {
public:
    static long cppAllocations();  // operator new and new[]
    static long cAllocations();    // malloc, calloc and realloc from anywhere else

    // Called by the replaced allocators; not for other use.
    static void noteCppAllocation();
    static void noteCAllocation();
};
