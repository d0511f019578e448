#include "entrycommands.h"

#include <windows.h>

#include <cderr.h>
#include <commctrl.h>

#include <optional>
#include <set>
#include <vector>

#include "atlasentry.h"
#include "editorapp.h"
#include "editorsettings.h"
#include "entrylist.h"
#include "entryname.h"
#include "exceptions.h"
#include "filedialog.h"
#include "filepath.h"
#include "folderlisting.h"
#include "memoryreserve.h"
#include "renderer.h"
#include "safefilename.h"
#include "waitcursor.h"

namespace {

const DWORD insertBufferSize = 1048576;
const DWORD insertFlags =
    OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
const char folderTitle[] = "Please select the folder where you wish to extract the files to.";
const char noneExtracted[] = "No files have been extracted";
const char allExtracted[] = "The selected files have been extracted";

void showError(const EditorApp& app, const std::string& text) {
    app.ui.messageBox(app.mainWindow, text.c_str(), nullptr, MB_ICONERROR);
}

void showInformation(const EditorApp& app, const std::string& text, UINT icon = MB_ICONINFORMATION) {
    app.ui.messageBox(app.mainWindow, text.c_str(), "Information", icon);
}

// Yes, No or Cancel about one name that is already taken.
int askToReplace(const EditorApp& app, const char* where, const std::string& name, const char* caption) {
    const std::string text = std::string("The following file already exists in the ") + where + ":\n\n" + name +
                             "\n\nDo you wish to replace it?";
    return app.ui.messageBox(app.mainWindow, text.c_str(), caption, MB_ICONWARNING | MB_YESNOCANCEL);
}

// The chosen files, minus those whose entry the user chose to keep; none when
// the user cancelled. Only the names are upper-cased: each file is opened by
// the path it was chosen by. That is the same file wherever letter case does
// not count, the right one in a folder where it does, and one found at once
// where the file system matches names regardless of case only by comparing
// every name in the folder (Wine's on Linux).
std::optional<std::vector<ImageFileToInsert>> filesToInsert(const EditorApp& app,
                                                            const std::vector<ImageFileToInsert>& chosen) {
    std::vector<ImageFileToInsert> files;
    for (const ImageFileToInsert& file : chosen) {
        if (app.document->find(file.name) != nullptr) {
            const int answer = askToReplace(app, "index", file.name, "Replace file?");
            if (answer == IDNO) {
                continue;
            }
            if (answer != IDYES) {
                return std::nullopt;
            }
        }
        files.push_back(file);
    }
    return files;
}

// What the user is told about names an index record cannot keep whole.
std::string nameLimitText() {
    return "longer than the " + std::to_string(maxEntryNameBytes) + " bytes an index file keeps for an entry name";
}

// True when every file's entry name fits an index record; otherwise the user
// is told which do not, and nothing is inserted.
bool namesFitIndex(const EditorApp& app, const std::vector<ImageFileToInsert>& files) {
    std::vector<std::string> tooLong;
    for (const ImageFileToInsert& file : files) {
        if (!fitsIndexRecord(file.name)) {
            tooLong.push_back(file.path);
        }
    }
    if (tooLong.empty()) {
        return true;
    }
    const std::string which = tooLong.size() == 1 ? "The name of this file is " : "The names of these files are ";
    std::string text = which + nameLimitText() + ":\n\n";
    for (const std::string& path : tooLong) {
        text += path + "\n";
    }
    showError(app, text + "\nNo files have been inserted.");
    return false;
}

// The names that need an item: those new to the document, in placement
// order. The list holds exactly the document's names, so these are the ones
// without an item.
std::vector<std::string> namesToList(const std::vector<PlacedEntry>& placed) {
    std::vector<std::string> names;
    for (const PlacedEntry& entry : placed) {
        if (!entry.replaced) {
            names.push_back(entry.name);
        }
    }
    return names;
}

std::vector<std::string> selectedNames(const EditorApp& app) {
    std::vector<std::string> names;
    for (int item = NextListItem(app.entryList, -1, LVNI_SELECTED); item != -1;
         item = NextListItem(app.entryList, item, LVNI_SELECTED)) {
        names.push_back(ListItemText(app.entryList, item));
    }
    return names;
}

// Whether a file is there that could be overwritten; one that exists but
// cannot be opened for reading and writing does not count.
bool isReplaceableFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

// A file name as Windows compares it, letter case ignored.
std::string foldedName(std::string name) {
    if (!name.empty()) {
        CharUpperBuffA(&name[0], static_cast<DWORD>(name.size()));
    }
    return name;
}

// The names of the files in the folder, folded, read in one pass. Probing
// each target alone would look up names that are not there, which Wine
// answers by reading the whole folder every time.
std::set<std::string> foldedNamesIn(const std::string& folder) {
    std::set<std::string> names;
    std::vector<FolderItem> items;
    ListFolder(folder, items);  // none read: no names, and every file is written as new
    for (const FolderItem& item : items) {
        names.insert(foldedName(item.name));
    }
    return names;
}

std::string lines(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : "\n") + name;
    }
    return text;
}

// What the user is told about names that cannot be file names.
std::string refusedNote(const std::vector<std::string>& refused) {
    return "These entries have not been extracted, because their names cannot be used as file names:\n\n" +
           lines(refused) + "\n\n";
}

std::string skippedNote(const std::vector<SkippedFile>& skipped) {
    std::string text = "These files have not been inserted:\n";
    for (const SkippedFile& file : skipped) {
        text += "\n" + FileNamePart(file.path) + ": " + file.reason;
    }
    return text + "\n\nThe other files have been inserted.";
}

}  // namespace

void InsertFilesCommand(EditorApp& app) {
    const std::vector<char> filter = BuildFilterText(app.readableTypes);
    std::vector<char> buffer(insertBufferSize, '\0');
    OPENFILENAMEA dialog = FileDialogRecord(app, filter.data(), AllImageFilesFilterIndex(app.readableTypes),
                                            buffer.data(), insertBufferSize, nullptr, insertFlags);
    const std::string folder = RememberedFolder(app, DialogFolder::Insert);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    if (!app.ui.openFileDialog(&dialog)) {
        if (app.ui.fileDialogError() == FNERR_BUFFERTOOSMALL) {
            app.ui.messageBox(app.mainWindow, "Too many files selected", nullptr, MB_ICONERROR);
        }
        return;
    }
    const std::vector<std::string> paths = PathsFromMultiSelect(buffer.data());
    if (!paths.empty()) {
        RememberFolderOf(app, DialogFolder::Insert, paths.front());
    }
    InsertFilePaths(app, paths);
}

void InsertFilePaths(EditorApp& app, const std::vector<std::string>& chosen, const std::set<std::string>& skippable) {
    // Each file's entry name is worked out once, here. A folder's file whose
    // name an index cannot hold is left out like an unreadable one; a file
    // chosen or dropped itself stops the insertion.
    std::vector<SkippedFile> skipped;
    std::vector<ImageFileToInsert> fitting;
    for (const std::string& path : chosen) {
        ImageFileToInsert file{path, entryNameFromPath(path), skippable.count(path) != 0};
        if (file.optional && !fitsIndexRecord(file.name)) {
            skipped.push_back(SkippedFile{path, "The name is " + nameLimitText()});
        } else {
            fitting.push_back(std::move(file));
        }
    }
    if (!namesFitIndex(app, fitting)) {
        return;
    }
    std::optional<std::vector<ImageFileToInsert>> confirmed = filesToInsert(app, fitting);
    if (!confirmed) {
        return;
    }
    try {
        WaitCursor wait;
        std::vector<PlacedEntry> placed;
        if (!confirmed->empty()) {
            InsertionResult result = app.document->insertNamedFiles(*confirmed);
            placed.swap(result.placed);
            skipped.insert(skipped.end(), result.skipped.begin(), result.skipped.end());
        }
        const MemoryReserve::Spending finishing;
        const int lastInserted = AddListItems(app.entryList, namesToList(placed));
        const int lastIndex = lastInserted == -1 ? 0 : lastInserted;
        SetListItemsState(app.entryList, lastIndex, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        SendMessageA(app.entryList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(lastIndex), FALSE);
        SetFocus(app.entryList);
        RefreshPreview(app);
    } catch (const Exception& e) {
        showError(app, e.message);
        return;
    }
    if (!skipped.empty()) {
        showInformation(app, skippedNote(skipped), MB_ICONWARNING);
    }
}

void ExtractFilesCommand(EditorApp& app) {
    const std::vector<std::string> names = selectedNames(app);
    std::string folder = RememberedFolder(app, DialogFolder::Extract);
    if (!app.ui.browseForFolder(app.mainWindow, folderTitle, folder)) {
        return;
    }
    RememberFolder(app, DialogFolder::Extract, folder);
    if (folder.empty()) {
        showInformation(app, noneExtracted);  // a place that is no folder on disk
        return;
    }
    const std::set<std::string> present = foldedNamesIn(folder);
    std::vector<std::string> accepted;
    std::vector<std::string> refused;
    std::set<std::string> existing;  // accepted names of files there, asked about or not replaceable
    for (const std::string& name : names) {
        // An entry name can come from an index made elsewhere; joined to the
        // folder it must not lead out of it or to a device.
        if (!isSafeFileName(name)) {
            refused.push_back(name);
            continue;
        }
        if (present.count(foldedName(name)) != 0) {
            existing.insert(name);
        }
        if (existing.count(name) != 0 && isReplaceableFile(JoinPath(folder, name))) {
            const int answer = askToReplace(app, "directory", name, "Overwrite file?");
            if (answer == IDNO) {
                continue;
            }
            if (answer != IDYES) {
                return;
            }
        }
        accepted.push_back(name);
    }
    const UINT icon = refused.empty() ? MB_ICONINFORMATION : MB_ICONWARNING;
    const std::string note = refused.empty() ? "" : refusedNote(refused);
    if (accepted.empty()) {
        showInformation(app, note + noneExtracted, icon);
        return;
    }
    try {
        WaitCursor wait;
        for (const std::string& name : accepted) {
            // A file not listed is created as a new one; should it be there
            // after all, the user is asked about it now.
            const std::string target = JoinPath(folder, name);
            if (existing.count(name) != 0) {
                app.document->extract(name, target, -1);
                continue;
            }
            if (app.document->extract(name, target, -1, FilePair::ExistingFile::Keep)) {
                continue;
            }
            const int answer = askToReplace(app, "directory", name, "Overwrite file?");
            if (answer == IDYES) {
                app.document->extract(name, target, -1);
            } else if (answer != IDNO) {
                return;
            }
        }
    } catch (const Exception& e) {
        showError(app, e.message);
        return;
    }
    showInformation(app, note + (refused.empty() ? allExtracted : "The other selected files have been extracted"),
                    icon);
}

// The entries go in one step, then their items, from the last up so that no
// item moves before it is deleted.
void DeleteFilesCommand(EditorApp& app) {
    WaitCursor wait;
    std::vector<int> items;
    std::vector<std::string> names;
    for (int item = NextListItem(app.entryList, -1, LVNI_SELECTED); item != -1;
         item = NextListItem(app.entryList, item, LVNI_SELECTED)) {
        items.push_back(item);
        names.push_back(ListItemText(app.entryList, item));
    }
    if (items.empty()) {
        return;
    }
    app.document->removeEntries(names);
    const MemoryReserve::Spending finishing;
    {
        ListHiddenForBulkChange hidden(app.entryList);
        for (auto item = items.rbegin(); item != items.rend(); ++item) {
            SendMessageA(app.entryList, LVM_DELETEITEM, static_cast<WPARAM>(*item), 0);
        }
    }
    RefreshPreview(app);
}

void StartRenameCommand(EditorApp& app) {
    const int item = NextListItem(app.entryList, -1, LVNI_SELECTED);
    if (item != -1) {
        SetFocus(app.entryList);  // the list edits a label only while it has the focus
        SendMessageA(app.entryList, LVM_EDITLABELA, static_cast<WPARAM>(item), 0);
    }
}

void RenameFromLabel(EditorApp& app, const std::string& text, int item) {
    const std::string newName = upperCaseAscii(text);
    const std::string oldName = ListItemText(app.entryList, item);
    if (newName == oldName) {
        return;
    }
    if (!fitsIndexRecord(newName)) {
        showError(app, "The name " + newName + " is " + nameLimitText() + ".");
        return;
    }
    if (app.document->find(newName) != nullptr) {
        showError(app, "An entry named " + newName + " already exists.");
        return;
    }
    if (!app.document->rename(oldName, newName)) {
        return;
    }
    const MemoryReserve::Spending finishing;
    SendMessageA(app.entryList, LVM_DELETEITEM, static_cast<WPARAM>(item), 0);
    std::vector<char> buffer(newName.begin(), newName.end());
    buffer.push_back('\0');
    LVITEMA record = {};
    record.mask = LVIF_TEXT | LVIF_STATE;
    record.iItem = 0;
    record.state = LVIS_SELECTED | LVIS_FOCUSED;
    record.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    record.pszText = buffer.data();
    const LRESULT index = SendMessageA(app.entryList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&record));
    SendMessageA(app.entryList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    RefreshPreview(app);
}

void SelectAllCommand(EditorApp& app) {
    WaitCursor wait;
    RedrawPaused paused(app.entryList);
    SetListItemsState(app.entryList, -1, LVIS_SELECTED, LVIS_SELECTED);
}

void RefreshPreview(EditorApp& app) {
    const int focused = NextListItem(app.entryList, -1, LVNI_FOCUSED);
    if (focused != -1) {
        ShowEntry(app, ListItemText(app.entryList, focused));
    }
    if (app.document->selected() == nullptr) {
        HidePreview(app, true);
    }
}
