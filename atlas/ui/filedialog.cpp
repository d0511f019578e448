#include "filedialog.h"

#include "editorapp.h"

#ifndef _WIN64
static_assert(fileDialogRecordSize == 76, "the file dialog record of 32-bit Windows");
#endif

OPENFILENAMEA FileDialogRecord(const EditorApp& app, const char* filter, DWORD filterIndex, char* file,
                               DWORD fileSize, const char* defaultExtension, DWORD flags) {
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = fileDialogRecordSize;
    dialog.hwndOwner = app.mainWindow;
    dialog.hInstance = app.instance;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = filterIndex;
    dialog.lpstrFile = file;
    dialog.nMaxFile = fileSize;
    dialog.lpstrDefExt = defaultExtension;
    dialog.Flags = flags;
    return dialog;
}
