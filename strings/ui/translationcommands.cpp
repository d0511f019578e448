#include "translationcommands.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "datfile.h"
#include "documentcommands.h"
#include "dpi.h"
#include "editorsettings.h"
#include "editorstate.h"
#include "entrylist.h"
#include "exchangeformat.h"
#include "filedialogs.h"
#include "filepath.h"
#include "rawfile.h"
#include "safefile.h"
#include "statusbar.h"
#include "stringhistory.h"
#include "stringtableeditor_resource.h"
#include "tableexchange.h"
#include "tableexport.h"
#include "waitcursor.h"

namespace {

// Messages name at most this many refused rows or entries.
constexpr std::size_t kMostListedProblems = 10;

void ShowError(const std::string& message) {
    g_editor.ui.messageBox(g_editor.mainWindow, message.c_str(), "Error", MB_OK | MB_ICONERROR);
}

std::string Quoted(const char* path) { return std::string("\"") + path + "\""; }

// The lines of `problems` (as `line(problem)` makes them), the first few.
template <typename Problem, typename Line>
std::string ProblemLines(const std::vector<Problem>& problems, Line line) {
    std::string lines;
    for (std::size_t i = 0; i < problems.size() && i < kMostListedProblems; ++i) {
        lines += "\n" + line(problems[i]);
    }
    if (problems.size() > kMostListedProblems) {
        lines += "\n... and " + std::to_string(problems.size() - kMostListedProblems) + " more.";
    }
    return lines;
}

bool ReadWholeFile(const char* path, std::string& content) {
    RawFile file;
    std::uint64_t size = 0;
    if (!RawFileOpenForReading(file, path) || !RawFileSize(file, size) || size > content.max_size()) {
        return false;
    }
    content.resize(static_cast<std::size_t>(size));
    std::size_t read = 0;
    return RawFileRead(file, &content[0], content.size(), read) && read == content.size();
}

bool FormatOfPath(const char* path, const char* verb, ExchangeFormat& format) {
    if (FormatFromFileName(path, format)) {
        return true;
    }
    ShowError(std::string("Cannot ") + verb + " " + Quoted(path) +
              ".\nThe file name must end in .csv, .json, .po or .pot.");
    return false;
}

std::string LowerExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return extension;
}

// gettext's own naming: a translation's file is called by its language (de.po).
std::string LanguageOfFileName(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return name.substr(0, dot);
}

std::string CurrentUtcTime() {
    SYSTEMTIME now = {};
    GetSystemTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u+0000", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute);
    return text;
}

std::string EntryLine(const char* table, const EntryProblem& problem) {
    return std::string(table) + " entry " + std::to_string(problem.number) + " \"" + problem.entry->name +
           "\": " + problem.reason;
}

// The column and the filter follow the reference: rows are made anew, since
// which are untranslated and the order by the Reference column change. The
// focused string keeps the focus, selected, while it has a row.
void ShowReferenceChange() {
    EntryList& list = g_editor.entryList;
    const StringEntry* focused = EntryListRowEntry(list, EntryListFocusedRow(list));
    if (g_editor.table != nullptr && !ShowTableInList()) {
        CloseDocument();
        ShowError("There is not enough memory to show the strings.");
    }
    const int row = focused != nullptr ? EntryListFindRow(list, focused, -1) : -1;
    if (row >= 0) {
        EntryListSelectAndShow(list, row);
    }
    UpdateTranslationMenu();
    RequestStatusUpdate();
}

void DropReference() {
    RememberReferenceColumnWidth(EntryListHideReferenceColumn(g_editor.entryList));
    g_editor.referenceIndex.clear();
    g_editor.reference.reset();
    g_editor.referencePath.clear();
}

}  // namespace

void UpdateTranslationMenu() {
    HMENU menu = GetMenu(g_editor.mainWindow);
    EnableMenuItem(menu, ID_FILE_CLOSE_REFERENCE,
                   MF_BYCOMMAND | (g_editor.reference != nullptr ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, ID_VIEW_UNTRANSLATED_ONLY,
                  MF_BYCOMMAND | (g_editor.entryList.untranslatedOnly ? MF_CHECKED : MF_UNCHECKED));
}

void OpenReferenceCommand() {
    char path[kPathBufferSize];
    if (!AskPathToOpen(path) || path[0] == '\0') {
        return;
    }
    DatReadResult read;
    {
        WaitCursor wait;
        read = ReadStringTable(path);
    }
    if (read.status == DatReadStatus::OutOfMemory) {
        ShowError("There is not enough memory to open the reference " + Quoted(path) + ".");
        return;
    }
    if (read.status != DatReadStatus::Read) {
        ShowError("Cannot open the reference " + Quoted(path) +
                  ".\nThe file does not exist, cannot be read or is not a text table.");
        return;
    }
    NameIndex index;
    if (!index.build(*read.table)) {
        ShowError("There is not enough memory to open the reference " + Quoted(path) + ".");
        return;
    }
    const int width = g_editor.reference != nullptr ? EntryListReferenceColumnWidth(g_editor.entryList)
                                                    : ScaleForDpi(RememberedReferenceColumnWidth(), g_editor.dpi);
    DropReference();
    g_editor.reference = std::move(read.table);
    std::swap(g_editor.referenceIndex, index);
    g_editor.referencePath = path;
    if (!EntryListShowReferenceColumn(g_editor.entryList, g_editor.referenceIndex, width)) {
        DropReference();
        ShowError("The Reference column cannot be shown.");
    }
    ShowReferenceChange();
}

void CloseReferenceCommand() {
    if (g_editor.reference == nullptr) {
        return;
    }
    DropReference();
    ShowReferenceChange();
}

void UntranslatedOnlyCommand() {
    g_editor.entryList.untranslatedOnly = !g_editor.entryList.untranslatedOnly;
    ShowReferenceChange();
}

void ImportCommand() {
    char path[kPathBufferSize];
    ExchangeFormat format = ExchangeFormat::Csv;
    if (g_editor.table == nullptr || !AskPathToImport(path) || path[0] == '\0' ||
        !FormatOfPath(path, "import", format)) {
        return;
    }
    WaitCursor wait;
    std::string content;
    if (!ReadWholeFile(path, content)) {
        ShowError("Cannot read " + Quoted(path) + ".\nThe file does not exist or another program is using it.");
        return;
    }
    ExchangeFile file;
    std::string error;
    if (!ReadExchangeFile(format, content, ExchangeReadOptions(), file, error)) {
        ShowError("Cannot import " + Quoted(path) + ".\n" + error);
        return;
    }
    content.clear();
    ImportResult result = ImportRows(file, g_editor.table.get());
    if (!result.refused.empty()) {
        ShowError("Cannot import " + Quoted(path) + ": " + std::to_string(result.refused.size()) +
                  " rows were refused. The document is unchanged." +
                  ProblemLines(result.refused,
                               [](const ExchangeProblem& problem) { return problem.where + ": " + problem.reason; }));
        return;
    }
    if (result.table == nullptr || !StringTableReplaceAllStep(*g_editor.table, std::move(result.table))) {
        throw std::bad_alloc();
    }
    if (!ShowTableInList()) {
        // No entry may be saved unseen: the document goes back as it was.
        StringTableUndo(*g_editor.table, nullptr);
        ShowTableInList();
        throw std::bad_alloc();
    }
    MarkDocumentChanged();
}

void ExportCommand() {
    char path[kPathBufferSize];
    ExchangeFormat format = ExchangeFormat::Csv;
    if (g_editor.table == nullptr || !AskPathToExport(path) || path[0] == '\0' ||
        !FormatOfPath(path, "export to", format)) {
        return;
    }
    const std::string fileName = FileNamePart(path);
    const StringTable* reference = g_editor.reference.get();
    ExchangeWriteOptions options;
    options.byteOrderMark = format == ExchangeFormat::Csv;  // spreadsheets read UTF-8 only after its mark
    options.header.isTemplate = LowerExtension(fileName) == ".pot";
    options.header.projectId = reference != nullptr ? FileNamePart(g_editor.referencePath) : g_editor.documentName;
    options.header.generator = "StringTableEditor";
    options.header.date = CurrentUtcTime();
    if (format == ExchangeFormat::Po && !options.header.isTemplate) {
        options.header.language = LanguageOfFileName(fileName);
        if (!IsLanguageCode(options.header.language)) {
            ShowError("Cannot export to " + Quoted(path) +
                      ".\nA PO file is named by the language of its translations, such as de.po or pt_BR.po.");
            return;
        }
    }
    // A template holds the source texts: the reference's while one is open.
    const StringTable& table = options.header.isTemplate && reference != nullptr ? *reference : *g_editor.table;
    const StringTable* source = options.header.isTemplate ? nullptr : reference;
    TableExport made;
    {
        WaitCursor wait;
        if (!ExportTable(format, table, source, options, made)) {
            throw std::bad_alloc();
        }
    }
    const std::size_t refused = made.tableProblems.size() + made.sourceProblems.size();
    if (refused > 0) {
        std::vector<std::string> lines;
        for (const EntryProblem& problem : made.tableProblems) {
            lines.push_back(EntryLine(&table == reference ? "reference" : "document", problem));
        }
        for (const EntryProblem& problem : made.sourceProblems) {
            lines.push_back(EntryLine("reference", problem));
        }
        ShowError("Cannot export to " + Quoted(path) + ": " + std::to_string(refused) +
                  " strings cannot be written in it." +
                  ProblemLines(lines, [](const std::string& line) { return line; }));
        return;
    }
    WaitCursor wait;
    if (!SaveFileContent(path, made.content, Journal::None).succeeded()) {
        ShowError("Cannot write " + Quoted(path) + ".\nThe file cannot be created or replaced in that folder.");
    }
}
