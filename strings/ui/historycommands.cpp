#include "historycommands.h"

#include <new>

#include "documentcommands.h"
#include "editorstate.h"
#include "entrylist.h"
#include "historymenu.h"
#include "statusbar.h"
#include "stringhistory.h"
#include "stringtableeditor_resource.h"
#include "waitcursor.h"

namespace {

const char* EditName(StringEdit edit) {
    switch (edit) {
    case StringEdit::Insert: return "Insert";
    case StringEdit::Edit: return "Edit";
    case StringEdit::Delete: return "Delete";
    case StringEdit::Import: return "Import";
    }
    return "";
}

template <typename Replay>
void ReplayCommand(Replay replay) {
    if (g_editor.table == nullptr) {
        return;
    }
    WaitCursor wait;
    StringStepEffect effect = {};
    if (replay(*g_editor.table, &effect)) {
        ShowStepEffect(effect);
    }
}

}  // namespace

void UndoCommand() { ReplayCommand(StringTableUndo); }

void RedoCommand() { ReplayCommand(StringTableRedo); }

// The table has changed already: when the list cannot follow row by row, it
// shows the table again whole, and only without memory even for that does it
// stay empty (no row may name an entry that left the table).
void ShowStepEffect(const StringStepEffect& effect) {
    EntryList& list = g_editor.entryList;
    try {
        switch (effect.rows) {
        case StringRowChange::Added: EntryListAddEntries(list, effect.entries, effect.count); break;
        case StringRowChange::Removed: EntryListRemoveEntries(list, effect.entries, effect.count); break;
        case StringRowChange::Changed: EntryListRefreshEntries(list, effect.entries, effect.count); break;
        case StringRowChange::Replaced:
            if (!ShowTableInList()) {
                throw std::bad_alloc();
            }
            break;
        }
    } catch (const std::bad_alloc&) {
        if (!EntryListShowTable(list, *g_editor.table)) {
            g_editor.ui.messageBox(g_editor.mainWindow,
                                   "There is not enough memory to show the strings. Save your work and close other "
                                   "programs.",
                                   "Error", MB_OK | MB_ICONERROR);
        }
    }
    MarkDocumentChanged();
    RequestStatusUpdate();
}

void UpdateHistoryCommands() {
    HMENU edit = GetSubMenu(GetMenu(g_editor.mainWindow), 1);
    StringEdit undo = StringEdit::Insert;
    StringEdit redo = StringEdit::Insert;
    const bool canUndo = g_editor.table != nullptr && StringTableNextUndo(*g_editor.table, &undo);
    const bool canRedo = g_editor.table != nullptr && StringTableNextRedo(*g_editor.table, &redo);
    bool changed = SetHistoryMenuItem(edit, ID_EDIT_UNDO, "&Undo", canUndo ? EditName(undo) : nullptr, "Ctrl+Z");
    changed = SetHistoryMenuItem(edit, ID_EDIT_REDO, "&Redo", canRedo ? EditName(redo) : nullptr, "Ctrl+Y") || changed;
    if (changed) {
        DrawMenuBar(g_editor.mainWindow);
    }
}
