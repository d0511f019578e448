// Scripted answers in place of PXAEditor's message boxes and dialogs, with a
// record of every call the program made.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "modalui.h"
#include "scripted_dialogs.h"

struct FolderAnswer {
    bool chosen;
    std::string folder;
};

struct ContextMenuCall {
    HMENU popup;
    HWND owner;
};

// The message boxes and file dialogs as for both editors, and PXAEditor's
// folder browser and context menu.
struct ScriptedUi : ScriptedDialogs {
    // Answers in order of the calls; with none left the browser counts as
    // cancelled and as unanswered.
    std::deque<FolderAnswer> folderAnswers;
    // A command the context menu sends to its owner, as a chosen item would;
    // 0: the menu is dismissed.
    UINT contextMenuChoice = 0;

    std::vector<std::string> folderTitles;
    std::vector<ContextMenuCall> contextMenus;
};

// The script of the running test, emptied by ResetScript.
ScriptedUi& Script();
void ResetScript();

ModalUi ScriptedModalUi();
