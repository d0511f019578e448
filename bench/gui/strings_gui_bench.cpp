// StringTableEditor at production size: a table of 100,000 strings opened,
// sorted by a click on a column header, the same table opened beside it as
// the reference, sorted by it and filtered to the untranslated strings,
// searched through by Find, given one more string, saved, 100,000 strings
// deleted, the deletion undone and redone, and emptied by Select All and
// Delete String. The real
// window runs shown; the file dialogs, the Edit String dialog and the Find
// dialog are answered at once.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "datwriter.h"
#include "editorstate.h"
#include "guibench.h"
#include "mainwindow.h"
#include "modalui.h"
#include "namekey.h"
#include "stringtableeditor_resource.h"

namespace {

const char program[] = "StringTableEditor";

std::string g_openPath;
std::vector<std::string> g_messages;

BOOL answerOpen(OPENFILENAMEA* dialog) {
    lstrcpynA(dialog->lpstrFile, g_openPath.c_str(), static_cast<int>(dialog->nMaxFile));
    return TRUE;
}

std::string g_exportPath;  // the one file the save dialog is answered with, once

BOOL answerExport(OPENFILENAMEA* dialog) {
    lstrcpynA(dialog->lpstrFile, g_exportPath.c_str(), static_cast<int>(dialog->nMaxFile));
    const bool answered = !g_exportPath.empty();
    g_exportPath.clear();
    return answered ? TRUE : FALSE;
}

int recordMessage(HWND, const char* text, const char*, UINT) {
    g_messages.push_back(text != nullptr ? text : "");
    return IDOK;
}

// A piece that no name or text holds, so that Find goes through every row.
bool answerFind(HWND) {
    lstrcpynW(g_editor.findText, L"no such words", kFindBufferSize);
    g_editor.findScope = FindScope::Both;
    return true;
}

bool answerEditString(HWND, const char*, const TextUnit*) {
    g_editor.nameBuffer = "ZZ_BENCH_NEW_STRING";
    g_editor.textBuffer = L"One more line for the benchmark.";
    return true;
}

// Names as translators' tables have them, texts of a few words up to a long
// sentence; the file holds them in key order, as the editor saves a table.
std::string writeTable(const TemporaryFolder& folder, std::uint32_t count) {
    static const char* const kinds[] = {"QUEST_", "ITEM_", "DIALOG_", "UI_", "npc_", "Tip-"};
    static const char* const fields[] = {"_TITLE", "_DESC", "_LINE2", ""};
    static const char16_t* const words[] = {u"the ",   u"sword ", u"of ",   u"Varnis ",    u"gold ", u"\u00e9p\u00e9e ",
                                            u"quest ", u"north ", u"Take ", u"\u00c4rger "};
    std::mt19937 random(count);
    std::vector<FileEntry> entries(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof(name), "%s%06u%s", kinds[i % 6], i, fields[(i / 6) % 4]);
        entries[i].name = name;
        entries[i].key = ComputeNameKey(name);
        const unsigned length = 2 + random() % 12;
        for (unsigned w = 0; w < length; ++w) {
            entries[i].text += words[random() % 10];
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const FileEntry& a, const FileEntry& b) { return a.key < b.key; });
    const std::string path = folder.path("strings" + std::to_string(count) + ".DAT");
    WriteBytes(path, DatBytes(entries));
    return path;
}

int rowCount() { return static_cast<int>(SendMessageA(g_editor.entryList.listWindow, LVM_GETITEMCOUNT, 0, 0)); }

void command(WORD id) { SendMessageA(g_editor.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// A click on a column header, as the mouse makes it.
void clickHeader(int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(g_editor.entryList.listWindow, LVM_GETHEADER, 0, 0));
    RECT rect = {};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rect));
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(header, WM_LBUTTONUP, 0, point);
}

void expect(bool holds, const char* what) { reportOutcome(holds, what, g_messages); }

}  // namespace

int main() {
    const std::uint32_t count = 100000;
    TemporaryFolder folder("pxa_gui_bench_");
    g_openPath = writeTable(folder, count);
    const auto fileSize = static_cast<std::size_t>(std::filesystem::file_size(g_openPath));

    if (!StartEditor(GetModuleHandleA(nullptr), SW_SHOW,
                     {recordMessage, answerOpen, answerExport, answerEditString, answerFind}, SettingsStore())) {
        return 1;
    }
    HWND window = g_editor.mainWindow;
    pumpMessages(window);

    const std::size_t before = privateBytes();
    measure(program, "open table", count, "strings", window, [] { command(ID_FILE_OPEN); });
    reportMemory(program, "memory for document and list", count, "strings", privateBytes() - before);
    reportMemory(program, "(the file itself)", count, "strings", fileSize);
    expect(rowCount() == static_cast<int>(count), "not every string is listed");

    measure(program, "sort by a click on \"Text\"", count, "strings", window, [] { clickHeader(1); });
    expect(g_editor.entryList.sortColumn == 1, "the click did not sort by text");

    // The table is its own reference: every string counts as untranslated.
    measure(program, "open reference", count, "strings", window, [] { command(ID_FILE_OPEN_REFERENCE); });
    expect(g_editor.reference != nullptr && rowCount() == static_cast<int>(count), "the reference is not open");
    measure(program, "sort by a click on \"Reference\"", count, "strings", window, [] { clickHeader(2); });
    expect(g_editor.entryList.sortColumn == 2, "the click did not sort by the reference");
    measure(program, "untranslated only", count, "strings", window, [] { command(ID_VIEW_UNTRANSLATED_ONLY); });
    expect(rowCount() == static_cast<int>(count), "not every string counts as untranslated");
    command(ID_VIEW_UNTRANSLATED_ONLY);
    const std::string tablePath = g_openPath;
    g_exportPath = folder.path("strings.csv");
    measure(program, "export CSV with the reference", count, "strings", window, [] { command(ID_FILE_EXPORT); });
    expect(std::filesystem::exists(folder.path("strings.csv")), "nothing was exported");
    measure(program, "close reference", count, "strings", window, [] { command(ID_FILE_CLOSE_REFERENCE); });
    expect(g_editor.reference == nullptr, "the reference is still open");
    g_openPath = folder.path("strings.csv");
    measure(program, "import CSV", count, "strings", window, [] { command(ID_FILE_IMPORT); });
    expect(rowCount() == static_cast<int>(count), "the import did not list every string");
    g_openPath = tablePath;

    measure(program, "find, no row matches", count, "strings", window, [] { command(ID_EDIT_FIND); });
    const bool notFound = g_messages == std::vector<std::string>{"Not found"};
    g_messages.clear();
    expect(notFound, "Find found something");

    measure(program, "insert string", count, "strings", window, [] { command(ID_EDIT_INSERT_STRING); });
    expect(rowCount() == static_cast<int>(count) + 1, "the new string has no row");

    measure(program, "save", count + 1, "strings", window, [] { command(ID_FILE_SAVE); });
    expect(std::filesystem::file_size(g_openPath) > fileSize, "the table was not saved");

    // Every row's selection changes one by one (all but the inserted row
    // become selected): the status bar's count is updated once, afterwards.
    measure(program, "invert selection", count + 1, "strings", window, [] { command(ID_EDIT_INVERT_SELECTION); });
    expect(SendMessageA(g_editor.entryList.listWindow, LVM_GETSELECTEDCOUNT, 0, 0) == static_cast<LRESULT>(count),
           "the selection is not inverted");

    // The step of deleting them is taken back and made again: every row but
    // one goes and comes back selected.
    measure(program, "delete string", count, "strings", window, [] { command(ID_EDIT_DELETE_STRING); });
    expect(rowCount() == 1 && g_editor.table->count == 1, "the selected strings are not deleted");
    measure(program, "undo delete string", count, "strings", window, [] { command(ID_EDIT_UNDO); });
    expect(rowCount() == static_cast<int>(count) + 1 && g_editor.table->count == count + 1 &&
               SendMessageA(g_editor.entryList.listWindow, LVM_GETSELECTEDCOUNT, 0, 0) == static_cast<LRESULT>(count),
           "the undo did not bring the strings back selected");
    measure(program, "redo delete string", count, "strings", window, [] { command(ID_EDIT_REDO); });
    expect(rowCount() == 1 && g_editor.table->count == 1, "the redo did not delete the strings");
    command(ID_EDIT_UNDO);

    measure(program, "select all, delete string", count + 1, "strings", window, [] {
        command(ID_EDIT_SELECT_ALL);
        command(ID_EDIT_DELETE_STRING);
    });
    expect(rowCount() == 0 && g_editor.table->count == 0, "strings are left");

    ShutdownEditor();
    return 0;
}
