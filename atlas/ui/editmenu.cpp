#include "editmenu.h"

#include "editorapp.h"
#include "pxaeditor_resource.h"

HMENU EditMenu(const EditorApp& app) { return GetSubMenu(GetMenu(app.mainWindow), 1); }

void EnableEntryCommands(const EditorApp& app, bool enabled) {
    HMENU edit = EditMenu(app);
    const UINT state = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    for (UINT command : {ID_EDIT_EXTRACT_FILES, ID_EDIT_RENAME_FILE, ID_EDIT_DELETE_FILES}) {
        EnableMenuItem(edit, command, state);
    }
    DrawMenuBar(app.mainWindow);
}
