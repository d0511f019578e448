#include "listnotifications.h"

#include <commctrl.h>

#include "commandrun.h"
#include "documentstatus.h"
#include "editmenu.h"
#include "editorapp.h"
#include "entrycommands.h"
#include "entrylist.h"
#include "renderer.h"

namespace {

// The preview follows the focus; the entry commands follow the whole
// selection.
void onItemChanged(EditorApp& app, const NMLISTVIEW& change) {
    if ((change.uNewState & LVIS_FOCUSED) != 0 && change.iItem >= 0) {
        ShowEntry(app, ListItemText(app.entryList, change.iItem));
    }
    if ((change.uChanged & LVIF_STATE) != 0) {
        OnSelectionChanged(app);
        if (app.picture.showsAtlas) {
            InvalidateRect(app.renderer, nullptr, FALSE);  // the highlighted entries
        }
    }
}

void onEndLabelEdit(EditorApp& app, const NMLVDISPINFOA& edit) {
    if (edit.item.pszText != nullptr) {
        RunCommand(app, [&] { RenameFromLabel(app, edit.item.pszText, edit.item.iItem); });
    }
}

void onRightClick(EditorApp& app) {
    if (NextListItem(app.entryList, -1, LVNI_SELECTED) == -1) {
        return;
    }
    POINT cursor = {};
    GetCursorPos(&cursor);
    app.ui.contextMenu(EditMenu(app), cursor.x, cursor.y, app.mainWindow);
}

}  // namespace

void OnListNotify(EditorApp& app, const NMHDR& header) {
    if (!app.document || header.hwndFrom != app.entryList) {
        return;  // the list being emptied while the document is replaced, or the status bar
    }
    switch (header.code) {
    case LVN_ITEMCHANGED: onItemChanged(app, reinterpret_cast<const NMLISTVIEW&>(header)); break;
    case LVN_ENDLABELEDITA: onEndLabelEdit(app, reinterpret_cast<const NMLVDISPINFOA&>(header)); break;
    case NM_RCLICK: onRightClick(app); break;
    default: break;
    }
}
