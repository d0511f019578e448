// Scripted answers in place of PXAEditor's message boxes and dialogs, with a
// record of every call the program made.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "modalui.h"

struct MessageBoxCall {
    HWND owner;
    std::string text;
    bool hasCaption;
    std::string caption;
    UINT type;
};

// What the program put in a file dialog's record.
struct FileDialogCall {
    bool save;
    DWORD structSize;
    HWND owner;
    HINSTANCE instance;
    std::string filter;  // every string with its zero, up to and including the empty one
    DWORD filterIndex;
    std::string initialFile;
    DWORD maxFile;
    bool hasDefaultExtension;
    std::string defaultExtension;
    DWORD flags;
    bool hasTitleFolderOrCustomFilter;
};

// file empty: Cancel (with `error` for CommDlgExtendedError). A multi-select
// answer is "folder\0name\0name" (the closing zeros are added).
struct FileDialogAnswer {
    std::string file;
    DWORD filterIndex = 0;  // 0: the one the program chose stays
    DWORD error = 0;
};

struct FolderAnswer {
    bool chosen;
    std::string folder;
};

struct ContextMenuCall {
    HMENU popup;
    HWND owner;
};

struct ScriptedUi {
    // Answers in order of the calls; a message box with none left gets
    // IDCANCEL when it asks a question and IDOK otherwise, a dialog with none
    // left counts as cancelled and as unanswered.
    std::deque<int> messageBoxAnswers;
    std::deque<FileDialogAnswer> fileAnswers;
    std::deque<FolderAnswer> folderAnswers;
    // A command the context menu sends to its owner, as a chosen item would;
    // 0: the menu is dismissed.
    UINT contextMenuChoice = 0;

    std::vector<MessageBoxCall> messageBoxes;
    std::vector<FileDialogCall> fileDialogs;
    std::vector<std::string> folderTitles;
    std::vector<ContextMenuCall> contextMenus;
    int unansweredDialogs = 0;
    DWORD lastFileDialogError = 0;

    std::vector<std::string> messageBoxTexts() const;
};

// The script of the running test, emptied by ResetScript.
ScriptedUi& Script();
void ResetScript();

ModalUi ScriptedModalUi();
