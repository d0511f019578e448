#include "strings_editor_fixture.h"

#include <cstring>

#include "entrylist.h"
#include "finddialog.h"
#include "heaptestseam.h"
#include "mainwindow.h"
#include "namekey.h"
#include "stringtable.h"
#include "stringtableeditor_resource.h"

StringsScript g_script;

namespace {

bool ScriptedEditString(HWND, const char* oldName, const TextUnit* oldText) {
    g_script.editCalls.push_back(
        {oldName != nullptr, oldName != nullptr ? oldName : "", oldText != nullptr ? oldText : L""});
    g_editor.nameBuffer.clear();
    g_editor.textBuffer.clear();
    if (g_script.editAnswers.empty()) {
        ++g_script.unansweredDialogs;
        return false;
    }
    EditStringAnswer answer = g_script.editAnswers.front();
    g_script.editAnswers.pop_front();
    g_editor.nameBuffer = answer.name;
    g_editor.textBuffer = answer.text;
    return answer.ok;
}

}  // namespace

bool QuitPosted(WPARAM* exitCode) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            *exitCode = message.wParam;
            return true;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return false;
}

void DrainMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

namespace {

bool StartScriptedEditor() {
    return StartEditor(
        GetModuleHandleA(nullptr), SW_SHOWNORMAL,
        {ScriptedMessageBox, ScriptedOpenFileDialog, ScriptedSaveFileDialog, ScriptedEditString, FindDialog},
        StringsEditorTest::TestSettings());
}

}  // namespace

SettingsStore StringsEditorTest::TestSettings() {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const char* name = std::strrchr(program, '\\');
    return SettingsStore(std::string("Software\\StringTableEditor tests\\") + (name != nullptr ? name + 1 : program));
}

void StringsEditorTest::SetUp() {
    g_script = StringsScript();
    AnswerDialogsFrom(g_script);
    TestSettings().removeAll();
    ASSERT_TRUE(StartScriptedEditor());
    DrainMessages();
}

void StringsEditorTest::Restart(const std::function<void()>& whileStopped) {
    const ModalUi ui = g_editor.ui;
    ShutdownEditor();
    DrainMessages();
    if (whileStopped) {
        whileStopped();
    }
    ASSERT_TRUE(StartScriptedEditor());
    g_editor.ui = ui;
    DrainMessages();
}

std::string StringsEditorTest::StatusText(int part) {
    DrainMessages();
    char text[100] = {};
    SendMessageA(g_editor.statusBar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

void StringsEditorTest::PressKey(UINT key, std::vector<UINT> modifiers) {
    BYTE keys[256] = {};
    for (UINT modifier : modifiers) {
        keys[modifier] = 0x80;
    }
    SetKeyboardState(keys);
    MSG message = {List(), WM_KEYDOWN, key, 1, 0, {0, 0}};
    if (!TranslateEditorKeys(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    const BYTE released[256] = {};
    SetKeyboardState(const_cast<BYTE*>(released));
    DrainMessages();
}

void StringsEditorTest::TearDown() {
    EXPECT_FALSE(watchdog_.fired()) << "a dialog stayed open and was cancelled";
    TableHeapFailAfter(-1);
    ShutdownEditor();
    DrainMessages();
    EXPECT_EQ(g_script.unansweredDialogs, 0) << "a dialog opened that the test did not answer";
}

void StringsEditorTest::Command(int id) { SendMessageA(MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

bool StringsEditorTest::MenuEnabled(int id) {
    const UINT state = GetMenuState(GetMenu(MainWindow()), static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void StringsEditorTest::Open(const std::string& path) {
    g_script.fileAnswers.push_back({path});
    Command(ID_FILE_OPEN);
}

std::string StringsEditorTest::WriteTable(const std::string& fileName,
                                          const std::vector<std::pair<std::string, Text>>& entries) {
    std::vector<FileEntry> fileEntries;
    for (const auto& entry : entries) {
        fileEntries.push_back({ComputeNameKey(entry.first.c_str()),
                               std::u16string(entry.second.begin(), entry.second.end()), entry.first});
    }
    const std::string path = folder_.path(fileName);
    WriteBytes(path, DatBytes(fileEntries));
    return path;
}

void StringsEditorTest::Insert(const std::string& name, const Text& text) {
    g_script.editAnswers.push_back({true, name, text});
    Command(ID_EDIT_INSERT_STRING);
}

int StringsEditorTest::RowCount() { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }

std::vector<std::string> StringsEditorTest::RowNames() {
    std::vector<std::string> names;
    for (int row = 0; row < RowCount(); ++row) {
        char name[kMostNameBytes + 2] = {};
        LVITEMA item = {};
        item.pszText = name;
        item.cchTextMax = sizeof(name);
        SendMessageA(List(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        names.push_back(name);
    }
    return names;
}

std::vector<Text> StringsEditorTest::RowTexts(int column) {
    std::vector<Text> texts;
    for (int row = 0; row < RowCount(); ++row) {
        std::vector<wchar_t> text(kMostTextUnits + 1);
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        SendMessageW(List(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        texts.push_back(text.data());
    }
    return texts;
}

// The control is virtual and keeps no item data: the list's rows say it.
StringEntry* StringsEditorTest::RowEntry(int row) { return EntryListRowEntry(g_editor.entryList, row); }

std::vector<int> StringsEditorTest::SelectedRows() {
    std::vector<int> rows;
    for (int row = 0; row < RowCount(); ++row) {
        if (SendMessageA(List(), LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) {
            rows.push_back(row);
        }
    }
    return rows;
}

void StringsEditorTest::SetRowState(int row, UINT state, UINT mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    SendMessageA(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void StringsEditorTest::SelectRows(const std::vector<int>& rows) {
    SetRowState(-1, 0, LVIS_SELECTED);
    for (int row : rows) {
        SetRowState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
}

void StringsEditorTest::FocusRow(int row) { SetRowState(row, LVIS_FOCUSED, LVIS_FOCUSED); }

void StringsEditorTest::ClickHeader(int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(List(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    RECT rect = {};
    ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&rect)));
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(header, WM_LBUTTONUP, 0, point);
}

std::vector<std::string> StringsEditorTest::TableNames() {
    std::vector<std::string> names;
    if (g_editor.table != nullptr) {
        for (const StringEntry* entry = StringTableNext(*g_editor.table, nullptr); entry != nullptr;
             entry = StringTableNext(*g_editor.table, entry)) {
            names.push_back(entry->name);
        }
    }
    return names;
}

bool StringsEditorTest::RowsMatchTable() {
    std::vector<const StringEntry*> entries;
    if (g_editor.table != nullptr) {
        for (const StringEntry* entry = StringTableNext(*g_editor.table, nullptr); entry != nullptr;
             entry = StringTableNext(*g_editor.table, entry)) {
            entries.push_back(entry);
        }
    }
    if (static_cast<int>(entries.size()) != RowCount() || g_editor.entryList.rowCount != RowCount()) {
        return false;
    }
    std::vector<bool> seen(entries.size(), false);
    for (int row = 0; row < RowCount(); ++row) {
        size_t index = 0;
        while (index < entries.size() && entries[index] != RowEntry(row)) {
            ++index;
        }
        if (index == entries.size() || seen[index]) {
            return false;
        }
        seen[index] = true;
    }
    return true;
}
