#include "memoryreserve.h"

#include <cstdlib>

MemoryReserve* MemoryReserve::current_ = nullptr;
int MemoryReserve::spendingScopes_ = 0;
bool MemoryReserve::changeBegun_ = false;

MemoryReserve::MemoryReserve(std::size_t bytes) : bytes_(bytes) {
    replenish();
    current_ = this;
    previousHandler_ = std::set_new_handler(onAllocationFailure);
}

MemoryReserve::~MemoryReserve() {
    std::set_new_handler(previousHandler_);
    current_ = nullptr;
    std::free(block_);
}

void MemoryReserve::replenish() noexcept {
    changeBegun_ = false;
    if (block_ == nullptr && bytes_ != 0) {
        // Taken from the C library, not from operator new, so that setting it
        // aside never calls the handler itself.
        block_ = std::malloc(bytes_);
    }
}

// The handler either makes memory available and returns, for operator new to
// try again, or throws std::bad_alloc, as the language requires of it.
void MemoryReserve::onAllocationFailure() {
    MemoryReserve* reserve = current_;
    if (spendingScopes_ > 0 && reserve != nullptr && reserve->block_ != nullptr) {
        std::free(reserve->block_);
        reserve->block_ = nullptr;
        return;
    }
    throw std::bad_alloc();
}
