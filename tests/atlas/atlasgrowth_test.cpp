// Growth of a full atlas: the doubling steps wherever they place a cell within
// the size limit, and the one-step growth where they would pass it.
#include "atlasgrowth.h"

#include <gtest/gtest.h>

#include "entrycell.h"
#include "freespacemap.h"
#include "linearfreespacemap.h"
#include "packingsession.h"

namespace {

struct Placement {
    AtlasRect cell;  // x, y of the cell; width and height of the image
    std::uint32_t atlasWidth;
    std::uint32_t atlasHeight;
};

bool operator==(const Placement& a, const Placement& b) {
    return a.cell == b.cell && a.atlasWidth == b.atlasWidth && a.atlasHeight == b.atlasHeight;
}

std::ostream& operator<<(std::ostream& out, const Placement& p) {
    return out << "cell at " << p.cell.x << "," << p.cell.y << " of " << p.cell.width << "x" << p.cell.height << " in "
               << p.atlasWidth << "x" << p.atlasHeight;
}

}  // namespace

// Images inserted one after another into an empty 256 x 256 atlas. Where the
// growth steps reach a cell within the limit, its place is the one they have
// always given (the first two cases); the others were refused before.
TEST(AtlasGrowth, LargeImagesArePlacedWithinTheSizeLimit) {
    struct Case {
        const char* what;
        std::vector<AtlasRect> images;
        std::vector<Placement> expected;  // 0 x 0 atlas: refused
    };
    const Case cases[] = {
        {"four growth steps", {{0, 0, 600, 100}}, {{{0, 512, 600, 100}, 1024, 1024}}},
        {"a thin image in the ninth step's half", {{0, 0, 4095, 1}}, {{{0, 4096, 4095, 1}, 8192, 8192}}},
        {"past the steps' reach", {{0, 0, 6000, 6000}}, {{{0, 0, 6000, 6000}, 8192, 8192}}},
        {"the largest square", {{0, 0, 8190, 8190}}, {{{0, 0, 8190, 8190}, 8192, 8192}}},
        {"wider than any step", {{0, 0, 16000, 100}}, {{{0, 0, 16000, 100}, 16384, 256}}},
        {"doubled sides too large, exact ones not", {{0, 0, 10000, 6000}}, {{{0, 0, 10000, 6000}, 10002, 6002}}},
        {"beyond the limit with its border", {{0, 0, 8191, 8191}, {0, 0, 16383, 1}}, {{{}, 0, 0}, {{}, 0, 0}}},
        {"across the free space along the edge, by doubling before an exact size",
         {{0, 0, 4000, 3000}, {0, 0, 9000, 1000}},
         {{{4096, 0, 4000, 3000}, 8192, 4096}, {{4096, 3002, 9000, 1000}, 16384, 4096}}},
        {"no room beside the first",
         {{0, 0, 5000, 5000}, {0, 0, 5000, 5000}, {0, 0, 100, 100}},
         {{{0, 0, 5000, 5000}, 8192, 8192}, {{}, 0, 0}, {{0, 5002, 100, 100}, 8192, 8192}}},
    };
    for (const Case& c : cases) {
        FreeSpaceMap map;
        std::uint32_t width = 256;
        std::uint32_t height = 256;
        map.addFree(0, 0, width, height);
        std::vector<Placement> placed;
        for (const AtlasRect& image : c.images) {
            AtlasRect cell = cellOfSize(image.width, image.height);
            if (placeGrowing(map, cell, width, height, [](std::uint32_t, std::uint32_t) {})) {
                placed.push_back({{cell.x, cell.y, image.width, image.height}, width, height});
            } else {
                placed.push_back({{}, 0, 0});
            }
        }
        EXPECT_EQ(placed, c.expected) << c.what;
    }
}

// Random sessions with cells up to the size limit against the atlas growing
// by doubling steps alone, without a limit: every placement agrees until the
// steps pass the limit, where the one-step growth takes over.
TEST(AtlasGrowth, GrowthStepsPlaceExactlyAsBeforeWithinTheLimit) {
    std::uint32_t largestCompared = 0;
    for (const std::uint32_t seed : {3u, 5u, 8u, 13u}) {
        SessionMix mix{10, 5, 0, 10, 4, 64, 3, 4000};
        PackingSession<FreeSpaceMap> limited(seed, 256, mix);
        mix.unlimitedSteps = true;
        PackingSession<LinearFreeSpaceMap> before(seed, 256, mix);
        for (int step = 0; step < 1000; ++step) {
            const AtlasRect placed = limited.step();
            const AtlasRect expected = before.step();
            if (!fitsAtlasLimits(before.width, before.height)) {
                break;
            }
            ASSERT_EQ(placed, expected) << "seed " << seed << " step " << step;
            ASSERT_EQ(limited.map.freeRects(), before.map.freeRects()) << "seed " << seed << " step " << step;
            largestCompared = std::max(largestCompared, before.width * before.height);
        }
    }
    EXPECT_GE(largestCompared, 4096u * 4096u);
}
