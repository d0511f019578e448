// Start-up, layout, focus and the ways out of StringTableEditor.
#include <windows.h>

#include <commctrl.h>

#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

std::string ColumnTitle(HWND list, int column, int* width) {
    char title[64] = {};
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    info.pszText = title;
    info.cchTextMax = sizeof(title);
    if (!SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info))) {
        return "<no column>";
    }
    *width = info.cx;
    EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    return title;
}

using StringsStartup = StringsEditorTest;

TEST_F(StringsStartup, ShowsTheProgramTitleAnEmptyTwoColumnListAndDone) {
    EXPECT_EQ(WindowText(MainWindow()), "VRN DAT Editor 1.00 Beta 1");
    char className[32] = {};
    GetClassNameA(MainWindow(), className, sizeof(className));
    EXPECT_STREQ(className, "DAT_EDITOR");
    EXPECT_TRUE(IsWindowVisible(MainWindow()));
    RECT frame = {};
    GetWindowRect(MainWindow(), &frame);
    EXPECT_EQ(frame.right - frame.left, 600);
    EXPECT_EQ(frame.bottom - frame.top, 400);

    // The Text column takes the rest of the list's width.
    int width = 0;
    EXPECT_EQ(ColumnTitle(List(), 0, &width), "Name");
    EXPECT_EQ(width, 190);
    EXPECT_EQ(ColumnTitle(List(), 1, &width), "Text");
    RECT listClient = {};
    GetClientRect(List(), &listClient);
    EXPECT_EQ(width, listClient.right - 190);
    EXPECT_EQ(ColumnTitle(List(), 2, &width), "<no column>");
    EXPECT_EQ(RowCount(), 0);

    const LONG_PTR style = GetWindowLongPtrA(List(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_FALSE(style & (LVS_SINGLESEL | LVS_SORTASCENDING | LVS_SORTDESCENDING));
    EXPECT_TRUE(GetWindowLongPtrA(List(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    const LRESULT extended = SendMessageA(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_EQ(extended & (LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT),
              LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);

    char status[32] = {};
    SendMessageA(g_editor.statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_STREQ(status, "Done");
    EXPECT_TRUE(GetWindowLongPtrA(g_editor.statusBar, GWL_STYLE) & SBARS_SIZEGRIP);
}

TEST_F(StringsStartup, HasTheIconAndMenuOfItsResources) {
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(MainWindow(), GCLP_HICON));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour = {};
    GetObjectA(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(GetClassLongPtrA(MainWindow(), GCLP_HBRBACKGROUND), COLOR_MENU + 1);

    HMENU menu = GetMenu(MainWindow());
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    const char* const titles[] = {"&File", "&Edit", "&View", "&Help"};
    const int counts[] = {14, 9, 1, 1};
    for (int index = 0; index < 4; ++index) {
        char title[32] = {};
        GetMenuStringA(menu, index, title, sizeof(title), MF_BYPOSITION);
        EXPECT_STREQ(title, titles[index]);
        EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, index)), counts[index]);
    }
}

TEST_F(StringsStartup, EnablesOnlyNewOpenExitAndAboutUntilADocumentIsOpen) {
    struct Case {
        int command;
        bool alwaysEnabled;
    };
    const Case cases[] = {{ID_FILE_NEW, true},
                          {ID_FILE_OPEN, true},
                          {ID_FILE_CLOSE, false},
                          {ID_FILE_SAVE, false},
                          {ID_FILE_SAVE_AS, false},
                          {ID_FILE_EXIT, true},
                          {ID_HELP_ABOUT, true},
                          {ID_EDIT_INSERT_STRING, false},
                          {ID_EDIT_EDIT_STRING, false},
                          {ID_EDIT_DELETE_STRING, false},
                          {ID_EDIT_SELECT_ALL, false},
                          {ID_EDIT_INVERT_SELECTION, false},
                          {ID_EDIT_FIND, false},
                          {ID_EDIT_FIND_NEXT, false},
                          {ID_FILE_IMPORT, false},
                          {ID_FILE_EXPORT, false},
                          {ID_FILE_OPEN_REFERENCE, true},
                          {ID_VIEW_UNTRANSLATED_ONLY, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(MenuEnabled(c.command), c.alwaysEnabled) << "at start, command " << c.command;
    }
    Command(ID_FILE_NEW);
    for (const Case& c : cases) {
        EXPECT_TRUE(MenuEnabled(c.command)) << "with a document, command " << c.command;
    }
    Command(ID_FILE_CLOSE);
    for (const Case& c : cases) {
        EXPECT_EQ(MenuEnabled(c.command), c.alwaysEnabled) << "after Close, command " << c.command;
    }
}

TEST_F(StringsStartup, KeepsTheListAboveTheStatusBarWhenResizedButNotWhenMinimised) {
    MoveWindow(MainWindow(), 10, 10, 800, 500, TRUE);
    RECT client = {};
    GetClientRect(MainWindow(), &client);
    RECT statusPart = {};
    SendMessageA(g_editor.statusBar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&statusPart));
    RECT list = {};
    GetWindowRect(List(), &list);
    MapWindowPoints(nullptr, MainWindow(), reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.top, 0);
    EXPECT_EQ(list.right, client.right);
    EXPECT_EQ(list.bottom, client.bottom - statusPart.bottom);
    const EntryList& recorded = g_editor.entryList;
    EXPECT_EQ(recorded.width, client.right);
    EXPECT_EQ(recorded.height, client.bottom - statusPart.bottom);

    SendMessageA(MainWindow(), WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    EXPECT_EQ(g_editor.entryList.width, client.right);
    RECT unchanged = {};
    GetWindowRect(List(), &unchanged);
    EXPECT_EQ(unchanged.right - unchanged.left, client.right);
}

TEST_F(StringsStartup, PassesTheFocusOnToTheList) {
    SetFocus(nullptr);
    SendMessageA(MainWindow(), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(GetFocus(), List());
}

TEST_F(StringsStartup, ExitAndTheCloseBoxQuitWithExitCodeZeroWhenNothingIsUnsaved) {
    const UINT ways[] = {WM_COMMAND, WM_CLOSE};
    for (UINT way : ways) {
        Command(ID_FILE_NEW);
        if (way == WM_COMMAND) {
            Command(ID_FILE_EXIT);
        } else {
            SendMessageA(MainWindow(), WM_CLOSE, 0, 0);
        }
        WPARAM exitCode = 1;
        EXPECT_TRUE(QuitPosted(&exitCode)) << way;
        EXPECT_EQ(exitCode, 0u);
        EXPECT_TRUE(g_script.messageBoxes.empty());
    }
}

TEST_F(StringsStartup, AboutNamesTheProgramAndItsVersionInAnInformationBoxOwnedByTheWindow) {
    Command(ID_HELP_ABOUT);
    ASSERT_EQ(g_script.messageBoxes.size(), 1u);
    const MessageBoxCall& about = g_script.messageBoxes[0];
    EXPECT_EQ(about.owner, MainWindow());
    EXPECT_EQ(about.caption, "About VRN DAT Editor");
    EXPECT_EQ(about.type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_NE(about.text.find("VRN DAT Editor"), std::string::npos);
    EXPECT_NE(about.text.find("1.00 Beta 1"), std::string::npos);
}

}  // namespace
