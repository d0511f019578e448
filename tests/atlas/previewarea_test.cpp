// Which part of the atlas the preview draws, and when it draws nothing.
#include "previewarea.h"

#include <gtest/gtest.h>

#include "atlastestsupport.h"
#include "filepair.h"

namespace {

struct AreaCase {
    AtlasEntry entry;
    std::uint32_t atlasWidth;
    std::uint32_t atlasHeight;
    std::optional<PreviewArea> expected;
};

}  // namespace

TEST(PreviewArea, RowsAreCountedFromTheBottomAndOnlyWholeRectanglesInsideTheAtlasAreDrawn) {
    const std::vector<AreaCase> cases = {
        {{1, 1, 64, 32, 1}, 256, 256, PreviewArea{64, 32, 1, 223}},
        {{0, 0, 256, 256, 1}, 256, 256, PreviewArea{256, 256, 0, 0}},
        {{10, 20, 5, 3, 1}, 16, 23, PreviewArea{5, 3, 10, 0}},
        {{10, 20, 0, 0, 1}, 16, 23, PreviewArea{0, 0, 10, 3}},
        {{10, 20, 7, 3, 1}, 16, 23, std::nullopt},
        {{10, 21, 5, 3, 1}, 16, 23, std::nullopt},
        {{300, 1, 1, 1, 1}, 256, 256, std::nullopt},
        {{0xFFFFFFFFu, 1, 2, 1, 1}, 256, 256, std::nullopt},
        {{1, 0xFFFFFFFFu, 1, 2, 1}, 256, 256, std::nullopt},
        {{1, 1, 0xFFFFFFFFu, 0xFFFFFFFFu, 1}, 256, 256, std::nullopt},
    };
    for (const AreaCase& c : cases) {
        const std::optional<PreviewArea> area = previewAreaOf(c.entry, c.atlasWidth, c.atlasHeight);
        SCOPED_TRACE(testing::Message() << "entry " << c.entry.x << "," << c.entry.y << " " << c.entry.width << "x"
                                        << c.entry.height << " in " << c.atlasWidth << "x" << c.atlasHeight);
        ASSERT_EQ(area.has_value(), c.expected.has_value());
        if (area) {
            EXPECT_EQ(area->width, c.expected->width);
            EXPECT_EQ(area->height, c.expected->height);
            EXPECT_EQ(area->sourceX, c.expected->sourceX);
            EXPECT_EQ(area->sourceY, c.expected->sourceY);
        }
    }
}

TEST(PreviewArea, OfADocumentFollowsItsSelection) {
    TestFolder folder;
    writeBlankAtlas(folder.path("atlas.tga"), 64, 32);
    writeFileBytes(folder.path("atlas.pxa"),
                   indexBytes({{"ONE.TGA", {1, 1, 10, 20, 1}}, {"TWO.TGA", {13, 2, 4, 4, 1}}}));
    FilePair pair(folder.path("atlas.pxa"), folder.path("atlas.tga"));

    EXPECT_FALSE(pair.selectedPreviewArea().has_value());
    pair.select("TWO.TGA");
    EXPECT_EQ(pair.selectedPreviewArea(), (PreviewArea{4, 4, 13, 26}));
    pair.rename("TWO.TGA", "THREE.TGA");
    EXPECT_EQ(pair.selectedPreviewArea(), (PreviewArea{4, 4, 13, 26}));
    pair.remove("THREE.TGA");
    EXPECT_FALSE(pair.selectedPreviewArea().has_value());
}
