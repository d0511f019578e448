#include "windowlayout.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "documentstatus.h"
#include "dpi.h"
#include "editorapp.h"
#include "renderer.h"

namespace {

const int minimumWidth = 650;
const int minimumHeight = 300;

int textWidth(HDC context, const char* text) {
    SIZE size = {};
    GetTextExtentPoint32A(context, text, static_cast<int>(std::strlen(text)), &size);
    return size.cx;
}

TextSizes measureTexts(HWND window, HFONT font) {
    TextSizes sizes;
    HDC context = GetDC(window);
    if (context == nullptr) {
        return sizes;
    }
    const HGDIOBJ previous = SelectObject(context, font);
    for (const char* caption : {"X:", "Y:", "Width:", "Height:"}) {
        // A little room after the widest caption, as a dialog leaves.
        sizes.labelWidth = std::max(sizes.labelWidth, textWidth(context, caption) + textWidth(context, " "));
    }
    sizes.valueWidth = textWidth(context, "16384");
    TEXTMETRICA metrics = {};
    GetTextMetricsA(context, &metrics);
    sizes.lineHeight = metrics.tmHeight;
    SelectObject(context, previous);
    ReleaseDC(window, context);
    return sizes;
}

void place(HWND window, const RECT& rect) {
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

LayoutInput layoutInput(const EditorApp& app) {
    RECT client = {};
    GetClientRect(app.mainWindow, &client);
    RECT status = {};
    GetWindowRect(app.statusBar, &status);
    LayoutInput input;
    input.clientWidth = client.right - client.left;
    input.clientHeight = client.bottom - client.top - (status.bottom - status.top);
    input.dpi = app.dpi;
    input.listWidth = app.listWidth;
    input.text = app.textSizes;
    return input;
}

bool isOnSplitter(const EditorApp& app, POINT client) { return PtInRect(&app.layout.splitter, client) != FALSE; }

}  // namespace

void ApplyWindowFont(EditorApp& app) {
    app.font = CreateMessageFont(app.dpi);
    const WPARAM font = reinterpret_cast<WPARAM>(app.font.font());
    for (HWND window : {app.entryList, app.propertiesBox, app.pictureBox, app.statusBar}) {
        SendMessageA(window, WM_SETFONT, font, TRUE);
    }
    for (const auto* group : {&app.propertyLabels, &app.propertyValues}) {
        for (HWND window : *group) {
            SendMessageA(window, WM_SETFONT, font, TRUE);
        }
    }
    app.textSizes = measureTexts(app.mainWindow, app.font.font());
    SetStatusBarParts(app);
}

void LayOutChildren(EditorApp& app) {
    // The status bar places itself along the bottom; the rest is above it.
    SendMessageA(app.statusBar, WM_SIZE, 0, 0);
    app.layout = ComputeMainLayout(layoutInput(app));
    const MainLayout& layout = app.layout;
    place(app.entryList, layout.list);
    place(app.propertiesBox, layout.properties);
    place(app.pictureBox, layout.picture);
    for (std::size_t i = 0; i < 4; ++i) {
        place(app.propertyLabels[i], layout.labels[i]);
        place(app.propertyValues[i], layout.values[i]);
    }
    LayOutPicture(app);
    FitListColumn(app);
}

void FitListColumn(const EditorApp& app) {
    SendMessageA(app.entryList, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0));
}

void OnDpiChanged(EditorApp& app, UINT dpi, const RECT& suggested) {
    if (dpi == 0 || dpi == app.dpi) {
        return;
    }
    app.listWidth = MulDiv(app.listWidth, static_cast<int>(dpi), static_cast<int>(app.dpi));
    app.dpi = dpi;
    ApplyWindowFont(app);
    SetWindowPos(app.mainWindow, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutChildren(app);
}

bool OnSplitterButtonDown(EditorApp& app, POINT client) {
    if (!isOnSplitter(app, client)) {
        return false;
    }
    app.draggingSplitter = true;
    app.splitterGrip = client.x - app.layout.splitter.left;
    SetCapture(app.mainWindow);
    return true;
}

bool OnSplitterMouseMove(EditorApp& app, POINT client) {
    if (!app.draggingSplitter) {
        return false;
    }
    // Kept where the bar can go, so that it does not jump when the window grows.
    app.listWidth = std::clamp(static_cast<int>(client.x) - app.splitterGrip, LeastListWidth(app.dpi),
                               MostListWidth(layoutInput(app)));
    LayOutChildren(app);
    return true;
}

void OnSplitterButtonUp(EditorApp& app) {
    if (app.draggingSplitter) {
        app.draggingSplitter = false;
        ReleaseCapture();
    }
}

bool SetSplitterCursor(const EditorApp& app) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    ScreenToClient(app.mainWindow, &cursor);
    if (!app.draggingSplitter && !isOnSplitter(app, cursor)) {
        return false;
    }
    SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
    return true;
}

void EnforceMinimumSize(WPARAM edge, RECT& window, UINT dpi) {
    const int width = ScaleForDpi(minimumWidth, dpi);
    const int height = ScaleForDpi(minimumHeight, dpi);
    if (window.right - window.left < width) {
        if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) {
            window.left = window.right - width;
        } else {
            window.right = window.left + width;
        }
    }
    if (window.bottom - window.top < height) {
        if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT) {
            window.top = window.bottom - height;
        } else {
            window.bottom = window.top + height;
        }
    }
}
