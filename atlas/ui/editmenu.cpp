#include "editmenu.h"

#include <commctrl.h>

#include "editorapp.h"
#include "pxaeditor_resource.h"

namespace {

// Sets the item's state; true when that changed it.
bool setEnabled(HMENU menu, UINT command, bool enabled) {
    const DWORD previous = EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    if (previous == static_cast<DWORD>(-1)) {
        return false;
    }
    const bool wasEnabled = (previous & (MF_GRAYED | MF_DISABLED)) == 0;
    return wasEnabled != enabled;
}

}  // namespace

HMENU EditMenu(const EditorApp& app) { return GetSubMenu(GetMenu(app.mainWindow), 1); }

// Selecting every item of a large list reports each item's change; the menu
// bar is drawn again only when a command's state really changed.
void UpdateEntryCommands(const EditorApp& app) {
    const LRESULT selected = SendMessageA(app.entryList, LVM_GETSELECTEDCOUNT, 0, 0);
    HMENU edit = EditMenu(app);
    bool changed = setEnabled(edit, ID_EDIT_EXTRACT_FILES, selected > 0);
    changed = setEnabled(edit, ID_EDIT_RENAME_FILE, selected == 1) || changed;
    changed = setEnabled(edit, ID_EDIT_DELETE_FILES, selected > 0) || changed;
    if (changed) {
        DrawMenuBar(app.mainWindow);
    }
}
