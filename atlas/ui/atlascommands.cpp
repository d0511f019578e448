#include "atlascommands.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "atlasexport.h"
#include "editorapp.h"
#include "editorsettings.h"
#include "entrycommands.h"
#include "exceptions.h"
#include "filedialog.h"
#include "filepath.h"
#include "folderlisting.h"
#include "memoryreserve.h"
#include "systemtext.h"
#include "waitcursor.h"

namespace {

// Each format alone, and with the atlas image as a PNG beside it.
const char exportFilter[] =
    "JSON hash (*.json)\0*.json\0"
    "JSON hash and atlas image as PNG (*.json)\0*.json\0"
    "CSV (*.csv)\0*.csv\0"
    "CSV and atlas image as PNG (*.csv)\0*.csv\0";
const DWORD exportFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;

// The name without its extension, and the PNG of that name beside it.
std::string pngBeside(const std::string& path) {
    const std::string name = FileNamePart(path);
    const std::string::size_type dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? path : path.substr(0, path.size() - (name.size() - dot));
    return stem + ".png";
}

std::string defaultExportName(const FilePair& document) {
    if (document.isUntitled()) {
        return std::string();
    }
    const std::string name = FileNamePart(document.indexFileName());
    const std::string::size_type dot = name.rfind('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + ".json";
}

bool confirmReplace(const EditorApp& app, const std::string& path) {
    if (!PathExists(path)) {
        return true;
    }
    const std::string text = path + " already exists.\nDo you want to replace it?";
    return app.ui.messageBox(app.mainWindow, text.c_str(), "Confirm Save As", MB_ICONWARNING | MB_YESNO) == IDYES;
}

}  // namespace

void ExportAtlasCommand(EditorApp& app) {
    char path[MAX_PATH] = {};
    const std::string initial = defaultExportName(*app.document);
    std::strncpy(path, initial.c_str(), MAX_PATH - 1);
    OPENFILENAMEA dialog = FileDialogRecord(app, exportFilter, 1, path, MAX_PATH, "json", exportFlags);
    const std::string folder = RememberedFolder(app, DialogFolder::Extract);
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    if (!app.ui.saveFileDialog(&dialog)) {
        return;
    }
    RememberFolderOf(app, DialogFolder::Extract, path);
    const bool csvChosen = dialog.nFilterIndex == 3 || dialog.nFilterIndex == 4;
    const bool withImage = dialog.nFilterIndex == 2 || dialog.nFilterIndex == 4;
    // The file's own extension decides the format where it names one.
    const ExportFormat format = exportFormatOf(path).value_or(csvChosen ? ExportFormat::Csv : ExportFormat::Json);
    const std::string image = withImage ? pngBeside(path) : std::string();
    if (!image.empty() && !confirmReplace(app, image)) {
        return;
    }
    WaitCursor wait;
    const FilePair& document = *app.document;
    const std::string imageName = FileNamePart(image.empty() ? document.imageFileName() : image);
    try {
        writeExport(document, path, exportText(document, format, SystemTextToUtf8(imageName)), image);
    } catch (const FileException& failure) {
        const std::string text = failure.message + "\n" + failure.fileName;
        app.ui.messageBox(app.mainWindow, text.c_str(), nullptr, MB_ICONERROR);
    }
}

void CompactAtlasCommand(EditorApp& app) {
    WaitCursor wait;
    try {
        app.document->compact();
    } catch (const Exception& failure) {
        app.ui.messageBox(app.mainWindow, failure.message.c_str(), nullptr, MB_ICONERROR);
        return;
    }
    const MemoryReserve::Spending finishing;
    RefreshPreview(app);  // compaction clears the document's selection; the focused item selects it again
}
