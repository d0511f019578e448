// The real "Edit String" dialog, typed into by a DialogAnswerer.
#include "dialog_answerer.h"
#include "editstringdialog.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

// What the dialog showed when the answerer reached it.
struct DialogSeen {
  std::string name;
  Text text;
  int focusedField = 0;  // control id of the focused field, 0 for another
  bool textFieldUnicode = false;
};

std::string FieldTextA(HWND dialog, int id) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

Text FieldTextW(HWND dialog, int id) {
  std::vector<wchar_t> text(20000);
  GetDlgItemTextW(dialog, id, text.data(), static_cast<int>(text.size()));
  return text.data();
}

// Looks at the dialog, types `name` and `text` and presses `button`.
void AnswerEditString(DialogAnswerer& answerer, const std::string& name, const Text& text, int button,
                      DialogSeen* seen = nullptr) {
  answerer.Expect({"Edit String", [=](HWND dialog) {
                     if (seen != nullptr) {
                       seen->name = FieldTextA(dialog, IDC_STRING_NAME);
                       seen->text = FieldTextW(dialog, IDC_STRING_TEXT);
                       seen->textFieldUnicode = IsWindowUnicode(GetDlgItem(dialog, IDC_STRING_TEXT)) != FALSE;
                       const HWND focus = GetFocus();
                       seen->focusedField = focus == GetDlgItem(dialog, IDC_STRING_NAME)   ? IDC_STRING_NAME
                                            : focus == GetDlgItem(dialog, IDC_STRING_TEXT) ? IDC_STRING_TEXT
                                                                                            : 0;
                     }
                     SetDlgItemTextA(dialog, IDC_STRING_NAME, name.c_str());
                     SetDlgItemTextW(dialog, IDC_STRING_TEXT, text.c_str());
                     PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
                   }});
}

class StringsEditDialog : public StringsEditorTest {
 protected:
  void SetUp() override {
    StringsEditorTest::SetUp();
    g_modalDialogs.editString = EditStringDialog;
  }
};

TEST_F(StringsEditDialog, InsertingStartsEmptyWithTheNameFocusedAndStoresWhatWasTyped) {
  Command(ID_FILE_NEW);
  DialogSeen seen;
  DialogAnswerer answerer;
  AnswerEditString(answerer, "Greeting", L"Hello\r\n\u4E16\u754C \u00E9", IDOK, &seen);
  Command(ID_EDIT_INSERT_STRING);
  EXPECT_TRUE(answerer.allStepsDone());
  EXPECT_EQ(seen.name, "");
  EXPECT_EQ(seen.text, L"");
  EXPECT_EQ(seen.focusedField, IDC_STRING_NAME);
  // On Windows an ANSI edit control passes text through the code page, so
  // the field must be a Unicode window; Wine would keep the text either way.
  EXPECT_TRUE(seen.textFieldUnicode);
  EXPECT_EQ(RowNames(), std::vector<std::string>{"Greeting"});
  EXPECT_EQ(RowTexts(), std::vector<Text>{L"Hello\r\n\u4E16\u754C \u00E9"});
  EXPECT_EQ(Text(RowEntry(0)->text), L"Hello\r\n\u4E16\u754C \u00E9");
}

TEST_F(StringsEditDialog, EditingStartsWithTheOldValuesAndTheTextFocused) {
  Open(WriteTable("edit.DAT", {{"Name", L"old \u00FC text"}}));
  FocusRow(0);
  DialogSeen seen;
  DialogAnswerer answerer;
  AnswerEditString(answerer, "Name", L"new", IDOK, &seen);
  Command(ID_EDIT_EDIT_STRING);
  EXPECT_EQ(seen.name, "Name");
  EXPECT_EQ(seen.text, L"old \u00FC text");
  EXPECT_EQ(seen.focusedField, IDC_STRING_TEXT);
  EXPECT_EQ(RowTexts(), std::vector<Text>{L"new"});
}

TEST_F(StringsEditDialog, ANameThatExistsInAnotherCaseIsRefusedAndTheDialogKeepsWhatWasTyped) {
  Open(WriteTable("dup.DAT", {{"Title", L"t"}, {"Other", L"o"}}));
  DialogSeen afterError;
  DialogAnswerer answerer;
  AnswerEditString(answerer, "TITLE", L"typed text", IDOK);
  AnswerEditString(answerer, "", L"", IDCANCEL, &afterError);
  Command(ID_EDIT_INSERT_STRING);
  EXPECT_TRUE(answerer.allStepsDone());
  ASSERT_EQ(g_script.messageBoxes.size(), 1u);
  EXPECT_EQ(g_script.messageBoxes[0].text, "String with this name already exists!");
  EXPECT_EQ(g_script.messageBoxes[0].caption, "Error");
  EXPECT_EQ(g_script.messageBoxes[0].owner, nullptr);
  EXPECT_EQ(g_script.messageBoxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(afterError.name, "TITLE");
  EXPECT_EQ(afterError.text, L"typed text");
  EXPECT_EQ(TableNames(), (std::vector<std::string>{"Title", "Other"}));

  // Renaming one entry to the other's name is refused the same way.
  FocusRow(0);  // "Other"
  AnswerEditString(answerer, "title", L"x", IDOK);
  AnswerEditString(answerer, "", L"", IDCANCEL);
  Command(ID_EDIT_EDIT_STRING);
  EXPECT_EQ(g_script.messageBoxes.size(), 2u);
  EXPECT_EQ(RowNames(), (std::vector<std::string>{"Other", "Title"}));
}

TEST_F(StringsEditDialog, RenamingToTheSameNameInAnotherCaseIsAcceptedAsTyped) {
  Open(WriteTable("case.DAT", {{"menu_start", L"Start"}}));
  FocusRow(0);
  DialogAnswerer answerer;
  AnswerEditString(answerer, "MENU_Start", L"Start game", IDOK);
  Command(ID_EDIT_EDIT_STRING);
  EXPECT_TRUE(g_script.messageBoxes.empty());
  EXPECT_EQ(RowNames(), std::vector<std::string>{"MENU_Start"});
  EXPECT_EQ(TableNames(), std::vector<std::string>{"MENU_Start"});
  EXPECT_EQ(RowTexts(), std::vector<Text>{L"Start game"});
}

TEST_F(StringsEditDialog, AnEmptyNameOrCancelLeavesTheTableUnchanged) {
  Open(WriteTable("cancel.DAT", {{"KEEP", L"k"}}));
  DialogAnswerer answerer;
  AnswerEditString(answerer, "", L"text without a name", IDOK);
  Command(ID_EDIT_INSERT_STRING);
  FocusRow(0);
  AnswerEditString(answerer, "", L"emptied name", IDOK);
  Command(ID_EDIT_EDIT_STRING);
  AnswerEditString(answerer, "CHANGED", L"but cancelled", IDCANCEL);
  Command(ID_EDIT_EDIT_STRING);
  // The close box ends it as Cancel too.
  answerer.Expect({"Edit String", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }});
  Command(ID_EDIT_EDIT_STRING);
  EXPECT_TRUE(answerer.allStepsDone());
  EXPECT_EQ(TableNames(), std::vector<std::string>{"KEEP"});
  EXPECT_EQ(RowTexts(), std::vector<Text>{L"k"});
  EXPECT_TRUE(g_script.messageBoxes.empty());
}

TEST_F(StringsEditDialog, LongerInputIsCutTo254NameBytesAnd10239TextUnits) {
  Command(ID_FILE_NEW);
  const std::string longName(300, 'n');
  Text longText;
  for (int index = 0; index < 10300; ++index) {
    longText += static_cast<wchar_t>(L'a' + index % 26);
  }
  DialogAnswerer answerer;
  AnswerEditString(answerer, longName, longText, IDOK);
  Command(ID_EDIT_INSERT_STRING);
  ASSERT_EQ(RowCount(), 1);
  const StringEntry& entry = *RowEntry(0);
  EXPECT_EQ(std::string(entry.name), longName.substr(0, 254));
  EXPECT_EQ(entry.nameLength, 254u);
  EXPECT_EQ(Text(entry.text), longText.substr(0, 10239));
  EXPECT_EQ(entry.textLength, 10239u);
}

}  // namespace
