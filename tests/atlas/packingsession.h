// A random editing session on a free-space map, as the editor drives it:
// cells placed with the atlas growing when they do not fit, cells freed,
// entries replaced, cells of an opened index occupied. Two sessions with the
// same seed on maps that behave alike make the same calls; the tests run the
// indexed map against the plain one this way, and the benchmarks time both.
#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "atlasgrowth.h"
#include "atlasrect.h"

struct SessionMix {
    std::uint32_t removePercent = 10;  // free a placed cell
    std::uint32_t replacePercent = 0;  // place a new cell, then free an old one
    std::uint32_t occupyPercent = 0;   // occupy a random rectangle inside the atlas
    std::uint32_t largePercent = 0;    // cells up to 300 px, which grow the atlas more than once
    std::uint32_t smallest = 4;        // the other cells' sides
    std::uint32_t largest = 64;
    std::uint32_t hugePercent = 0;  // cells up to `hugest` px, which take the atlas to its size limit
    std::uint32_t hugest = 9000;
    // Growth steps without the size limit, as the atlas grew before it had one.
    bool unlimitedSteps = false;
};

template <class Map>
class PackingSession {
public:
    PackingSession(std::uint32_t seed, std::uint32_t side, SessionMix mix)
        : width(side), height(side), mix_(mix), random_(seed) {
        map.addFree(0, 0, width, height);
    }

    // One random operation. Returns the cell it placed, or a 0 x 0 one.
    AtlasRect step() {
        const std::uint32_t roll = below(100);
        if (roll < mix_.removePercent && !cells.empty()) {
            freeCell(takeCell());
            return AtlasRect{};
        }
        if (roll < mix_.removePercent + mix_.occupyPercent) {
            const AtlasRect area{below(width), below(height), 1 + below(64), 1 + below(64)};
            map.occupy(area.x, area.y, area.width, area.height);
            return AtlasRect{};
        }
        const bool replaces = roll < mix_.removePercent + mix_.occupyPercent + mix_.replacePercent && !cells.empty();
        const AtlasRect cell = placeCell();
        if (cell.width == 0) {
            return cell;
        }
        if (replaces) {
            freeCell(takeCell());
        }
        cells.push_back(cell);
        return cell;
    }

    Map map;
    std::vector<AtlasRect> cells;  // placed and not freed
    std::uint32_t width;
    std::uint32_t height;

private:
    std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>(random_() % bound); }

    // The cell placed, or a 0 x 0 one when no atlas within the limits holds it.
    AtlasRect placeCell() {
        const std::uint32_t size = below(100);
        const bool huge = size < mix_.hugePercent;
        const bool large = size < mix_.hugePercent + mix_.largePercent;
        const std::uint32_t spread = (huge ? mix_.hugest : large ? 300 : mix_.largest) - mix_.smallest + 1;
        AtlasRect cell{0, 0, mix_.smallest + below(spread), mix_.smallest + below(spread)};
        if (mix_.unlimitedSteps) {
            while (!map.place(cell)) {
                growFreeSpace(map, width, height);
            }
            return cell;
        }
        return placeGrowing(map, cell, width, height, [](std::uint32_t, std::uint32_t) {}) ? cell : AtlasRect{};
    }

    AtlasRect takeCell() {
        const std::size_t k = below(static_cast<std::uint32_t>(cells.size()));
        const AtlasRect cell = cells[k];
        cells[k] = cells.back();
        cells.pop_back();
        return cell;
    }

    void freeCell(const AtlasRect& cell) { map.addFree(cell.x, cell.y, cell.width, cell.height); }

    SessionMix mix_;
    std::mt19937 random_;
};
