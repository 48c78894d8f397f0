#include "bench/allocation_counter.h"

#include <cstddef>
#include <new>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void __libc_free(void* block);
}

namespace {
long cpp_allocations = 0;
long c_allocations = 0;

void* allocateForCpp(size_t size) {
    AllocationCounter::noteCppAllocation();
    void* block = __libc_malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    return block;
}
}  // namespace

long AllocationCounter::cppAllocations() { return cpp_allocations; }
long AllocationCounter::cAllocations() { return c_allocations; }
void AllocationCounter::noteCppAllocation() { cpp_allocations += 1; }
void AllocationCounter::noteCAllocation() { c_allocations += 1; }

// ---- the replaced allocators ----

void* operator new(size_t size) { return allocateForCpp(size); }
void* operator new[](size_t size) { return allocateForCpp(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    AllocationCounter::noteCppAllocation();
    return __libc_malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    AllocationCounter::noteCppAllocation();
    return __libc_malloc(size ? size : 1);
}
void operator delete(void* block) noexcept { __libc_free(block); }
void operator delete[](void* block) noexcept { __libc_free(block); }
void operator delete(void* block, size_t) noexcept { __libc_free(block); }
void operator delete[](void* block, size_t) noexcept { __libc_free(block); }

extern "C" {
void* malloc(size_t size) {
    AllocationCounter::noteCAllocation();
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    AllocationCounter::noteCAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size) {
    AllocationCounter::noteCAllocation();
    return __libc_realloc(block, size);
}
void free(void* block) { __libc_free(block); }
}
