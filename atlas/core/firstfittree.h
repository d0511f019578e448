// The first slot, in slot order, whose rectangle is at least a given size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "atlasrect.h"

// A tree over runs of slots that keeps, for every range of runs and for
// each of a ladder of widths (1, 2, 3, 4, 6, 8, 12, ... 98304), the height
// of the highest slot in the range at least that wide. A search goes left to
// right and skips every range whose highest slot at least the ladder width
// just below the wanted width is still too low, so it finds the same slot as
// a scan from slot 0 while reading few of them. Slots of size 0 x 0 (vacant
// ones) never fit.
class FirstFitTree {
public:
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    // Notes that slot `slot` changed or was appended; the tree catches up
    // with all such slots at the next search, once per run of slots.
    void touch(std::size_t slot);
    // Makes room for every run to be touched without allocating.
    void reserveTouches() { changedRuns_.reserve(runs_); }

    // The first slot of `slots` with width >= `width` and height >= `height`
    // (both at least 1), or none. `visited` grows by the number of nodes and
    // slots looked at.
    std::size_t firstFit(std::uint32_t width, std::uint32_t height, const std::vector<AtlasRect>& slots,
                         std::uint64_t& visited);

    std::size_t bytes() const {
        return nodes_.capacity() * sizeof(Heights) + changedRuns_.capacity() * sizeof(std::size_t) +
               runChanged_.capacity();
    }

    void swap(FirstFitTree& other) noexcept {
        nodes_.swap(other.nodes_);
        changedRuns_.swap(other.changedRuns_);
        runChanged_.swap(other.runChanged_);
        std::swap(runs_, other.runs_);
    }

private:
    static constexpr std::size_t ladderSteps = 33;
    static constexpr std::size_t slotsPerRun = 8;

    // By ladder step: the height of the highest slot at least that wide.
    struct Heights {
        std::uint32_t atLeast[ladderSteps] = {};
    };

    static std::size_t stepBelow(std::uint32_t width);
    static Heights joined(const Heights& first, const Heights& second);
    Heights heightsOfRun(std::size_t run, const std::vector<AtlasRect>& slots) const;
    void catchUp(const std::vector<AtlasRect>& slots);
    void rebuild(const std::vector<AtlasRect>& slots);

    // Node 1 is the root, node n has the children 2n and 2n + 1, and run r
    // (slots 8r to 8r + 7) is the leaf runs_ + r.
    std::vector<Heights> nodes_;
    std::vector<std::size_t> changedRuns_;
    std::vector<unsigned char> runChanged_;  // by run, for the runs the tree has
    std::size_t runs_ = 0;
};
