// Find Next from the focused row round to the first, "Not found", and F3
// through the program's message loop opening the Find dialog.
#include "dialog_answerer.h"
#include "entrylist.h"
#include "mainwindow.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

// Ends a message loop that the test did not end, so that a failure cannot hang it.
void CALLBACK QuitLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostQuitMessage(0);
}

class StringsFind : public StringsEditorTest {
protected:
    void SetUp() override {
        StringsEditorTest::SetUp();
        Open(WriteTable("find.DAT",
                        {{"ALPHA", L"a sword"}, {"BRAVO", L"none"}, {"CHARLIE_SWORD", L"x"}, {"DELTA", L"SWORD"}}));
    }
    // The one selected row if it is also the focused one, else -1.
    int FoundRow() {
        const int focused = EntryListFocusedRow(g_editor.entryList);
        return SelectedRows() == std::vector<int>{focused} ? focused : -1;
    }
};

TEST_F(StringsFind, FindNextGoesOnFromTheFocusedRowRoundToTheFirstOrSaysNotFound) {
    SelectRows({0, 1});
    FocusRow(1);
    lstrcpynW(g_editor.findText, L"SWORD", kFindBufferSize);  // as the Find dialog answers
    for (int row : {2, 3, 0}) {
        Command(ID_EDIT_FIND_NEXT);
        EXPECT_EQ(FoundRow(), row);
    }
    g_editor.findScope = FindScope::Names;
    lstrcpynW(g_editor.findText, L"none", kFindBufferSize);
    Command(ID_EDIT_FIND_NEXT);
    EXPECT_EQ(FoundRow(), 0);
    EXPECT_EQ(g_script.messageBoxes.back().text, "Not found");
}

TEST_F(StringsFind, F3WithoutASearchAsksForOneInTheFindDialog) {
    DialogAnswerer answerer;
    answerer.expect({"Find", [](HWND dialog) {
                         SetDlgItemTextW(dialog, IDC_FIND_TEXT, L"bravo");
                         SendDlgItemMessageA(dialog, IDC_FIND_IN_NAMES, BM_CLICK, 0, 0);
                         SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
                         PostQuitMessage(0);  // the program's loop ends after the search
                     }});
    PostMessageA(List(), WM_KEYDOWN, VK_F3, 0);
    const UINT_PTR fallback = SetTimer(nullptr, 0, 10000, QuitLoop);
    RunMessageLoop();
    KillTimer(nullptr, fallback);
    EXPECT_TRUE(answerer.allStepsDone());
    EXPECT_EQ(FoundRow(), 1);
    EXPECT_EQ(g_editor.findScope, FindScope::Names);
}

}  // namespace
