#include "documentcommands.h"

#include <cstdio>
#include <cstring>

#include "datfile.h"
#include "editorstate.h"
#include "entrylist.h"
#include "filedialogs.h"
#include "filepath.h"
#include "saverecovery.h"
#include "stringtableeditor_resource.h"
#include "waitcursor.h"

namespace {

const char kProgramTitle[] = "VRN DAT Editor 1.00 Beta 1";
const char kUntitled[] = "Untitled";

const UINT kDocumentCommands[] = {
    ID_FILE_CLOSE,         ID_FILE_SAVE,       ID_FILE_SAVE_AS,          ID_EDIT_INSERT_STRING, ID_EDIT_EDIT_STRING,
    ID_EDIT_DELETE_STRING, ID_EDIT_SELECT_ALL, ID_EDIT_INVERT_SELECTION, ID_EDIT_FIND,          ID_EDIT_FIND_NEXT};

void ShowError(const char* format, const char* path) {
    char message[kPathBufferSize + 200];
    std::snprintf(message, sizeof(message), format, path);
    g_editor.ui.messageBox(g_editor.mainWindow, message, "Error", MB_OK | MB_ICONERROR);
}

const char* ReadFailureFormat(DatReadStatus status) {
    switch (status) {
    case DatReadStatus::CannotOpen:
        return "Cannot open \"%s\".\nThe file does not exist or another program is using it.";
    case DatReadStatus::CannotRead: return "Cannot read \"%s\".";
    case DatReadStatus::NotATableFile:
        return "\"%s\" is not a text table: the file ends before the strings it announces.";
    case DatReadStatus::TooManyEntries: return "\"%s\" holds more strings than the editor can keep.";
    case DatReadStatus::OutOfMemory:
    case DatReadStatus::Read: break;
    }
    return "There is not enough memory to open \"%s\".";
}

const char* WriteFailureFormat(DatWriteStatus status) {
    switch (status) {
    case DatWriteStatus::CannotCreate: return "Cannot save \"%s\".\nThe file cannot be created in that folder.";
    case DatWriteStatus::CannotReplace:
        return "Cannot save \"%s\".\nThe existing file cannot be replaced; it may be read-only or in use.";
    case DatWriteStatus::CannotWrite:
    case DatWriteStatus::Written: break;
    }
    return "Cannot save \"%s\".\nWriting the file failed; the previous file is unchanged.";
}

bool WriteDocument(const char* path) {
    const DatWriteStatus status = WriteStringTable(*g_editor.table, path);
    if (status != DatWriteStatus::Written) {
        ShowError(WriteFailureFormat(status), path);
        return false;
    }
    return true;
}

// The list is hidden while it is filled and sorted, and shown once.
bool ShowTableInList() {
    WaitCursor wait;
    EntryList& list = g_editor.entryList;
    ShowWindow(list.listWindow, SW_HIDE);
    const bool complete = EntryListShowTable(list, *g_editor.table);
    ShowWindow(list.listWindow, SW_SHOW);
    return complete;
}

// A file the reader cannot use leaves the open document as it was, so that
// nothing is lost and no empty table passes for the file.
void OpenTable(const char* path) {
    if (std::strlen(path) >= kPathBufferSize) {
        ShowError("Cannot open \"%s\".\nThe path is too long.", path);
        return;
    }
    // A save of the table that was cut short is finished or undone first.
    for (const RecoveryNotice& notice : RecoverSavesOf({path})) {
        g_editor.ui.messageBox(g_editor.mainWindow, (notice.file + "\n\n" + notice.note).c_str(), "Warning",
                               MB_OK | MB_ICONWARNING);
    }
    DatReadResult read;
    {
        WaitCursor wait;
        read = ReadStringTable(path);
    }
    if (read.status != DatReadStatus::Read) {
        ShowError(ReadFailureFormat(read.status), path);
        return;
    }
    CloseDocument();
    g_editor.table = std::move(read.table);
    lstrcpynA(g_editor.currentPath, path, kPathBufferSize);
    SetDocumentTitle(FileNamePart(path).c_str());
    if (!ShowTableInList()) {
        CloseDocument();
        ShowError("There is not enough memory to show the strings of \"%s\".", path);
        return;
    }
    EnableDocumentCommands(true);
}

}  // namespace

void SetDocumentTitle(const char* documentName) {
    if (documentName == nullptr) {
        SetWindowTextA(g_editor.mainWindow, kProgramTitle);
        return;
    }
    char title[sizeof(kProgramTitle) + kPathBufferSize + 8];
    std::snprintf(title, sizeof(title), "%s - [%s]", kProgramTitle, documentName);
    SetWindowTextA(g_editor.mainWindow, title);
}

void EnableDocumentCommands(bool documentOpen) {
    HMENU menu = GetMenu(g_editor.mainWindow);
    for (UINT command : kDocumentCommands) {
        EnableMenuItem(menu, command, MF_BYCOMMAND | (documentOpen ? MF_ENABLED : MF_GRAYED));
    }
    DrawMenuBar(g_editor.mainWindow);
}

void CloseDocument() {
    EnableDocumentCommands(false);
    EntryListDeleteAllRows(g_editor.entryList);
    g_editor.table.reset();
    SetDocumentTitle(nullptr);
    g_editor.currentPath[0] = '\0';
}

void NewCommand() {
    StringTablePtr table = StringTableCreate();
    if (table == nullptr) {
        g_editor.ui.messageBox(g_editor.mainWindow, "There is not enough memory for a new document.", "Error",
                               MB_OK | MB_ICONERROR);
        return;
    }
    CloseDocument();
    g_editor.table = std::move(table);
    SetDocumentTitle(kUntitled);
    EnableDocumentCommands(true);
}

void OpenCommand() {
    char path[kPathBufferSize];
    if (AskPathToOpen(path) && path[0] != '\0') {
        OpenTable(path);
    }
}

void OpenFirstTable(const std::vector<std::string>& paths) {
    if (!paths.empty()) {
        OpenTable(paths[0].c_str());
    }
}

void CloseCommand() { CloseDocument(); }

void SaveCommand() {
    if (g_editor.table == nullptr) {
        return;
    }
    if (g_editor.currentPath[0] == '\0') {
        SaveAsCommand();
        return;
    }
    WriteDocument(g_editor.currentPath);
}

// The title and the path change only once the file is written, so that a
// failed save does not look like a saved document.
void SaveAsCommand() {
    if (g_editor.table == nullptr) {
        return;
    }
    char path[kPathBufferSize];
    std::memcpy(path, g_editor.currentPath, sizeof(path));
    if (!AskPathToSave(path) || path[0] == '\0') {
        return;
    }
    if (!WriteDocument(path)) {
        return;
    }
    std::memcpy(g_editor.currentPath, path, sizeof(path));
    SetDocumentTitle(FileNamePart(path).c_str());
}
