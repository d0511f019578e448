// Starts StringTableEditor's real main window for each test, with scripted
// answers in place of its modal dialogs, and reads back what the window shows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dialog_answerer.h"
#include "dialog_watchdog.h"
#include "editorstate.h"
#include "modalui.h"
#include "scripted_dialogs.h"
#include "datwriter.h"
#include "testfolder.h"

using Text = std::basic_string<TextUnit>;

struct EditStringCall {
    bool hadOldName;
    std::string oldName;
    Text oldText;
};

struct EditStringAnswer {
    bool ok;
    std::string name;
    Text text;
};

// The scripted dialogs of both editors and the Edit String dialog: each call
// takes the next answer of its kind; a call with no answer left counts as
// Cancel and as a test failure.
struct StringsScript : ScriptedDialogs {
    std::deque<EditStringAnswer> editAnswers;
    std::vector<EditStringCall> editCalls;
};

extern StringsScript g_script;

class StringsEditorTest : public testing::Test {
public:
    // The settings the editor keeps in the tests: a key of their own for each
    // test program (they run side by side in one Wine prefix), empty when
    // each test starts.
    static SettingsStore TestSettings();

protected:
    void SetUp() override;
    void TearDown() override;

    // The real dialogs for one test (answered by a DialogAnswerer).
    void UseRealDialogs() { g_editor.ui = SystemModalUi(); }
    // Ends the editor as the program ends it, runs `whileStopped` and starts
    // it again, with the same dialogs and the settings it left.
    void Restart(const std::function<void()>& whileStopped = nullptr);
    // Text of a part of the status bar, once posted updates are made.
    std::string StatusText(int part);

    HWND MainWindow() const { return g_editor.mainWindow; }
    HWND List() const { return g_editor.entryList.listWindow; }
    void Command(int id);
    // A key pressed in the list with the modifier keys `modifiers` (VK_CONTROL,
    // VK_SHIFT) held, through the editor's own message loop translation.
    void PressKey(UINT key, std::vector<UINT> modifiers = {});
    bool MenuEnabled(int id);

    // Answers the open dialog with `path` and opens it.
    void Open(const std::string& path);
    // A file holding `entries` in this order, with their proper keys.
    std::string WriteTable(const std::string& fileName, const std::vector<std::pair<std::string, Text>>& entries);
    // Inserts through the scripted Edit String dialog.
    void Insert(const std::string& name, const Text& text);

    int RowCount();
    std::vector<std::string> RowNames();
    // The texts of the Text column, or of another column.
    std::vector<Text> RowTexts(int column = 1);
    StringEntry* RowEntry(int row);
    std::vector<int> SelectedRows();
    void SetRowState(int row, UINT state, UINT mask);
    void SelectRows(const std::vector<int>& rows);
    void FocusRow(int row);
    // A real click on the column's header button.
    void ClickHeader(int column);
    // Names of the table's entries in table order.
    std::vector<std::string> TableNames();
    // True when every row points at a distinct entry of the table and every
    // entry has a row.
    bool RowsMatchTable();

    TestFolder folder_;

private:
    // Longer than any test takes.
    DialogWatchdog watchdog_{30000};
};

// Takes the messages of this thread's queue up to a quit message: true, with
// its exit code, when there was one.
bool QuitPosted(WPARAM* exitCode);

// Drops the messages left in this thread's queue, the quit message included,
// so that it cannot end a later test's modal loop.
void DrainMessages();
