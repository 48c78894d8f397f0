#include "bench/allocation_counter.h"

#include <cxxabi.h>
#include <execinfo.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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
bool tracing = false;
bool inside_trace = false;
int trace_count = 0;
void* traces[AllocationCounter::MAX_TRACES][AllocationCounter::TRACE_DEPTH];
int trace_depths[AllocationCounter::MAX_TRACES];

void* allocateForCpp(size_t size) {
    AllocationCounter::noteCppAllocation();
    void* block = __libc_malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    return block;
}

// A frame without an exported name ("module(+0x12) [0x...]", a function with
// internal linkage) is named by addr2line from the module's symbol table.
std::string nameFromSymbolTable(std::string module, const std::string& offset) {
    // The executable appears under the name it was started by, which no longer
    // holds once the benchmark has changed to the run folder.
    if (module.empty() || module[0] != '/') {
        char path[4096];
        ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
        if (length <= 0) return "";
        module.assign(path, length);
    }
    std::string command = "addr2line -f -C -e '" + module + "' " + offset + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "";
    char line[512] = "";
    bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    pclose(pipe);
    std::string name = read ? line : "";
    if (!name.empty() && name.back() == '\n') name.pop_back();
    return name == "??" ? "" : name;
}

// "module(mangled+0x12) [0x...]" -> the demangled function name, or the raw text.
std::string readableFrame(const char* symbol) {
    const char* open = std::strchr(symbol, '(');
    const char* plus = open ? std::strchr(open, '+') : nullptr;
    if (open && plus == open + 1) {
        const char* close = std::strchr(plus, ')');
        std::string found = close ? nameFromSymbolTable(std::string(symbol, open), std::string(plus + 1, close)) : "";
        return found.empty() ? symbol : found;
    }
    if (!open || !plus) return symbol;
    std::string mangled(open + 1, plus);
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled.c_str(), nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : mangled;
    std::free(demangled);
    return name;
}

bool isAllocatorFrame(const std::string& name) {
    return name.find("AllocationCounter") != std::string::npos || name.find("operator new") != std::string::npos ||
           name.find("allocateForCpp") != std::string::npos || name.rfind("std::", 0) == 0 ||
           name.rfind("void std::", 0) == 0 || name.find("__cxx11::basic_string") != std::string::npos ||
           name.find("libstdc++") != std::string::npos;
}

std::string frameName(int trace, int frame) {
    char** symbols = backtrace_symbols(&traces[trace][frame], 1);
    std::string name = symbols ? readableFrame(symbols[0]) : "?";
    std::free(symbols);
    return name;
}
}  // namespace

long AllocationCounter::cppAllocations() { return cpp_allocations; }
long AllocationCounter::cAllocations() { return c_allocations; }

void AllocationCounter::startTracing() {
    // The first backtrace loads the unwinder; do that before anything is traced.
    void* warm_up[2];
    backtrace(warm_up, 2);
    trace_count = 0;
    tracing = true;
}

void AllocationCounter::stopTracing() { tracing = false; }
int AllocationCounter::traceCount() { return trace_count; }

void AllocationCounter::discardTracesFrom(int n) {
    if (n >= 0 && n < trace_count) trace_count = n;
}

void AllocationCounter::printTrace(int i) {
    for (int f = 0; f < trace_depths[i]; ++f) {
        std::string name = frameName(i, f);
        if (f < 2 && isAllocatorFrame(name)) continue;
        std::printf("      %s\n", name.c_str());
    }
}

std::string AllocationCounter::callerOf(int i) {
    for (int f = 0; f < trace_depths[i]; ++f) {
        std::string name = frameName(i, f);
        if (!isAllocatorFrame(name)) return name;
    }
    return "?";
}

void AllocationCounter::noteCppAllocation() {
    cpp_allocations += 1;
    if (!tracing || inside_trace || trace_count >= MAX_TRACES) return;
    inside_trace = true;
    trace_depths[trace_count] = backtrace(traces[trace_count], TRACE_DEPTH);
    trace_count += 1;
    inside_trace = false;
}

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

// Allocations made while a stack is being recorded belong to the unwinder.
extern "C" {
void* malloc(size_t size) {
    if (!inside_trace) AllocationCounter::noteCAllocation();
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    if (!inside_trace) AllocationCounter::noteCAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size) {
    if (!inside_trace) AllocationCounter::noteCAllocation();
    return __libc_realloc(block, size);
}
void free(void* block) { __libc_free(block); }
}
