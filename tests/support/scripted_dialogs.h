// Scripted answers in place of the message boxes and file dialogs of either
// editor, with a record of every call the program made. Each editor's fixture
// puts these functions in its ModalUi and adds what else its dialogs need.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <deque>
#include <string>
#include <vector>

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
    std::string initialFolder;  // lpstrInitialDir, empty when absent
};

// file empty: Cancel (with `error` for CommDlgExtendedError). A multi-select
// answer is "folder\0name\0name" (the closing zeros are added).
struct FileDialogAnswer {
    std::string file;
    DWORD filterIndex = 0;  // 0: the one the program chose stays
    DWORD error = 0;
};

struct ScriptedDialogs {
    // Answers in order of the calls; a message box with none left gets
    // IDCANCEL when it asks a question and IDOK otherwise, a dialog with none
    // left counts as cancelled and as unanswered.
    std::deque<int> messageBoxAnswers;
    std::deque<FileDialogAnswer> fileAnswers;

    std::vector<MessageBoxCall> messageBoxes;
    std::vector<FileDialogCall> fileDialogs;
    int unansweredDialogs = 0;
    DWORD lastFileDialogError = 0;

    std::vector<std::string> messageBoxTexts() const;
    std::vector<FileDialogCall> openCalls() const;
    std::vector<FileDialogCall> saveCalls() const;
};

// The script the functions below answer from and record into.
void AnswerDialogsFrom(ScriptedDialogs& script);

int ScriptedMessageBox(HWND owner, const char* text, const char* caption, UINT type);
BOOL ScriptedOpenFileDialog(OPENFILENAMEA* dialog);
BOOL ScriptedSaveFileDialog(OPENFILENAMEA* dialog);
DWORD ScriptedFileDialogError();
