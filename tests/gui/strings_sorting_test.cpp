// The order of the rows: compare rules, header clicks and sorted insertion.
#include "entrycompare.h"
#include "documentcommands.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

StringEntry EntryWith(const char* name, const wchar_t* text) {
    StringEntry entry = {};
    entry.name = const_cast<char*>(name);
    entry.text = const_cast<TextUnit*>(text);
    return entry;
}

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(StringsCompareEntries, FoldsOnlyAsciiLettersToLowerCaseAndComparesUnsignedValues) {
    struct Case {
        const char* firstName;
        const wchar_t* firstText;
        const char* secondName;
        const wchar_t* secondText;
        int byName;
        int byText;
    };
    const Case cases[] = {
        {"abc", L"abc", "ABC", L"ABC", 0, 0},
        {"_x", L"_x", "a", L"a", -1, -1},  // '_' (0x5F) before 'a' once 'A'-'Z' became 'a'-'z'
        {"Zed", L"Zed", "_x", L"_x", 1, 1},
        {"ab", L"ab", "abc", L"abc", -1, -1},          // a prefix first
        {"z", L"z", "\xC4", L"\u00C4", -1, -1},        // high values after ASCII: unsigned, not folded
        {"\xE4", L"\u00E4", "\xC4", L"\u00C4", 1, 1},  // no folding beyond ASCII
        {"a", L"\u4E2D", "b", L"\u00FF", -1, 1},       // name and text orders apart
    };
    for (const Case& c : cases) {
        const StringEntry first = EntryWith(c.firstName, c.firstText);
        const StringEntry second = EntryWith(c.secondName, c.secondText);
        EXPECT_EQ(Sign(CompareEntries(first, second, 0)), c.byName) << c.firstName << " / " << c.secondName;
        EXPECT_EQ(Sign(CompareEntries(first, second, 1)), c.byText) << c.firstName << " / " << c.secondName;
        const LPARAM a = reinterpret_cast<LPARAM>(&first);
        const LPARAM b = reinterpret_cast<LPARAM>(&second);
        EXPECT_EQ(Sign(CompareEntriesAscending(a, b, 1)), c.byText);
        EXPECT_EQ(Sign(CompareEntriesDescending(a, b, 0)), -c.byName);
    }
}

using StringsSorting = StringsEditorTest;

TEST_F(StringsSorting, HeaderClicksSortByNameDescendingThenByTextBothWays) {
    Open(WriteTable("sort.DAT", {{"b", L"3"}, {"C", L"1"}, {"a", L"2"}}));
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"a", "b", "C"}));

    ClickHeader(0);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"C", "b", "a"}));
    EXPECT_EQ(g_editor.entryList.sortDescending, 1);

    ClickHeader(1);
    EXPECT_EQ(RowTexts(), (std::vector<Text>{L"1", L"2", L"3"}));
    EXPECT_EQ(g_editor.entryList.sortColumn, 1);
    EXPECT_EQ(g_editor.entryList.sortDescending, 0);

    ClickHeader(1);
    EXPECT_EQ(RowTexts(), (std::vector<Text>{L"3", L"2", L"1"}));
    ClickHeader(0);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"a", "b", "C"}));
    EXPECT_TRUE(RowsMatchTable());
}

TEST_F(StringsSorting, TheSortOrderOutlivesCloseNewAndOpen) {
    const std::string path = WriteTable("sort.DAT", {{"b", L"2"}, {"a", L"1"}, {"c", L"3"}});
    Open(path);
    ClickHeader(0);
    Command(ID_FILE_CLOSE);
    Command(ID_FILE_NEW);
    Open(path);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"c", "b", "a"}));
}

TEST_F(StringsSorting, InsertedRowsGoToTheirSortedPlaceAfterEqualRows) {
    struct Case {
        int clicksOnName;
        int clicksOnText;
        int newRow;
    };
    // Rows "b"/"2", "d"/"4", "f"/"2"; the new row is "c" with text "2".
    const Case cases[] = {
        {0, 0, 1},  // by name ascending: b c d f
        {1, 0, 2},  // by name descending: f d c b
        {0, 1, 2},  // by text ascending: after both rows with the text "2"
        {0, 2, 3},  // by text descending: 4, the two 2s, then the new 2
    };
    for (const Case& c : cases) {
        CloseDocument();  // the last case's insertion given up without a question
        g_editor.entryList.sortColumn = 0;
        g_editor.entryList.sortDescending = 0;
        Open(WriteTable("insert.DAT", {{"b", L"2"}, {"d", L"4"}, {"f", L"2"}}));
        for (int click = 0; click < c.clicksOnName; ++click) {
            ClickHeader(0);
        }
        for (int click = 0; click < c.clicksOnText; ++click) {
            ClickHeader(1);
        }
        std::vector<std::string> expected = RowNames();
        expected.insert(expected.begin() + c.newRow, "c");
        Insert("c", L"2");
        EXPECT_EQ(RowNames(), expected) << c.clicksOnName << " " << c.clicksOnText;
        EXPECT_TRUE(RowsMatchTable());
    }
}

// The control is virtual and keeps selection and focus by row number: they
// must move with their strings when rows are sorted, inserted and deleted.
TEST_F(StringsSorting, SelectionAndFocusStayWithTheirStrings) {
    Open(WriteTable("carry.DAT", {{"a", L"4"}, {"b", L"3"}, {"c", L"2"}, {"d", L"1"}}));
    const auto focusedRow = [this] {
        return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
    };
    SelectRows({1, 3});
    FocusRow(2);
    ClickHeader(1);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"d", "c", "b", "a"}));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 2}));
    EXPECT_EQ(focusedRow(), 1);

    Insert("e", L"0");
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"e", "d", "c", "b", "a"}));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(focusedRow(), 0);

    Command(ID_EDIT_DELETE_STRING);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"c", "a"}));
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_EQ(focusedRow(), 0) << "from the deleted row to the next remaining one";
    EXPECT_TRUE(RowsMatchTable());
}

}  // namespace
