// Memory kept back so that a command which has changed the document can
// always finish showing the change.
//
// A command first prepares what it needs, then changes the document in one
// step that either succeeds or leaves it as it was, then brings the list,
// preview and status up to date. Running out of memory before the change
// cancels the command: nothing has changed and the user is told. From the
// change on (a Spending scope), an allocation that fails is given this
// reserve instead (the C++ new-handler frees it and the allocation is tried
// again), so that the window does not fall behind the document.
#pragma once

#include <cstddef>
#include <new>

class MemoryReserve {
public:
    // Sets the block aside and installs the new-handler; one reserve at a time.
    explicit MemoryReserve(std::size_t bytes);
    ~MemoryReserve();
    MemoryReserve(const MemoryReserve&) = delete;
    MemoryReserve& operator=(const MemoryReserve&) = delete;

    // Sets the block aside again if it was spent (and memory allows), and
    // starts the next command: changeBegun() is false again.
    void replenish() noexcept;
    bool isHeld() const { return block_ != nullptr; }

    // Whether a Spending scope has begun since the last replenish(): the
    // running command has changed the document.
    static bool changeBegun() { return changeBegun_; }

    // While one is alive, a failed allocation spends the reserve of the
    // running program, if there is one and it is still held.
    class Spending {
    public:
        Spending() {
            ++spendingScopes_;
            changeBegun_ = true;
        }
        ~Spending() { --spendingScopes_; }
        Spending(const Spending&) = delete;
        Spending& operator=(const Spending&) = delete;
    };

private:
    static void onAllocationFailure();

    static MemoryReserve* current_;
    static int spendingScopes_;
    static bool changeBegun_;

    std::size_t bytes_;
    void* block_ = nullptr;
    std::new_handler previousHandler_ = nullptr;
};
