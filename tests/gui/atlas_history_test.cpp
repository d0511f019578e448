// Undo and Redo in the real window: each step taken back and made again, the
// list, the menu and the title's mark following, and the files saved after
// them the same bytes as the saves of the states they return to.
#include "atlas_editor_fixture.h"

#include <commctrl.h>

#include <functional>

#include "dialog_answerer.h"
#include "pxaeditor_resource.h"

using AtlasHistory = AtlasEditorTest;

TEST_F(AtlasHistory, UndoneStepsSaveTheOpenedBytesAndRedoneOnesTheEditedBytes) {
    // The opened pair is one this program wrote: its bytes are those a save of that state gives.
    const PairPaths opened{folder.path("opened.pxa"), folder.path("opened.tga")};
    {
        FilePair pair(32, 16);
        std::vector<std::string> paths = {writeImage("a.png", 4, 3, 1), writeImage("m.png", 5, 2, 2)};
        pair.insertFiles(paths);
        pair.savePair(opened.index, opened.image, -1);
    }
    openPair(opened);
    const auto select = [this](std::vector<int> items) {
        setItemState(-1, 0, LVIS_SELECTED);
        for (int item : items) {
            setItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
    };
    const auto saveAs = [this](const std::string& stem) {
        Script().fileAnswers = {{folder.path(stem + ".pxa")}, {folder.path(stem + ".tga")}};
        command(ID_FILE_SAVE_AS);
    };
    const std::string big = writeImage("big.png", 40, 20, 3);  // grows the atlas
    // Each step, the list after it, and the selection after undoing it: the
    // items it names again, or what was selected before.
    struct Step {
        std::function<void()> make;
        const char* edit;
        std::vector<std::string> items;
        std::vector<std::string> selectedAfterUndo;
    };
    const std::vector<Step> steps = {
        {[&] { insertFiles({big}); }, "Insert", {"A.PNG", "BIG.PNG", "M.PNG"}, {"M.PNG"}},
        {[&] {
             select({2});
             command(ID_EDIT_RENAME_FILE);
             HWND editor = reinterpret_cast<HWND>(SendMessageA(app->entryList, LVM_GETEDITCONTROL, 0, 0));
             SetWindowTextA(editor, "n.png");
             SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
         },
         "Rename",
         {"A.PNG", "BIG.PNG", "N.PNG"},
         {"M.PNG"}},
        {[&] {
             select({0, 1});
             command(ID_EDIT_DELETE_FILES);
         },
         "Delete",
         {"N.PNG"},
         {"A.PNG", "BIG.PNG"}},
    };
    for (const Step& step : steps) {
        step.make();
        ASSERT_EQ(listItems(), step.items);
        EXPECT_EQ(MenuText(app->mainWindow, ID_EDIT_UNDO), std::string("&Undo ") + step.edit + "\tCtrl+Z");
        EXPECT_TRUE(isGreyed(ID_EDIT_REDO)) << "a new step drops the undone ones";
    }
    saveAs("edited");

    for (std::size_t i = steps.size(); i-- > 0;) {
        command(ID_EDIT_UNDO);
        EXPECT_EQ(listItems(), i == 0 ? std::vector<std::string>({"A.PNG", "M.PNG"}) : steps[i - 1].items);
        EXPECT_EQ(itemsWithState(LVNI_SELECTED), steps[i].selectedAfterUndo) << steps[i].edit;
        EXPECT_EQ(MenuText(app->mainWindow, ID_EDIT_REDO), std::string("&Redo ") + steps[i].edit + "\tCtrl+Y");
        EXPECT_TRUE(TitleMarked(app->mainWindow)) << "the saved state is the edited one";
    }
    EXPECT_TRUE(isGreyed(ID_EDIT_UNDO));
    EXPECT_EQ(MenuText(app->mainWindow, ID_EDIT_UNDO), "&Undo\tCtrl+Z");
    EXPECT_EQ(app->document->width(), 32u) << "the atlas grown by the insertion is back to its size";
    saveAs("undone");
    EXPECT_EQ(readFileBytes(folder.path("undone.pxa")), readFileBytes(opened.index));
    EXPECT_EQ(readFileBytes(folder.path("undone.tga")), readFileBytes(opened.image));

    for (const Step& step : steps) {
        command(ID_EDIT_REDO);
        EXPECT_EQ(listItems(), step.items);
    }
    saveAs("redone");
    EXPECT_EQ(readFileBytes(folder.path("redone.pxa")), readFileBytes(folder.path("edited.pxa")));
    EXPECT_EQ(readFileBytes(folder.path("redone.tga")), readFileBytes(folder.path("edited.tga")));
    command(ID_EDIT_UNDO);
    EXPECT_TRUE(TitleMarked(app->mainWindow));
    command(ID_EDIT_REDO);
    EXPECT_FALSE(TitleMarked(app->mainWindow)) << "back at the saved state";
    SendMessageA(app->mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Script().messageBoxes.empty()) << "closing asks nothing";
}
