#include "filedialogs.h"

#include "editorsettings.h"

namespace {

// One filter entry; the terminating empty string ends the list.
const char kDatFilter[] = "*.DAT - Varnis Text Files\0*.DAT\0";
const char kImportFilter[] =
    "Translation Files (*.csv, *.json, *.po, *.pot)\0*.csv;*.json;*.po;*.pot\0"
    "All Files (*.*)\0*.*\0";
// A name typed without extension gets the chosen type's.
const char kExportFilter[] =
    "CSV, Comma Separated (*.csv)\0*.csv\0"
    "JSON (*.json)\0*.json\0"
    "PO, gettext Translation (*.po)\0*.po\0"
    "POT, gettext Template (*.pot)\0*.pot\0";

OPENFILENAMEA DialogFor(char* path, const std::string& lastFolder, const char* filter = kDatFilter) {
    OPENFILENAMEA dialog = {};
    // The classic structure (76 bytes on 32-bit Windows): without the fields
    // that later versions added, the dialog works on every version of Windows.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = g_editor.mainWindow;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = kPathBufferSize;
    // Where the dialog was last left; a path in `path` goes first.
    dialog.lpstrInitialDir = lastFolder.empty() ? nullptr : lastFolder.c_str();
    // Empty rather than absent: a name typed without extension gets the
    // filter's ".DAT".
    dialog.lpstrDefExt = "";
    return dialog;
}

// Runs the dialog on `dialog.lpstrFile`; on OK the folder of the file chosen
// is remembered by `remember`.
bool AskPath(OPENFILENAMEA& dialog, BOOL (*show)(OPENFILENAMEA*), void (*remember)(const char*)) {
    char* path = dialog.lpstrFile;
    const bool chosen = show(&dialog) != FALSE;
    path[kPathBufferSize - 1] = '\0';
    if (chosen && path[0] != '\0') {
        remember(path);
    }
    return chosen;
}

}  // namespace

bool AskPathToOpen(char* path) {
    path[0] = '\0';
    OPENFILENAMEA dialog = DialogFor(path, g_editor.openFolder);
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return AskPath(dialog, g_editor.ui.openFileDialog, RememberOpenFolder);
}

bool AskPathToSave(char* path) {
    OPENFILENAMEA dialog = DialogFor(path, g_editor.saveFolder);
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_DONTADDTORECENT;
    return AskPath(dialog, g_editor.ui.saveFileDialog, RememberSaveFolder);
}

bool AskPathToImport(char* path) {
    path[0] = '\0';
    OPENFILENAMEA dialog = DialogFor(path, g_editor.importFolder, kImportFilter);
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return AskPath(dialog, g_editor.ui.openFileDialog, RememberImportFolder);
}

bool AskPathToExport(char* path) {
    path[0] = '\0';
    OPENFILENAMEA dialog = DialogFor(path, g_editor.exportFolder, kExportFilter);
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_DONTADDTORECENT;
    return AskPath(dialog, g_editor.ui.saveFileDialog, RememberExportFolder);
}
