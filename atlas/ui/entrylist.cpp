#include "entrylist.h"

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

// The sort key of the case-ignoring, locale-aware order in which Windows
// compares text (CompareString with NORM_IGNORECASE): two keys compare byte
// by byte as CompareString compares the texts.
std::string caseIgnoringSortKey(const std::string& text) {
    const int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.c_str(), -1, nullptr, 0);
    std::string key(static_cast<std::string::size_type>(std::max(size, 0)), '\0');
    if (size > 0) {
        LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text.c_str(), -1, &key[0], size);
    }
    return key;
}

struct KeyedName {
    std::string key;
    const std::string* name;
};

// The order in which to hand names to the list. The list places every item
// it is given by its own comparison (LVS_SORTASCENDING: item indexes are
// sorted by item text in ascending order), so the items end in the list's own
// order whatever order they come in, as they do when they come one by one in
// the document's order. The order decides only the cost: the list compares a
// new item with the items it holds until it finds its place, so names handed
// over from the greatest to the least by the order text lists are sorted in
// each find their place at the first comparison, where names in the
// document's byte order would pass a growing number of items each. Names that
// this order holds equal (they differ only in letter case beyond ASCII) keep
// the document's order among themselves, so that where the list too holds
// them equal they stand as single insertions in that order leave them.
std::vector<KeyedName> greatestFirst(const std::vector<std::string>& names) {
    std::vector<KeyedName> keyed;
    keyed.reserve(names.size());
    for (const std::string& name : names) {
        keyed.push_back({caseIgnoringSortKey(name), &name});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const KeyedName& a, const KeyedName& b) { return a.key > b.key; });
    return keyed;
}

// Hands the names over in `order`, the last of `names` last; returns its index.
int insertInOrder(HWND list, const std::vector<std::string>& names, const std::vector<KeyedName>& order) {
    for (const KeyedName& keyed : order) {
        if (keyed.name != &names.back()) {
            InsertListItem(list, *keyed.name);
        }
    }
    return InsertListItem(list, names.back());
}

bool hasEqualNames(const std::vector<KeyedName>& order) {
    return std::adjacent_find(order.begin(), order.end(),
                              [](const KeyedName& a, const KeyedName& b) { return a.key == b.key; }) != order.end();
}

// Adding this many names at once or more rebuilds the list (see AddListItems):
// from there on, one by one costs more than the list's length in insertions.
const std::size_t rebuildFrom = 32;

// What a rebuild must give back to the items.
struct ListItemStates {
    std::set<std::string> selected;
    std::string marked;  // the item of the selection mark; empty for none
    int topItem = 0;
};

// The list's names in its order, and their states.
std::vector<std::string> readItems(HWND list, ListItemStates& states) {
    states.topItem = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    const int markedItem = static_cast<int>(SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0));
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int item = 0; item < count; ++item) {
        names.push_back(ListItemText(list, item));
        if (SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) != 0) {
            states.selected.insert(names.back());
        }
        if (item == markedItem) {
            states.marked = names.back();
        }
    }
    return names;
}

void restoreSelection(HWND list, const ListItemStates& states) {
    if (states.selected.empty() && states.marked.empty()) {
        return;
    }
    LVITEMA selected = {};
    selected.state = LVIS_SELECTED;
    selected.stateMask = LVIS_SELECTED;
    int markedItem = -1;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
        const std::string name = ListItemText(list, item);
        if (states.selected.count(name) != 0) {
            SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&selected));
        }
        if (name == states.marked) {
            markedItem = item;
        }
    }
    SendMessageA(list, LVM_SETSELECTIONMARK, 0, markedItem);
}

void scrollToTopItem(HWND list, int topItem) {
    RECT row = {};
    row.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const int rows = topItem - static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    SendMessageA(list, LVM_SCROLL, 0, rows * (row.bottom - row.top));
}

}  // namespace

std::string ListItemText(HWND list, int item) {
    // The list stores texts of any length; a text that fills the buffer may
    // have been cut, so it is read again into a larger one.
    std::vector<char> text(MAX_PATH);
    for (;;) {
        LVITEMA record = {};
        record.iSubItem = 0;
        record.pszText = text.data();
        record.cchTextMax = static_cast<int>(text.size());
        const LRESULT length =
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record));
        if (length < static_cast<LRESULT>(text.size()) - 1) {
            return std::string(text.data());
        }
        text.resize(text.size() * 2);
    }
}

int InsertListItem(HWND list, const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    LVITEMA record = {};
    record.mask = LVIF_TEXT;
    record.iItem = 0;
    record.iSubItem = 0;
    record.pszText = buffer.data();
    return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&record)));
}

int InsertListItems(HWND list, const std::vector<std::string>& names) {
    if (names.empty()) {
        return -1;
    }
    RedrawPaused paused(list);
    return insertInOrder(list, names, greatestFirst(names));
}

// Windows documents LVS_SORTASCENDING as keeping item indexes sorted by item
// text, each inserted item placed by it whatever index it is given; so a
// list refilled with the same texts holds them in the same order, except
// where the comparison holds two texts equal and their order is that of
// their insertion: then the new names go in one by one. LVM_DELETEALLITEMS
// drops the selection mark and the scroll position, which are set again;
// a report view scrolls by whole rows (LVM_SCROLL rounds to them).
int AddListItems(HWND list, const std::vector<std::string>& names) {
    if (names.size() < rebuildFrom) {
        return InsertListItems(list, names);
    }
    ListItemStates states;
    std::vector<std::string> all = readItems(list, states);
    all.insert(all.end(), names.begin(), names.end());
    const std::vector<KeyedName> order = greatestFirst(all);
    if (hasEqualNames(order)) {
        return InsertListItems(list, names);
    }
    int last = -1;
    {
        RedrawPaused paused(list);
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        last = insertInOrder(list, all, order);
        restoreSelection(list, states);
    }
    scrollToTopItem(list, states.topItem);
    return last;
}

int NextListItem(HWND list, int after, UINT flags) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(flags, 0)));
}

void FillList(HWND list, const std::vector<std::string>& names) {
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    InsertListItems(list, names);
}

void SetListItemsState(HWND list, int item, UINT state, UINT mask) {
    LVITEMA record = {};
    record.state = state;
    record.stateMask = mask;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record));
}

void RemoveListItems(HWND list, const std::set<std::string>& names) {
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    if (names.empty()) {
        return;
    }
    if (names.size() >= static_cast<std::size_t>(count)) {
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);  // the list holds each name once: these are all
        return;
    }
    for (int item = count - 1; item >= 0; --item) {
        if (names.count(ListItemText(list, item)) != 0) {
            SendMessageA(list, LVM_DELETEITEM, static_cast<WPARAM>(item), 0);
        }
    }
}

// Selecting or deselecting every item is one message: from there, the items
// that differ are the fewer.
int SelectListItems(HWND list, const std::set<std::string>& names) {
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    const bool most = names.size() * 2 > static_cast<std::size_t>(count);
    RedrawPaused paused(list);
    SetListItemsState(list, -1, most ? LVIS_SELECTED : 0, LVIS_SELECTED);
    int last = -1;
    for (int item = 0; item < count && !names.empty(); ++item) {
        const bool named = names.count(ListItemText(list, item)) != 0;
        if (named != most) {
            SetListItemsState(list, item, named ? LVIS_SELECTED : 0, LVIS_SELECTED);
        }
        last = named ? item : last;
    }
    return last;
}

// Hidden, the list also stops following its focused item: deleting the items
// before it would otherwise scroll the view by one row per item.
ListHiddenForBulkChange::ListHiddenForBulkChange(HWND list)
    : paused_(list), list_(list), hadFocus_(GetFocus() == list) {
    ShowWindow(list_, SW_HIDE);
}

ListHiddenForBulkChange::~ListHiddenForBulkChange() {
    ShowWindow(list_, SW_SHOW);
    if (hadFocus_) {
        SetFocus(list_);
    }
}
