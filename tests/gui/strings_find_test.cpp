// Find and Find Next: forward from the focused row, round to the first row,
// and "Not found"; once through the real dialog and the F3 key.
#include "dialog_answerer.h"
#include "entrylist.h"
#include "finddialog.h"
#include "mainwindow.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

class StringsFind : public StringsEditorTest {
 protected:
  void SetUp() override {
    StringsEditorTest::SetUp();
    // Listed in this order, by name.
    Open(WriteTable("find.DAT", {{"ALPHA", L"a sword here"},
                                 {"BRAVO", L"nothing"},
                                 {"CHARLIE_SWORD", L"x"},
                                 {"DELTA", L"\u00c9p\u00e9e or SWORD"}}));
  }

  // The selected rows, which must be the focused row alone.
  std::vector<int> FoundRows() {
    const int focused = EntryListFocusedRow(g_editor.entryList);
    EXPECT_EQ(SelectedRows(), std::vector<int>{focused});
    return SelectedRows();
  }
};

TEST_F(StringsFind, FindsForwardFromTheFocusedRowRoundToTheFirstOrSaysNotFound) {
  SelectRows({0, 1});
  FocusRow(1);
  struct Step {
    int command;
    FindAnswer answer;  // for Find
    int row;            // the only selected row afterwards
    size_t messages;    // "Not found" boxes so far
  };
  const Step steps[] = {
      {ID_EDIT_FIND, {true, L"SWORD", FindScope::Both}, 2, 0},
      {ID_EDIT_FIND_NEXT, {}, 3, 0},
      {ID_EDIT_FIND_NEXT, {}, 0, 0},
      {ID_EDIT_FIND, {true, L"sword", FindScope::Names}, 2, 0},
      {ID_EDIT_FIND_NEXT, {}, 2, 0},
      {ID_EDIT_FIND, {true, L"\u00e9P\u00c9e", FindScope::Texts}, 2, 1},
      {ID_EDIT_FIND, {true, L"BRAVO", FindScope::Texts}, 2, 2},
      {ID_EDIT_FIND, {false, L"", FindScope::Both}, 2, 2},
  };
  for (const Step& step : steps) {
    if (step.command == ID_EDIT_FIND) {
      g_script.findAnswers.push_back(step.answer);
    }
    Command(step.command);
    EXPECT_EQ(FoundRows(), std::vector<int>{step.row}) << std::wstring(g_editor.findText);
    EXPECT_EQ(g_script.messageBoxes.size(), step.messages);
  }
  const MessageBoxCall& notFound = g_script.messageBoxes.back();
  EXPECT_EQ(notFound.text, "Not found");
  EXPECT_EQ(notFound.owner, MainWindow());
}

TEST_F(StringsFind, F3ThroughTheMessageLoopAsksForASearchWhenThereIsNone) {
  g_script.findAnswers.push_back({true, L"bravo", FindScope::Names});
  PostMessageA(List(), WM_KEYDOWN, VK_F3, 0);
  PostQuitMessage(0);
  RunMessageLoop();
  EXPECT_EQ(g_script.findCalls, 1);
  EXPECT_EQ(FoundRows(), std::vector<int>{1});
}

TEST_F(StringsFind, TheDialogTakesThePieceAndWhereToLookAndShowsThemAgain) {
  g_modalDialogs.find = FindDialog;
  DialogAnswerer answerer;
  answerer.Expect({"Find", [](HWND dialog) {
                     SetDlgItemTextW(dialog, IDC_FIND_TEXT, L"bravo");
                     SendDlgItemMessageA(dialog, IDC_FIND_IN_NAMES, BM_CLICK, 0, 0);
                     PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                   }});
  Text shownAgain;
  bool namesCheckedAgain = false;
  answerer.Expect({"Find", [&](HWND dialog) {
                     wchar_t text[64] = {};
                     GetDlgItemTextW(dialog, IDC_FIND_TEXT, text, 64);
                     shownAgain = text;
                     namesCheckedAgain = IsDlgButtonChecked(dialog, IDC_FIND_IN_NAMES) == BST_CHECKED;
                     PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                   }});
  Command(ID_EDIT_FIND);
  EXPECT_EQ(FoundRows(), std::vector<int>{1});
  FocusRow(3);
  Command(ID_EDIT_FIND);
  EXPECT_TRUE(answerer.allStepsDone());
  EXPECT_EQ(shownAgain, L"bravo");
  EXPECT_TRUE(namesCheckedAgain);
  EXPECT_EQ(EntryListFocusedRow(g_editor.entryList), 3);  // cancelled: nothing found, nothing moved
  EXPECT_TRUE(g_script.messageBoxes.empty());
}

}  // namespace
