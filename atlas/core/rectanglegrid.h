// The live rectangles of a free-space map by position, for the two questions
// its operations ask: does any rectangle contain this one, and which ones
// overlap it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "atlasrect.h"

// Grids of square cells over the area that the rectangles have reached, 64
// pixels on a side in the finest and four times as large in each coarser
// one. A rectangle is listed in every cell that it overlaps in the finest
// grid where those are at most 16, so it is found by looking at a point it
// covers in every grid from its own up: a rectangle that contains another
// overlaps as many cells as the other or more, and is listed in its grid or
// a coarser one. Thin strips stay in fine grids, where only questions near
// them see them. A grid is a plain array of cells row by row, so that the
// cells of one question lie close together; a grid that would have more
// than 2^16 cells is not used, which keeps the arrays small whatever the
// area.
class RectangleGrid {
public:
    // Keeps slot `slot` of `slots`, whose rectangle is not empty. The grids
    // are made anew from `slots` when the rectangle reaches beyond them.
    // `tests` grows by the number of cells changed, as for erase.
    void insert(std::uint32_t slot, const std::vector<AtlasRect>& slots, std::uint64_t& tests);
    // Forgets slot `slot`, kept with the rectangle `rect`. Never allocates.
    void erase(std::uint32_t slot, const AtlasRect& rect, std::uint64_t& tests);
    // Makes room for `rects` to be inserted, in any order and with erases in
    // between, without allocating, as long as none reaches beyond the grids.
    void reserveListings(const std::vector<AtlasRect>& rects);

    // Whether a kept rectangle contains `rect` (not empty). `tests` grows by
    // the number of cells and rectangles looked at.
    bool anyContains(const AtlasRect& rect, std::uint64_t& tests) const;

    // Appends the kept slots whose rectangles overlap `rect`, in no
    // particular order, a slot as often as it has cells that do.
    void collectOverlapping(const AtlasRect& rect, std::vector<std::uint32_t>& found, std::uint64_t& tests) const;

    std::size_t bytes() const { return cellBytes_ + entryBytes_; }

    void swap(RectangleGrid& other) noexcept;

private:
    static constexpr std::size_t grids = 14;

    // The rectangles listed in one cell and their slots, side by side.
    struct Cell {
        std::vector<AtlasRect> rects;
        std::vector<std::uint32_t> slots;
    };
    struct Grid {
        std::uint64_t columns = 0;  // 0: the grid is not used
        std::uint64_t rows = 0;
        std::vector<Cell> cells;
        std::ptrdiff_t listed = 0;  // entries in all its cells
    };
    // The cells of one grid that a rectangle overlaps, as a range of columns
    // and rows, cut to the grid.
    struct CellRange {
        std::uint64_t firstColumn;
        std::uint64_t lastColumn;
        std::uint64_t firstRow;
        std::uint64_t lastRow;
        bool empty() const { return firstColumn > lastColumn || firstRow > lastRow; }
        std::uint64_t count() const { return empty() ? 0 : (lastColumn - firstColumn + 1) * (lastRow - firstRow + 1); }
    };

    CellRange cellsOf(const AtlasRect& rect, std::size_t grid) const;
    std::size_t gridOf(const AtlasRect& rect) const;
    Cell& cellAt(std::size_t grid, std::uint64_t column, std::uint64_t row);
    void makeGrids(std::uint64_t width, std::uint64_t height, const std::vector<AtlasRect>& slots,
                   std::uint64_t& tests);
    template <class Visit>
    void forEachListingCell(const AtlasRect& rect, int change, std::uint64_t& tests, Visit visit);
    void list(std::uint32_t slot, const AtlasRect& rect, std::uint64_t& tests);

    std::array<Grid, grids> grids_;
    std::uint64_t width_ = 0;  // the area the grids cover, [0, width_) x [0, height_)
    std::uint64_t height_ = 0;
    std::size_t cellBytes_ = 0;
    std::size_t entryBytes_ = 0;
};
