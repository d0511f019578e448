#include "freespacemap.h"

#include <algorithm>
#include <limits>
#include <ostream>
#include <random>
#include <stdexcept>

#include <gtest/gtest.h>

#include "linearfreespacemap.h"
#include "packingsession.h"

std::ostream& operator<<(std::ostream& out, const AtlasRect& r) {
    return out << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

namespace {

using Rects = std::vector<AtlasRect>;
using Slots = std::vector<std::uint32_t>;

FreeSpaceMap mapOf(const Rects& rects) {
    FreeSpaceMap map;
    for (const AtlasRect& r : rects) {
        map.addFree(r.x, r.y, r.width, r.height);
    }
    return map;
}

AtlasRect placed(FreeSpaceMap& map, std::uint32_t width, std::uint32_t height) {
    AtlasRect cell{0, 0, width, height};
    EXPECT_TRUE(map.place(cell)) << width << " x " << height;
    return cell;
}

// The stack must hold every vacant slot exactly once and nothing else, and
// every other slot holds space.
void expectStackHoldsExactlyTheVacantSlots(const FreeSpaceMap& map) {
    Slots vacant;
    std::size_t live = 0;
    for (std::uint32_t i = 0; i < map.freeRects().size(); ++i) {
        if (map.freeRects()[i].width == 0 && map.freeRects()[i].height == 0) {
            vacant.push_back(i);
        } else if (map.freeRects()[i].width != 0 && map.freeRects()[i].height != 0) {
            ++live;
        }
    }
    Slots stack = map.vacantSlots();
    std::sort(stack.begin(), stack.end());
    EXPECT_EQ(stack, vacant);
    EXPECT_EQ(map.liveCount(), live);
}

}  // namespace

TEST(FreeSpaceMap, WorkedExampleComesOutExactly) {
    FreeSpaceMap map = mapOf({{0, 0, 256, 256}});

    EXPECT_EQ(placed(map, 34, 18), (AtlasRect{0, 0, 34, 18}));
    EXPECT_EQ(map.freeRects(), (Rects{{34, 0, 222, 256}, {0, 18, 256, 238}}));
    EXPECT_TRUE(map.vacantSlots().empty());

    EXPECT_EQ(placed(map, 18, 34), (AtlasRect{34, 0, 18, 34}));
    EXPECT_EQ(map.freeRects(), (Rects{{52, 0, 204, 256}, {0, 18, 34, 238}, {0, 34, 256, 222}}));
    EXPECT_TRUE(map.vacantSlots().empty());
}

TEST(FreeSpaceMap, AddFreeIgnoresARectangleThatASlotAlreadyContains) {
    for (const AtlasRect& inner : {AtlasRect{0, 0, 10, 10}, AtlasRect{2, 3, 4, 5}, AtlasRect{9, 9, 1, 1}}) {
        FreeSpaceMap map = mapOf({{0, 0, 10, 10}, {20, 0, 5, 5}});
        map.occupy(20, 0, 5, 5);  // leaves slot 1 vacant
        const Slots stackBefore = map.vacantSlots();
        map.addFree(inner.x, inner.y, inner.width, inner.height);
        EXPECT_EQ(map.freeRects(), (Rects{{0, 0, 10, 10}, {20, 0, 0, 0}})) << inner;
        EXPECT_EQ(map.vacantSlots(), stackBefore) << inner;
    }
}

TEST(FreeSpaceMap, AddFreeOfALargerRectangleKeepsTheOnesItContains) {
    FreeSpaceMap map = mapOf({{2, 2, 3, 3}, {0, 0, 10, 10}});
    EXPECT_EQ(map.freeRects(), (Rects{{2, 2, 3, 3}, {0, 0, 10, 10}}));
}

TEST(FreeSpaceMap, AddFreeOfAnEmptyRectangleChangesNothing) {
    FreeSpaceMap map = mapOf({{0, 0, 4, 4}});
    map.addFree(10, 10, 0, 5);
    map.addFree(10, 10, 5, 0);
    EXPECT_EQ(map.freeRects(), (Rects{{0, 0, 4, 4}}));
    expectStackHoldsExactlyTheVacantSlots(map);
}

TEST(FreeSpaceMap, NeighbouringFreeRectanglesAreNeverMerged) {
    FreeSpaceMap map = mapOf({{0, 0, 10, 10}, {10, 0, 10, 10}});
    AtlasRect across{0, 0, 12, 4};
    EXPECT_FALSE(map.place(across));
    EXPECT_EQ(map.freeRects(), (Rects{{0, 0, 10, 10}, {10, 0, 10, 10}}));
}

TEST(FreeSpaceMap, PlaceTakesTheFirstSlotThatIsLargeEnough) {
    FreeSpaceMap map = mapOf({{0, 0, 20, 20}, {30, 0, 4, 4}});
    EXPECT_EQ(placed(map, 4, 4), (AtlasRect{0, 0, 4, 4}));
}

TEST(FreeSpaceMap, ACellOfExactlyTheSlotSizeVacatesItWithoutPieces) {
    FreeSpaceMap map = mapOf({{0, 0, 20, 20}, {30, 0, 4, 4}});
    map.occupy(0, 0, 20, 20);
    EXPECT_EQ(map.freeRects(), (Rects{{0, 0, 0, 0}, {30, 0, 4, 4}}));
    EXPECT_EQ(map.vacantSlots(), (Slots{0}));
    EXPECT_EQ(placed(map, 4, 4), (AtlasRect{30, 0, 4, 4}));
    EXPECT_EQ(map.freeRects(), (Rects{{0, 0, 0, 0}, {30, 0, 0, 0}}));
    EXPECT_EQ(map.vacantSlots(), (Slots{0, 1}));
}

TEST(FreeSpaceMap, OccupyOfSpaceThatIsNotFreeChangesNothing) {
    FreeSpaceMap map = mapOf({{0, 0, 10, 10}});
    map.occupy(10, 0, 5, 5);  // shares an edge only
    map.occupy(20, 20, 5, 5);
    EXPECT_EQ(map.freeRects(), (Rects{{0, 0, 10, 10}}));
    EXPECT_TRUE(map.vacantSlots().empty());
}

TEST(FreeSpaceMap, OccupyCutsFourPiecesInTheirOrder) {
    FreeSpaceMap map = mapOf({{0, 0, 10, 10}});
    map.occupy(3, 4, 2, 2);
    // Left reuses the vacated slot; top, right and bottom are appended.
    EXPECT_EQ(map.freeRects(), (Rects{{0, 0, 3, 10}, {0, 0, 10, 4}, {5, 0, 5, 10}, {0, 6, 10, 4}}));
}

TEST(FreeSpaceMap, TheMostRecentlyVacatedSlotIsFilledFirst) {
    FreeSpaceMap map = mapOf({{0, 0, 5, 5}, {10, 0, 5, 5}, {20, 0, 5, 5}});
    map.occupy(10, 0, 5, 5);
    map.occupy(0, 0, 5, 5);
    EXPECT_EQ(map.vacantSlots(), (Slots{1, 0}));
    map.addFree(40, 0, 1, 1);
    EXPECT_EQ(map.freeRects()[0], (AtlasRect{40, 0, 1, 1}));
    map.addFree(50, 0, 1, 1);
    EXPECT_EQ(map.freeRects()[1], (AtlasRect{50, 0, 1, 1}));
    EXPECT_EQ(map.freeRects().size(), 3u);
}

TEST(FreeSpaceMap, FirstPlacementInAFreshAtlasIsTheTopLeftCorner) {
    for (const AtlasRect& cell : {AtlasRect{0, 0, 256, 256}, AtlasRect{0, 0, 3, 3}, AtlasRect{0, 0, 256, 1}}) {
        FreeSpaceMap map = mapOf({{0, 0, 256, 256}});
        EXPECT_EQ(placed(map, cell.width, cell.height), cell);
    }
}

TEST(FreeSpaceMap, ACellLargerThanAnyFreeRectangleChangesNothing) {
    FreeSpaceMap map = mapOf({{0, 0, 256, 256}});
    map.occupy(0, 0, 10, 10);
    const FreeSpaceMap before = map;
    AtlasRect cell{7, 7, 257, 2};
    EXPECT_FALSE(map.place(cell));
    EXPECT_EQ(cell, (AtlasRect{7, 7, 257, 2}));
    EXPECT_EQ(map.freeRects(), before.freeRects());
    EXPECT_EQ(map.vacantSlots(), before.vacantSlots());
}

TEST(FreeSpaceMap, CopiesKeepSlotAndStackOrder) {
    FreeSpaceMap map = mapOf({{0, 0, 5, 5}, {10, 0, 5, 5}, {20, 0, 5, 5}});
    map.occupy(20, 0, 5, 5);
    map.occupy(0, 0, 5, 5);
    FreeSpaceMap copy = map;
    EXPECT_EQ(copy.freeRects(), map.freeRects());
    EXPECT_EQ(copy.vacantSlots(), (Slots{2, 0}));
    copy.addFree(40, 0, 1, 1);
    EXPECT_EQ(copy.freeRects()[0], (AtlasRect{40, 0, 1, 1}));
    EXPECT_EQ(map.freeRects()[0], (AtlasRect{0, 0, 0, 0}));
}

// A vacant slot keeps its old corner. When a later cell strictly surrounds
// that corner, the slot must not be vacated a second time: a duplicate on the
// stack would later hand one slot to two free rectangles and lose one of them.
TEST(FreeSpaceMap, AVacantSlotIsNeverVacatedAgainByACellAroundItsCorner) {
    FreeSpaceMap map = mapOf({{0, 0, 16, 16}});
    const AtlasRect first = placed(map, 7, 2);
    const AtlasRect second = placed(map, 4, 3);
    map.addFree(first.x, first.y, first.width, first.height);
    map.addFree(second.x, second.y, second.width, second.height);
    const AtlasRect third = placed(map, 5, 5);
    EXPECT_EQ(third, (AtlasRect{11, 0, 5, 5}));
    placed(map, 4, 8);
    placed(map, 8, 3);
    EXPECT_EQ(map.freeRects()[7], (AtlasRect{4, 3, 0, 0}));
    EXPECT_EQ(map.vacantSlots(), (Slots{6, 7}));

    // (0, 2, 6, 3) strictly surrounds the corner (4, 3) of vacant slot 7.
    EXPECT_EQ(placed(map, 6, 3), (AtlasRect{0, 2, 6, 3}));
    EXPECT_EQ(map.vacantSlots(), (Slots{6, 7}));
    expectStackHoldsExactlyTheVacantSlots(map);

    placed(map, 3, 6);
    map.addFree(third.x, third.y, third.width, third.height);
    expectStackHoldsExactlyTheVacantSlots(map);

    // The free rectangle below the cells is still known, so this fits.
    EXPECT_EQ(placed(map, 12, 5), (AtlasRect{4, 11, 12, 5}));
}

// The indexed map against the plain list it stands for, call by call: the
// same placements, the same slots in the same order, the same stack.
TEST(FreeSpaceMap, MatchesThePlainListInEditingSessions) {
    const SessionMix mixes[] = {
        {10, 0, 0, 0, 4, 64},   // placements, the atlas growing by one doubling at a time, removals
        {15, 10, 5, 5, 1, 40},  // replacements, cells of an opened index, growth by several doublings
        {30, 20, 0, 0, 1, 6},   // churn of tiny cells, refilling vacant slots
    };
    for (const SessionMix& mix : mixes) {
        PackingSession<FreeSpaceMap> indexed(7, 64, mix);
        PackingSession<LinearFreeSpaceMap> plain(7, 64, mix);
        for (int step = 0; step < 2000; ++step) {
            ASSERT_EQ(indexed.step(), plain.step()) << "step " << step;
            ASSERT_EQ(indexed.map.freeRects(), plain.map.freeRects()) << "step " << step;
            ASSERT_EQ(indexed.map.vacantSlots(), plain.map.vacantSlots()) << "step " << step;
        }
    }
}

// Rectangles of any size anywhere, empty ones and ones that reach past 2^32
// included, around the edges of the index's cells and at the end of the
// coordinates.
TEST(FreeSpaceMap, MatchesThePlainListOnArbitraryRectangles) {
    std::mt19937 random(11);
    for (const std::uint32_t origin : {0u, 60u, 250u, 4090u, 0xFFFFFFC0u}) {
        FreeSpaceMap indexed;
        LinearFreeSpaceMap plain;
        const auto coordinate = [&] { return origin + static_cast<std::uint32_t>(random() % 80); };
        const auto length = [&] {
            return static_cast<std::uint32_t>(random() % 8 == 0 ? random() % 3000 : random() % 24);
        };
        for (int step = 0; step < 2000; ++step) {
            const AtlasRect r{coordinate(), coordinate(), length(), length()};
            switch (random() % 3) {
            case 0:
                indexed.addFree(r.x, r.y, r.width, r.height);
                plain.addFree(r.x, r.y, r.width, r.height);
                break;
            case 1:
                indexed.occupy(r.x, r.y, r.width, r.height);
                plain.occupy(r.x, r.y, r.width, r.height);
                break;
            default:
                AtlasRect first = r;
                AtlasRect second = r;
                ASSERT_EQ(indexed.place(first), plain.place(second)) << "step " << step;
                ASSERT_EQ(first, second) << "step " << step;
            }
            ASSERT_EQ(indexed.freeRects(), plain.freeRects()) << "origin " << origin << ", step " << step;
            ASSERT_EQ(indexed.vacantSlots(), plain.vacantSlots()) << "origin " << origin << ", step " << step;
        }
    }
}

TEST(FreeSpaceMap, AnOperationBeyondTheLimitsThrowsLengthError) {
    FreeSpaceMap map = mapOf({{0, 0, 256, 256}});
    map.limit(FreeSpaceLimits{map.usage().bytes, std::numeric_limits<std::uint64_t>::max()});
    EXPECT_THROW(map.occupy(10, 10, 20, 20), std::length_error);  // more pieces need more memory

    FreeSpaceMap busy = mapOf({{0, 0, 256, 256}});
    busy.limit(FreeSpaceLimits{std::numeric_limits<std::size_t>::max(), busy.usage().steps});
    AtlasRect cell{0, 0, 4, 4};
    EXPECT_THROW(busy.place(cell), std::length_error);
}
