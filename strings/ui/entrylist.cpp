#include "entrylist.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>

#include "entrycompare.h"
#include "redrawpaused.h"

namespace {

constexpr int kListControlId = 100;
constexpr int kReferenceColumn = 2;
const TextUnit kNoText[1] = {0};

const TextUnit* ReferenceText(const EntryList& list, const StringEntry& entry) {
    const StringEntry* reference = list.reference != nullptr ? list.reference->find(entry.name) : nullptr;
    return reference != nullptr ? reference->text : kNoText;
}

// By the current column, the Reference column by the reference's texts.
int CompareRows(const EntryList& list, const StringEntry& first, const StringEntry& second) {
    if (list.sortColumn == kReferenceColumn) {
        return CompareTextsIgnoringCase(ReferenceText(list, first), ReferenceText(list, second));
    }
    return CompareEntries(first, second, list.sortColumn);
}

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

void SetRowState(EntryList& list, int row, UINT state, UINT mask) {
    LVITEMA item = {};
    item.stateMask = mask;
    item.state = state;
    SendMessageA(list.listWindow, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

int NextRow(const EntryList& list, int after, UINT flags) {
    return static_cast<int>(SendMessageA(list.listWindow, LVM_GETNEXTITEM, after, MAKELPARAM(flags, 0)));
}

// Tells the control how many rows there are and has them drawn anew. The
// control keeps its selection and focus by row number; the callers move them
// with the rows.
void SyncRowCount(EntryList& list) {
    list.rowCount = static_cast<int>(list.rows.size());
    SendMessageA(list.listWindow, LVM_SETITEMCOUNT, list.rowCount, LVSICF_NOSCROLL);
    EntryListFitTextColumn(list);  // the vertical scroll bar may have come or gone
}

// The selected rows from `first` on, in ascending order.
std::vector<int> SelectedRowsFrom(const EntryList& list, int first) {
    std::vector<int> rows;
    for (int row = NextRow(list, first - 1, LVNI_SELECTED); row != -1; row = NextRow(list, row, LVNI_SELECTED)) {
        rows.push_back(row);
    }
    return rows;
}

// Moves the selection of `selected` rows by `offset` rows (the ones that
// would leave the list lose it).
void MoveSelection(EntryList& list, const std::vector<int>& selected, int offset) {
    for (int row : selected) {
        SetRowState(list, row, 0, LVIS_SELECTED);
    }
    for (int row : selected) {
        if (row + offset >= 0 && row + offset < list.rowCount) {
            SetRowState(list, row + offset, LVIS_SELECTED, LVIS_SELECTED);
        }
    }
}

void FocusRow(EntryList& list, int row) {
    if (row >= 0) {
        SetRowState(list, row, LVIS_FOCUSED, LVIS_FOCUSED);
    } else {
        const int focused = EntryListFocusedRow(list);
        if (focused >= 0) {
            SetRowState(list, focused, 0, LVIS_FOCUSED);
        }
    }
}

bool SortsAfter(const EntryList& list, const StringEntry& row, const StringEntry& entry) {
    return list.sortDescending ? CompareRows(list, entry, row) > 0 : CompareRows(list, row, entry) > 0;
}

// The reference's text of each row is looked up once, not at every comparison.
void SortRowsByReference(EntryList& list) {
    struct Row {
        const TextUnit* reference;
        StringEntry* entry;
    };
    std::vector<Row> rows;
    rows.reserve(list.rows.size());
    for (StringEntry* entry : list.rows) {
        rows.push_back(Row{ReferenceText(list, *entry), entry});
    }
    const bool descending = list.sortDescending != 0;
    std::stable_sort(rows.begin(), rows.end(), [descending](const Row& a, const Row& b) {
        return descending ? CompareTextsIgnoringCase(b.reference, a.reference) < 0
                          : CompareTextsIgnoringCase(a.reference, b.reference) < 0;
    });
    for (std::size_t i = 0; i < rows.size(); ++i) {
        list.rows[i] = rows[i].entry;
    }
}

// The order a stable sort of the rows gives, by the current column and
// direction: rows that compare equal keep their order. Throws
// std::bad_alloc, with the rows as they were, for the Reference column.
void SortRows(EntryList& list) {
    if (list.sortColumn == kReferenceColumn) {
        SortRowsByReference(list);
        return;
    }
    PFNLVCOMPARE compare = list.sortDescending ? list.descendingCompare : list.ascendingCompare;
    const LPARAM column = list.sortColumn;
    std::stable_sort(list.rows.begin(), list.rows.end(), [compare, column](const StringEntry* a, const StringEntry* b) {
        return compare(reinterpret_cast<LPARAM>(a), reinterpret_cast<LPARAM>(b), column) < 0;
    });
}

// From this many rows on, EntryListAddEntries sorts the whole list once.
constexpr std::size_t kSortFrom = 32;

// The entries, sorted by address, for looking rows up by binary search.
std::vector<const StringEntry*> SortedEntries(StringEntry* const* entries, std::size_t count) {
    std::vector<const StringEntry*> sorted(entries, entries + count);
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

// Deletes the rows for which `drops(row, entry)` holds, about `count` of
// them, and remembers them in their order (list.dropped) when memory allows.
// The remaining rows lose their selection; the focus stays on its row, or
// passes from a deleted row to the next remaining one, else to the last.
// Never fails.
template <typename Drops>
void DropRows(EntryList& list, std::size_t count, Drops drops) {
    const int focused = EntryListFocusedRow(list);
    int focusedRemaining = -1;
    size_t kept = 0;
    list.dropped.rows.clear();
    try {
        list.dropped.rows.reserve(count);
    } catch (const std::bad_alloc&) {
        // Without the memory, the rows are not remembered and an undo sorts them again.
    }
    list.dropped.sortColumn = list.sortColumn;
    list.dropped.sortDescending = list.sortDescending;
    for (int row = 0; row < list.rowCount; ++row) {
        if (row == focused) {
            focusedRemaining = static_cast<int>(kept);
        }
        StringEntry* entry = list.rows[static_cast<size_t>(row)];
        if (!drops(row, entry)) {
            list.rows[kept++] = entry;
        } else if (list.dropped.rows.size() < list.dropped.rows.capacity()) {
            list.dropped.rows.push_back(entry);  // only as far as the room reserved goes
        }
    }
    list.rows.resize(kept);
    RedrawPaused paused(list.listWindow);
    SyncRowCount(list);  // the selection beyond the new count goes with the rows
    SetRowState(list, -1, 0, LVIS_SELECTED);
    FocusRow(list, focused < 0 ? -1 : std::min(focusedRemaining, list.rowCount - 1));
}

// Makes the rows of `entries` (sorted by address) the selection, focuses the
// first of them and scrolls it into view. Selecting or deselecting every row
// is one message: from there, the rows that differ are the fewer.
void SelectRowsOf(EntryList& list, const std::vector<const StringEntry*>& entries) {
    SyncRowCount(list);
    const bool most = entries.size() * 2 > list.rows.size();
    SetRowState(list, -1, most ? LVIS_SELECTED : 0, LVIS_SELECTED);
    int first = -1;
    for (int row = 0; row < list.rowCount; ++row) {
        const bool named = std::binary_search(entries.begin(), entries.end(), list.rows[static_cast<size_t>(row)]);
        if (named != most) {
            SetRowState(list, row, named ? LVIS_SELECTED : 0, LVIS_SELECTED);
        }
        first = named && first < 0 ? row : first;
    }
    if (first >= 0) {
        SetRowState(list, first, LVIS_FOCUSED, LVIS_FOCUSED);
        SendMessageA(list.listWindow, LVM_ENSUREVISIBLE, first, FALSE);
    }
}

// Whether the entries (sorted by address) are the rows the last deletion
// took, in an order that still holds.
bool AreDroppedRows(const EntryList& list, const std::vector<const StringEntry*>& entries) {
    const EntryList::DroppedRows& dropped = list.dropped;
    if (dropped.rows.size() != entries.size() || dropped.sortColumn != list.sortColumn ||
        dropped.sortDescending != list.sortDescending) {
        return false;
    }
    return std::all_of(dropped.rows.begin(), dropped.rows.end(), [&entries](const StringEntry* entry) {
        return std::binary_search(entries.begin(), entries.end(), entry);
    });
}

// The rows from `middle` on, in order, merged with those before it.
void MergeRows(EntryList& list, std::ptrdiff_t middle) {
    PFNLVCOMPARE compare = list.sortDescending ? list.descendingCompare : list.ascendingCompare;
    const LPARAM column = list.sortColumn;
    std::inplace_merge(list.rows.begin(), list.rows.begin() + middle, list.rows.end(),
                       [compare, column](const StringEntry* a, const StringEntry* b) {
                           return compare(reinterpret_cast<LPARAM>(a), reinterpret_cast<LPARAM>(b), column) < 0;
                       });
}

}  // namespace

bool CreateEntryList(EntryList& list, HWND parent, HINSTANCE instance) {
    list = EntryList();
    list.listWindow = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                      WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, list.x,
                                      list.y, list.width, list.height, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListControlId)), instance, nullptr);
    if (list.listWindow == nullptr) {
        return false;
    }
    // The texts are UTF-16, so the control must ask for them in the wide form:
    // asked again now that its window is known, the main window answers
    // NFR_UNICODE for it.
    SendMessageA(list.listWindow, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(parent), NF_REQUERY);
    const DWORD extendedStyles = LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT;
    SendMessageA(list.listWindow, LVM_SETEXTENDEDLISTVIEWSTYLE, extendedStyles, extendedStyles);
    if (!InsertColumn(list, "Name", 190) || !InsertColumn(list, "Text", 350)) {
        return false;
    }
    list.ascendingCompare = CompareEntriesAscending;
    list.descendingCompare = CompareEntriesDescending;
    return true;
}

bool EntryListShowTable(EntryList& list, const StringTable& table) {
    EntryListDeleteAllRows(list);
    try {
        list.rows.reserve(table.count);
        for (StringEntry* entry = StringTableNext(table, nullptr); entry != nullptr;
             entry = StringTableNext(table, entry)) {
            if (!list.untranslatedOnly || EntryIsUntranslated(list, *entry)) {
                list.rows.push_back(entry);
            }
        }
        SortRows(list);
    } catch (const std::bad_alloc&) {
        list.rows.clear();
        return false;
    }
    SyncRowCount(list);
    return true;
}

int EntryListInsertRow(EntryList& list, int row, const StringEntry* entry) {
    try {
        const std::vector<int> selected = SelectedRowsFrom(list, row);
        list.rows.insert(list.rows.begin() + row, const_cast<StringEntry*>(entry));
        const int focused = EntryListFocusedRow(list);
        SyncRowCount(list);
        MoveSelection(list, selected, 1);
        if (focused >= row) {
            FocusRow(list, focused + 1);
        }
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return row;
}

void EntryListSetRow(EntryList& list, int row, const StringEntry* entry) {
    list.rows[static_cast<size_t>(row)] = const_cast<StringEntry*>(entry);
    SendMessageA(list.listWindow, LVM_REDRAWITEMS, row, row);
}

std::vector<StringEntry*> EntryListDeleteSelectedRows(EntryList& list) {
    std::vector<StringEntry*> deleted = EntryListSelectedEntries(list);
    if (!deleted.empty()) {
        EntryListDropSelectedRows(list);
    }
    return deleted;
}

std::vector<StringEntry*> EntryListSelectedEntries(const EntryList& list) {
    const int selectedCount = static_cast<int>(SendMessageA(list.listWindow, LVM_GETSELECTEDCOUNT, 0, 0));
    std::vector<StringEntry*> selected;
    selected.reserve(static_cast<size_t>(std::max(selectedCount, 0)));
    for (int row = NextRow(list, -1, LVNI_SELECTED); row != -1; row = NextRow(list, row, LVNI_SELECTED)) {
        selected.push_back(list.rows[static_cast<size_t>(row)]);
    }
    return selected;
}

void EntryListDropSelectedRows(EntryList& list) {
    const auto selected = static_cast<std::size_t>(SendMessageA(list.listWindow, LVM_GETSELECTEDCOUNT, 0, 0));
    DropRows(list, selected, [&list](int row, const StringEntry*) { return EntryListRowSelected(list, row); });
}

void EntryListRemoveEntries(EntryList& list, StringEntry* const* entries, std::size_t count) {
    const std::vector<const StringEntry*> removed = SortedEntries(entries, count);
    DropRows(list, count, [&removed](int, const StringEntry* entry) {
        return std::binary_search(removed.begin(), removed.end(), entry);
    });
}

// Few rows go in one by one where they belong; many are added at the end
// and the whole list sorted once, which costs less than finding each a place.
// While the list shows only untranslated entries, the others get no row.
void EntryListAddEntries(EntryList& list, StringEntry* const* entries, std::size_t count) {
    std::vector<StringEntry*> shown;
    if (list.untranslatedOnly) {
        std::copy_if(entries, entries + count, std::back_inserter(shown),
                     [&list](const StringEntry* entry) { return EntryIsUntranslated(list, *entry); });
        entries = shown.data();
        count = shown.size();
    }
    const std::vector<const StringEntry*> added = SortedEntries(entries, count);
    list.rows.reserve(list.rows.size() + count);  // from here on nothing allocates
    RedrawPaused paused(list.listWindow);
    SetRowState(list, -1, 0, LVIS_SELECTED);
    if (count < kSortFrom) {
        for (std::size_t i = 0; i < count; ++i) {
            EntryListInsertRow(list, EntryListSortedPosition(list, *entries[i]), entries[i]);
        }
    } else if (AreDroppedRows(list, added)) {
        const auto remaining = static_cast<std::ptrdiff_t>(list.rows.size());
        list.rows.insert(list.rows.end(), list.dropped.rows.begin(), list.dropped.rows.end());
        MergeRows(list, remaining);
    } else {
        list.rows.insert(list.rows.end(), entries, entries + count);
        SortRows(list);
    }
    SelectRowsOf(list, added);
}

void EntryListRefreshEntries(EntryList& list, StringEntry* const* entries, std::size_t count) {
    const std::vector<const StringEntry*> changed = SortedEntries(entries, count);
    RedrawPaused paused(list.listWindow);
    SelectRowsOf(list, changed);
}

void EntryListDeleteAllRows(EntryList& list) {
    list.rows.clear();
    list.dropped.rows.clear();
    list.rowCount = 0;
    SendMessageA(list.listWindow, LVM_DELETEALLITEMS, 0, 0);
    EntryListFitTextColumn(list);
}

StringEntry* EntryListRowEntry(const EntryList& list, int row) {
    if (row < 0 || row >= static_cast<int>(list.rows.size())) {
        return nullptr;
    }
    return list.rows[static_cast<size_t>(row)];
}

int EntryListFindRow(const EntryList& list, const StringEntry* entry, int skippedRow) {
    for (int row = 0; row < static_cast<int>(list.rows.size()); ++row) {
        if (row != skippedRow && list.rows[static_cast<size_t>(row)] == entry) {
            return row;
        }
    }
    return -1;
}

int EntryListFocusedRow(const EntryList& list) { return NextRow(list, -1, LVNI_FOCUSED); }

bool EntryListRowSelected(const EntryList& list, int row) {
    return (SendMessageA(list.listWindow, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void EntryListSetRowSelected(EntryList& list, int row, bool selected) {
    SetRowState(list, row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void EntryListSelectAll(EntryList& list) {
    RedrawPaused paused(list.listWindow);
    SetRowState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
}

void EntryListSelectAndShow(EntryList& list, int row) {
    SetRowState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageA(list.listWindow, LVM_ENSUREVISIBLE, row, FALSE);
}

void EntryListSelectOnly(EntryList& list, int row) {
    SetRowState(list, -1, 0, LVIS_SELECTED);
    EntryListSelectAndShow(list, row);
}

// The control sorts nothing itself; selection and focus, kept by row number,
// are carried to the rows their entries move to.
bool EntryListSort(EntryList& list) {
    const int selectedCount = static_cast<int>(SendMessageA(list.listWindow, LVM_GETSELECTEDCOUNT, 0, 0));
    const bool someSelected = selectedCount > 0 && selectedCount < list.rowCount;
    const StringEntry* focused = EntryListRowEntry(list, EntryListFocusedRow(list));
    std::vector<const StringEntry*> selected;
    try {
        for (int row : someSelected ? SelectedRowsFrom(list, 0) : std::vector<int>()) {
            selected.push_back(list.rows[static_cast<size_t>(row)]);
        }
        SortRows(list);
    } catch (const std::bad_alloc&) {
        return false;  // the rows stay as they were
    }
    RedrawPaused paused(list.listWindow);
    if (someSelected) {
        std::sort(selected.begin(), selected.end());
        SetRowState(list, -1, 0, LVIS_SELECTED);
        for (int row = 0; row < list.rowCount; ++row) {
            if (std::binary_search(selected.begin(), selected.end(), list.rows[static_cast<size_t>(row)])) {
                SetRowState(list, row, LVIS_SELECTED, LVIS_SELECTED);
            }
        }
    }
    if (focused != nullptr) {
        FocusRow(list, EntryListFindRow(list, focused, -1));
    }
    return true;
}

bool EntryListColumnClicked(EntryList& list, int column) {
    const int oldColumn = list.sortColumn;
    const int oldDescending = list.sortDescending;
    list.sortDescending = column == list.sortColumn ? !list.sortDescending : 0;
    list.sortColumn = column;
    if (!EntryListSort(list)) {
        list.sortColumn = oldColumn;
        list.sortDescending = oldDescending;
        return false;
    }
    return true;
}

int EntryListSortedPosition(const EntryList& list, const StringEntry& entry) {
    for (int row = 0; row < list.rowCount; ++row) {
        if (SortsAfter(list, *list.rows[static_cast<size_t>(row)], entry)) {
            return row;
        }
    }
    return list.rowCount;
}

// The name goes through the ANSI code page as the control would convert an
// ANSI item text; the text is handed over as it is stored.
void EntryListGetDisplayInfo(const EntryList& list, NMLVDISPINFOW& request) {
    LVITEMW& item = request.item;
    const StringEntry* entry = EntryListRowEntry(list, item.iItem);
    if ((item.mask & LVIF_TEXT) == 0) {
        return;
    }
    if (entry == nullptr) {
        if (item.pszText != nullptr && item.cchTextMax > 0) {
            item.pszText[0] = L'\0';  // a row the list does not have (yet)
        }
    } else if (item.iSubItem == 1) {
        item.pszText = entry->text;
    } else if (item.iSubItem == kReferenceColumn) {
        item.pszText = const_cast<TextUnit*>(ReferenceText(list, *entry));
    } else if (item.pszText != nullptr && item.cchTextMax > 0) {
        const int length = static_cast<int>(std::min<size_t>(std::strlen(entry->name), item.cchTextMax - 1));
        const int written = MultiByteToWideChar(CP_ACP, 0, entry->name, length, item.pszText, item.cchTextMax - 1);
        item.pszText[written] = L'\0';
    }
}

void EntryListMove(EntryList& list, int x, int y, int width, int height) {
    SetWindowPos(list.listWindow, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    list.x = x;
    list.y = y;
    list.width = width;
    list.height = height;
    EntryListFitTextColumn(list);
}

void EntryListSetNameColumnWidth(EntryList& list, int width) {
    SendMessageA(list.listWindow, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width, 0));
    EntryListFitTextColumn(list);
}

void EntryListFitTextColumn(EntryList& list) {
    if (list.listWindow == nullptr || list.columnCount < 2) {
        return;
    }
    RECT client = {};
    GetClientRect(list.listWindow, &client);
    const int nameWidth = static_cast<int>(SendMessageA(list.listWindow, LVM_GETCOLUMNWIDTH, 0, 0));
    const int referenceWidth =
        list.columnCount > kReferenceColumn
            ? static_cast<int>(SendMessageA(list.listWindow, LVM_GETCOLUMNWIDTH, kReferenceColumn, 0))
            : 0;
    const int textWidth =
        std::max(list.leastTextColumnWidth, static_cast<int>(client.right) - nameWidth - referenceWidth);
    if (SendMessageA(list.listWindow, LVM_GETCOLUMNWIDTH, 1, 0) != textWidth) {
        SendMessageA(list.listWindow, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(textWidth, 0));
    }
}

bool EntryIsUntranslated(const EntryList& list, const StringEntry& entry) {
    if (entry.text[0] == 0) {
        return true;
    }
    const StringEntry* reference = list.reference != nullptr ? list.reference->find(entry.name) : nullptr;
    return reference != nullptr && reference->textLength == entry.textLength &&
           std::char_traits<TextUnit>::compare(reference->text, entry.text, entry.textLength) == 0;
}

bool EntryListShowReferenceColumn(EntryList& list, const NameIndex& reference, int width) {
    if (list.columnCount == kReferenceColumn && !InsertColumn(list, "Reference", width)) {
        return false;
    }
    list.reference = &reference;
    EntryListFitTextColumn(list);
    InvalidateRect(list.listWindow, nullptr, TRUE);
    return true;
}

int EntryListHideReferenceColumn(EntryList& list) {
    if (list.columnCount <= kReferenceColumn) {
        return 0;
    }
    const int width = EntryListReferenceColumnWidth(list);
    SendMessageA(list.listWindow, LVM_DELETECOLUMN, kReferenceColumn, 0);
    list.columnCount = kReferenceColumn;
    list.reference = nullptr;
    if (list.sortColumn == kReferenceColumn) {
        list.sortColumn = 0;
        list.sortDescending = 0;
    }
    EntryListFitTextColumn(list);
    return width;
}

int EntryListReferenceColumnWidth(const EntryList& list) {
    return list.columnCount > kReferenceColumn
               ? static_cast<int>(SendMessageA(list.listWindow, LVM_GETCOLUMNWIDTH, kReferenceColumn, 0))
               : 0;
}
