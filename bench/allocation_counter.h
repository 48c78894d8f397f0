// AllocationCounter: counts heap allocations made by the benchmark process.
//
// The benchmark replaces the global operator new and interposes the C heap
// (malloc, calloc, realloc) so that every allocation, whether it comes from our
// own classes, the standard library or Allegro's create_bitmap, is counted.
// The two are kept apart: C++ allocations during a steady play frame are a fault
// in our code, while C allocations show the temporary bitmaps Allegro makes.
// The counters are plain words: the benchmark runs Allegro without its timer
// thread, so only the main thread allocates while they are read.
//
// While tracing is on, the call stack of each C++ allocation is kept (up to a
// small fixed number) so a report can name the code that allocated.
#pragma once

#include <string>

class AllocationCounter {
public:
    static const int MAX_TRACES = 64;
    static const int TRACE_DEPTH = 12;

    static long cppAllocations();  // operator new and new[]
    static long cAllocations();    // malloc, calloc and realloc from anywhere else

    // Tracing keeps the stacks of the next C++ allocations; stopTracing ends it.
    static void startTracing();
    static void stopTracing();
    static int traceCount();
    // Forgets the traces from number n on (allocations that were allowed).
    static void discardTracesFrom(int n);
    // Writes the stack of trace i, demangled, one frame a line, skipping the
    // allocator's own frames.
    static void printTrace(int i);
    // The first frame of trace i that lies outside the allocator and the
    // standard library: the code that asked for the memory.
    static std::string callerOf(int i);

    // Called by the replaced allocators; not for other use.
    static void noteCppAllocation();
    static void noteCAllocation();
};
