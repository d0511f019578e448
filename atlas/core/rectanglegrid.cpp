#include "rectanglegrid.h"

#include <algorithm>
#include <utility>

namespace {

const std::uint32_t finestShift = 6;
const std::uint32_t shiftStep = 2;
const std::uint64_t mostCellsPerRectangle = 16;
const std::uint64_t mostCellsPerGrid = std::uint64_t{1} << 16;
// Two rectangles that overlap do so from a point before 2^32 on both axes,
// so no cell lies beyond.
const std::uint64_t coordinateEnd = std::uint64_t{1} << 32;

std::uint32_t shiftOf(std::size_t grid) { return finestShift + shiftStep * static_cast<std::uint32_t>(grid); }

// The smallest power of two at least `length`, and at least one cell.
std::uint64_t roundedUp(std::uint64_t length) {
    std::uint64_t rounded = std::uint64_t{1} << finestShift;
    while (rounded < length) {
        rounded *= 2;
    }
    return rounded;
}

}  // namespace

RectangleGrid::CellRange RectangleGrid::cellsOf(const AtlasRect& rect, std::size_t grid) const {
    const std::uint32_t shift = shiftOf(grid);
    const std::uint64_t right = std::min(std::max(rightEnd(rect), std::uint64_t{rect.x} + 1), coordinateEnd) - 1;
    const std::uint64_t bottom = std::min(std::max(bottomEnd(rect), std::uint64_t{rect.y} + 1), coordinateEnd) - 1;
    const Grid& g = grids_[grid];
    return CellRange{rect.x >> shift, std::min(right >> shift, g.columns - 1), rect.y >> shift,
                     std::min(bottom >> shift, g.rows - 1)};
}

// The coarsest grid is always used.
std::size_t RectangleGrid::gridOf(const AtlasRect& rect) const {
    std::size_t grid = 0;
    while (grid + 1 < grids && (grids_[grid].columns == 0 || cellsOf(rect, grid).count() > mostCellsPerRectangle)) {
        ++grid;
    }
    return grid;
}

RectangleGrid::Cell& RectangleGrid::cellAt(std::size_t grid, std::uint64_t column, std::uint64_t row) {
    return grids_[grid].cells[row * grids_[grid].columns + column];
}

void RectangleGrid::makeGrids(std::uint64_t width, std::uint64_t height, const std::vector<AtlasRect>& slots,
                              std::uint64_t& tests) {
    std::array<Grid, grids> made;
    for (std::size_t grid = 0; grid < grids; ++grid) {
        const std::uint32_t shift = shiftOf(grid);
        const std::uint64_t columns = std::max<std::uint64_t>(width >> shift, 1);
        const std::uint64_t rows = std::max<std::uint64_t>(height >> shift, 1);
        if (columns * rows <= mostCellsPerGrid || grid + 1 == grids) {
            made[grid].columns = columns;
            made[grid].rows = rows;
            made[grid].cells.resize(columns * rows);
        }
    }
    grids_.swap(made);
    width_ = width;
    height_ = height;
    cellBytes_ = 0;
    for (const Grid& grid : grids_) {
        cellBytes_ += grid.cells.capacity() * sizeof(Cell);
    }
    entryBytes_ = 0;
    for (std::uint32_t slot = 0; slot < slots.size(); ++slot) {
        if (slots[slot].width != 0 && slots[slot].height != 0) {
            list(slot, slots[slot], tests);
        }
    }
}

void RectangleGrid::insert(std::uint32_t slot, const std::vector<AtlasRect>& slots, std::uint64_t& tests) {
    const AtlasRect& rect = slots[slot];
    const std::uint64_t right = std::min(rightEnd(rect), coordinateEnd);
    const std::uint64_t bottom = std::min(bottomEnd(rect), coordinateEnd);
    if (right > width_ || bottom > height_) {
        // All slots are listed anew, this one included.
        makeGrids(roundedUp(std::max(right, width_)), roundedUp(std::max(bottom, height_)), slots, tests);
        return;
    }
    list(slot, rect, tests);
}

// Visits the cells of the rectangle's own grid, the ones that list it, and
// keeps the grid's count of entries.
template <class Visit>
void RectangleGrid::forEachListingCell(const AtlasRect& rect, int change, std::uint64_t& tests, Visit visit) {
    const std::size_t grid = gridOf(rect);
    const CellRange range = cellsOf(rect, grid);
    tests += range.count();
    for (std::uint64_t row = range.firstRow; row <= range.lastRow; ++row) {
        for (std::uint64_t column = range.firstColumn; column <= range.lastColumn; ++column) {
            visit(cellAt(grid, column, row));
        }
    }
    grids_[grid].listed += change * static_cast<std::ptrdiff_t>(range.count());
}

void RectangleGrid::list(std::uint32_t slot, const AtlasRect& rect, std::uint64_t& tests) {
    forEachListingCell(rect, +1, tests, [&](Cell& cell) {
        const std::size_t capacity = cell.rects.capacity();
        cell.rects.push_back(rect);
        cell.slots.push_back(slot);
        entryBytes_ += (cell.rects.capacity() - capacity) * (sizeof(AtlasRect) + sizeof(std::uint32_t));
    });
}

void RectangleGrid::erase(std::uint32_t slot, const AtlasRect& rect, std::uint64_t& tests) {
    forEachListingCell(rect, -1, tests, [&](Cell& cell) {
        // A scan of the whole cell without a branch on each entry: where the
        // slot lies in a cell is random, and a mispredicted exit costs more
        // than the rest of a short scan.
        std::size_t index = 0;
        for (std::size_t i = 0; i < cell.slots.size(); ++i) {
            index = cell.slots[i] == slot ? i : index;
        }
        cell.rects[index] = cell.rects.back();
        cell.rects.pop_back();
        cell.slots[index] = cell.slots.back();
        cell.slots.pop_back();
    });
}

void RectangleGrid::reserveListings(const std::vector<AtlasRect>& rects) {
    std::vector<Cell*> listings;
    for (const AtlasRect& rect : rects) {
        const std::size_t grid = gridOf(rect);
        const CellRange range = cellsOf(rect, grid);
        for (std::uint64_t row = range.firstRow; row <= range.lastRow; ++row) {
            for (std::uint64_t column = range.firstColumn; column <= range.lastColumn; ++column) {
                listings.push_back(&cellAt(grid, column, row));
            }
        }
    }
    std::sort(listings.begin(), listings.end());
    for (std::size_t first = 0; first < listings.size();) {
        std::size_t end = first;
        while (end < listings.size() && listings[end] == listings[first]) {
            ++end;
        }
        Cell& cell = *listings[first];
        const std::size_t capacity = cell.rects.capacity();
        cell.rects.reserve(cell.rects.size() + (end - first));
        cell.slots.reserve(cell.slots.size() + (end - first));
        entryBytes_ += (cell.rects.capacity() - capacity) * (sizeof(AtlasRect) + sizeof(std::uint32_t));
        first = end;
    }
}

// A rectangle that contains `rect` overlaps at least as many cells of every
// grid, so it is listed in `rect`'s grid or a coarser one, in the cell of
// `rect`'s corner. Nothing beyond the grids contains anything.
bool RectangleGrid::anyContains(const AtlasRect& rect, std::uint64_t& tests) const {
    if (rect.x >= width_ || rect.y >= height_) {
        return false;
    }
    for (std::size_t grid = gridOf(rect); grid < grids; ++grid) {
        const Grid& g = grids_[grid];
        if (g.listed == 0) {
            continue;
        }
        const std::uint32_t shift = shiftOf(grid);
        const std::vector<AtlasRect>& rects = g.cells[(rect.y >> shift) * g.columns + (rect.x >> shift)].rects;
        tests += 1 + rects.size();
        for (const AtlasRect& listed : rects) {
            if (containsRect(listed, rect)) {
                return true;
            }
        }
    }
    return false;
}

// Two rectangles that overlap are both in the cell of the top-left corner of
// their overlap. That corner lies in `rect`, or is `rect`'s corner when
// `rect` is empty but still counts as overlapping a rectangle it cuts.
void RectangleGrid::collectOverlapping(const AtlasRect& rect, std::vector<std::uint32_t>& found,
                                       std::uint64_t& tests) const {
    if (rect.x >= width_ || rect.y >= height_) {
        return;
    }
    for (std::size_t grid = 0; grid < grids; ++grid) {
        const Grid& g = grids_[grid];
        if (g.listed == 0) {
            continue;
        }
        const CellRange range = cellsOf(rect, grid);
        tests += range.count();
        for (std::uint64_t row = range.firstRow; row <= range.lastRow; ++row) {
            for (std::uint64_t column = range.firstColumn; column <= range.lastColumn; ++column) {
                const Cell& cell = g.cells[row * g.columns + column];
                tests += cell.rects.size();
                // Every slot is written and only those that overlap are
                // kept, with no branch to mispredict.
                std::size_t kept = found.size();
                found.resize(kept + cell.rects.size());
                for (std::size_t i = 0; i < cell.rects.size(); ++i) {
                    found[kept] = cell.slots[i];
                    kept += rectsOverlap(cell.rects[i], rect) ? 1 : 0;
                }
                found.resize(kept);
            }
        }
    }
}

void RectangleGrid::swap(RectangleGrid& other) noexcept {
    grids_.swap(other.grids_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    std::swap(cellBytes_, other.cellBytes_);
    std::swap(entryBytes_, other.entryBytes_);
}
