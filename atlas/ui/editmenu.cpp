#include "editmenu.h"

#include "editorapp.h"
#include "pxaeditor_resource.h"

HMENU EditMenu(const EditorApp& app) { return GetSubMenu(GetMenu(app.mainWindow), 1); }

// Selecting every item of a large list reports each item's change; the menu
// bar is drawn again only when the commands' state really changed.
void EnableEntryCommands(const EditorApp& app, bool enabled) {
    HMENU edit = EditMenu(app);
    const UINT state = enabled ? MF_ENABLED : MF_GRAYED;
    bool changed = false;
    for (UINT command : {ID_EDIT_EXTRACT_FILES, ID_EDIT_RENAME_FILE, ID_EDIT_DELETE_FILES}) {
        const DWORD previous = EnableMenuItem(edit, command, MF_BYCOMMAND | state);
        const bool wasEnabled = previous != static_cast<DWORD>(-1) && (previous & (MF_GRAYED | MF_DISABLED)) == 0;
        const bool wasGreyed = previous != static_cast<DWORD>(-1) && (previous & MF_GRAYED) != 0;
        changed = changed || (enabled ? !wasEnabled : !wasGreyed);
    }
    if (changed) {
        DrawMenuBar(app.mainWindow);
    }
}
