#include "entrycommands.h"

#include <new>
#include <string>
#include <vector>

#include "documentcommands.h"
#include "editorstate.h"
#include "entrylist.h"
#include "redrawpaused.h"
#include "stringhistory.h"
#include "waitcursor.h"

namespace {

void ShowOutOfMemory() {
    g_editor.ui.messageBox(g_editor.mainWindow, "There is not enough memory to store the string.", "Error",
                           MB_OK | MB_ICONERROR);
}

// An entry that the table handed back may have a row already (a name that a
// file holds twice): that row is shown anew instead of getting a twin.
int ShowEntryInRow(const StringEntry* entry) {
    EntryList& list = g_editor.entryList;
    int row = EntryListFindRow(list, entry, -1);
    if (row >= 0) {
        EntryListSetRow(list, row, entry);
        return row;
    }
    return EntryListInsertRow(list, EntryListSortedPosition(list, *entry), entry);
}

}  // namespace

void InsertStringCommand() {
    if (g_editor.table == nullptr || !g_editor.ui.editString(g_editor.mainWindow, nullptr, nullptr)) {
        return;
    }
    const StringEntry* entry =
        StringTableInsertStep(*g_editor.table, g_editor.nameBuffer.c_str(), g_editor.textBuffer.c_str());
    if (entry == nullptr) {
        ShowOutOfMemory();
        return;
    }
    const int row = ShowEntryInRow(entry);
    if (row < 0) {
        // The table has the entry but the list could not show it; a row-less
        // entry would be saved unseen, so the step is taken back (undo
        // allocates nothing, and the entry has no row to follow it).
        StringTableUndo(*g_editor.table, nullptr);
        ShowOutOfMemory();
        return;
    }
    EntryListSelectAndShow(g_editor.entryList, row);
    MarkDocumentChanged();
}

// The entry gets its new name and text in one step that either succeeds or
// changes nothing; it keeps its row, and another entry of the same name (a
// file may hold one) keeps its own row and text.
void EditStringCommand() {
    EntryList& list = g_editor.entryList;
    const int row = g_editor.table != nullptr ? EntryListFocusedRow(list) : -1;
    StringEntry* entry = row >= 0 ? EntryListRowEntry(list, row) : nullptr;
    if (entry == nullptr || !g_editor.ui.editString(g_editor.mainWindow, entry->name, entry->text)) {
        return;
    }
    if (g_editor.nameBuffer == entry->name && g_editor.textBuffer == entry->text) {
        return;  // OK on what was there changes nothing
    }
    if (!StringTableReplaceStep(*g_editor.table, entry, g_editor.nameBuffer.c_str(), g_editor.textBuffer.c_str())) {
        ShowOutOfMemory();
        return;
    }
    EntryListSetRow(list, row, entry);
    MarkDocumentChanged();
}

// The entries go from the table in one step before their rows go, which
// cannot fail: rows and entries stay one to one whatever runs out.
void DeleteStringCommand() {
    if (g_editor.table == nullptr) {
        return;
    }
    bool removed = false;
    try {
        WaitCursor wait;
        const std::vector<StringEntry*> deleted = EntryListSelectedEntries(g_editor.entryList);
        if (deleted.empty()) {
            return;
        }
        removed = StringTableRemoveStep(*g_editor.table, deleted.data(), deleted.size());
    } catch (const std::bad_alloc&) {
    }
    if (!removed) {
        g_editor.ui.messageBox(g_editor.mainWindow, "There is not enough memory to delete the strings.", "Error",
                               MB_OK | MB_ICONERROR);
        return;
    }
    EntryListDropSelectedRows(g_editor.entryList);
    MarkDocumentChanged();
}

void SelectAllCommand() { EntryListSelectAll(g_editor.entryList); }

void InvertSelectionCommand() {
    EntryList& list = g_editor.entryList;
    WaitCursor wait;
    RedrawPaused paused(list.listWindow);
    for (int row = 0; row < list.rowCount; ++row) {
        EntryListSetRowSelected(list, row, !EntryListRowSelected(list, row));
    }
}
