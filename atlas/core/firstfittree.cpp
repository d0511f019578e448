#include "firstfittree.h"

#include <algorithm>
#include <cstring>

// The ladder is 1, then 2^k and 3 * 2^(k - 1) in turn: step 2k - 1 is 2^k and
// step 2k is 3 * 2^(k - 1). The last step also stands for all wider ones.
std::size_t FirstFitTree::stepBelow(std::uint32_t width) {
    std::size_t bits = 0;
    while (bits < 31 && (width >> (bits + 1)) != 0) {
        ++bits;
    }
    if (bits == 0) {
        return 0;
    }
    const std::size_t step = 2 * bits - 1 + ((width >> (bits - 1)) & 1);
    return std::min(step, ladderSteps - 1);
}

FirstFitTree::Heights FirstFitTree::joined(const Heights& first, const Heights& second) {
    Heights heights;
    for (std::size_t step = 0; step < ladderSteps; ++step) {
        heights.atLeast[step] = std::max(first.atLeast[step], second.atLeast[step]);
    }
    return heights;
}

FirstFitTree::Heights FirstFitTree::heightsOfRun(std::size_t run, const std::vector<AtlasRect>& slots) const {
    Heights heights;
    const std::size_t end = std::min(slots.size(), (run + 1) * slotsPerRun);
    for (std::size_t slot = run * slotsPerRun; slot < end; ++slot) {
        if (slots[slot].width == 0) {
            continue;
        }
        const std::size_t widest = stepBelow(slots[slot].width);
        for (std::size_t step = 0; step <= widest; ++step) {
            heights.atLeast[step] = std::max(heights.atLeast[step], slots[slot].height);
        }
    }
    return heights;
}

void FirstFitTree::touch(std::size_t slot) {
    const std::size_t run = slot / slotsPerRun;
    if (run < runs_ && !runChanged_[run]) {
        runChanged_[run] = 1;
        changedRuns_.push_back(run);
    }
}

// Runs beyond the tree's room are not noted one by one: the tree is then
// built afresh, twice as large, which costs no more than the appends did.
void FirstFitTree::catchUp(const std::vector<AtlasRect>& slots) {
    if (slots.size() > runs_ * slotsPerRun) {
        rebuild(slots);
        return;
    }
    for (const std::size_t run : changedRuns_) {
        runChanged_[run] = 0;
        std::size_t node = runs_ + run;
        nodes_[node] = heightsOfRun(run, slots);
        for (node /= 2; node > 0; node /= 2) {
            const Heights heights = joined(nodes_[2 * node], nodes_[2 * node + 1]);
            if (std::memcmp(&heights, &nodes_[node], sizeof heights) == 0) {
                break;
            }
            nodes_[node] = heights;
        }
    }
    changedRuns_.clear();
}

void FirstFitTree::rebuild(const std::vector<AtlasRect>& slots) {
    std::size_t runs = std::max<std::size_t>(runs_, 16);
    while (runs * slotsPerRun < slots.size()) {
        runs *= 2;
    }
    std::vector<Heights> nodes(2 * runs);
    std::vector<unsigned char> runChanged(runs, 0);
    for (std::size_t run = 0; run * slotsPerRun < slots.size(); ++run) {
        nodes[runs + run] = heightsOfRun(run, slots);
    }
    for (std::size_t node = runs - 1; node > 0; --node) {
        nodes[node] = joined(nodes[2 * node], nodes[2 * node + 1]);
    }
    nodes_.swap(nodes);
    runChanged_.swap(runChanged);
    changedRuns_.clear();
    runs_ = runs;
}

std::size_t FirstFitTree::firstFit(std::uint32_t width, std::uint32_t height, const std::vector<AtlasRect>& slots,
                                   std::uint64_t& visited) {
    catchUp(slots);
    if (runs_ == 0) {
        return none;
    }
    const std::size_t step = stepBelow(width);
    // Depth first, left before right, without a stack: after a node that
    // cannot hold the size, go on with the next node to its right.
    std::size_t node = 1;
    for (;;) {
        ++visited;
        bool descend = nodes_[node].atLeast[step] >= height;
        if (descend && node >= runs_) {
            const std::size_t first = (node - runs_) * slotsPerRun;
            for (std::size_t slot = first; slot < first + slotsPerRun && slot < slots.size(); ++slot) {
                ++visited;
                if (slots[slot].width >= width && slots[slot].height >= height) {
                    return slot;
                }
            }
            descend = false;
        }
        if (descend) {
            node *= 2;
            continue;
        }
        while (node % 2 == 1) {
            node /= 2;
        }
        if (node == 0) {
            return none;
        }
        ++node;
    }
}
