#include "freespacelog.h"

#include <algorithm>
#include <new>

#include "freespacemap.h"

void FreeSpaceLog::note(const SlotChange& change) noexcept {
    if (budget_ == nullptr || budget_->exceeded()) {
        return;
    }
    // The budget pays for the capacity, not only for the changes in it.
    if (changes_.size() == changes_.capacity()) {
        const std::size_t grown = std::max<std::size_t>(16, 2 * changes_.capacity());
        if (!budget_->take((grown - changes_.capacity()) * sizeof(SlotChange))) {
            drop();
            return;
        }
        try {
            changes_.reserve(grown);
        } catch (const std::bad_alloc&) {
            budget_->exceed();
            drop();
            return;
        }
    }
    changes_.push_back(change);
}

void FreeSpaceLog::drop() noexcept {
    std::vector<SlotChange>().swap(changes_);
    budget_ = nullptr;
}

// The replay only shrinks, overwrites and appends within reserved capacity:
// the slot list, the stack, the grid cells that get a rectangle back and
// the tree's list of changed runs are made large enough here. The grids
// never need to grow: every rectangle put back was in this map before, and
// the area the grids cover only grows.
void FreeSpaceMap::prepareReplay(const FreeSpaceLog& log, Replay direction) {
    std::size_t appended = 0;
    std::size_t pushed = 0;
    std::vector<AtlasRect> listed;
    for (const SlotChange& change : log.changes()) {
        if (direction == Replay::Undo) {
            pushed += change.kind == SlotChange::Reused ? 1 : 0;
            if (change.kind == SlotChange::Vacated) {
                listed.push_back(change.before);
            }
        } else {
            pushed += change.kind == SlotChange::Vacated ? 1 : 0;
            appended += change.kind == SlotChange::Appended ? 1 : 0;
            if (change.kind != SlotChange::Vacated) {
                listed.push_back(change.after);
            }
        }
    }
    freeRects_.reserve(freeRects_.size() + appended);
    vacantSlots_.reserve(vacantSlots_.size() + pushed);
    positions_.reserveListings(listed);
    sizes_.reserveTouches();
}

void FreeSpaceMap::replay(const FreeSpaceLog& log, Replay direction) noexcept {
    const std::vector<SlotChange>& changes = log.changes();
    if (direction == Replay::Undo) {
        std::for_each(changes.rbegin(), changes.rend(), [this](const SlotChange& change) { undo(change); });
    } else {
        std::for_each(changes.begin(), changes.end(), [this](const SlotChange& change) { redo(change); });
    }
}

void FreeSpaceMap::undo(const SlotChange& change) noexcept {
    std::uint64_t tests = 0;
    switch (change.kind) {
    case SlotChange::Vacated:
        vacantSlots_.pop_back();
        freeRects_[change.slot] = change.before;
        positions_.insert(change.slot, freeRects_, tests);
        break;
    case SlotChange::Reused:
        positions_.erase(change.slot, change.after, tests);
        freeRects_[change.slot] = change.before;
        vacantSlots_.push_back(change.slot);
        break;
    case SlotChange::Appended:
        positions_.erase(change.slot, change.after, tests);
        freeRects_.pop_back();
        break;
    }
    sizes_.touch(change.slot);
}

void FreeSpaceMap::redo(const SlotChange& change) noexcept {
    std::uint64_t tests = 0;
    switch (change.kind) {
    case SlotChange::Vacated:
        vacantSlots_.push_back(change.slot);
        positions_.erase(change.slot, change.before, tests);
        freeRects_[change.slot].width = 0;
        freeRects_[change.slot].height = 0;
        break;
    case SlotChange::Reused:
        vacantSlots_.pop_back();
        freeRects_[change.slot] = change.after;
        positions_.insert(change.slot, freeRects_, tests);
        break;
    case SlotChange::Appended:
        freeRects_.push_back(change.after);
        positions_.insert(change.slot, freeRects_, tests);
        break;
    }
    sizes_.touch(change.slot);
}
