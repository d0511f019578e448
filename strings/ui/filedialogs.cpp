#include "filedialogs.h"

#include "editorsettings.h"

namespace {

// One filter entry; the terminating empty string ends the list.
const char kDatFilter[] = "*.DAT - Varnis Text Files\0*.DAT\0";

OPENFILENAMEA DialogFor(char* path, const std::string& lastFolder) {
    OPENFILENAMEA dialog = {};
    // The classic structure (76 bytes on 32-bit Windows): without the fields
    // that later versions added, the dialog works on every version of Windows.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = g_editor.mainWindow;
    dialog.lpstrFilter = kDatFilter;
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

}  // namespace

bool AskPathToOpen(char* path) {
    path[0] = '\0';
    OPENFILENAMEA dialog = DialogFor(path, g_editor.openFolder);
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    const bool chosen = g_editor.ui.openFileDialog(&dialog) != FALSE;
    path[kPathBufferSize - 1] = '\0';
    if (chosen && path[0] != '\0') {
        RememberOpenFolder(path);
    }
    return chosen;
}

bool AskPathToSave(char* path) {
    OPENFILENAMEA dialog = DialogFor(path, g_editor.saveFolder);
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_DONTADDTORECENT;
    const bool chosen = g_editor.ui.saveFileDialog(&dialog) != FALSE;
    path[kPathBufferSize - 1] = '\0';
    if (chosen && path[0] != '\0') {
        RememberSaveFolder(path);
    }
    return chosen;
}
