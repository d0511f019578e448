#include "recentfilesmenu.h"

#include <shlwapi.h>

#include "recentfiles.h"

namespace {

// Characters of a path as the menu shows it.
constexpr UINT kShownPathLength = 60;

int PositionOf(HMENU menu, UINT command) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        if (GetMenuItemID(menu, position) == command) {
            return position;
        }
    }
    return count;
}

// PathCompactPathEx knows the code page's characters, so a multibyte name is
// never cut inside a character.
std::string ShortenedPath(const std::string& path) {
    char shortened[kShownPathLength + 1] = {};
    if (!PathCompactPathExA(shortened, path.c_str(), sizeof(shortened), 0)) {
        return path;
    }
    return shortened;
}

void InsertItem(HMENU menu, int position, UINT id, const char* text) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_FTYPE | (text != nullptr ? MIIM_STRING : 0);
    item.fType = text != nullptr ? MFT_STRING : MFT_SEPARATOR;
    item.wID = id;
    item.dwTypeData = const_cast<char*>(text);
    InsertMenuItemA(menu, static_cast<UINT>(position), TRUE, &item);
}

}  // namespace

void RecentFilesMenu::show(const std::vector<std::string>& paths) {
    if (menu_ == nullptr) {
        return;
    }
    if (shown_ > 0) {
        for (UINT i = 0; i < shown_; ++i) {
            DeleteMenu(menu_, firstCommand_ + i, MF_BYCOMMAND);
        }
        DeleteMenu(menu_, firstCommand_ + kMostItems, MF_BYCOMMAND);
        shown_ = 0;
    }
    const int position = PositionOf(menu_, beforeCommand_);
    for (const std::string& path : paths) {
        if (shown_ == kMostItems) {
            break;
        }
        const std::string text = RecentFileMenuText(shown_, ShortenedPath(path));
        InsertItem(menu_, position + static_cast<int>(shown_), firstCommand_ + shown_, text.c_str());
        ++shown_;
    }
    if (shown_ > 0) {
        InsertItem(menu_, position + static_cast<int>(shown_), firstCommand_ + kMostItems, nullptr);
    }
}

int RecentFilesMenu::indexOf(UINT command) const {
    return command >= firstCommand_ && command < firstCommand_ + shown_ ? static_cast<int>(command - firstCommand_)
                                                                        : -1;
}
