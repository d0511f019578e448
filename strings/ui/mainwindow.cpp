#include "mainwindow.h"

#include <commctrl.h>

#include <new>

#include "documentcommands.h"
#include "dpi.h"
#include "droppedfiles.h"
#include "editorsettings.h"
#include "editorstate.h"
#include "entrycommands.h"
#include "entrylist.h"
#include "findcommands.h"
#include "statusbar.h"
#include "translationcommands.h"
#include "stringtableeditor_resource.h"
#include "waitcursor.h"

namespace {

const char kMainWindowClass[] = "DAT_EDITOR";

// The main window's size at 96 DPI, and the least width of the Text column.
constexpr int kWindowWidth = 600;
constexpr int kWindowHeight = 400;
constexpr int kLeastTextColumnWidth = 50;

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExA(&windowClass) != 0;
}

void ShowAbout() {
    g_editor.ui.messageBox(g_editor.mainWindow,
                           "VRN DAT Editor 1.00 Beta 1\n\n"
                           "Creates and edits Varnis text tables (.DAT files): named strings, "
                           "sortable by name or by text.",
                           "About VRN DAT Editor", MB_OK | MB_ICONINFORMATION);
}

void ReportOutOfMemory() {
    g_editor.ui.messageBox(g_editor.mainWindow, "There is not enough memory to finish the command.", "Error",
                           MB_OK | MB_ICONERROR);
}

// Every command leaves the document as it was when it runs out of memory;
// one that throws std::bad_alloc ends here, with a message, and the program
// goes on. Nothing may be thrown through the system's code that called the
// window procedure.
template <typename Handler>
LRESULT Guarded(Handler handler, LRESULT onFailure) {
    try {
        return handler();
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return onFailure;
    }
}

void OnCommand(WORD command) {
    switch (command) {
    case ID_FILE_NEW: NewCommand(); break;
    case ID_FILE_OPEN: OpenCommand(); break;
    case ID_FILE_CLOSE: CloseCommand(); break;
    case ID_FILE_SAVE: SaveCommand(); break;
    case ID_FILE_SAVE_AS: SaveAsCommand(); break;
    case ID_FILE_EXIT: ExitCommand(); break;
    case ID_HELP_ABOUT: ShowAbout(); break;
    case ID_EDIT_INSERT_STRING: InsertStringCommand(); break;
    case ID_EDIT_EDIT_STRING: EditStringCommand(); break;
    case ID_EDIT_DELETE_STRING: DeleteStringCommand(); break;
    case ID_EDIT_SELECT_ALL: SelectAllCommand(); break;
    case ID_EDIT_INVERT_SELECTION: InvertSelectionCommand(); break;
    case ID_EDIT_FIND: FindCommand(); break;
    case ID_EDIT_FIND_NEXT: FindNextCommand(); break;
    case ID_FILE_IMPORT: ImportCommand(); break;
    case ID_FILE_EXPORT: ExportCommand(); break;
    case ID_FILE_OPEN_REFERENCE: OpenReferenceCommand(); break;
    case ID_FILE_CLOSE_REFERENCE: CloseReferenceCommand(); break;
    case ID_VIEW_UNTRANSLATED_ONLY: UntranslatedOnlyCommand(); break;
    default: OpenRecentFileCommand(g_editor.recentFilesMenu.indexOf(command)); break;
    }
    RequestStatusUpdate();
}

void OnHeaderNotify(const NMHDR& notification) {
    const auto& header = reinterpret_cast<const NMHEADERA&>(notification);
    if ((notification.code == HDN_ITEMCHANGEDA || notification.code == HDN_ITEMCHANGEDW) &&
        (header.iItem == 0 || header.iItem == 2)) {
        EntryListFitTextColumn(g_editor.entryList);
    }
}

void OnNotify(const NMHDR& notification) {
    HWND list = g_editor.entryList.listWindow;
    if (notification.hwndFrom == nullptr || list == nullptr) {
        return;
    }
    if (notification.hwndFrom == reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0))) {
        OnHeaderNotify(notification);
        return;
    }
    if (notification.hwndFrom != list) {
        return;
    }
    if (notification.code == LVN_COLUMNCLICK) {
        const auto& click = reinterpret_cast<const NMLISTVIEW&>(notification);
        WaitCursor wait;
        if (!EntryListColumnClicked(g_editor.entryList, click.iSubItem)) {
            ReportOutOfMemory();
        }
    } else if (notification.code == NM_DBLCLK) {
        EditStringCommand();
        RequestStatusUpdate();
    } else if (notification.code == LVN_ITEMCHANGED || notification.code == LVN_ODSTATECHANGED) {
        RequestStatusUpdate();
    } else if (notification.code == LVN_GETDISPINFOW) {
        EntryListGetDisplayInfo(g_editor.entryList,
                                const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(notification)));
    }
}

void OnSize(WPARAM sizeType, LPARAM size) {
    if (sizeType == SIZE_MINIMIZED) {
        return;
    }
    RECT statusRect = {};
    if (g_editor.statusBar != nullptr) {
        LayOutStatusBar(sizeType, size);
        SendMessageA(g_editor.statusBar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&statusRect));
    }
    if (g_editor.entryList.listWindow != nullptr) {
        RECT client = {};
        GetClientRect(g_editor.mainWindow, &client);
        EntryListMove(g_editor.entryList, client.left, client.top, client.right - client.left,
                      client.bottom - client.top - statusRect.bottom);
    }
}

// The list and the status bar show their texts in the message font at the
// window's DPI.
void ApplyDpi(UINT dpi) {
    g_editor.dpi = dpi;
    UniqueFont font = CreateMessageFont(dpi);
    if (font) {
        for (HWND control : {g_editor.entryList.listWindow, g_editor.statusBar}) {
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.font()), TRUE);
        }
        g_editor.font = std::move(font);  // the old font goes once no control uses it
    }
    g_editor.entryList.leastTextColumnWidth = ScaleForDpi(kLeastTextColumnWidth, dpi);
}

// The window moved to a monitor of another scale (or the scale changed): the
// system suggests the window's new rectangle, and everything inside scales.
void OnDpiChanged(UINT dpi, const RECT& suggested) {
    const UINT oldDpi = g_editor.dpi;
    const int nameWidth = static_cast<int>(SendMessageA(g_editor.entryList.listWindow, LVM_GETCOLUMNWIDTH, 0, 0));
    const int referenceWidth = EntryListReferenceColumnWidth(g_editor.entryList);
    ApplyDpi(dpi);
    if (referenceWidth > 0) {
        SendMessageA(g_editor.entryList.listWindow, LVM_SETCOLUMNWIDTH, 2,
                     MAKELPARAM(MulDiv(referenceWidth, static_cast<int>(dpi), static_cast<int>(oldDpi)), 0));
    }
    EntryListSetNameColumnWidth(g_editor.entryList, MulDiv(nameWidth, static_cast<int>(dpi), static_cast<int>(oldDpi)));
    SetWindowPos(g_editor.mainWindow, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutMainWindow();  // the status bar's height follows its font even when the size stays
}

// Reading the paths needs memory; nothing may be thrown through the system's code.
void OnDropFiles(HDROP drop) {
    const DroppedFiles dropped(drop);
    try {
        OpenFirstTable(dropped.paths());
    } catch (const std::bad_alloc&) {
        g_editor.ui.messageBox(g_editor.mainWindow, "There is not enough memory to open the dropped file.", "Error",
                               MB_OK | MB_ICONERROR);
    }
    RequestStatusUpdate();
}

// Destroys what was made, without remembering anything of it.
void DestroyEditor() {
    HWND window = g_editor.mainWindow;
    HINSTANCE instance = g_editor.instance;
    // The window goes first: its rows point at the table's entries.
    if (window != nullptr && IsWindow(window)) {
        DestroyWindow(window);
    }
    ResetEditorState();
    UnregisterClassA(kMainWindowClass, instance);
}

bool FailStart(const char* message) {
    MessageBoxA(nullptr, message, "VRN DAT Editor", MB_OK | MB_ICONERROR);
    DestroyEditor();
    return false;
}

}  // namespace

bool StartEditor(HINSTANCE instance, int showCommand, const ModalUi& ui, const SettingsStore& settings) {
    ResetEditorState();
    g_editor.instance = instance;
    g_editor.ui = ui;
    g_editor.settings = settings;
    if (!RegisterMainWindowClass(instance)) {
        return FailStart("The main window class cannot be registered.");
    }
    // Hidden until it is in its place (ShowMainWindowAsSaved).
    const UINT systemDpi = SystemDpi();
    HWND window = CreateWindowExA(0, kMainWindowClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  ScaleForDpi(kWindowWidth, systemDpi), ScaleForDpi(kWindowHeight, systemDpi), nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) {
        return FailStart("The main window cannot be created.");
    }
    g_editor.mainWindow = window;
    SetDocumentTitle(nullptr);
    DragAcceptFiles(window, TRUE);

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    if (!ObtainTableHeap()) {
        return FailStart("There is not enough memory to start.");
    }
    if (!CreateEntryList(g_editor.entryList, window, instance)) {
        return FailStart("The list of strings cannot be created.");
    }
    g_editor.statusBar = CreateStatusBar(window);
    if (g_editor.statusBar == nullptr) {
        return FailStart("The status bar cannot be created.");
    }
    g_editor.accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    g_editor.recentFilesMenu = RecentFilesMenu(GetSubMenu(GetMenu(window), 0), ID_FILE_EXIT, ID_FILE_RECENT_FIRST);
    ApplyDpi(WindowDpi(window));
    EnableDocumentCommands(false);
    UpdateTranslationMenu();
    try {
        LoadEditorSettings();
        EntryListSetNameColumnWidth(g_editor.entryList, ScaleForDpi(RememberedNameColumnWidth(), g_editor.dpi));
        LayOutMainWindow();
        ShowMainWindowAsSaved(showCommand);
    } catch (const std::bad_alloc&) {
        return FailStart("There is not enough memory to start.");
    }
    UpdateStatusBar();
    UpdateWindow(window);
    return true;
}

// Every dialog is modal and pumps its own messages, so the accelerators
// only ever see keys meant for the main window and its list.
void RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!TranslateEditorKeys(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

bool TranslateEditorKeys(MSG& message) {
    return g_editor.accelerators != nullptr &&
           TranslateAcceleratorA(g_editor.mainWindow, g_editor.accelerators, &message) != 0;
}

void ShutdownEditor() {
    if (g_editor.mainWindow != nullptr && IsWindow(g_editor.mainWindow)) {
        SaveWindowSettings();
    }
    DestroyEditor();
}

void LayOutMainWindow() {
    RECT client = {};
    GetClientRect(g_editor.mainWindow, &client);
    OnSize(SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: OnSize(wParam, lParam); return 0;
    case WM_SETFOCUS:
        if (g_editor.entryList.listWindow != nullptr && window == g_editor.mainWindow) {
            SetFocus(g_editor.entryList.listWindow);
        }
        return 0;
    case WM_NOTIFY:
        return Guarded(
            [lParam] {
                OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
                return LRESULT(0);
            },
            0);
    case WM_NOTIFYFORMAT:
        // The list's notifications carry UTF-16 texts (see CreateEntryList).
        if (g_editor.entryList.listWindow != nullptr &&
            reinterpret_cast<HWND>(wParam) == g_editor.entryList.listWindow) {
            return NFR_UNICODE;
        }
        break;
    case WM_COMMAND:
        return Guarded(
            [wParam] {
                OnCommand(LOWORD(wParam));
                return LRESULT(0);
            },
            0);
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_DPICHANGED:
        if (window == g_editor.mainWindow) {
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        }
        break;
    case kStatusUpdateMessage: UpdateStatusBar(); return 0;
    case WM_CLOSE:
        return Guarded(
            [] {
                ExitCommand();
                return LRESULT(0);
            },
            0);
    // Windows is ending the session: the changes are saved, given up or the
    // end refused, as on Exit.
    case WM_QUERYENDSESSION: return Guarded([] { return LRESULT(ConfirmDiscard() ? TRUE : FALSE); }, FALSE);
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
