#include "editorsettings.h"

#include <optional>
#include <vector>

#include "documentcommands.h"
#include "dpi.h"
#include "editorapp.h"
#include "filepath.h"
#include "folderlisting.h"
#include "pxaeditor_resource.h"
#include "settingtext.h"
#include "windowlayout.h"
#include "windowplacement.h"

const char editorSettingsKey[] = "Software\\PXAEditor";

namespace {

const char placementValue[] = "Placement";
const char listWidthValue[] = "ListWidth";  // in pixels at 96 DPI
const char recentFilesValue[] = "RecentFiles";
const char recentImagesValue[] = "RecentImages";  // the image of each recent index, in the same order

const char* folderValue(DialogFolder dialog) {
    switch (dialog) {
    case DialogFolder::Index: return "IndexFolder";
    case DialogFolder::Insert: return "InsertFolder";
    case DialogFolder::Extract: return "ExtractFolder";
    }
    return "";
}

void saveRecentDocuments(const EditorApp& app) {
    std::vector<std::string> images;
    for (const std::string& index : app.recentFiles.paths()) {
        images.push_back(app.recentImages.count(index) != 0 ? app.recentImages.at(index) : std::string());
    }
    app.settings.writeStringList(recentFilesValue, app.recentFiles.paths());
    app.settings.writeStringList(recentImagesValue, images);
}

void showRecentDocuments(EditorApp& app) { app.recentMenu.show(app.recentFiles.paths()); }

}  // namespace

void LoadEditorSettings(EditorApp& app) {
    const std::optional<std::string> width = app.settings.readString(listWidthValue);
    const auto parsed = width ? ParseIntegers(*width, 1, 0, kMostPlacementExtent) : std::nullopt;
    if (parsed) {
        app.listWidth = ScaleForDpi((*parsed)[0], app.dpi);
        LayOutChildren(app);
    }
    const std::vector<std::string> indexes = app.settings.readStringList(recentFilesValue);
    const std::vector<std::string> images = app.settings.readStringList(recentImagesValue);
    for (std::size_t i = 0; i < indexes.size() && i < images.size(); ++i) {
        app.recentImages[indexes[i]] = images[i];
    }
    app.recentFiles.assign(indexes);
    app.recentMenu = RecentFilesMenu(GetSubMenu(GetMenu(app.mainWindow), 0), ID_FILE_EXIT, ID_FILE_RECENT_FIRST);
    showRecentDocuments(app);
}

void ShowMainWindow(EditorApp& app) {
    if (!IsWindowVisible(app.mainWindow)) {
        ShowWindowAsSaved(app.settings, placementValue, app.mainWindow, SW_SHOW);
    }
}

void SaveWindowSettings(const EditorApp& app) {
    SaveWindowPlacement(app.settings, placementValue, app.mainWindow);
    app.settings.writeString(listWidthValue, FormatIntegers({UnscaleForDpi(app.listWidth, app.dpi)}));
}

std::string RememberedFolder(const EditorApp& app, DialogFolder dialog) {
    return app.settings.readString(folderValue(dialog)).value_or(std::string());
}

void RememberFolderOf(const EditorApp& app, DialogFolder dialog, const std::string& path) {
    RememberFolder(app, dialog, path.substr(0, path.size() - FileNamePart(path).size()));
}

void RememberFolder(const EditorApp& app, DialogFolder dialog, const std::string& folder) {
    if (!folder.empty()) {
        app.settings.writeString(folderValue(dialog), folder);
    }
}

void AddRecentDocument(EditorApp& app, const std::string& indexPath, const std::string& imagePath) {
    app.recentFiles.add(indexPath);
    app.recentImages[indexPath] = imagePath;
    saveRecentDocuments(app);
    showRecentDocuments(app);
}

void RemoveRecentDocument(EditorApp& app, const std::string& indexPath) {
    app.recentFiles.remove(indexPath);
    saveRecentDocuments(app);
    showRecentDocuments(app);
}

bool OpenRecentDocumentCommand(EditorApp& app, unsigned command) {
    const int index = app.recentMenu.indexOf(command);
    if (index < 0 || static_cast<std::size_t>(index) >= app.recentFiles.paths().size()) {
        return false;
    }
    if (!ConfirmDiscard(app)) {
        return true;
    }
    const std::string indexPath = app.recentFiles.paths()[static_cast<std::size_t>(index)];
    // The image it was last used with, unless that has gone; then the one
    // beside it.
    const auto image = app.recentImages.find(indexPath);
    if (image != app.recentImages.end() && PathExists(image->second)) {
        OpenPair(app, indexPath, image->second);
    } else {
        OpenIndex(app, indexPath);
    }
    // A document that is gone leaves the list; one that failed otherwise stays.
    if (!PathExists(indexPath)) {
        RemoveRecentDocument(app, indexPath);
    }
    return true;
}
