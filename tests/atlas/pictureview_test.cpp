// The preview's and the atlas view's arithmetic: zoom, scroll bars, which
// entry a point falls on, and pixels blended over the checkerboard.
#include "pictureview.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PictureView, FitsKeepingTheAspectAndNeverEnlarges) {
    struct Case {
        ViewSize content, box;
        double zoom;
    };
    for (const Case& c : std::vector<Case>{{{64, 32}, {400, 300}, 1},
                                           {{1200, 900}, {600, 600}, 0.5},
                                           {{100, 1000}, {400, 250}, 0.25},
                                           {{8192, 8192}, {64, 64}, 1.0 / 64},
                                           {{100000, 10}, {10, 10}, leastZoom}}) {
        EXPECT_DOUBLE_EQ(fitZoom(c.content, c.box), c.zoom) << c.content.width << "x" << c.content.height;
    }
    EXPECT_DOUBLE_EQ(zoomedIn(0.3), 0.5);
    EXPECT_DOUBLE_EQ(zoomedIn(1), 2);
    EXPECT_DOUBLE_EQ(zoomedOut(0.3), 0.25);
    EXPECT_DOUBLE_EQ(zoomedOut(leastZoom), leastZoom);
    EXPECT_DOUBLE_EQ(zoomedIn(mostZoom), mostZoom);
}

TEST(PictureView, ScrollBarsAppearOnlyWhereThePictureOverflows) {
    struct Case {
        ViewSize scaled, box;
        ViewSize window, client;
        bool horizontal, vertical;
    };
    const ViewSize bars = {17, 15};
    for (const Case& c : std::vector<Case>{
             {{64, 32}, {100, 100}, {64, 32}, {64, 32}, false, false},
             {{100, 100}, {100, 100}, {100, 100}, {100, 100}, false, false},
             {{200, 50}, {100, 100}, {100, 65}, {100, 50}, true, false},
             {{200, 90}, {100, 100}, {100, 100}, {83, 85}, true, true},  // one bar calls for the other
             {{50, 300}, {100, 100}, {67, 100}, {50, 100}, false, true},
         }) {
        const Viewport port = viewportFor(c.scaled, c.box, bars);
        EXPECT_EQ(port.window, c.window) << c.scaled.width << "x" << c.scaled.height;
        EXPECT_EQ(port.client, c.client) << c.scaled.width << "x" << c.scaled.height;
        EXPECT_EQ(port.horizontalBar, c.horizontal);
        EXPECT_EQ(port.verticalBar, c.vertical);
    }
    EXPECT_EQ(clampScroll(500, 300, 100), 200);
    EXPECT_EQ(clampScroll(-5, 300, 100), 0);
    EXPECT_EQ(scrollKeeping(10, 30, 1, 2), 70) << "pixel 40 stays under the pointer";
}

TEST(PictureView, FindsTheEntryUnderAPointAtAZoomAndScroll) {
    const EntryTable entries = {{"A", {0, 0, 10, 10, 1}}, {"B", {12, 0, 4, 20, 1}}, {"C", {0, 11, 3, 3, 1}}};
    struct Case {
        std::int32_t x, y;
        double zoom;
        std::int32_t scrollX, scrollY;
        std::string name;
    };
    for (const Case& c : std::vector<Case>{{9, 9, 1, 0, 0, "A"},
                                           {10, 9, 1, 0, 0, ""},
                                           {23, 5, 2, 0, 0, ""},  // 11: the gap
                                           {24, 5, 2, 0, 0, "B"},
                                           {0, 0, 2, 0, 22, "C"},
                                           {3, 2, 0.25, 0, 0, "B"},
                                           {-1, 0, 1, 0, 0, ""}}) {
        const auto* found = entryAt(entries, c.x, c.y, c.zoom, c.scrollX, c.scrollY);
        EXPECT_EQ(found != nullptr ? found->first : "", c.name) << c.x << "," << c.y << " at " << c.zoom;
        if (found != nullptr) {
            const ScreenRect rect = screenRectOf(found->second, c.zoom, c.scrollX, c.scrollY);
            EXPECT_TRUE(c.x >= rect.left && c.x < rect.right && c.y >= rect.top && c.y < rect.bottom)
                << "the outline drawn holds the point";
        }
    }
}

TEST(PictureView, BlendsOverTheCheckerboardAndEnlargesByNearestNeighbour) {
    // A 2 x 1 picture: opaque red, half-transparent blue.
    const std::uint8_t pixels[8] = {0, 0, 255, 255, 255, 0, 0, 128};
    const PixelSource source = {pixels, 8, 1, true, 0, 0, {2, 1}};
    std::vector<std::uint32_t> out(8 * 2);
    renderPicture(source, 4, 0, 0, {8, 2}, 4, 0xFF00FF00u, out.data());
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(out[static_cast<std::size_t>(x)], 0xFFFF0000u) << "a block of one opaque pixel at " << x;
    }
    // 128 of 255 blue over the dark square: 0x99 * 127 / 255 = 0x4C of the grey stays.
    EXPECT_EQ(out[4], 0xFF4C4CCCu);
    EXPECT_EQ(out[12], 0xFF4C4CCCu);

    std::vector<std::uint32_t> reduced(2);
    renderPicture(source, 0.5, 0, 0, {2, 1}, 4, 0xFF00FF00u, reduced.data());
    EXPECT_EQ(reduced[0], 0xFFB23373u) << "the two pixels averaged over the light square";
    EXPECT_EQ(reduced[1], 0xFF00FF00u) << "beyond the picture";
}
