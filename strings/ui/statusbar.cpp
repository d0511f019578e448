#include "statusbar.h"

#include <commctrl.h>

#include <cstdio>

#include "dpi.h"
#include "editorstate.h"

namespace {

// Widths of the two count parts at 96 DPI; "Done" takes the rest.
constexpr int kCountPartWidth = 120;

void SetPartText(int part, const char* text) {
    SendMessageA(g_editor.statusBar, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
}

}  // namespace

HWND CreateStatusBar(HWND parent) {
    return CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS, "Done", parent, 0);
}

void LayOutStatusBar(WPARAM sizeType, LPARAM size) {
    if (g_editor.statusBar == nullptr) {
        return;
    }
    SendMessageA(g_editor.statusBar, WM_SIZE, sizeType, size);
    RECT bar = {};
    GetClientRect(g_editor.statusBar, &bar);
    const int countWidth = ScaleForDpi(kCountPartWidth, g_editor.dpi);
    int rightEdges[] = {bar.right - 2 * countWidth, bar.right - countWidth, -1};
    if (rightEdges[0] < countWidth) {
        rightEdges[0] = countWidth;
        rightEdges[1] = 2 * countWidth;
    }
    SendMessageA(g_editor.statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rightEdges));
}

void RequestStatusUpdate() {
    if (!g_editor.statusUpdatePending && g_editor.mainWindow != nullptr) {
        g_editor.statusUpdatePending = PostMessageA(g_editor.mainWindow, kStatusUpdateMessage, 0, 0) != FALSE;
    }
}

void UpdateStatusBar() {
    g_editor.statusUpdatePending = false;
    if (g_editor.statusBar == nullptr) {
        return;
    }
    char strings[40] = "";
    char selected[40] = "";
    if (g_editor.table != nullptr) {
        const EntryList& list = g_editor.entryList;
        const int count = list.rowCount;
        const int selectedCount = static_cast<int>(SendMessageA(list.listWindow, LVM_GETSELECTEDCOUNT, 0, 0));
        if (list.untranslatedOnly) {
            std::snprintf(strings, sizeof(strings), "%d of %u strings", count,
                          static_cast<unsigned>(g_editor.table->count));
        } else {
            std::snprintf(strings, sizeof(strings), count == 1 ? "%d string" : "%d strings", count);
        }
        std::snprintf(selected, sizeof(selected), "%d selected", selectedCount);
    }
    SetPartText(1, strings);
    SetPartText(2, selected);
}
