// The main window as a Windows user expects it: its keys, its status bar,
// what it remembers between runs and its layout at any DPI.
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "dpi.h"
#include "entrylist.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

using StringsWindow = StringsEditorTest;

const char kTitle[] = "VRN DAT Editor 1.00 Beta 1";

std::vector<std::string> FileMenuTexts(HWND window) {
    HMENU file = GetSubMenu(GetMenu(window), 0);
    std::vector<std::string> texts;
    for (int position = 0; position < GetMenuItemCount(file); ++position) {
        char text[300] = {};
        GetMenuStringA(file, position, text, sizeof(text), MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

int ColumnWidth(HWND list, int column) {
    return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

TEST_F(StringsWindow, KeysInTheListRunTheirCommands) {
    const std::string path = WriteTable("keys.DAT", {{"A", L"a"}, {"B", L"b"}});
    Open(path);
    FocusRow(0);
    g_script.editAnswers = {{false, "", L""}, {true, "C", L"c"}};
    g_script.fileAnswers = {{""}, {""}};
    struct Case {
        UINT key;
        std::vector<UINT> modifiers;
        std::function<bool()> happened;
    };
    const Case cases[] = {
        {VK_RETURN, {}, [] { return g_script.editCalls.size() == 1 && g_script.editCalls[0].oldName == "A"; }},
        {VK_INSERT, {}, [this] { return g_script.editCalls.size() == 2 && RowCount() == 3; }},
        {'A',
         {VK_CONTROL},
         [this] {
             return SelectedRows() == std::vector<int>{0, 1, 2};
         }},
        {VK_DELETE, {}, [this] { return RowCount() == 0; }},
        {'S', {VK_CONTROL}, [&path] { return ReadBytes(path) == std::string(4, '\0'); }},
        {'S', {VK_CONTROL, VK_SHIFT}, [] { return g_script.saveCalls().size() == 1; }},
        {'N', {}, [this] { return WindowText(MainWindow()) == std::string(kTitle) + " - [keys.DAT]"; }},
        {'N', {VK_CONTROL}, [this] { return WindowText(MainWindow()) == std::string(kTitle) + " - [Untitled]"; }},
        {'O', {VK_CONTROL}, [] { return g_script.openCalls().size() == 2; }},  // the first opened keys.DAT
    };
    for (const Case& c : cases) {
        PressKey(c.key, c.modifiers);
        EXPECT_TRUE(c.happened()) << "key " << c.key << " with " << c.modifiers.size() << " modifiers";
    }
    EXPECT_TRUE(g_script.messageBoxes.empty());
}

TEST_F(StringsWindow, TheStatusBarCountsStringsAndSelectedOnesBesideDone) {
    struct Step {
        std::function<void()> act;
        const char* strings;
        const char* selected;
    };
    const Step steps[] = {
        {[] {}, "", ""},
        {[this] {
             Open(WriteTable("count.DAT", {{"A", L"a"}, {"B", L"b"}, {"C", L"c"}}));
         },
         "3 strings", "0 selected"},
        {[this] {
             SelectRows({0, 2});
         },
         "3 strings", "2 selected"},
        {[this] { Command(ID_EDIT_DELETE_STRING); }, "1 string", "0 selected"},
        {[this] { Command(ID_EDIT_SELECT_ALL); }, "1 string", "1 selected"},
        {[this] {
             g_script.messageBoxAnswers.push_back(IDNO);  // the deletion may go
             Command(ID_FILE_CLOSE);
         },
         "", ""},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(StatusText(0), "Done");
        EXPECT_EQ(StatusText(1), step.strings);
        EXPECT_EQ(StatusText(2), step.selected);
    }
}

TEST_F(StringsWindow, PlaceColumnSortFoldersAndRecentFilesAreRememberedForTheUser) {
    const std::string first = WriteTable("first.DAT", {{"A", L"a"}});
    ASSERT_TRUE(CreateDirectoryA(folder_.path("saved").c_str(), nullptr));
    const std::string saved = folder_.path("saved\\second & more.DAT");
    MoveWindow(MainWindow(), 30, 40, 700, 500, TRUE);
    SendMessageA(List(), LVM_SETCOLUMNWIDTH, 0, 250);
    ClickHeader(1);
    ClickHeader(1);
    Open(first);
    g_script.fileAnswers.push_back({saved});
    Command(ID_FILE_SAVE_AS);
    Restart();

    RECT frame = {};
    GetWindowRect(MainWindow(), &frame);
    EXPECT_EQ(frame.left, 30);
    EXPECT_EQ(frame.top, 40);
    EXPECT_EQ(frame.right, 730);
    EXPECT_EQ(frame.bottom, 540);
    EXPECT_EQ(ColumnWidth(List(), 0), 250);
    EXPECT_EQ(g_editor.entryList.sortColumn, 1);
    EXPECT_EQ(g_editor.entryList.sortDescending, 1);
    const std::vector<std::string> menu = FileMenuTexts(MainWindow());
    ASSERT_EQ(menu.size(), 17u);
    EXPECT_NE(menu[13].find("&1 "), std::string::npos);
    EXPECT_NE(menu[13].find("second && more.DAT"), std::string::npos);
    EXPECT_NE(menu[14].find("first.DAT"), std::string::npos);

    g_script.fileAnswers = {{""}};
    Command(ID_FILE_OPEN);
    Command(ID_FILE_NEW);
    g_script.fileAnswers = {{""}};
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(g_script.openCalls().back().initialFolder, folder_.path(""));
    EXPECT_EQ(g_script.saveCalls().back().initialFolder, folder_.path("saved\\"));

    // The second recent file opens and becomes the first; a file that is
    // gone is reported and leaves the list.
    Command(ID_FILE_RECENT_FIRST + 1);
    EXPECT_EQ(WindowText(MainWindow()), std::string(kTitle) + " - [first.DAT]");
    EXPECT_NE(FileMenuTexts(MainWindow())[13].find("first.DAT"), std::string::npos);
    DeleteFileA(saved.c_str());
    Command(ID_FILE_RECENT_FIRST + 1);
    EXPECT_EQ(g_script.messageBoxes.size(), 1u);
    EXPECT_EQ(FileMenuTexts(MainWindow()).size(), 16u);
}

TEST_F(StringsWindow, DamagedSettingsAreIgnored) {
    Restart([] {
        const SettingsStore settings = TestSettings();
        settings.writeString("Window Placement", "30,40,20,540,0");
        settings.writeString("Name Column Width", "250");
        settings.writeInteger("Sort Column", 7);
        settings.writeString("Recent Files", "C:\\a.DAT");
    });
    RECT frame = {};
    GetWindowRect(MainWindow(), &frame);
    EXPECT_EQ(frame.right - frame.left, 600);
    EXPECT_EQ(ColumnWidth(List(), 0), 190);
    EXPECT_EQ(g_editor.entryList.sortColumn, 0);
    EXPECT_EQ(FileMenuTexts(MainWindow()).size(), 14u);
}

// WM_DPICHANGED as Windows sends it when the window moves to a monitor at
// 150 %: the suggested rectangle, the column, the fonts and the status bar's
// parts all follow; the Text column takes what the Name column leaves.
TEST_F(StringsWindow, ADpiChangeScalesTheLayout) {
    for (UINT dpi : {144u, 96u}) {
        RECT suggested = {50, 60, 50 + ScaleForDpi(600, dpi), 60 + ScaleForDpi(400, dpi)};
        SendMessageA(MainWindow(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT frame = {};
        GetWindowRect(MainWindow(), &frame);
        EXPECT_EQ(frame.left, suggested.left);
        EXPECT_EQ(frame.right, suggested.right);
        EXPECT_EQ(ColumnWidth(List(), 0), ScaleForDpi(190, dpi));
        RECT listClient = {};
        GetClientRect(List(), &listClient);
        EXPECT_EQ(ColumnWidth(List(), 1), listClient.right - ScaleForDpi(190, dpi));
        LOGFONTW font = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageA(List(), WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_EQ(font.lfHeight, MessageLogFont(dpi).lfHeight);
        int parts[3] = {};
        SendMessageA(g_editor.statusBar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts));
        RECT bar = {};
        GetClientRect(g_editor.statusBar, &bar);
        EXPECT_EQ(parts[1] - parts[0], ScaleForDpi(120, dpi));
        EXPECT_EQ(parts[0], bar.right - 2 * ScaleForDpi(120, dpi));
    }
}

}  // namespace
