// The changes a free-space map made to its slots and its stack of vacant
// slots, one by one, so that a step of the history can take them back and
// make them again exactly, without a copy of the whole map.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "atlasrect.h"
#include "stepbudget.h"

enum class Replay { Undo, Redo };

// Each change also says what it did to the stack: a reused slot came off its
// top, a vacated one went on it.
struct SlotChange {
    enum Kind : std::uint8_t {
        Vacated,   // the slot's rectangle became 0 x 0 (x and y kept)
        Reused,    // the slot at the top of the stack took a rectangle
        Appended,  // the list grew by the slot
    };
    Kind kind;
    std::uint32_t slot;
    AtlasRect before;
    AtlasRect after;
};

class FreeSpaceLog {
public:
    // Changes are noted against `budget`; once it refuses, the log drops
    // them all and notes no more.
    void startRecording(StepBudget* budget) { budget_ = budget; }
    void stopRecording() { budget_ = nullptr; }
    void note(const SlotChange& change) noexcept;

    const std::vector<SlotChange>& changes() const { return changes_; }

private:
    void drop() noexcept;

    std::vector<SlotChange> changes_;
    StepBudget* budget_ = nullptr;
};

inline void noteChange(FreeSpaceLog* log, const SlotChange& change) noexcept {
    if (log != nullptr) {
        log->note(change);
    }
}
