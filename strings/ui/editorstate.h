// The program-wide state of StringTableEditor: one main window, one list, at
// most one open table, and the buffers the Edit String dialog answers in.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "modalui.h"
#include "nameindex.h"
#include "recentfiles.h"
#include "recentfilesmenu.h"
#include "settingsstore.h"
#include "stringtable.h"
#include "uniquegdi.h"

constexpr size_t kPathBufferSize = 260;
// What Find looks for: at most 255 units.
constexpr int kFindBufferSize = 256;

// Where Find looks.
enum class FindScope { Names, Texts, Both };

// The list-view control with the state it mirrors. The control is virtual
// (LVS_OWNERDATA): `rows` is the list, row i showing the entry rows[i], and
// the control keeps only the row count, the selection and the focus.
struct EntryList {
    HWND listWindow = nullptr;
    int sortColumn = 0;
    int sortDescending = 0;
    int columnCount = 0;
    int rowCount = 0;
    int x = 0;
    int y = 0;
    int width = 100;
    int height = 100;
    PFNLVCOMPARE ascendingCompare = nullptr;
    PFNLVCOMPARE descendingCompare = nullptr;
    std::vector<StringEntry*> rows;
    // The rows the last deletion took, in their order then, and the order's
    // column and direction: undoing it puts them back by merging instead of
    // sorting them again.
    struct DroppedRows {
        std::vector<StringEntry*> rows;
        int sortColumn = 0;
        int sortDescending = 0;
    } dropped;
    // The Text column takes the width the Name and Reference columns leave,
    // but never less.
    int leastTextColumnWidth = 50;
    // The Reference column's texts while it is shown (column 2), else null.
    const NameIndex* reference = nullptr;
    // Only the untranslated entries have rows (EntryIsUntranslated).
    bool untranslatedOnly = false;
};

struct EditorState {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND statusBar = nullptr;
    HACCEL accelerators = nullptr;
    EntryList entryList;
    StringTablePtr table;                     // null while no document is open
    char currentPath[kPathBufferSize] = {};   // empty for an untitled document
    char documentName[kPathBufferSize] = {};  // as the title shows it; empty while none is open
    // The main window's DPI and the message font at it, which the list and
    // the status bar show their texts in.
    UINT dpi = 96;
    UniqueFont font;
    bool statusUpdatePending = false;  // a status update is posted and not yet made
    // What the program remembers for the user between runs.
    SettingsStore settings;
    RecentFiles recentFiles;
    RecentFilesMenu recentFilesMenu;
    std::string openFolder;  // where each file dialog was last left
    std::string saveFolder;
    std::string importFolder;
    std::string exportFolder;
    // The reference table: opened read-only and never written, its texts
    // shown beside the document's by name; null while none is open.
    StringTablePtr reference;
    NameIndex referenceIndex;
    std::string referencePath;
    std::string nameBuffer;  // the Edit String dialog's answer
    std::basic_string<TextUnit> textBuffer;
    // Message boxes and dialogs.
    ModalUi ui = SystemModalUi();
    TextUnit findText[kFindBufferSize] = {};  // the Find dialog's answer, kept for Find Next
    FindScope findScope = FindScope::Both;
};

extern EditorState g_editor;

// Back to the state of a program that has not started: no windows, no table,
// the system's dialogs.
void ResetEditorState();
