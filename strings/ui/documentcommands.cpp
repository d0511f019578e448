#include "documentcommands.h"

#include <cstdio>
#include <cstring>

#include "datfile.h"
#include "editorsettings.h"
#include "editorstate.h"
#include "entrylist.h"
#include "filedialogs.h"
#include "filepath.h"
#include "folderlisting.h"
#include "historycommands.h"
#include "saverecovery.h"
#include "statusbar.h"
#include "stringhistory.h"
#include "stringtableeditor_resource.h"
#include "waitcursor.h"

namespace {

const char kProgramTitle[] = "VRN DAT Editor 1.00 Beta 1";
const char kUntitled[] = "Untitled";

const UINT kDocumentCommands[] = {
    ID_FILE_CLOSE,       ID_FILE_SAVE,          ID_FILE_SAVE_AS,    ID_EDIT_INSERT_STRING,
    ID_EDIT_EDIT_STRING, ID_EDIT_DELETE_STRING, ID_EDIT_SELECT_ALL, ID_EDIT_INVERT_SELECTION,
    ID_EDIT_FIND,        ID_EDIT_FIND_NEXT,     ID_FILE_IMPORT,     ID_FILE_EXPORT};

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
    case DatWriteStatus::OutOfMemory: return "There is not enough memory to save \"%s\".";
    case DatWriteStatus::CannotWrite:
    case DatWriteStatus::Written: break;
    }
    return "Cannot save \"%s\".\nWriting the file failed; the previous file is unchanged.";
}

// The document now matches a file: the one it was read from or saved to.
void MarkDocumentSaved() {
    StringTableMarkSaved(*g_editor.table);
    SetDocumentTitle(g_editor.documentName);
}

bool WriteDocument(const char* path) {
    DatWriteStatus status;
    {
        WaitCursor wait;
        status = WriteStringTable(*g_editor.table, path);
    }
    if (status != DatWriteStatus::Written) {
        ShowError(WriteFailureFormat(status), path);
        return false;
    }
    return true;
}

// A file the reader cannot use leaves the open document as it was, so that
// nothing is lost and no empty table passes for the file. True when opened.
bool OpenTable(const char* path) {
    if (std::strlen(path) >= kPathBufferSize) {
        ShowError("Cannot open \"%s\".\nThe path is too long.", path);
        return false;
    }
    // A save of the table that was cut short is finished or undone first.
    for (const RecoveryNotice& notice : RecoverSavesOf({path})) {
        g_editor.ui.messageBox(g_editor.mainWindow, (notice.file + "\n\n" + notice.note).c_str(), "Warning",
                               MB_OK | MB_ICONWARNING);
    }
    const std::string name = FileNamePart(path);  // before anything changes
    DatReadResult read;
    {
        WaitCursor wait;
        read = ReadStringTable(path);
    }
    if (read.status != DatReadStatus::Read) {
        ShowError(ReadFailureFormat(read.status), path);
        return false;
    }
    CloseDocument();
    g_editor.table = std::move(read.table);
    lstrcpynA(g_editor.currentPath, path, kPathBufferSize);
    SetDocumentTitle(name.c_str());
    if (!ShowTableInList()) {
        CloseDocument();
        ShowError("There is not enough memory to show the strings of \"%s\".", path);
        return false;
    }
    EnableDocumentCommands(true);
    RememberRecentFile(path);
    return true;
}

// Yes saves (a failed or cancelled save keeps the document), No gives the
// changes up, Cancel keeps the document.
bool SaveChangesAnswer() {
    char question[kPathBufferSize + 40];
    std::snprintf(question, sizeof(question), "Save changes to %s?", g_editor.documentName);
    switch (g_editor.ui.messageBox(g_editor.mainWindow, question, "VRN DAT Editor", MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: SaveCommand(); return !DocumentModified();  // Save As for an untitled document
    case IDNO: return true;
    default: return false;
    }
}

}  // namespace

// The list is hidden while it is filled and sorted, and shown once.
bool ShowTableInList() {
    WaitCursor wait;
    EntryList& list = g_editor.entryList;
    ShowWindow(list.listWindow, SW_HIDE);
    const bool complete = EntryListShowTable(list, *g_editor.table);
    ShowWindow(list.listWindow, SW_SHOW);
    return complete;
}

void SetDocumentTitle(const char* documentName) {
    if (documentName == nullptr) {
        g_editor.documentName[0] = '\0';
        SetWindowTextA(g_editor.mainWindow, kProgramTitle);
        return;
    }
    if (documentName != g_editor.documentName) {
        lstrcpynA(g_editor.documentName, documentName, kPathBufferSize);
    }
    char title[sizeof(kProgramTitle) + kPathBufferSize + 8];
    std::snprintf(title, sizeof(title), "%s - [%s]%s", kProgramTitle, documentName, DocumentModified() ? " *" : "");
    SetWindowTextA(g_editor.mainWindow, title);
}

void EnableDocumentCommands(bool documentOpen) {
    HMENU menu = GetMenu(g_editor.mainWindow);
    for (UINT command : kDocumentCommands) {
        EnableMenuItem(menu, command, MF_BYCOMMAND | (documentOpen ? MF_ENABLED : MF_GRAYED));
    }
    UpdateHistoryCommands();
    DrawMenuBar(g_editor.mainWindow);
}

void CloseDocument() {
    EntryListDeleteAllRows(g_editor.entryList);
    g_editor.table.reset();
    EnableDocumentCommands(false);  // Undo and Redo too, now that no table has steps
    SetDocumentTitle(nullptr);
    g_editor.currentPath[0] = '\0';
    RequestStatusUpdate();
}

void MarkDocumentChanged() { SetDocumentTitle(g_editor.documentName); }

bool DocumentModified() { return g_editor.table != nullptr && !StringTableIsSaved(*g_editor.table); }

bool ConfirmDiscard() { return !DocumentModified() || SaveChangesAnswer(); }

void NewCommand() {
    if (!ConfirmDiscard()) {
        return;
    }
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
    RequestStatusUpdate();
}

void OpenCommand() {
    if (!ConfirmDiscard()) {
        return;
    }
    char path[kPathBufferSize];
    if (AskPathToOpen(path) && path[0] != '\0') {
        OpenTable(path);
    }
}

void OpenFirstTable(const std::vector<std::string>& paths) {
    if (!paths.empty() && ConfirmDiscard()) {
        OpenTable(paths[0].c_str());
    }
}

void OpenRecentFileCommand(int index) {
    const std::vector<std::string>& recent = g_editor.recentFiles.paths();
    if (index < 0 || static_cast<size_t>(index) >= recent.size() || !ConfirmDiscard()) {
        return;
    }
    const std::string path = recent[static_cast<size_t>(index)];
    if (!OpenTable(path.c_str()) && !PathExists(path)) {
        ForgetRecentFile(path.c_str());
    }
}

void CloseCommand() {
    if (ConfirmDiscard()) {
        CloseDocument();
    }
}

void SaveCommand() {
    if (g_editor.table == nullptr) {
        return;
    }
    if (g_editor.currentPath[0] == '\0') {
        SaveAsCommand();
        return;
    }
    if (WriteDocument(g_editor.currentPath)) {
        MarkDocumentSaved();
    }
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
    const std::string name = FileNamePart(path);
    if (!WriteDocument(path)) {
        return;
    }
    std::memcpy(g_editor.currentPath, path, sizeof(path));
    lstrcpynA(g_editor.documentName, name.c_str(), kPathBufferSize);
    MarkDocumentSaved();
    RememberRecentFile(path);
}

void ExitCommand() {
    if (ConfirmDiscard()) {
        PostQuitMessage(0);
    }
}
