#include "entrycommands.h"

#include <new>
#include <string>
#include <vector>

#include "editorstate.h"
#include "entrylist.h"
#include "modaldialogs.h"
#include "redrawpaused.h"
#include "waitcursor.h"

namespace {

void ShowOutOfMemory() {
  g_modalDialogs.messageBox(g_editor.mainWindow, "There is not enough memory to store the string.", "Error",
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
  if (g_editor.table == nullptr || !g_modalDialogs.editString(g_editor.mainWindow, nullptr, nullptr)) {
    return;
  }
  const StringEntry* entry = StringTableInsert(*g_editor.table, g_editor.nameBuffer, g_editor.textBuffer);
  if (entry == nullptr) {
    ShowOutOfMemory();
    return;
  }
  const int row = ShowEntryInRow(entry);
  if (row < 0) {
    // The table has the entry but the list could not show it; a row-less
    // entry would be saved unseen, so it goes again.
    StringTableRemove(*g_editor.table, const_cast<StringEntry*>(entry));
    ShowOutOfMemory();
    return;
  }
  EntryListSelectAndShow(g_editor.entryList, row);
}

void EditStringCommand() {
  EntryList& list = g_editor.entryList;
  const int row = g_editor.table != nullptr ? EntryListFocusedRow(list) : -1;
  StringEntry* oldEntry = row >= 0 ? EntryListRowEntry(list, row) : nullptr;
  if (oldEntry == nullptr || !g_modalDialogs.editString(g_editor.mainWindow, oldEntry->name, oldEntry->text)) {
    return;
  }
  // Kept to put the entry back should the new one find no memory.
  const std::string oldName = oldEntry->name;
  const std::basic_string<TextUnit> oldText = oldEntry->text;

  StringTable& table = *g_editor.table;
  StringTableRemove(table, oldEntry);
  StringEntry* entry = StringTableInsert(table, g_editor.nameBuffer, g_editor.textBuffer);
  if (entry == nullptr) {
    entry = StringTableInsert(table, oldName.c_str(), oldText.c_str());
    ShowOutOfMemory();
  }
  if (entry == nullptr) {
    EntryListDeleteRow(list, row);
    return;
  }
  EntryListSetRow(list, row, entry);
  // When the file held the name twice, the table gave back the other entry
  // of that name with the new text; its own row goes, this one shows it.
  const int twinRow = EntryListFindRow(list, entry, row);
  if (twinRow >= 0) {
    EntryListDeleteRow(list, twinRow);
  }
}

void DeleteStringCommand() {
  if (g_editor.table == nullptr) {
    return;
  }
  try {
    WaitCursor wait;
    std::vector<StringEntry*> deleted = EntryListDeleteSelectedRows(g_editor.entryList);
    StringTableRemoveEntries(*g_editor.table, deleted.data(), deleted.size());
  } catch (const std::bad_alloc&) {
    g_modalDialogs.messageBox(g_editor.mainWindow, "There is not enough memory to delete the strings.", "Error",
                              MB_OK | MB_ICONERROR);
  }
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
