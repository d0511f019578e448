// The picture area drawn for real: entries over the checkerboard, fitted to
// the "Picture" box and never drawn outside it; the atlas view's clicks
// select in the list.
#include <windows.h>

#include <commctrl.h>

#include "atlas_editor_fixture.h"
#include "atlasexport.h"
#include "atlastestsupport.h"
#include "atlasview.h"
#include "memory_canvas.h"
#include "pxaeditor_resource.h"

namespace {

const int border = 16;  // canvas around the client area, where nothing may be drawn

class AtlasPicture : public AtlasEditorTest {
protected:
    // An image of one colour (alpha in the top byte) inserted as an entry.
    void insertPlain(const std::string& name, std::uint32_t width, std::uint32_t height, std::uint32_t colour) {
        const UniqueBitmap image = makePatternImage(width, height, 1);
        for (std::uint32_t y = 0; y < height; ++y) {
            for (std::uint32_t x = 0; x < width; ++x) {
                setPixel(image.get(), x, y, colour);
            }
        }
        const std::string path = folder.path(name);
        ASSERT_TRUE(FreeImage_Save(FIF_PNG, image.get(), path.c_str(), 0));
        insertFiles({path});
    }

    RECT rendererClient() const {
        RECT client = {};
        GetClientRect(app->renderer, &client);
        return client;
    }

    // The renderer's client area printed into a canvas with `border` pixels
    // around it; false when something was drawn in that border.
    ::testing::AssertionResult printsInsideItsClient(MemoryCanvas& canvas) const {
        const RECT client = rendererClient();
        SetViewportOrgEx(canvas.dc(), border, border, nullptr);
        SendMessageA(app->renderer, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
        for (int y = 0; y < client.bottom + 2 * border; ++y) {
            for (int x = 0; x < client.right + 2 * border; ++x) {
                const bool inside =
                    x >= border && y >= border && x < client.right + border && y < client.bottom + border;
                if (!inside && canvas.colourAt(x, y) != sentinel) {
                    return ::testing::AssertionFailure() << "drawn outside the client at " << x << "," << y;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    // The renderer's window lies within the room inside "Picture".
    ::testing::AssertionResult staysInTheBox() const {
        const Placement placed = PlacementOf(app->renderer);
        const RECT& room = app->layout.pictureInside;
        if (placed.x >= room.left && placed.y >= room.top && placed.x + placed.width <= room.right &&
            placed.y + placed.height <= room.bottom) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << placed << " is outside the room " << room.left << "," << room.top
                                             << " to " << room.right << "," << room.bottom;
    }
};

}  // namespace

TEST_F(AtlasPicture, HalfTransparentPixelsShowTheCheckerboardThrough) {
    insertPlain("GLOW.PNG", 40, 24, 0x80FF0000);  // red at half opacity
    const RECT client = rendererClient();
    ASSERT_EQ(client.right, 40);
    MemoryCanvas canvas(client.right + 2 * border, client.bottom + 2 * border);
    ASSERT_TRUE(canvas.isReady());
    EXPECT_TRUE(printsInsideItsClient(canvas));
    const std::uint32_t onLight = canvas.colourAt(border, border);
    const std::uint32_t onDark = canvas.colourAt(border + 8, border);
    EXPECT_NE(onLight, onDark) << "both squares show through";
    for (const std::uint32_t pixel : {onLight, onDark}) {
        const std::uint32_t red = pixel >> 16;
        const std::uint32_t green = (pixel >> 8) & 0xFF;
        EXPECT_GT(green, 0u) << std::hex << pixel << ": grey of the square under the red";
        EXPECT_GT(red, green + 64) << std::hex << pixel << ": half of the red over it";
    }
}

TEST_F(AtlasPicture, ALargeEntryIsScaledIntoTheBoxAndScrollsAtActualSize) {
    insertPlain("BIG.PNG", 1200, 900, 0x00000000);  // fully transparent: the checkerboard alone
    EXPECT_TRUE(staysInTheBox());
    const RECT client = rendererClient();
    EXPECT_LT(client.right, 1200);
    EXPECT_NEAR(client.right * 900.0 / 1200, client.bottom, 1.0) << "the aspect ratio is kept";
    MemoryCanvas canvas(client.right + 2 * border, client.bottom + 2 * border);
    ASSERT_TRUE(canvas.isReady());
    EXPECT_TRUE(printsInsideItsClient(canvas));
    EXPECT_EQ(canvas.colourAt(border, border), checkerLight & colourMask);
    EXPECT_EQ(canvas.colourAt(border + 8, border), checkerDark & colourMask);

    command(ID_VIEW_ACTUAL_SIZE);
    EXPECT_TRUE(staysInTheBox());
    const LONG style = GetWindowLongA(app->renderer, GWL_STYLE);
    EXPECT_TRUE((style & WS_HSCROLL) != 0 && (style & WS_VSCROLL) != 0) << "at 1:1 the entry scrolls both ways";
    MemoryCanvas actual(rendererClient().right + 2 * border, rendererClient().bottom + 2 * border);
    EXPECT_TRUE(printsInsideItsClient(actual));
}

TEST_F(AtlasPicture, AClickInTheAtlasViewSelectsTheEntryInTheList) {
    insertPlain("LEFT.PNG", 30, 30, 0xFF00FF00);
    insertPlain("RIGHT.PNG", 20, 20, 0xFF0000FF);
    command(ID_VIEW_ATLAS);
    ASSERT_TRUE(previewIsShown());
    const auto clickOn = [&](const char* name, WPARAM keys) {
        const AtlasEntry& entry = *app->document->find(name);
        const ScreenRect rect = screenRectOf(entry, app->picture.zoom, app->picture.scrollX, app->picture.scrollY);
        const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageA(app->renderer, WM_MOUSEMOVE, keys, point);
        SendMessageA(app->renderer, WM_LBUTTONDOWN, keys, point);
        SendMessageA(app->renderer, WM_LBUTTONUP, keys, point);
    };

    clickOn("LEFT.PNG", MK_LBUTTON);
    EXPECT_EQ(itemsWithState(LVNI_SELECTED), std::vector<std::string>{"LEFT.PNG"});
    EXPECT_EQ(app->picture.hovered, "LEFT.PNG");
    clickOn("RIGHT.PNG", MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(itemsWithState(LVNI_SELECTED), (std::vector<std::string>{"LEFT.PNG", "RIGHT.PNG"}));
    EXPECT_EQ(itemsWithState(LVNI_FOCUSED), std::vector<std::string>{"RIGHT.PNG"});
    EXPECT_EQ(propertyValue(2), "20") << "the properties follow the focused entry";
    clickOn("LEFT.PNG", MK_LBUTTON);
    EXPECT_EQ(itemsWithState(LVNI_SELECTED), std::vector<std::string>{"LEFT.PNG"});

    // Drawn from the document as it is after a change: the deleted entry's
    // place shows the checkerboard, not its old green.
    const ScreenRect left = screenRectOf(*app->document->find("LEFT.PNG"), app->picture.zoom, 0, 0);
    command(ID_EDIT_DELETE_FILES);
    MemoryCanvas canvas(rendererClient().right + 2 * border, rendererClient().bottom + 2 * border);
    ASSERT_TRUE(printsInsideItsClient(canvas));
    const std::uint32_t middle =
        canvas.colourAt(border + (left.left + left.right) / 2, border + (left.top + left.bottom) / 2);
    EXPECT_TRUE(middle == (checkerLight & colourMask) || middle == (checkerDark & colourMask)) << std::hex << middle;
}

TEST_F(AtlasPicture, ExportWritesTheToolsTextWithThePngBesideAndCompactPacksAsOneStep) {
    insertPlain("A.PNG", 30, 30, 0xFF00FF00);
    insertPlain("B.PNG", 20, 20, 0xFF0000FF);
    const std::string csv = folder.path("out.csv");
    Script().fileAnswers.push_back({csv, 4});  // "CSV and atlas image as PNG"
    command(ID_FILE_EXPORT);
    const std::string expected = atlasCsv(app->document->entries());
    EXPECT_EQ(readFileBytes(csv), Bytes(expected.begin(), expected.end()));
    const UniqueBitmap png(FreeImage_Load(FIF_PNG, folder.path("out.png").c_str(), 0));
    ASSERT_TRUE(png);
    EXPECT_EQ(FreeImage_GetWidth(png.get()), app->document->width());

    setItemState(-1, 0, LVIS_SELECTED);
    setItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);  // A.PNG, at the top left
    command(ID_EDIT_DELETE_FILES);
    ASSERT_EQ(listItems(), std::vector<std::string>{"B.PNG"});
    setItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    command(ID_EDIT_COMPACT_ATLAS);
    ASSERT_EQ(listItems(), std::vector<std::string>{"B.PNG"});
    const AtlasEntry& moved = *app->document->find("B.PNG");
    EXPECT_EQ(std::make_pair(moved.x, moved.y), std::make_pair(1u, 1u)) << "packed into the freed place";
    EXPECT_EQ(propertyValues(), (std::vector<std::string>{"1", "1", "20", "20"})) << "the preview follows";
    EXPECT_EQ(app->document->undoableEdit(), AtlasEdit::Compact);
}
