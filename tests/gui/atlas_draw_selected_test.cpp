// The preview draws the document's selected entry into a device context, 1:1,
// over the checkerboard, which opaque pixels hide.
#include "renderer.h"

#include <gtest/gtest.h>

#include "atlastestsupport.h"
#include "filepair.h"
#include "memory_canvas.h"

namespace {

class DrawSelected : public ::testing::Test {
protected:
    DrawSelected() {
        const UniqueBitmap image = makePatternImage(64, 48, 11);
        FreeImage_Save(FIF_PNG, image.get(), folder.path("atlas.png").c_str(), 0);
        writeFileBytes(folder.path("atlas.pxa"),
                       indexBytes({{"WIDE.TGA", {1, 1, 12, 5, 1}}, {"LOW.TGA", {40, 30, 6, 17, 1}}}));
    }

    TestFolder folder;
};

}  // namespace

TEST_F(DrawSelected, CopiesExactlyTheEntrysPixelsToTheGivenPlace) {
    FilePair pair(folder.path("atlas.pxa"), folder.path("atlas.png"));
    for (const char* name : {"WIDE.TGA", "LOW.TGA"}) {
        SCOPED_TRACE(name);
        MemoryCanvas canvas(30, 30);
        ASSERT_TRUE(canvas.isReady());
        pair.select(name);
        const AtlasEntry& entry = *pair.selected();
        const int left = 3;
        const int top = 2;
        EXPECT_NE(drawSelected(pair, canvas.dc(), left, top), 0);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) {
                const bool inside = x >= left && y >= top && x < left + static_cast<int>(entry.width) &&
                                    y < top + static_cast<int>(entry.height);
                const std::uint32_t expected = inside ? patternPixel(11, entry.x + static_cast<std::uint32_t>(x - left),
                                                                     entry.y + static_cast<std::uint32_t>(y - top)) &
                                                            colourMask
                                                      : sentinel;
                ASSERT_EQ(canvas.colourAt(x, y), expected) << "at " << x << "," << y;
            }
        }
    }
}

TEST_F(DrawSelected, DrawsNothingWithoutASelection) {
    FilePair pair(folder.path("atlas.pxa"), folder.path("atlas.png"));
    MemoryCanvas canvas(8, 8);
    ASSERT_TRUE(canvas.isReady());
    EXPECT_EQ(drawSelected(pair, canvas.dc(), 0, 0), 0);
    pair.select("WIDE.TGA");
    pair.remove("WIDE.TGA");
    EXPECT_EQ(drawSelected(pair, canvas.dc(), 0, 0), 0);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(canvas.colourAt(x, y), sentinel);
        }
    }
}
