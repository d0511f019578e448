#include "entrylist.h"

#include <commctrl.h>

#include <algorithm>
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
std::vector<const std::string*> greatestFirst(const std::vector<std::string>& names, std::size_t count) {
    struct Keyed {
        std::string key;
        const std::string* name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        keyed.push_back({caseIgnoringSortKey(names[i]), &names[i]});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key > b.key; });
    std::vector<const std::string*> order;
    order.reserve(keyed.size());
    for (const Keyed& k : keyed) {
        order.push_back(k.name);
    }
    return order;
}

} // namespace

std::string ListItemText(HWND list, int item) {
    char text[MAX_PATH] = "";
    LVITEMA record = {};
    record.iSubItem = 0;
    record.pszText = text;
    record.cchTextMax = MAX_PATH;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record));
    return text;
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
    for (const std::string* name : greatestFirst(names, names.size() - 1)) {
        InsertListItem(list, *name);
    }
    return InsertListItem(list, names.back());
}

int NextListItem(HWND list, int after, UINT flags) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(flags, 0)));
}

void FillList(HWND list, const std::vector<std::string>& names) {
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    InsertListItems(list, names);
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
