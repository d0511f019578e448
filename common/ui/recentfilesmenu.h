// The recent files on a File menu: "&1 path", "&2 path", ... and a separator
// after them, just above a given item (Exit). A command id stands for each
// place in the list; the program keeps the list itself (RecentFiles).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RecentFilesMenu {
public:
    // The ids from `firstCommand` on, kReservedCommands of them, belong to
    // the menu's items.
    static constexpr UINT kReservedCommands = 9;
    static constexpr UINT kMostItems = kReservedCommands - 1;  // the last id is the separator's

    RecentFilesMenu() = default;
    RecentFilesMenu(HMENU fileMenu, UINT beforeCommand, UINT firstCommand)
        : menu_(fileMenu), beforeCommand_(beforeCommand), firstCommand_(firstCommand) {}

    // Shows `paths`, most recent first (at most kMostItems), in place of the
    // ones shown before; without paths, neither items nor the separator.
    // Long paths are shortened in the middle ("C:\...\folder\name.DAT").
    void show(const std::vector<std::string>& paths);
    // The place in the list that `command` stands for, or -1.
    int indexOf(UINT command) const;

private:
    HMENU menu_ = nullptr;
    UINT beforeCommand_ = 0;
    UINT firstCommand_ = 0;
    UINT shown_ = 0;
};
