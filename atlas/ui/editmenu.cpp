#include "editmenu.h"

#include <commctrl.h>

#include <optional>

#include "editorapp.h"
#include "historymenu.h"
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

const char* editName(const std::optional<AtlasEdit>& edit) {
    if (!edit) {
        return nullptr;
    }
    switch (*edit) {
    case AtlasEdit::Insert: return "Insert";
    case AtlasEdit::Delete: return "Delete";
    case AtlasEdit::Rename: return "Rename";
    case AtlasEdit::Compact: return "Compact";
    }
    return nullptr;
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

void UpdateHistoryCommands(const EditorApp& app) {
    const FilePair* document = app.document.get();
    HMENU edit = EditMenu(app);
    bool changed = SetHistoryMenuItem(edit, ID_EDIT_UNDO, "&Undo",
                                      document != nullptr ? editName(document->undoableEdit()) : nullptr, "Ctrl+Z");
    changed = SetHistoryMenuItem(edit, ID_EDIT_REDO, "&Redo",
                                 document != nullptr ? editName(document->redoableEdit()) : nullptr, "Ctrl+Y") ||
              changed;
    if (changed) {
        DrawMenuBar(app.mainWindow);
    }
}
