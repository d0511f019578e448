// The main window as created: its children, menu, accelerators, layout,
// minimum size, and how closing and Exit end the program.
#include <cstring>

#include "atlas_editor_fixture.h"

#include <commctrl.h>

#include "dpi.h"
#include "exceptions.h"
#include "mainwindow.h"
#include "pxaeditor_resource.h"

namespace {

using AtlasMainWindow = AtlasEditorTest;

std::string classOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string textOf(HWND window) {
    char text[MAX_PATH] = "";
    GetWindowTextA(window, text, MAX_PATH);
    return text;
}

LONG styleOf(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

bool hasStyle(HWND window, LONG style) { return (styleOf(window) & style) == style; }

// Records every command that reaches the main window, then lets it through.
std::vector<WORD> commandsSeen;
WNDPROC mainProcedure = nullptr;

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        commandsSeen.push_back(LOWORD(wParam));
    }
    return CallWindowProcA(mainProcedure, window, message, wParam, lParam);
}

// Holds Ctrl (and Shift) down, as far as GetKeyState can tell, while alive.
class ControlKeyDown {
public:
    explicit ControlKeyDown(bool shift = false) {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::memcpy(state, saved_, sizeof(state));
        state[VK_CONTROL] = 0x80;
        state[VK_LCONTROL] = 0x80;
        if (shift) {
            state[VK_SHIFT] = 0x80;
            state[VK_LSHIFT] = 0x80;
        }
        SetKeyboardState(state);
    }
    ~ControlKeyDown() { SetKeyboardState(saved_); }
    ControlKeyDown(const ControlKeyDown&) = delete;
    ControlKeyDown& operator=(const ControlKeyDown&) = delete;

private:
    BYTE saved_[256];
};

bool quitWasPosted() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

}  // namespace

TEST_F(AtlasMainWindow, StartsUntitledWithAnEmptyListNoPreviewAndTheEntryCommandsGreyed) {
    EXPECT_EQ(title(), "PXA Editor - [Unnamed]");
    EXPECT_TRUE(listItems().empty());
    EXPECT_TRUE(entryCommandsAre(true));
    EXPECT_FALSE(hasStyle(app->renderer, WS_VISIBLE));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(propertyValue(i), "");
    }
    ASSERT_TRUE(app->document);
    EXPECT_TRUE(app->document->isUntitled());
    EXPECT_FALSE(app->document->isModified());
    EXPECT_EQ(app->document->width(), 256u);
    EXPECT_EQ(app->document->height(), 256u);
    EXPECT_FALSE(hasStyle(app->mainWindow, WS_VISIBLE)) << "shown only by the message loop";
}

TEST_F(AtlasMainWindow, ChildrenHaveTheirClassesTextsParentsAndStyles) {
    struct Child {
        HWND window;
        const char* className;
        const char* text;
        HWND parent;
        LONG style;
        Placement placement;  // width 0: moved by the layout
    };
    const LONG visibleChild = WS_CHILD | WS_VISIBLE;
    const std::vector<Child> children = {
        {app->entryList,
         "SysListView32",
         "",
         app->mainWindow,
         visibleChild | LVS_REPORT | LVS_SORTASCENDING | LVS_EDITLABELS | LVS_NOSORTHEADER,
         {0, 0, 0, 0}},
        {app->propertiesBox, "Button", "Properties", app->mainWindow, visibleChild | BS_GROUPBOX, {0, 0, 0, 0}},
        {app->pictureBox, "Button", "Picture", app->mainWindow, visibleChild | BS_GROUPBOX, {0, 0, 0, 0}},
        {app->propertyLabels[0], "Static", "X:", app->propertiesBox, visibleChild, {8, 16, 42, 16}},
        {app->propertyLabels[1], "Static", "Y:", app->propertiesBox, visibleChild, {8, 32, 42, 16}},
        {app->propertyLabels[2], "Static", "Width:", app->propertiesBox, visibleChild, {8, 48, 42, 16}},
        {app->propertyLabels[3], "Static", "Height:", app->propertiesBox, visibleChild, {8, 64, 42, 16}},
        {app->propertyValues[0], "Static", "", app->propertiesBox, visibleChild, {50, 16, 40, 16}},
        {app->propertyValues[1], "Static", "", app->propertiesBox, visibleChild, {50, 32, 40, 16}},
        {app->propertyValues[2], "Static", "", app->propertiesBox, visibleChild, {50, 48, 40, 16}},
        {app->propertyValues[3], "Static", "", app->propertiesBox, visibleChild, {50, 64, 40, 16}},
        {app->renderer, "PXAEditorRenderer", "", app->pictureBox, WS_CHILD, {8, 16, 1, 1}},
    };
    EXPECT_EQ(classOf(app->mainWindow), "PXAEditor");
    EXPECT_TRUE(hasStyle(app->mainWindow, WS_OVERLAPPEDWINDOW));
    EXPECT_TRUE(GetWindowLongA(app->entryList, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    for (const Child& child : children) {
        SCOPED_TRACE(std::string(child.className) + " \"" + child.text + "\"");
        ASSERT_NE(child.window, nullptr);
        EXPECT_EQ(_stricmp(classOf(child.window).c_str(), child.className), 0) << classOf(child.window);
        EXPECT_EQ(textOf(child.window), child.text);
        EXPECT_EQ(GetParent(child.window), child.parent);
        EXPECT_TRUE(hasStyle(child.window, child.style)) << std::hex << styleOf(child.window);
        EXPECT_EQ(GetDlgCtrlID(child.window), 0);
        if (child.placement.width != 0) {
            EXPECT_EQ(PlacementOf(child.window), child.placement);
        }
    }
}

TEST_F(AtlasMainWindow, ListHasOneFullRowFilenameColumn) {
    char text[32] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof(text);
    ASSERT_TRUE(SendMessageA(app->entryList, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(text, "Filename");
    RECT list = {};
    GetClientRect(app->entryList, &list);
    EXPECT_EQ(column.cx, list.right) << "the only column fills the list";
    EXPECT_FALSE(SendMessageA(app->entryList, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
    EXPECT_TRUE(SendMessageA(app->entryList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
}

TEST_F(AtlasMainWindow, ControlsUseTheMessageFontAndBothOwnWindowsCarryTheApp) {
    const WPARAM font = reinterpret_cast<WPARAM>(app->font.font());
    LOGFONTW used = {};
    GetObjectW(app->font.font(), sizeof(used), &used);
    const LOGFONTW message = MessageLogFont(app->dpi);
    EXPECT_EQ(std::wstring(used.lfFaceName), std::wstring(message.lfFaceName));
    EXPECT_EQ(used.lfHeight, message.lfHeight);
    std::vector<HWND> withFont = {app->entryList, app->propertiesBox, app->pictureBox, app->statusBar};
    withFont.insert(withFont.end(), app->propertyLabels.begin(), app->propertyLabels.end());
    withFont.insert(withFont.end(), app->propertyValues.begin(), app->propertyValues.end());
    for (HWND window : withFont) {
        EXPECT_EQ(static_cast<WPARAM>(SendMessageA(window, WM_GETFONT, 0, 0)), font) << textOf(window);
    }
    EXPECT_EQ(SendMessageA(app->renderer, WM_GETFONT, 0, 0), 0);
    EXPECT_EQ(AppOfWindow(app->mainWindow), app.get());
    EXPECT_EQ(AppOfWindow(app->renderer), app.get());
}

TEST_F(AtlasMainWindow, MenuHasThePopupsItemsAndShortcutsInOrder) {
    struct Item {
        const char* text;  // null: separator
        UINT id;
        bool greyed;
    };
    const std::vector<std::pair<std::string, std::vector<Item>>> popups = {
        {"&File",
         {{"&New\tCtrl+N", ID_FILE_NEW, false},
          {"&Open\tCtrl+O", ID_FILE_OPEN, false},
          {nullptr, 0, false},
          {"&Save\tCtrl+S", ID_FILE_SAVE, false},
          {"Save &as\tCtrl+Shift+S", ID_FILE_SAVE_AS, false},
          {"E&xport...", ID_FILE_EXPORT, false},
          {nullptr, 0, false},
          {"&Exit", ID_FILE_EXIT, false}}},
        {"&Edit",
         {{"&Undo\tCtrl+Z", ID_EDIT_UNDO, true},
          {"&Redo\tCtrl+Y", ID_EDIT_REDO, true},
          {nullptr, 0, false},
          {"Select &All\tCtrl+A", ID_EDIT_SELECT_ALL, false},
          {nullptr, 0, false},
          {"&Insert File(s)", ID_EDIT_INSERT_FILES, false},
          {"&Extract File(s)", ID_EDIT_EXTRACT_FILES, true},
          {"&Rename File\tF2", ID_EDIT_RENAME_FILE, true},
          {nullptr, 0, false},
          {"&Delete File(s)\tDelete", ID_EDIT_DELETE_FILES, true},
          {nullptr, 0, false},
          {"&Compact Atlas", ID_EDIT_COMPACT_ATLAS, false}}},
        {"&View",
         {{"&Atlas\tCtrl+Shift+A", ID_VIEW_ATLAS, false},
          {nullptr, 0, false},
          {"Zoom &In\t+", ID_VIEW_ZOOM_IN, false},
          {"Zoom &Out\t-", ID_VIEW_ZOOM_OUT, false},
          {"Actual &Size (1:1)\tCtrl+1", ID_VIEW_ACTUAL_SIZE, false},
          {"Zoom to &Fit\tCtrl+0", ID_VIEW_FIT, false}}},
        {"&Help", {{"&About\tF1", ID_HELP_ABOUT, false}}},
    };
    EXPECT_EQ(ID_FILE_OPEN, 40001);
    EXPECT_EQ(ID_EDIT_SELECT_ALL, 57642);
    HMENU bar = GetMenu(app->mainWindow);
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(popups.size()));
    for (int p = 0; p < static_cast<int>(popups.size()); ++p) {
        char text[64] = "";
        GetMenuStringA(bar, static_cast<UINT>(p), text, sizeof(text), MF_BYPOSITION);
        EXPECT_EQ(text, popups[static_cast<std::size_t>(p)].first);
        HMENU popup = GetSubMenu(bar, p);
        const std::vector<Item>& items = popups[static_cast<std::size_t>(p)].second;
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(items.size())) << text;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
            if (items[i].text == nullptr) {
                EXPECT_TRUE(state & MF_SEPARATOR) << text << " item " << i;
                continue;
            }
            char itemText[64] = "";
            GetMenuStringA(popup, static_cast<UINT>(i), itemText, sizeof(itemText), MF_BYPOSITION);
            EXPECT_STREQ(itemText, items[i].text);
            EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)), items[i].id) << itemText;
            EXPECT_EQ((state & MF_GRAYED) != 0, items[i].greyed) << itemText;
        }
    }
}

TEST(AtlasAccelerators, TableHasTheKeysOfTheMenuCommands) {
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32] = {};
    const int count = CopyAcceleratorTableA(table, entries, 32);
    const std::vector<ACCEL> expected = {
        {FVIRTKEY | FNOINVERT, VK_DELETE, ID_EDIT_DELETE_FILES},
        {FVIRTKEY | FNOINVERT, VK_F2, ID_EDIT_RENAME_FILE},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'N', ID_FILE_NEW},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'O', ID_FILE_OPEN},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'S', ID_FILE_SAVE},
        {FVIRTKEY | FCONTROL | FSHIFT | FNOINVERT, 'S', ID_FILE_SAVE_AS},
        {FVIRTKEY | FNOINVERT, VK_F1, ID_HELP_ABOUT},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'A', ID_EDIT_SELECT_ALL},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'Z', ID_EDIT_UNDO},
        {FVIRTKEY | FCONTROL | FNOINVERT, 'Y', ID_EDIT_REDO},
        {FVIRTKEY | FCONTROL | FSHIFT | FNOINVERT, 'Z', ID_EDIT_REDO},
        {FVIRTKEY | FCONTROL | FSHIFT | FNOINVERT, 'A', ID_VIEW_ATLAS},
        {FNOINVERT, '+', ID_VIEW_ZOOM_IN},
        {FVIRTKEY | FNOINVERT, VK_ADD, ID_VIEW_ZOOM_IN},
        {FNOINVERT, '-', ID_VIEW_ZOOM_OUT},
        {FVIRTKEY | FNOINVERT, VK_SUBTRACT, ID_VIEW_ZOOM_OUT},
        {FVIRTKEY | FCONTROL | FNOINVERT, '1', ID_VIEW_ACTUAL_SIZE},
        {FVIRTKEY | FCONTROL | FNOINVERT, VK_NUMPAD1, ID_VIEW_ACTUAL_SIZE},
        {FVIRTKEY | FCONTROL | FNOINVERT, '0', ID_VIEW_FIT},
        {FVIRTKEY | FCONTROL | FNOINVERT, VK_NUMPAD0, ID_VIEW_FIT},
    };
    ASSERT_EQ(count, static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(entries[i].fVirt & ~0x80, expected[i].fVirt) << i;  // 0x80 marks the table's last entry
        EXPECT_EQ(entries[i].key, expected[i].key) << i;
        EXPECT_EQ(entries[i].cmd, expected[i].cmd) << i;
    }
}

TEST_F(AtlasMainWindow, AcceleratorsSendTheirCommandsUnlessTheMenuItemIsGreyed) {
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    commandsSeen.clear();
    mainProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(app->mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordingProcedure)));
    const auto press = [&](WPARAM key) {
        MSG message = {app->entryList, WM_KEYDOWN, key, 1, 0, {0, 0}};
        DispatchEditorMessage(*app, table, message);
    };

    press(VK_DELETE);
    press(VK_F2);
    EXPECT_TRUE(commandsSeen.empty()) << "greyed items send nothing";
    {
        ControlKeyDown control;
        press('Z');  // nothing to undo: greyed
        press('S');  // untitled: asks for an index file name; cancelled
        press('O');  // asks for an index file; cancelled
    }
    {
        ControlKeyDown controlAndShift(true);
        press('S');  // Save as: asks for an index file name; cancelled
    }
    EXPECT_EQ(commandsSeen, (std::vector<WORD>{ID_FILE_SAVE, ID_FILE_OPEN, ID_FILE_SAVE_AS}));
    ASSERT_EQ(Script().fileDialogs.size(), 3u);
    EXPECT_TRUE(Script().fileDialogs[0].save);
    EXPECT_FALSE(Script().fileDialogs[1].save);
    EXPECT_TRUE(Script().fileDialogs[2].save);
    Script().unansweredDialogs = 0;

    press('N');  // without Ctrl: no accelerator
    EXPECT_EQ(commandsSeen.size(), 3u);
    SetWindowLongPtrA(app->mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainProcedure));
}

TEST_F(AtlasMainWindow, LayoutFollowsTheClientArea) {
    RECT frame = {0, 0, 800, 600};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    SetWindowPos(app->mainWindow, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = {};
    GetClientRect(app->mainWindow, &client);
    ASSERT_EQ(client.right, 800);
    ASSERT_EQ(client.bottom, 600);
    ASSERT_EQ(app->dpi, 96u);

    const Placement status = PlacementOf(app->statusBar);
    EXPECT_EQ(status.y + status.height, 600) << "the status bar lies along the bottom";
    EXPECT_EQ(status.width, 800);
    const int above = status.y;
    EXPECT_EQ(PlacementOf(app->entryList), (Placement{0, 0, 400, above}));
    EXPECT_EQ(PlacementOf(app->propertiesBox), (Placement{408, 0, 100, 88}));
    EXPECT_EQ(PlacementOf(app->pictureBox), (Placement{408, 108, 384, above - 116}));
    EXPECT_EQ(PlacementOf(app->renderer), (Placement{8, 16, 1, 1})) << "the preview keeps its place";
}

// The bar between the list and the right-hand column follows the mouse, within
// bounds; a new DPI scales everything, the splitter's place included.
TEST_F(AtlasMainWindow, TheSplitterAndANewDpiMoveTheLayout) {
    RECT frame = {0, 0, 800, 600};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    SetWindowPos(app->mainWindow, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const auto drag = [&](int from, int to) {
        SendMessageA(app->mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, 50));
        SendMessageA(app->mainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, 50));
        SendMessageA(app->mainWindow, WM_LBUTTONUP, 0, MAKELPARAM(to, 50));
    };
    const std::pair<int, int> drags[] = {{403, 303}, {305, 5}, {101, 2000}, {50, 700}};  // the last misses the bar
    const int listWidths[] = {300, 100, 800 - 8 - 100 - 8, 800 - 8 - 100 - 8};
    for (std::size_t i = 0; i < 4; ++i) {
        drag(drags[i].first, drags[i].second);
        EXPECT_EQ(PlacementOf(app->entryList).width, listWidths[i]) << i;
        EXPECT_EQ(PlacementOf(app->propertiesBox).x, listWidths[i] + 8) << i;
        const Placement picture = PlacementOf(app->pictureBox);
        EXPECT_EQ(picture.x + picture.width, 792) << i;
    }
    drag(684 + 3, 400 + 3);

    RECT window = {};
    GetWindowRect(app->mainWindow, &window);
    for (const UINT dpi : {144u, 192u, 96u}) {
        RECT suggested = {window.left, window.top, window.left + ScaleForDpi(window.right - window.left, dpi),
                          window.top + ScaleForDpi(window.bottom - window.top, dpi)};
        SendMessageA(app->mainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        SCOPED_TRACE(dpi);
        EXPECT_EQ(app->dpi, dpi);
        LOGFONTW used = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageA(app->entryList, WM_GETFONT, 0, 0)), sizeof(used), &used);
        EXPECT_EQ(used.lfHeight, MessageLogFont(dpi).lfHeight);
        const Placement properties = PlacementOf(app->propertiesBox);
        EXPECT_EQ(properties.x, PlacementOf(app->entryList).width + ScaleForDpi(8, dpi));
        EXPECT_GE(properties.width, ScaleForDpi(100, dpi));
        EXPECT_GE(properties.height, ScaleForDpi(88, dpi));
        EXPECT_EQ(PlacementOf(app->propertyValues[0]).x,
                  PlacementOf(app->propertyLabels[0]).x + PlacementOf(app->propertyLabels[0]).width);
    }
    // The screen may be too small for the window at 192 DPI; the splitter
    // keeps its place for when there is room again.
    EXPECT_EQ(PlacementOf(app->entryList).width, 400) << "back at 96 DPI";
    EXPECT_EQ(PlacementOf(app->propertiesBox), (Placement{408, 0, 100, 88}));
}

TEST_F(AtlasMainWindow, DraggingAnEdgeBelowTheMinimumSizeHoldsTheOppositeEdge) {
    struct Drag {
        WPARAM edge;
        RECT proposed;
        RECT expected;
    };
    const std::vector<Drag> drags = {
        {WMSZ_LEFT, {500, 100, 1000, 600}, {350, 100, 1000, 600}},
        {WMSZ_TOPLEFT, {500, 450, 1000, 600}, {350, 300, 1000, 600}},
        {WMSZ_BOTTOMLEFT, {500, 100, 1000, 200}, {350, 100, 1000, 400}},
        {WMSZ_RIGHT, {100, 100, 600, 600}, {100, 100, 750, 600}},
        {WMSZ_TOPRIGHT, {100, 450, 600, 600}, {100, 300, 750, 600}},
        {WMSZ_BOTTOMRIGHT, {100, 100, 600, 200}, {100, 100, 750, 400}},
        {WMSZ_TOP, {100, 450, 900, 600}, {100, 300, 900, 600}},
        {WMSZ_BOTTOM, {100, 100, 900, 350}, {100, 100, 900, 400}},
        {WMSZ_LEFT, {100, 100, 750, 400}, {100, 100, 750, 400}},
        {WMSZ_BOTTOMRIGHT, {0, 0, 2000, 1500}, {0, 0, 2000, 1500}},
    };
    for (const Drag& drag : drags) {
        RECT rect = drag.proposed;
        SendMessageA(app->mainWindow, WM_SIZING, drag.edge, reinterpret_cast<LPARAM>(&rect));
        EXPECT_TRUE(EqualRect(&rect, &drag.expected))
            << "edge " << drag.edge << ": " << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    }
}

TEST_F(AtlasMainWindow, ClosingAnUnchangedDocumentAsksNothingAndEndsTheLoop) {
    SendMessageA(app->mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Script().messageBoxes.empty());
    EXPECT_FALSE(IsWindow(app->mainWindow));
    EXPECT_TRUE(quitWasPosted());
}

TEST_F(AtlasMainWindow, ClosingAChangedDocumentFollowsTheAnswer) {
    modifyDocument();
    Script().messageBoxAnswers = {IDCANCEL};
    SendMessageA(app->mainWindow, WM_CLOSE, 0, 0);
    ASSERT_EQ(Script().messageBoxes.size(), 1u);
    EXPECT_EQ(Script().messageBoxes[0].text, "The file has been modified. Do you want to save the modifications?");
    EXPECT_EQ(Script().messageBoxes[0].caption, "Warning");
    EXPECT_EQ(Script().messageBoxes[0].type, static_cast<UINT>(MB_ICONWARNING | MB_YESNOCANCEL));
    EXPECT_EQ(Script().messageBoxes[0].owner, app->mainWindow);
    EXPECT_TRUE(IsWindow(app->mainWindow));
    EXPECT_FALSE(quitWasPosted());

    Script().messageBoxAnswers = {IDNO};
    SendMessageA(app->mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(Script().messageBoxes.size(), 2u);
    EXPECT_FALSE(IsWindow(app->mainWindow));
    EXPECT_TRUE(quitWasPosted());
    EXPECT_TRUE(Script().fileDialogs.empty()) << "No saves nothing";
}

TEST_F(AtlasMainWindow, ExitEndsTheLoopAndLeavesTheWindowToTheTearDown) {
    command(ID_FILE_EXIT);
    EXPECT_TRUE(quitWasPosted());
    EXPECT_TRUE(IsWindow(app->mainWindow));
    HWND window = app->mainWindow;
    ReleaseApp(*app);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(app->document);
    EXPECT_TRUE(app->readableTypes.empty());
}

TEST_F(AtlasMainWindow, ExitOfAChangedDocumentCancelledInThePromptKeepsRunning) {
    modifyDocument();
    Script().messageBoxAnswers = {IDCANCEL};
    command(ID_FILE_EXIT);
    EXPECT_EQ(Script().messageBoxes.size(), 1u);
    EXPECT_FALSE(quitWasPosted());
}

namespace {

int throwingMessageBox(HWND, const char*, const char*, UINT) { THROW_AT_SITE(Exception, "Unable to show box"); }

}  // namespace

// An exception that leaves a command must not unwind through the system's
// code that called the window procedure: it ends the loop, which throws it
// to the entry point's report.
TEST_F(AtlasMainWindow, AnExceptionFromACommandEndsTheLoopAndIsThrownFromIt) {
    app->ui.messageBox = throwingMessageBox;
    command(ID_HELP_ABOUT);
    EXPECT_TRUE(app->pendingFailure);
    try {
        RunMessageLoop(*app);
        ADD_FAILURE() << "the loop ended without the exception";
    } catch (const Exception& failure) {
        EXPECT_EQ(failure.message, "Unable to show box");
    }
    EXPECT_FALSE(app->pendingFailure);
}
