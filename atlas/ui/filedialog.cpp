#include "filedialog.h"

#include "editorapp.h"
#include "filepath.h"

OPENFILENAMEA FileDialogRecord(const EditorApp& app, const char* filter, DWORD filterIndex, char* file, DWORD fileSize,
                               const char* defaultExtension, DWORD flags) {
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
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

DWORD AllImageFilesFilterIndex(const std::vector<ImageType>& types) { return static_cast<DWORD>(types.size() - 1); }

std::vector<std::string> PathsFromMultiSelect(const char* buffer) {
    const std::string folder = buffer;
    std::vector<std::string> paths;
    if (folder.empty()) {
        return paths;
    }
    for (const char* name = buffer + folder.size() + 1; *name != '\0'; name += std::string(name).size() + 1) {
        paths.push_back(JoinPath(folder, name));
    }
    if (paths.empty()) {
        paths.push_back(folder);
    }
    return paths;
}
