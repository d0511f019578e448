#include "mainwindow.h"

#include <commctrl.h>

#include <new>

#include "documentcommands.h"
#include "droppedfiles.h"
#include "editorstate.h"
#include "entrycommands.h"
#include "entrylist.h"
#include "findcommands.h"
#include "stringtableeditor_resource.h"
#include "waitcursor.h"

namespace {

const char kMainWindowClass[] = "DAT_EDITOR";

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
    g_editor.ui.messageBox(nullptr,
                           "VRN DAT Editor 1.00 Beta 1\n\n"
                           "Creates and edits Varnis text tables (.DAT files): named strings, "
                           "sortable by name or by text.",
                           "About VRN DAT Editor", MB_OK | MB_ICONINFORMATION);
}

void OnCommand(WORD command) {
    switch (command) {
    case ID_FILE_NEW: NewCommand(); break;
    case ID_FILE_OPEN: OpenCommand(); break;
    case ID_FILE_CLOSE: CloseCommand(); break;
    case ID_FILE_SAVE: SaveCommand(); break;
    case ID_FILE_SAVE_AS: SaveAsCommand(); break;
    case ID_FILE_EXIT: PostQuitMessage(0); break;
    case ID_HELP_ABOUT: ShowAbout(); break;
    case ID_EDIT_INSERT_STRING: InsertStringCommand(); break;
    case ID_EDIT_EDIT_STRING: EditStringCommand(); break;
    case ID_EDIT_DELETE_STRING: DeleteStringCommand(); break;
    case ID_EDIT_SELECT_ALL: SelectAllCommand(); break;
    case ID_EDIT_INVERT_SELECTION: InvertSelectionCommand(); break;
    case ID_EDIT_FIND: FindCommand(); break;
    case ID_EDIT_FIND_NEXT: FindNextCommand(); break;
    }
}

void OnNotify(const NMHDR& notification) {
    if (notification.hwndFrom == nullptr || notification.hwndFrom != g_editor.entryList.listWindow) {
        return;
    }
    if (notification.code == LVN_COLUMNCLICK) {
        const auto& click = reinterpret_cast<const NMLISTVIEW&>(notification);
        WaitCursor wait;
        EntryListColumnClicked(g_editor.entryList, click.iSubItem);
    } else if (notification.code == NM_DBLCLK) {
        EditStringCommand();
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
        SendMessageA(g_editor.statusBar, WM_SIZE, sizeType, size);
        SendMessageA(g_editor.statusBar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&statusRect));
    }
    if (g_editor.entryList.listWindow != nullptr) {
        RECT client = {};
        GetClientRect(g_editor.mainWindow, &client);
        EntryListMove(g_editor.entryList, client.left, client.top, client.right - client.left,
                      client.bottom - client.top - statusRect.bottom);
    }
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
}

bool FailStart(const char* message) {
    MessageBoxA(nullptr, message, "VRN DAT Editor", MB_OK | MB_ICONERROR);
    ShutdownEditor();
    return false;
}

}  // namespace

bool StartEditor(HINSTANCE instance, int showCommand, const ModalUi& ui) {
    ResetEditorState();
    g_editor.instance = instance;
    g_editor.ui = ui;
    if (!RegisterMainWindowClass(instance)) {
        return FailStart("The main window class cannot be registered.");
    }
    HWND window = CreateWindowExA(0, kMainWindowClass, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 600, 400, nullptr, nullptr, instance, nullptr);
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
    g_editor.statusBar =
        CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS, "Done", window, 0);
    if (g_editor.statusBar == nullptr) {
        return FailStart("The status bar cannot be created.");
    }
    EnableDocumentCommands(false);
    LayOutMainWindow();
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}

// Every dialog is modal and pumps its own messages, so the accelerators
// only ever see keys meant for the main window and its list.
void RunMessageLoop() {
    HACCEL accelerators = LoadAcceleratorsA(g_editor.instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (accelerators == nullptr || TranslateAcceleratorA(g_editor.mainWindow, accelerators, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void ShutdownEditor() {
    HWND window = g_editor.mainWindow;
    HINSTANCE instance = g_editor.instance;
    // The window goes first: its rows point at the table's entries.
    if (window != nullptr && IsWindow(window)) {
        DestroyWindow(window);
    }
    ResetEditorState();
    UnregisterClassA(kMainWindowClass, instance);
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
    case WM_NOTIFY: OnNotify(*reinterpret_cast<const NMHDR*>(lParam)); return 0;
    case WM_NOTIFYFORMAT:
        // The list's notifications carry UTF-16 texts (see CreateEntryList).
        if (g_editor.entryList.listWindow != nullptr &&
            reinterpret_cast<HWND>(wParam) == g_editor.entryList.listWindow) {
            return NFR_UNICODE;
        }
        break;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_CLOSE:
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
