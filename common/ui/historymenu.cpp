#include "historymenu.h"

#include <cstdio>

// The text is built in place: bringing the menu up to date after a command
// must not fail for want of memory.
bool SetHistoryMenuItem(HMENU menu, UINT command, const char* verb, const char* action, const char* keys) {
    const UINT before = GetMenuState(menu, command, MF_BYCOMMAND);
    if (before == static_cast<UINT>(-1)) {
        return false;
    }
    char text[64];
    std::snprintf(text, sizeof(text), "%s%s%s\t%s", verb, action != nullptr ? " " : "", action != nullptr ? action : "",
                  keys);
    const bool enabled = action != nullptr;
    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING | MIIM_STATE;
    item.fState = enabled ? MFS_ENABLED : MFS_GRAYED;
    item.dwTypeData = text;
    SetMenuItemInfoA(menu, command, FALSE, &item);
    return ((before & (MF_GRAYED | MF_DISABLED)) == 0) != enabled;
}
