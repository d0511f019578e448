#include "historymenu.h"

#include <string>

bool SetHistoryMenuItem(HMENU menu, UINT command, const char* verb, const char* action, const char* keys) {
    const UINT before = GetMenuState(menu, command, MF_BYCOMMAND);
    if (before == static_cast<UINT>(-1)) {
        return false;
    }
    std::string text = verb;
    if (action != nullptr) {
        text = text + " " + action;
    }
    text = text + "\t" + keys;
    const bool enabled = action != nullptr;
    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING | MIIM_STATE;
    item.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
    item.dwTypeData = &text[0];
    SetMenuItemInfoA(menu, command, FALSE, &item);
    return ((before & (MF_GRAYED | MF_DISABLED)) == 0) != enabled;
}
