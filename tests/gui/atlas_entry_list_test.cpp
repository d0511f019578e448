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

// Extract File(s) and Delete File(s) while any entry is selected, Rename File
// while exactly one is, whichever item changed last.
TEST_F(AtlasEntryList, EntryCommandsFollowTheWholeSelection) {
    struct Step {
        int item;
        UINT state;
        bool extractAndDelete;
        bool rename;
    };
    const Step steps[] = {
        {0, LVIS_SELECTED, true, true}, {2, LVIS_SELECTED, true, false}, {2, 0, true, true}, {0, 0, false, false}};
    for (const Step& step : steps) {
        setItemState(step.item, step.state, LVIS_SELECTED);
        SCOPED_TRACE(std::to_string(itemsWithState(LVNI_SELECTED).size()) + " selected");
        EXPECT_EQ(!isGreyed(ID_EDIT_EXTRACT_FILES), step.extractAndDelete);
        EXPECT_EQ(!isGreyed(ID_EDIT_DELETE_FILES), step.extractAndDelete);
        EXPECT_EQ(!isGreyed(ID_EDIT_RENAME_FILE), step.rename);
    }
    // A selected, B Ctrl+clicked twice: the Delete key deletes A.
    setItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    setItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    setItemState(1, 0, LVIS_SELECTED);
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG deleteKey = {app->entryList, WM_KEYDOWN, VK_DELETE, 1, 0, {0, 0}};
    DispatchEditorMessage(*app, table, deleteKey);
    EXPECT_EQ(listItems(), (std::vector<std::string>{"M.PNG", "Z.PNG"}));
    EXPECT_TRUE(entryCommandsAre(true)) << "nothing is selected after the deletion";
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

// A name another entry has, or one longer than an index record keeps, is
// refused with a message that says why; an empty or unchanged name, and
// Escape, say nothing. The list and the document stay as they were.
TEST_F(AtlasEntryList, ARefusedNameOrEscapeLeavesEverythingAsItWas) {
    struct Case {
        std::string text;
        WPARAM key;
        std::vector<std::string> messages;
    };
    const std::string longest(64, 'n');
    const Case cases[] = {
        {"m.png", VK_RETURN, {"An entry named M.PNG already exists."}},
        {longest + "x",
         VK_RETURN,
         {"The name " + std::string(64, 'N') + "X is longer than the 64 bytes an index file keeps for an entry name."}},
        {"", VK_RETURN, {}},
        {"a.png", VK_RETURN, {}},
        {"q.png", VK_ESCAPE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::size_t shown = Script().messageBoxes.size();
        selectAndFocus(0);
        editName(c.text.c_str(), c.key);
        EXPECT_EQ(listItems(), (std::vector<std::string>{"A.PNG", "M.PNG", "Z.PNG"}));
        EXPECT_FALSE(app->document->isModified());
        const std::vector<std::string> texts = Script().messageBoxTexts();
        EXPECT_EQ(std::vector<std::string>(texts.begin() + static_cast<std::ptrdiff_t>(shown), texts.end()),
                  c.messages);
    }
    selectAndFocus(0);
    editName(longest.c_str(), VK_RETURN);
    EXPECT_NE(app->document->find(std::string(64, 'N')), nullptr) << "64 bytes fit";
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
