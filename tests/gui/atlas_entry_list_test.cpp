// The entry list: focus and selection, the in-place rename, the context menu.
#include "atlas_editor_fixture.h"

#include <commctrl.h>

#include "mainwindow.h"
#include "pxaeditor_resource.h"

namespace {

class AtlasEntryList : public AtlasEditorTest {
protected:
    void SetUp() override {
        AtlasEditorTest::SetUp();
        openPair(writePair(
            "atlas", {{"A.PNG", {1, 1, 4, 3, 1}}, {"M.PNG", {7, 1, 5, 2, 1}}, {"Z.PNG", {14, 1, 6, 6, 1}}}, 32, 16));
    }

    void selectAndFocus(int item) {
        setItemState(-1, 0, LVIS_SELECTED);
        setItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    // Rename File on the selected item; the editor's window, or null.
    HWND startRename() {
        command(ID_EDIT_RENAME_FILE);
        return reinterpret_cast<HWND>(SendMessageA(app->entryList, LVM_GETEDITCONTROL, 0, 0));
    }

    // Types into the in-place editor and ends the edit with a key, as a user would.
    void editName(const char* text, WPARAM endKey) {
        HWND editor = startRename();
        ASSERT_NE(editor, nullptr);
        SetWindowTextA(editor, text);
        SendMessageA(editor, WM_KEYDOWN, endKey, 0);
        EXPECT_EQ(SendMessageA(app->entryList, LVM_GETEDITCONTROL, 0, 0), 0) << "the edit has ended";
    }

    void rightClick() {
        NMITEMACTIVATE click = {};
        click.hdr.hwndFrom = app->entryList;
        click.hdr.code = NM_RCLICK;
        click.iItem = -1;
        SendMessageA(app->mainWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    }
};

}  // namespace

TEST_F(AtlasEntryList, FocusingAnItemShowsItsEntry) {
    selectAndFocus(1);
    EXPECT_EQ(propertyValues(), (std::vector<std::string>{"7", "1", "5", "2"}));
    EXPECT_TRUE(previewIsShown());
    EXPECT_TRUE(entryCommandsAre(false));
}

TEST_F(AtlasEntryList, EntryCommandsFollowTheLatestStateChangeOfAnyItem) {
    setItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    setItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(entryCommandsAre(false));
    setItemState(0, 0, LVIS_SELECTED);
    EXPECT_EQ(itemsWithState(LVNI_SELECTED), std::vector<std::string>{"Z.PNG"});
    EXPECT_TRUE(entryCommandsAre(true)) << "greyed although Z.PNG is still selected";
    setItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(entryCommandsAre(false));
}

TEST_F(AtlasEntryList, SelectAllSelectsEveryItemAndLeavesTheFocus) {
    selectAndFocus(1);
    command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(itemsWithState(LVNI_SELECTED), (std::vector<std::string>{"A.PNG", "M.PNG", "Z.PNG"}));
    EXPECT_EQ(itemsWithState(LVNI_FOCUSED), std::vector<std::string>{"M.PNG"});
}

TEST_F(AtlasEntryList, RenamingToLowerCaseShowsTheUpperCaseNameInItsSortedPlace) {
    selectAndFocus(2);
    editName("b.png", VK_RETURN);
    EXPECT_EQ(listItems(), (std::vector<std::string>{"A.PNG", "B.PNG", "M.PNG"}));
    EXPECT_EQ(itemsWithState(LVNI_SELECTED), std::vector<std::string>{"B.PNG"});
    EXPECT_EQ(itemsWithState(LVNI_FOCUSED), std::vector<std::string>{"B.PNG"});
    const AtlasEntry* renamed = app->document->find("B.PNG");
    ASSERT_NE(renamed, nullptr);
    EXPECT_EQ(renamed->x, 14u);
    EXPECT_EQ(app->document->find("Z.PNG"), nullptr);
    EXPECT_TRUE(app->document->isModified());
    EXPECT_EQ(app->document->selected(), renamed) << "the preview follows the renamed entry";
    EXPECT_EQ(propertyValues(), (std::vector<std::string>{"14", "1", "6", "6"}));
}

TEST_F(AtlasEntryList, ARefusedNameOrEscapeLeavesEverythingAsItWas) {
    struct Case {
        const char* text;
        WPARAM key;
    };
    for (const Case& c : {Case{"m.png", VK_RETURN}, Case{"", VK_RETURN}, Case{"q.png", VK_ESCAPE}}) {
        SCOPED_TRACE(c.text);
        selectAndFocus(0);
        editName(c.text, c.key);
        EXPECT_EQ(listItems(), (std::vector<std::string>{"A.PNG", "M.PNG", "Z.PNG"}));
        EXPECT_FALSE(app->document->isModified());
    }
}

TEST_F(AtlasEntryList, ANameLongerThanTheIndexKeepsIsAcceptedWhole) {
    selectAndFocus(0);
    const std::string longName(70, 'l');
    editName(longName.c_str(), VK_RETURN);
    EXPECT_NE(app->document->find(std::string(70, 'L')), nullptr);
}

TEST_F(AtlasEntryList, RenameWithNothingSelectedDoesNothing) { EXPECT_EQ(startRename(), nullptr); }

TEST_F(AtlasEntryList, KeysGoToTheNameEditorWhileANameIsEdited) {
    selectAndFocus(0);
    HWND editor = startRename();
    ASSERT_NE(editor, nullptr);
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG deleteKey = {editor, WM_KEYDOWN, VK_DELETE, 1, 0, {0, 0}};
    DispatchEditorMessage(*app, table, deleteKey);
    EXPECT_EQ(listItems().size(), 3u) << "Delete in the editor deletes no entry";
    SendMessageA(editor, WM_KEYDOWN, VK_ESCAPE, 0);

    MSG deleteInList = {app->entryList, WM_KEYDOWN, VK_DELETE, 1, 0, {0, 0}};
    DispatchEditorMessage(*app, table, deleteInList);
    EXPECT_EQ(listItems(), (std::vector<std::string>{"M.PNG", "Z.PNG"}));
}

TEST_F(AtlasEntryList, RightClickShowsTheEditMenuOnlyWhenSomethingIsSelected) {
    rightClick();
    EXPECT_TRUE(Script().contextMenus.empty());

    selectAndFocus(1);
    Script().contextMenuChoice = ID_EDIT_DELETE_FILES;
    rightClick();
    ASSERT_EQ(Script().contextMenus.size(), 1u);
    EXPECT_EQ(Script().contextMenus[0].popup, GetSubMenu(GetMenu(app->mainWindow), 1));
    EXPECT_EQ(Script().contextMenus[0].owner, app->mainWindow);
    EXPECT_EQ(listItems(), (std::vector<std::string>{"A.PNG", "Z.PNG"})) << "the chosen command ran";
}
