#include "editorsettings.h"

#include <windows.h>

#include <commctrl.h>

#include <new>

#include "dpi.h"
#include "editorstate.h"
#include "entrylist.h"
#include "filepath.h"
#include "windowplacement.h"

namespace {

const char kPlacementValue[] = "Window Placement";
const char kNameColumnValue[] = "Name Column Width";
const char kSortColumnValue[] = "Sort Column";
const char kSortDescendingValue[] = "Sort Descending";
const char kOpenFolderValue[] = "Open Folder";
const char kSaveFolderValue[] = "Save Folder";
const char kRecentFilesValue[] = "Recent Files";
const char kReferenceColumnValue[] = "Reference Column Width";
const char kImportFolderValue[] = "Import Folder";
const char kExportFolderValue[] = "Export Folder";

constexpr int kDefaultNameColumnWidth = 190;
constexpr int kDefaultReferenceColumnWidth = 200;
constexpr int kMostColumnWidth = 4000;

// A stored 0 or 1, else `fallback`.
int StoredChoice(const char* name, int fallback) {
    const std::optional<int> value = g_editor.settings.readInteger(name);
    return value && (*value == 0 || *value == 1) ? *value : fallback;
}

int StoredWidth(const char* name, int fallback) {
    const std::optional<int> width = g_editor.settings.readInteger(name);
    return width && *width > 0 && *width <= kMostColumnWidth ? *width : fallback;
}

std::string FolderOf(const char* path) {
    const std::string whole(path);
    return whole.substr(0, whole.size() - FileNamePart(whole).size());
}

void RememberFolder(std::string& folder, const char* valueName, const char* path) {
    try {
        folder = FolderOf(path);
        g_editor.settings.writeString(valueName, folder);
    } catch (const std::bad_alloc&) {
        // the dialog starts where it did before
    }
}

void ShowRecentFiles() {
    g_editor.recentFilesMenu.show(g_editor.recentFiles.paths());
    g_editor.settings.writeStringList(kRecentFilesValue, g_editor.recentFiles.paths());
}

}  // namespace

void LoadEditorSettings() {
    const SettingsStore& settings = g_editor.settings;
    g_editor.entryList.sortColumn = StoredChoice(kSortColumnValue, 0);
    g_editor.entryList.sortDescending = StoredChoice(kSortDescendingValue, 0);
    g_editor.openFolder = settings.readString(kOpenFolderValue).value_or(std::string());
    g_editor.saveFolder = settings.readString(kSaveFolderValue).value_or(std::string());
    g_editor.importFolder = settings.readString(kImportFolderValue).value_or(std::string());
    g_editor.exportFolder = settings.readString(kExportFolderValue).value_or(std::string());
    g_editor.recentFiles.assign(settings.readStringList(kRecentFilesValue));
    g_editor.recentFilesMenu.show(g_editor.recentFiles.paths());
}

int RememberedNameColumnWidth() { return StoredWidth(kNameColumnValue, kDefaultNameColumnWidth); }
int RememberedReferenceColumnWidth() { return StoredWidth(kReferenceColumnValue, kDefaultReferenceColumnWidth); }

void RememberReferenceColumnWidth(int pixels) {
    if (pixels > 0) {
        g_editor.settings.writeInteger(kReferenceColumnValue, UnscaleForDpi(pixels, g_editor.dpi));
    }
}

void ShowMainWindowAsSaved(int showCommand) {
    ShowWindowAsSaved(g_editor.settings, kPlacementValue, g_editor.mainWindow, showCommand);
}

void SaveWindowSettings() {
    const SettingsStore& settings = g_editor.settings;
    SaveWindowPlacement(settings, kPlacementValue, g_editor.mainWindow);
    const int nameWidth = static_cast<int>(SendMessageA(g_editor.entryList.listWindow, LVM_GETCOLUMNWIDTH, 0, 0));
    if (nameWidth > 0) {
        settings.writeInteger(kNameColumnValue, UnscaleForDpi(nameWidth, g_editor.dpi));
    }
    RememberReferenceColumnWidth(EntryListReferenceColumnWidth(g_editor.entryList));
    settings.writeInteger(kSortColumnValue, g_editor.entryList.sortColumn);
    settings.writeInteger(kSortDescendingValue, g_editor.entryList.sortDescending);
}

void RememberRecentFile(const char* path) {
    try {
        g_editor.recentFiles.add(path);
        ShowRecentFiles();
    } catch (const std::bad_alloc&) {
        // remembering stops here; the command itself succeeded
    }
}

void ForgetRecentFile(const char* path) {
    try {
        g_editor.recentFiles.remove(path);
        ShowRecentFiles();
    } catch (const std::bad_alloc&) {
        // remembering stops here; the command itself succeeded
    }
}

void RememberOpenFolder(const char* path) { RememberFolder(g_editor.openFolder, kOpenFolderValue, path); }
void RememberSaveFolder(const char* path) { RememberFolder(g_editor.saveFolder, kSaveFolderValue, path); }
void RememberImportFolder(const char* path) { RememberFolder(g_editor.importFolder, kImportFolderValue, path); }
void RememberExportFolder(const char* path) { RememberFolder(g_editor.exportFolder, kExportFolderValue, path); }
