#include "documentcommands.h"

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "documentstatus.h"
#include "editmenu.h"
#include "editorsettings.h"
#include "editorapp.h"
#include "entrylist.h"
#include "exceptions.h"
#include "filedialog.h"
#include "filepath.h"
#include "memoryreserve.h"
#include "pairimage.h"
#include "renderer.h"
#include "saverecovery.h"
#include "waitcursor.h"

namespace {

const char modifiedPrompt[] = "The file has been modified. Do you want to save the modifications?";
// Two filters, each a description and a pattern; the literal's own zero ends the list.
const char indexFilter[] = "PXA files (*.pxa)\0*.PXA\0All files (*.*)\0*.*\0";
const DWORD openFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
const DWORD saveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_CREATEPROMPT;

void showError(const EditorApp& app, const char* text) {
    app.ui.messageBox(app.mainWindow, text, nullptr, MB_ICONERROR);
}

void copyPath(char (&buffer)[MAX_PATH], const std::string& path) {
    std::strncpy(buffer, path.c_str(), MAX_PATH - 1);
    buffer[MAX_PATH - 1] = '\0';
}

// Both files go in place as one unit; a failure names the one that could not
// be saved, and the document stays as it was, modified.
bool savePairReporting(EditorApp& app, const std::string& indexFileName, const std::string& imageFileName, int format) {
    try {
        app.document->savePair(indexFileName, imageFileName, format);
        return true;
    } catch (const FileException& e) {
        std::string text = e.fileName == indexFileName ? "Unable to save index file" : "Unable to save image file";
        if (!e.note.empty()) {
            text += "\n" + e.note;
        }
        showError(app, text.c_str());
        return false;
    }
}

// The format of the writable type the user left selected; a filter index
// outside the list (0 is a custom filter) lets the file name decide.
int chosenWritableFormat(const EditorApp& app, DWORD filterIndex) {
    if (filterIndex >= 1 && filterIndex <= app.writableTypes.size()) {
        return app.writableTypes[filterIndex - 1].format;
    }
    return -1;
}

// A dialog's starting folder; none (the system's choice) when unknown.
const char* initialFolder(const std::string& folder) { return folder.empty() ? nullptr : folder.c_str(); }

std::string folderOf(const std::string& path) { return path.substr(0, path.size() - FileNamePart(path).size()); }

std::vector<std::string> entryNames(const FilePair& document) {
    std::vector<std::string> names;
    for (const auto& entry : document.entries()) {
        names.push_back(entry.first);
    }
    return names;
}

}  // namespace

bool ConfirmDiscard(EditorApp& app) {
    if (!app.document || !app.document->isModified()) {
        return true;
    }
    switch (app.ui.messageBox(app.mainWindow, modifiedPrompt, "Warning", MB_ICONWARNING | MB_YESNOCANCEL)) {
    case IDYES: return SaveDocument(app, false);
    case IDNO: return true;
    default: return false;
    }
}

void NewDocument(EditorApp& app) {
    if (!ConfirmDiscard(app)) {
        return;
    }
    // Made before the old one goes, so that a failure leaves it in place.
    auto document = std::make_unique<FilePair>(256, 256);
    const MemoryReserve::Spending finishing;
    DiscardDocument(app);
    app.document = std::move(document);
}

void NewCommand(EditorApp& app) {
    try {
        NewDocument(app);
    } catch (const Exception& e) {
        showError(app, e.message.c_str());
    }
}

void DiscardDocument(EditorApp& app) {
    if (!app.document) {
        return;
    }
    app.document.reset();
    SendMessageA(app.entryList, LVM_DELETEALLITEMS, 0, 0);
    HidePreview(app, true);
    UpdateTitle(app, "Unnamed");
    UpdateEntryCommands(app);
}

void OpenDocument(EditorApp& app) {
    char indexPath[MAX_PATH] = "";
    OPENFILENAMEA indexDialog = FileDialogRecord(app, indexFilter, 1, indexPath, MAX_PATH, nullptr, openFlags);
    const std::string indexFolder = RememberedFolder(app, DialogFolder::Index);
    indexDialog.lpstrInitialDir = initialFolder(indexFolder);
    if (!app.ui.openFileDialog(&indexDialog)) {
        return;
    }
    RememberFolderOf(app, DialogFolder::Index, indexPath);
    std::string imagePath;
    if (AskForAtlasImage(app, indexPath, imagePath)) {
        OpenPair(app, indexPath, imagePath);
    }
}

bool AskForAtlasImage(EditorApp& app, const std::string& indexPath, std::string& imagePath) {
    // The dialog starts beside the index, the image of the same name chosen
    // when there is one.
    const std::string folder = folderOf(indexPath);
    char image[MAX_PATH];
    copyPath(image, FileNamePart(findAtlasImage(indexPath, app.readableTypes)));
    const std::vector<char> imageFilter = BuildFilterText(app.readableTypes);
    OPENFILENAMEA imageDialog = FileDialogRecord(app, imageFilter.data(), AllImageFilesFilterIndex(app.readableTypes),
                                                 image, MAX_PATH, nullptr, openFlags);
    imageDialog.lpstrInitialDir = initialFolder(folder);
    if (!app.ui.openFileDialog(&imageDialog)) {
        return false;
    }
    imagePath = image;
    return true;
}

void OpenIndex(EditorApp& app, const std::string& indexPath) {
    std::string imagePath = findAtlasImage(indexPath, app.readableTypes);
    if (!imagePath.empty() || AskForAtlasImage(app, indexPath, imagePath)) {
        OpenPair(app, indexPath, imagePath);
    }
}

void OpenPair(EditorApp& app, const std::string& indexPath, const std::string& imagePath) {
    // A save of the pair that was cut short is finished or undone first.
    for (const RecoveryNotice& notice : RecoverSavesOf({indexPath, imagePath})) {
        app.ui.messageBox(app.mainWindow, (notice.file + "\n\n" + notice.note).c_str(), "Warning", MB_ICONWARNING);
    }
    try {
        WaitCursor wait;
        auto document = std::make_unique<FilePair>(indexPath, imagePath);
        app.document = std::move(document);
    } catch (const Exception& e) {
        showError(app, e.message.c_str());
        return;
    }
    const MemoryReserve::Spending finishing;
    WaitCursor wait;
    AddRecentDocument(app, indexPath, imagePath);
    HidePreview(app, false);
    UpdateTitle(app, app.document->indexFileName());
    FillList(app.entryList, entryNames(*app.document));
    UpdateEntryCommands(app);
    SetFocus(app.entryList);
}

bool SaveDocument(EditorApp& app, bool saveAs) {
    FilePair& document = *app.document;
    if (!document.isUntitled() && !saveAs) {
        // A failure is reported and the document stays as it is, modified,
        // so nothing that waits for the save drops it.
        const std::string indexFileName = document.indexFileName();
        const std::string imageFileName = document.imageFileName();
        return savePairReporting(app, indexFileName, imageFileName, -1);
    }
    char indexPath[MAX_PATH];
    char imagePath[MAX_PATH];
    copyPath(indexPath, document.indexFileName());
    copyPath(imagePath, document.imageFileName());

    // Nothing is written before both names are chosen. An untitled pair's
    // image is offered beside its index.
    OPENFILENAMEA indexDialog = FileDialogRecord(app, indexFilter, 1, indexPath, MAX_PATH, "pxa", saveFlags);
    const std::string indexFolder = RememberedFolder(app, DialogFolder::Index);
    indexDialog.lpstrInitialDir = initialFolder(indexFolder);
    if (!app.ui.saveFileDialog(&indexDialog)) {
        return false;
    }
    RememberFolderOf(app, DialogFolder::Index, indexPath);
    const std::vector<char> imageFilter = BuildFilterText(app.writableTypes);
    OPENFILENAMEA imageDialog = FileDialogRecord(app, imageFilter.data(), AllImageFilesFilterIndex(app.writableTypes),
                                                 imagePath, MAX_PATH, "tga", saveFlags);
    const std::string imageFolder = folderOf(indexPath);
    imageDialog.lpstrInitialDir = initialFolder(imageFolder);
    if (!app.ui.saveFileDialog(&imageDialog) ||
        !savePairReporting(app, indexPath, imagePath, chosenWritableFormat(app, imageDialog.nFilterIndex))) {
        return false;
    }
    const MemoryReserve::Spending finishing;
    UpdateTitle(app, indexPath);
    AddRecentDocument(app, indexPath, imagePath);
    return true;
}

void UpdateTitle(EditorApp& app, const std::string& name) {
    std::string title = TextOfWindow(app.mainWindow);
    const std::string::size_type dash = title.find('-');
    if (dash != std::string::npos) {
        title.erase(dash + 1);
    } else {
        title += " - ";
    }
    title += " [" + name + "]";
    if (app.document && app.document->isModified()) {
        title += modifiedMark;
    }
    SetWindowTextA(app.mainWindow, title.c_str());
}
