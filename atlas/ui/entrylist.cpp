#include "entrylist.h"

#include <commctrl.h>

#include <vector>

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

int NextListItem(HWND list, int after, UINT flags) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(flags, 0)));
}

void FillList(HWND list, const std::vector<std::string>& names) {
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (const std::string& name : names) {
        InsertListItem(list, name);
    }
}
