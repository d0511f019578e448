// Insert, Edit, Delete, Select All and Invert Selection on the list's rows.
#include <algorithm>

#include "heaptestseam.h"
#include "namekey.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

using StringsEntries = StringsEditorTest;

TEST_F(StringsEntries, InsertSelectsFocusesAndShowsTheNewRowWhileOtherRowsKeepTheirSelection) {
    std::vector<std::pair<std::string, Text>> entries;
    for (int index = 0; index < 100; ++index) {
        entries.push_back({"NAME" + std::to_string(100 + index), L"text"});
    }
    Open(WriteTable("many.DAT", entries));
    SelectRows({0, 2});
    FocusRow(2);

    Insert("NAME1995", L"new text");
    ASSERT_EQ(RowCount(), 101);
    const int row = 100;
    EXPECT_EQ(RowNames()[row], "NAME1995");
    EXPECT_EQ(RowTexts()[row], L"new text");
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 2, row}));
    EXPECT_TRUE(SendMessageA(List(), LVM_GETITEMSTATE, row, LVIS_FOCUSED) & LVIS_FOCUSED);
    const int top = static_cast<int>(SendMessageA(List(), LVM_GETTOPINDEX, 0, 0));
    const int visible = static_cast<int>(SendMessageA(List(), LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_GE(row, top);
    EXPECT_LT(row, top + visible);
    EXPECT_TRUE(StringTableNameExists(*g_editor.table, "name1995"));
    EXPECT_TRUE(RowsMatchTable());
    EXPECT_EQ(g_script.editCalls.size(), 1u);
    EXPECT_FALSE(g_script.editCalls[0].hadOldName);
}

TEST_F(StringsEntries, EditReplacesTheFocusedRowsEntryInPlaceWithoutResorting) {
    Open(WriteTable("edit.DAT", {{"APPLE", L"a"}, {"BANANA", L"b"}, {"CHERRY", L"c"}}));
    FocusRow(0);
    g_script.editAnswers.push_back({true, "ZUCCHINI", L"z\r\nz"});
    Command(ID_EDIT_EDIT_STRING);

    ASSERT_EQ(g_script.editCalls.size(), 1u);
    EXPECT_TRUE(g_script.editCalls[0].hadOldName);
    EXPECT_EQ(g_script.editCalls[0].oldName, "APPLE");
    EXPECT_EQ(g_script.editCalls[0].oldText, L"a");
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"ZUCCHINI", "BANANA", "CHERRY"}));
    EXPECT_EQ(RowTexts()[0], L"z\r\nz");
    EXPECT_FALSE(StringTableNameExists(*g_editor.table, "APPLE"));
    EXPECT_EQ(RowEntry(0)->key, ComputeNameKey("ZUCCHINI"));
    EXPECT_TRUE(RowsMatchTable());
}

TEST_F(StringsEntries, EditAndDoubleClickDoNothingWithoutAFocusedRow) {
    Open(WriteTable("edit.DAT", {{"APPLE", L"a"}, {"BANANA", L"b"}}));
    SelectRows({1});
    Command(ID_EDIT_EDIT_STRING);
    SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 200));
    EXPECT_TRUE(g_script.editCalls.empty());
}

TEST_F(StringsEntries, DoubleClickingARowEditsIt) {
    Open(WriteTable("edit.DAT", {{"APPLE", L"a"}, {"BANANA", L"b"}}));
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageA(List(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect)));
    const LPARAM point = MAKELPARAM(rect.left + 10, (rect.top + rect.bottom) / 2);
    g_script.editAnswers.push_back({true, "BANANA", L"yellow"});
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(List(), WM_LBUTTONUP, 0, point);
    SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    SendMessageA(List(), WM_LBUTTONUP, 0, point);
    ASSERT_EQ(g_script.editCalls.size(), 1u);
    EXPECT_EQ(g_script.editCalls[0].oldName, "BANANA");
    EXPECT_EQ(RowTexts(), (std::vector<Text>{L"a", L"yellow"}));
}

TEST_F(StringsEntries, DeleteRemovesExactlyTheSelectedRowsAndKeepsTheOrderOfTheRest) {
    Open(WriteTable("delete.DAT", {{"A", L"1"}, {"B", L"2"}, {"C", L"3"}, {"D", L"4"}, {"E", L"5"}}));
    SelectRows({0, 2, 3});
    Command(ID_EDIT_DELETE_STRING);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"B", "E"}));
    EXPECT_EQ(TableNames(), (std::vector<std::string>{"B", "E"}));
    EXPECT_TRUE(RowsMatchTable());
    EXPECT_TRUE(g_script.messageBoxes.empty());

    SelectRows({});
    Command(ID_EDIT_DELETE_STRING);
    EXPECT_EQ(RowCount(), 2);
}

TEST_F(StringsEntries, SelectAllAndDeleteEmptyTheDocumentWhichSavesAsFourZeroBytes) {
    const std::string path = WriteTable("all.DAT", {{"A", L"1"}, {"B", L"2"}, {"C", L"3"}});
    Open(path);
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2}));
    Command(ID_EDIT_DELETE_STRING);
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(g_editor.entryList.rowCount, 0);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(path), std::string(4, '\0'));
}

TEST_F(StringsEntries, InvertSelectionFlipsEveryRow) {
    Open(WriteTable("invert.DAT", {{"A", L"1"}, {"B", L"2"}, {"C", L"3"}, {"D", L"4"}}));
    Command(ID_EDIT_INVERT_SELECTION);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2, 3}));
    SelectRows({1, 2});
    Command(ID_EDIT_INVERT_SELECTION);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 3}));
}

// A file made elsewhere may hold one name twice. Editing one of them changes
// that entry alone; inserting the name gives the first one its new text.
TEST_F(StringsEntries, RowsAndEntriesStayOneToOneWhenAFileHoldsANameTwice) {
    const std::string path = WriteTable("twice.DAT", {{"DUP", L"first"}, {"OTHER", L"o"}, {"dup", L"second"}});
    Open(path);
    const auto tableTexts = [] {
        std::vector<Text> texts;
        for (const StringEntry* e = StringTableNext(*g_editor.table, nullptr); e;
             e = StringTableNext(*g_editor.table, e)) {
            texts.push_back(e->text);
        }
        return texts;
    };
    // "DUP" and "dup" compare equal, so the sort may put either first.
    const std::vector<std::string> names = RowNames();
    const auto lowerCase = std::find(names.begin(), names.end(), "dup");
    ASSERT_NE(lowerCase, names.end());
    FocusRow(static_cast<int>(lowerCase - names.begin()));
    g_script.editAnswers.push_back({true, "Dup", L"edited"});
    Command(ID_EDIT_EDIT_STRING);
    EXPECT_TRUE(RowsMatchTable());
    EXPECT_EQ(TableNames(), (std::vector<std::string>{"DUP", "Dup", "OTHER"}));  // by key: the two share one
    EXPECT_EQ(tableTexts(), (std::vector<Text>{L"first", L"edited", L"o"}));

    Insert("dup", L"inserted");
    EXPECT_TRUE(RowsMatchTable());
    EXPECT_EQ(tableTexts(), (std::vector<Text>{L"inserted", L"edited", L"o"}));

    Command(ID_EDIT_SELECT_ALL);
    Command(ID_EDIT_DELETE_STRING);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(path), std::string(4, '\0'));
}

TEST_F(StringsEntries, RunningOutOfMemoryIsReportedAndLeavesNoRowWithoutItsEntry) {
    Open(WriteTable("memory.DAT", {{"A", L"1"}, {"B", L"2"}}));
    TableHeapFailAfter(0);
    Insert("C", L"3");
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"A", "B"}));
    ASSERT_EQ(g_script.messageBoxes.size(), 1u);
    EXPECT_NE(g_script.messageBoxes[0].text.find("memory"), std::string::npos);

    FocusRow(0);
    g_script.editAnswers.push_back({true, "RENAMED", L"x"});
    Command(ID_EDIT_EDIT_STRING);
    TableHeapFailAfter(-1);
    EXPECT_EQ(g_script.messageBoxes.size(), 2u);
    EXPECT_TRUE(RowsMatchTable());
    EXPECT_FALSE(StringTableNameExists(*g_editor.table, "RENAMED"));
}

}  // namespace
