#include "mainwindow.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "aboutbox.h"
#include "atlascommands.h"
#include "atlasview.h"
#include "commandrun.h"
#include "documentcommands.h"
#include "documentstatus.h"
#include "dpi.h"
#include "droppedfiles.h"
#include "editorapp.h"
#include "editorsettings.h"
#include "entrycommands.h"
#include "exceptions.h"
#include "filedrop.h"
#include "historycommands.h"
#include "listnotifications.h"
#include "pxaeditor_resource.h"
#include "renderer.h"
#include "windowlayout.h"

namespace {

const char mainWindowClass[] = "PXAEditor";
const char rendererWindowClass[] = "PXAEditorRenderer";

[[noreturn]] void failCreation() { THROW_AT_SITE(Exception, "Unable to create main window"); }

// The program's icon for the window class: the large one (the system scales
// it for Alt+Tab) and the small one of the title bar, each in the size the
// system asks for.
HICON programIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_SHARED));
}

void registerClass(HINSTANCE instance, const char* name, WNDPROC procedure, HBRUSH background, const char* menu) {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(instance, name, &existing)) {
        return;  // an earlier window set of this process registered it
    }
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = programIcon(instance, SM_CXICON, SM_CYICON);
    windowClass.hIconSm = programIcon(instance, SM_CXSMICON, SM_CYSMICON);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszMenuName = menu;
    windowClass.lpszClassName = name;
    if (RegisterClassExA(&windowClass) == 0) {
        failCreation();
    }
}

HWND createWindow(const EditorApp& app, DWORD extendedStyle, const char* className, const char* text, DWORD style,
                  int x, int y, int width, int height, HWND parent) {
    HWND window = CreateWindowExA(extendedStyle, className, text, style, x, y, width, height, parent, nullptr,
                                  app.instance, nullptr);
    if (window == nullptr) {
        failCreation();
    }
    return window;
}

void addFilenameColumn(HWND entryList) {
    SendMessageA(entryList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    char title[] = "Filename";
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 390;
    column.pszText = title;
    SendMessageA(entryList, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

void onCommand(EditorApp& app, WORD command) {
    switch (command) {
    case ID_FILE_OPEN:
        if (ConfirmDiscard(app)) {
            OpenDocument(app);
        }
        break;
    case ID_FILE_SAVE: SaveDocument(app, false); break;
    case ID_FILE_SAVE_AS: SaveDocument(app, true); break;
    case ID_FILE_NEW: NewCommand(app); break;
    case ID_FILE_EXIT:
        if (ConfirmDiscard(app)) {
            PostQuitMessage(0);
        }
        break;
    case ID_HELP_ABOUT: AboutCommand(app); break;
    case ID_EDIT_INSERT_FILES: InsertFilesCommand(app); break;
    case ID_EDIT_DELETE_FILES: DeleteFilesCommand(app); break;
    case ID_EDIT_RENAME_FILE: StartRenameCommand(app); break;
    case ID_EDIT_EXTRACT_FILES: ExtractFilesCommand(app); break;
    case ID_EDIT_SELECT_ALL: SelectAllCommand(app); break;
    case ID_EDIT_UNDO: UndoCommand(app); break;
    case ID_EDIT_REDO: RedoCommand(app); break;
    case ID_EDIT_COMPACT_ATLAS: CompactAtlasCommand(app); break;
    case ID_FILE_EXPORT: ExportAtlasCommand(app); break;
    case ID_VIEW_ATLAS: ToggleAtlasView(app); break;
    case ID_VIEW_ZOOM_IN: ZoomPictureBy(app, true); break;
    case ID_VIEW_ZOOM_OUT: ZoomPictureBy(app, false); break;
    case ID_VIEW_ACTUAL_SIZE: ZoomPicture(app, 1, {0, 0}); break;
    case ID_VIEW_FIT: ZoomPictureToFit(app); break;
    default: OpenRecentDocumentCommand(app, command); break;
    }
}

// A mouse message's position in the client area; x and y are signed (a
// captured mouse can be left of or above the window).
POINT pointOf(LPARAM lParam) { return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

LRESULT handleMainWindowMessage(EditorApp* app, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (app != nullptr) {
            LayOutChildren(*app);
        }
        break;
    case WM_SIZING:
        EnforceMinimumSize(wParam, *reinterpret_cast<RECT*>(lParam), app != nullptr ? app->dpi : WindowDpi(window));
        break;
    case WM_DPICHANGED:
        if (app != nullptr) {
            OnDpiChanged(*app, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (app != nullptr && reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT &&
            SetSplitterCursor(*app)) {
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        if (app != nullptr && OnSplitterButtonDown(*app, pointOf(lParam))) {
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (app != nullptr && OnSplitterMouseMove(*app, pointOf(lParam))) {
            return 0;
        }
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (app != nullptr) {
            OnSplitterButtonUp(*app);
        }
        break;
    case WM_SETFOCUS:
        if (app != nullptr) {
            SetFocus(app->entryList);
        }
        break;
    case WM_CLOSE: {
        bool close = app == nullptr;
        if (app != nullptr) {
            RunCommand(*app, [&] { close = ConfirmDiscard(*app); });
        }
        if (close) {
            if (app != nullptr) {
                SaveWindowSettings(*app);
            }
            DestroyWindow(window);
            PostQuitMessage(0);
        }
        return 0;
    }
    case WM_NOTIFY:
        if (app != nullptr) {
            OnListNotify(*app, *reinterpret_cast<const NMHDR*>(lParam));
        }
        break;
    case WM_COMMAND:
        if (app != nullptr && lParam == 0) {
            RunCommand(*app, [&] { onCommand(*app, LOWORD(wParam)); });
        }
        break;
    case WM_DROPFILES: {
        const DroppedFiles dropped(reinterpret_cast<HDROP>(wParam));
        if (app != nullptr) {
            RunCommand(*app, [&] { InsertDroppedFiles(*app, dropped.paths()); });
        }
        return 0;  // DragFinish has released the drop: DefWindowProcA must not see it
    }
    case selectionStatusMessage:
        if (app != nullptr) {
            RefreshSelectionStatus(*app);
        }
        return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

EditorApp::~EditorApp() { ReleaseApp(*this); }

EditorApp* AppOfWindow(HWND window) { return reinterpret_cast<EditorApp*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void CreateWindows(EditorApp& app) {
    // The list view and the status bar are common controls; their classes
    // exist once the library has been initialised for them.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    registerClass(app.instance, mainWindowClass, MainWindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                  MAKEINTRESOURCEA(IDR_MAIN_MENU));
    registerClass(app.instance, rendererWindowClass, RendererWindowProc, nullptr, nullptr);

    // Before the window exists, its size is for the DPI of the primary
    // monitor; WM_DPICHANGED follows where it is shown on another one.
    const UINT startDpi = SystemDpi();
    const DWORD child = WS_CHILD | WS_VISIBLE;
    app.mainWindow = createWindow(app, 0, mainWindowClass, "PXA Editor - [Unnamed]", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, ScaleForDpi(800, startDpi), ScaleForDpi(700, startDpi), nullptr);
    app.dpi = WindowDpi(app.mainWindow);
    app.listWidth = ScaleForDpi(400, app.dpi);
    CreateStatusBar(app);
    app.entryList = createWindow(app, WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                 child | LVS_REPORT | LVS_SORTASCENDING | LVS_EDITLABELS | LVS_NOSORTHEADER, 0, 0, 400,
                                 200, app.mainWindow);
    addFilenameColumn(app.entryList);
    app.propertiesBox =
        createWindow(app, 0, "BUTTON", "Properties", child | BS_GROUPBOX, 450, 10, 100, 88, app.mainWindow);
    app.pictureBox = createWindow(app, 0, "BUTTON", "Picture", child | BS_GROUPBOX, 450, 200, 400, 400, app.mainWindow);
    const char* const captions[4] = {"X:", "Y:", "Width:", "Height:"};
    for (int i = 0; i < 4; ++i) {
        app.propertyLabels[i] =
            createWindow(app, 0, "STATIC", captions[i], child, 8, 16 + 16 * i, 42, 16, app.propertiesBox);
    }
    for (int i = 0; i < 4; ++i) {
        app.propertyValues[i] = createWindow(app, 0, "STATIC", "", child, 50, 16 + 16 * i, 40, 16, app.propertiesBox);
    }
    app.renderer = createWindow(app, 0, rendererWindowClass, "", WS_CHILD, 8, 16, 1, 1, app.pictureBox);
    CreateAtlasToolTip(app);
    ApplyWindowFont(app);

    DragAcceptFiles(app.mainWindow, TRUE);
    SetWindowLongPtrA(app.mainWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&app));
    SetWindowLongPtrA(app.renderer, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&app));
    LayOutChildren(app);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    EditorApp* app = AppOfWindow(window);
    try {
        return handleMainWindowMessage(app, window, message, wParam, lParam);
    } catch (...) {
        // Only commands throw, and they run only once the pointer is set.
        if (app != nullptr && !app->pendingFailure) {
            app->pendingFailure = std::current_exception();
        }
        PostQuitMessage(0);
        return 0;
    }
}

void DispatchEditorMessage(EditorApp& app, HACCEL accelerators, MSG& message) {
    // While a name is being edited in place its keys belong to the editor:
    // Delete or Ctrl+A there must not delete or select entries.
    const bool editingName = SendMessageA(app.entryList, LVM_GETEDITCONTROL, 0, 0) != 0;
    // The wheel goes to the window under the pointer when that is the
    // picture, as Windows 10 sends it, rather than to the list with the focus.
    if (message.message == WM_MOUSEWHEEL && app.renderer != nullptr && IsWindowVisible(app.renderer)) {
        const POINT pointer = {static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
        if (WindowFromPoint(pointer) == app.renderer) {
            message.hwnd = app.renderer;
        }
    }
    if (editingName || TranslateAcceleratorA(app.mainWindow, accelerators, &message) == 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void RunMessageLoop(EditorApp& app) {
    ShowMainWindow(app);
    HACCEL accelerators = LoadAcceleratorsA(app.instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG message;
    // GetMessageA returns -1 on an error that would repeat forever.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchEditorMessage(app, accelerators, message);
    }
    if (app.pendingFailure) {
        std::rethrow_exception(std::exchange(app.pendingFailure, nullptr));
    }
}

void ReleaseApp(EditorApp& app) {
    app.document.reset();
    if (app.mainWindow != nullptr && IsWindow(app.mainWindow)) {
        SaveWindowSettings(app);
        DestroyWindow(app.mainWindow);
    }
    app.mainWindow = nullptr;
    app.entryList = nullptr;
    app.renderer = nullptr;
    app.picture.toolTip = nullptr;
    app.propertiesBox = nullptr;
    app.pictureBox = nullptr;
    app.statusBar = nullptr;
    app.propertyLabels.fill(nullptr);
    app.propertyValues.fill(nullptr);
    app.writableTypes.clear();
    app.readableTypes.clear();
}
