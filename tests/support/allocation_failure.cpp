#include "allocation_failure.h"

#include <cstdlib>
#include <new>

namespace {

long allocationsToFailure = -1;
bool failed = false;

void* allocate(std::size_t size) {
    if (allocationsToFailure >= 0 && allocationsToFailure-- == 0) {
        failed = true;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) {
            throw std::bad_alloc();
        }
        handler();
    }
    for (;;) {
        if (void* block = std::malloc(size == 0 ? 1 : size)) {
            return block;
        }
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) {
            throw std::bad_alloc();
        }
        handler();
    }
}

}  // namespace

void FailAllocation(long index) {
    allocationsToFailure = index;
    if (index >= 0) {
        failed = false;
    }
}

bool AllocationFailed() { return failed; }

// Every form is replaced, so that each block is freed by the form that
// matches how it was made. Only the forms that throw fail on purpose: the
// others are the image library's, whose handling of memory is its own.
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size == 0 ? 1 : size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size == 0 ? 1 : size); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
