#include "entrylist.h"

#include "entrycompare.h"

namespace {

constexpr int kListControlId = 100;

bool InsertColumn(EntryList& list, const char* title, int width) {
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = const_cast<char*>(title);
  column.iSubItem = list.columnCount;
  if (SendMessageA(list.listWindow, LVM_INSERTCOLUMNA, list.columnCount, reinterpret_cast<LPARAM>(&column)) < 0) {
    return false;
  }
  ++list.columnCount;
  return true;
}

void SetRowText(EntryList& list, int row, const StringEntry* entry) {
  LVITEMW text = {};
  text.iSubItem = 1;
  text.pszText = entry->text;
  SendMessageW(list.listWindow, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&text));
}

void SetRowState(EntryList& list, int row, UINT state, UINT mask) {
  LVITEMA item = {};
  item.stateMask = mask;
  item.state = state;
  SendMessageA(list.listWindow, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

bool SortsAfter(const EntryList& list, const StringEntry& row, const StringEntry& entry) {
  return list.sortDescending ? CompareEntries(entry, row, list.sortColumn) > 0
                             : CompareEntries(row, entry, list.sortColumn) > 0;
}

// The row's item text is the entry's name and its item data the entry itself.
LVITEMA RowItem(int row, const StringEntry* entry) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = row;
  item.pszText = entry->name;
  item.lParam = reinterpret_cast<LPARAM>(entry);
  return item;
}

}  // namespace

bool CreateEntryList(EntryList& list, HWND parent, HINSTANCE instance) {
  list = EntryList();
  list.parentWindow = parent;
  list.listWindow = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                    WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, list.x, list.y,
                                    list.width, list.height, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListControlId)), instance, nullptr);
  if (list.listWindow == nullptr) {
    return false;
  }
  const DWORD extendedStyles = LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT;
  SendMessageA(list.listWindow, LVM_SETEXTENDEDLISTVIEWSTYLE, extendedStyles, extendedStyles);
  if (!InsertColumn(list, "Name", 190) || !InsertColumn(list, "Text", 350)) {
    return false;
  }
  list.ascendingCompare = CompareEntriesAscending;
  list.descendingCompare = CompareEntriesDescending;
  return true;
}

int EntryListInsertRow(EntryList& list, int row, const StringEntry* entry) {
  LVITEMA item = RowItem(row, entry);
  const int inserted = static_cast<int>(SendMessageA(list.listWindow, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (inserted < 0) {
    return -1;
  }
  ++list.rowCount;
  SetRowText(list, inserted, entry);
  return inserted;
}

void EntryListSetRow(EntryList& list, int row, const StringEntry* entry) {
  LVITEMA item = RowItem(row, entry);
  SendMessageA(list.listWindow, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  SetRowText(list, row, entry);
}

void EntryListDeleteRow(EntryList& list, int row) {
  if (SendMessageA(list.listWindow, LVM_DELETEITEM, row, 0)) {
    --list.rowCount;
  }
}

void EntryListDeleteAllRows(EntryList& list) {
  SendMessageA(list.listWindow, LVM_DELETEALLITEMS, 0, 0);
  list.rowCount = 0;
}

StringEntry* EntryListRowEntry(const EntryList& list, int row) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageA(list.listWindow, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
    return nullptr;
  }
  return reinterpret_cast<StringEntry*>(item.lParam);
}

int EntryListFindRow(const EntryList& list, const StringEntry* entry, int skippedRow) {
  LVFINDINFOA find = {};
  find.flags = LVFI_PARAM;
  find.lParam = reinterpret_cast<LPARAM>(entry);
  int row = static_cast<int>(SendMessageA(list.listWindow, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
  if (row >= 0 && row == skippedRow) {
    row = static_cast<int>(SendMessageA(list.listWindow, LVM_FINDITEMA, skippedRow, reinterpret_cast<LPARAM>(&find)));
  }
  return row;
}

int EntryListFocusedRow(const EntryList& list) {
  for (int row = 0; row < list.rowCount; ++row) {
    if (SendMessageA(list.listWindow, LVM_GETITEMSTATE, row, LVIS_FOCUSED) & LVIS_FOCUSED) {
      return row;
    }
  }
  return -1;
}

bool EntryListRowSelected(const EntryList& list, int row) {
  return (SendMessageA(list.listWindow, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void EntryListSetRowSelected(EntryList& list, int row, bool selected) {
  SetRowState(list, row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void EntryListSelectAndShow(EntryList& list, int row) {
  SetRowState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SendMessageA(list.listWindow, LVM_ENSUREVISIBLE, row, FALSE);
}

void EntryListSort(EntryList& list) {
  PFNLVCOMPARE compare = list.sortDescending ? list.descendingCompare : list.ascendingCompare;
  SendMessageA(list.listWindow, LVM_SORTITEMS, static_cast<WPARAM>(list.sortColumn), reinterpret_cast<LPARAM>(compare));
  list.needsSort = false;
}

void EntryListColumnClicked(EntryList& list, int column) {
  list.sortDescending = column == list.sortColumn ? !list.sortDescending : 0;
  list.sortColumn = column;
  EntryListSort(list);
}

int EntryListSortedPosition(const EntryList& list, const StringEntry& entry) {
  for (int row = 0; row < list.rowCount; ++row) {
    const StringEntry* rowEntry = EntryListRowEntry(list, row);
    if (rowEntry != nullptr && SortsAfter(list, *rowEntry, entry)) {
      return row;
    }
  }
  return list.rowCount;
}

void EntryListMove(EntryList& list, int x, int y, int width, int height) {
  SetWindowPos(list.listWindow, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  list.x = x;
  list.y = y;
  list.width = width;
  list.height = height;
}
