// The preview: the focused entry's numbers in Properties and its pixels, at
// their size, in Picture.
#include <cmath>

#include "atlas_editor_fixture.h"
#include "pxaeditor_resource.h"
#include "renderer.h"

namespace {

using AtlasPreview = AtlasEditorTest;

bool isShown(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

TEST_F(AtlasPreview, ShowingAnEntryFillsItsNumbersAndSizesThePreviewToIt) {
    const PairPaths pair =
        writePair("atlas", {{"A.TGA", {1, 1, 64, 32, 1}}, {"B.TGA", {1234, 100, 7, 1000, 1}}}, 2048, 1200);
    openPair(pair);

    ShowEntry(*app, "A.TGA");
    EXPECT_EQ(app->document->selected(), app->document->find("A.TGA"));
    EXPECT_EQ((std::vector<std::string>{propertyValue(0), propertyValue(1), propertyValue(2), propertyValue(3)}),
              (std::vector<std::string>{"1", "1", "64", "32"}));
    EXPECT_TRUE(isShown(app->renderer));
    EXPECT_EQ(PlacementOf(app->renderer), (Placement{8, 16, 64, 32}));

    ShowEntry(*app, "B.TGA");
    EXPECT_EQ((std::vector<std::string>{propertyValue(0), propertyValue(1), propertyValue(2), propertyValue(3)}),
              (std::vector<std::string>{"1234", "100", "7", "1000"}));
    const RECT& room = app->layout.pictureInside;
    const int roomHeight = room.bottom - room.top;
    const int scaledWidth = static_cast<int>(std::ceil(7.0 * roomHeight / 1000));
    EXPECT_EQ(PlacementOf(app->renderer), (Placement{8, 16, scaledWidth, roomHeight}))
        << "larger than the box: scaled to fit it";
}

TEST_F(AtlasPreview, ShowingTheEntryAlreadyShownChangesNothing) {
    openPair(writePair("atlas", {{"A.TGA", {1, 1, 10, 10, 1}}}));
    ShowEntry(*app, "A.TGA");
    SetWindowTextA(app->propertyValues[0], "untouched");
    ShowEntry(*app, "A.TGA");
    EXPECT_EQ(propertyValue(0), "untouched");
}

TEST_F(AtlasPreview, NewHidesThePreviewAndEmptiesTheNumbers) {
    openPair(writePair("atlas", {{"A.TGA", {1, 1, 10, 10, 1}}}));
    ShowEntry(*app, "A.TGA");
    command(ID_FILE_NEW);
    EXPECT_FALSE(isShown(app->renderer));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(propertyValue(i), "");
    }
}

TEST_F(AtlasPreview, OpenHidesThePreviewButLeavesTheNumbers) {
    openPair(writePair("first", {{"A.TGA", {1, 2, 10, 11, 1}}}));
    ShowEntry(*app, "A.TGA");
    openPair(writePair("second", {{"A.TGA", {5, 5, 3, 3, 1}}}));
    EXPECT_FALSE(isShown(app->renderer));
    EXPECT_EQ(app->document->selected(), nullptr);
    EXPECT_EQ((std::vector<std::string>{propertyValue(0), propertyValue(1), propertyValue(2), propertyValue(3)}),
              (std::vector<std::string>{"1", "2", "10", "11"}));

    ShowEntry(*app, "A.TGA");
    EXPECT_EQ(propertyValue(0), "5") << "the new document's entry of that name";
}
