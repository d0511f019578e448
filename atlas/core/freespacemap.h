// The free areas of one atlas, and the first-fit rule that places new cells.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "atlasrect.h"
#include "firstfittree.h"
#include "freespacelog.h"
#include "rectanglegrid.h"

// How much a map may grow and work before it gives up. A map made from a
// file that was crafted to fragment free space stops at these instead of
// taking the machine's memory and the user's afternoon.
struct FreeSpaceLimits {
    std::size_t bytes = std::numeric_limits<std::size_t>::max();
    std::uint64_t steps = std::numeric_limits<std::uint64_t>::max();
};

// What a map holds and has done: the memory of all its parts, and the work
// of all its operations so far, counted in cells, tree nodes and rectangles
// looked at or changed.
struct FreeSpaceUsage {
    std::size_t bytes = 0;
    std::uint64_t steps = 0;
};

// Free space as a list of possibly overlapping maximal rectangles. Slots are
// never removed: a used-up slot becomes vacant (width and height 0) and is
// reused, last vacated first, before the list grows. Slot order decides where
// a cell goes, so copies keep it exactly.
//
// The list is what a plain scan of it would give, operation by operation; two
// indexes over it only find the answers faster: the first large enough slot
// in slot order, the slots that overlap a rectangle, and whether one
// contains it.
class FreeSpaceMap {
public:
    // Declares the rectangle free, unless one slot already contains it.
    void addFree(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height);

    // Declares the rectangle used: every free rectangle that overlaps it is
    // replaced by its parts outside it.
    void occupy(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height);

    // Puts the cell at the top-left corner of the first free rectangle that is
    // large enough and occupies it. False, with nothing changed, when none is.
    bool place(AtlasRect& cell);

    // From now on an operation that takes the map's usage beyond `limits`
    // throws std::length_error; the map must then be destroyed or assigned.
    // Without a call there are no limits.
    void limit(const FreeSpaceLimits& limits) { limits_ = limits; }
    FreeSpaceUsage usage() const;

    // Exchanges the contents without allocating, so a rollback cannot fail.
    // Each map keeps its own log.
    void swap(FreeSpaceMap& other) noexcept;

    // While a log is attached, every change of a slot or of the stack is
    // noted in it (freespacelog.h). A copy starts without one.
    void attachLog(FreeSpaceLog* log) { log_.attached = log; }
    // Allocates all that replaying `log` in that direction needs, so that
    // the replay itself cannot fail. Throws std::bad_alloc.
    void prepareReplay(const FreeSpaceLog& log, Replay direction);
    // Takes the logged changes back, last first, or makes them again, first
    // first. The map must be as the log left it, or as it found it, and
    // prepared for the replay.
    void replay(const FreeSpaceLog& log, Replay direction) noexcept;

    const std::vector<AtlasRect>& freeRects() const { return freeRects_; }
    // The slots that are not vacant: every vacant slot is on the stack once.
    std::size_t liveCount() const { return freeRects_.size() - vacantSlots_.size(); }
    const std::vector<std::uint32_t>& vacantSlots() const { return vacantSlots_; }

private:
    // Not part of the map's value: copying a map does not copy it.
    struct LogLink {
        LogLink() = default;
        LogLink(const LogLink&) {}
        LogLink& operator=(const LogLink&) { return *this; }
        FreeSpaceLog* attached = nullptr;
    };

    void store(const AtlasRect& rect);
    void vacate(std::uint32_t slot);
    void keepWithinLimits() const;
    void undo(const SlotChange& change) noexcept;
    void redo(const SlotChange& change) noexcept;

    std::vector<AtlasRect> freeRects_;
    std::vector<std::uint32_t> vacantSlots_;  // a stack: pushed and taken at the back
    FirstFitTree sizes_;                      // by slot: the first slot that fits
    RectangleGrid positions_;                 // live slots by position
    std::vector<std::uint32_t> overlapping_;  // occupy's working list
    FreeSpaceLimits limits_;
    std::uint64_t steps_ = 0;
    LogLink log_;
};
