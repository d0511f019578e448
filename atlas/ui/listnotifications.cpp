#include "listnotifications.h"

#include <commctrl.h>

#include "editmenu.h"
#include "editorapp.h"
#include "entrycommands.h"
#include "entrylist.h"
#include "renderer.h"

namespace {

// The preview follows the focus; the entry commands follow whether the item
// of the latest state change is selected, whatever other items are.
void onItemChanged(EditorApp& app, const NMLISTVIEW& change) {
    if ((change.uNewState & LVIS_FOCUSED) != 0 && change.iItem >= 0) {
        ShowEntry(app, ListItemText(app.entryList, change.iItem));
    }
    if ((change.uChanged & LVIF_STATE) != 0) {
        EnableEntryCommands(app, (change.uNewState & LVIS_SELECTED) != 0);
    }
}

void onEndLabelEdit(EditorApp& app, const NMLVDISPINFOA& edit) {
    if (edit.item.pszText != nullptr) {
        RenameFromLabel(app, edit.item.pszText, edit.item.iItem);
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
    if (!app.document) {
        return;  // the list is being emptied while the document is replaced
    }
    switch (header.code) {
    case LVN_ITEMCHANGED: onItemChanged(app, reinterpret_cast<const NMLISTVIEW&>(header)); break;
    case LVN_ENDLABELEDITA: onEndLabelEdit(app, reinterpret_cast<const NMLVDISPINFOA&>(header)); break;
    case NM_RCLICK: onRightClick(app); break;
    default: break;
    }
}
