#include "heaptestseam.h"

#include "stringtable.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace {

long g_allocationsBeforeFailure = -1;

bool AllocationShouldFail() {
    if (g_allocationsBeforeFailure < 0) {
        return false;
    }
    if (g_allocationsBeforeFailure == 0) {
        return true;
    }
    --g_allocationsBeforeFailure;
    return false;
}

#ifdef _WIN32

constexpr SIZE_T kPrivateHeapInitialSize = 0x8000;

HANDLE g_heap = nullptr;

void* SystemAllocate(std::size_t size) { return HeapAlloc(g_heap, 0, size); }

void* SystemReallocate(void* block, std::size_t size) { return HeapReAlloc(g_heap, 0, block, size); }

void SystemFree(void* block) { HeapFree(g_heap, 0, block); }

#else

// malloc may answer a request for 0 bytes with null, which would read as
// exhaustion; HeapAlloc hands out a valid block, so ask for at least one byte.
std::size_t AtLeastOne(std::size_t size) { return size == 0 ? 1 : size; }

void* SystemAllocate(std::size_t size) { return std::malloc(AtLeastOne(size)); }

void* SystemReallocate(void* block, std::size_t size) { return std::realloc(block, AtLeastOne(size)); }

void SystemFree(void* block) { std::free(block); }

#endif

}  // namespace

bool ObtainTableHeap() {
#ifdef _WIN32
    if (g_heap == nullptr) {
        g_heap = GetProcessHeap();
    }
    if (g_heap == nullptr) {
        g_heap = HeapCreate(0, kPrivateHeapInitialSize, 0);  // maximum 0: growable
    }
    return g_heap != nullptr;
#else
    return true;
#endif
}

void* TableHeapAllocate(std::size_t size) {
    if (!ObtainTableHeap() || AllocationShouldFail()) {
        return nullptr;
    }
    return SystemAllocate(size);
}

void* TableHeapReallocate(void* block, std::size_t size) {
    if (block == nullptr) {
        return TableHeapAllocate(size);
    }
    if (AllocationShouldFail()) {
        return nullptr;
    }
    return SystemReallocate(block, size);
}

void TableHeapFree(void* block) {
    if (block != nullptr) {
        SystemFree(block);
    }
}

void TableHeapFailAfter(long successfulAllocations) {
    g_allocationsBeforeFailure = successfulAllocations < 0 ? -1 : successfulAllocations;
}
