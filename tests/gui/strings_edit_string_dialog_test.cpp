// The real "Edit String" dialog, typed into by a DialogAnswerer.
#include <algorithm>

#include "dialog_answerer.h"
#include "editstringdialog.h"
#include "namekey.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

// What the dialog showed when the answerer reached it.
struct DialogSeen {
    HWND window = nullptr;
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
    answerer.expect({"Edit String", [=](HWND dialog) {
                         if (seen != nullptr) {
                             seen->window = dialog;
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
        g_editor.ui.editString = EditStringDialog;
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
    DialogSeen typed;
    DialogSeen afterError;
    DialogAnswerer answerer;
    AnswerEditString(answerer, "TITLE", L"typed text", IDOK, &typed);
    AnswerEditString(answerer, "", L"", IDCANCEL, &afterError);
    Command(ID_EDIT_INSERT_STRING);
    EXPECT_TRUE(answerer.allStepsDone());
    ASSERT_EQ(g_script.messageBoxes.size(), 1u);
    EXPECT_EQ(g_script.messageBoxes[0].text, "String with this name already exists!");
    EXPECT_EQ(g_script.messageBoxes[0].caption, "Error");
    EXPECT_EQ(g_script.messageBoxes[0].owner, typed.window);  // the dialog, not hidden behind it
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
    answerer.expect({"Edit String", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }});
    Command(ID_EDIT_EDIT_STRING);
    EXPECT_TRUE(answerer.allStepsDone());
    EXPECT_EQ(TableNames(), std::vector<std::string>{"KEEP"});
    EXPECT_EQ(RowTexts(), std::vector<Text>{L"k"});
    EXPECT_TRUE(g_script.messageBoxes.empty());
}

// Nothing is cut: a file's longer values are kept whole by an edit of the
// other field, and the saved file holds them byte for byte.
TEST_F(StringsEditDialog, EditingKeepsAFilesLongerNameAndTextWhole) {
    const std::string longName(300, 'n');
    const Text longText(12000, L't');
    const std::string path = WriteTable("long.DAT", {{longName, L"short"}, {"Short", longText}});
    Open(path);
    DialogAnswerer answerer;
    FocusRow(0);
    AnswerEditString(answerer, longName, L"edited", IDOK);
    Command(ID_EDIT_EDIT_STRING);
    FocusRow(1);
    AnswerEditString(answerer, "Renamed", longText, IDOK);
    Command(ID_EDIT_EDIT_STRING);
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(answerer.allStepsDone());
    EXPECT_TRUE(g_script.messageBoxes.empty());
    std::vector<FileEntry> saved = {{ComputeNameKey(longName.c_str()), u"edited", longName},
                                    {ComputeNameKey("Renamed"), std::u16string(12000, u't'), "Renamed"}};
    std::sort(saved.begin(), saved.end(), [](const FileEntry& a, const FileEntry& b) { return a.key < b.key; });
    EXPECT_EQ(ReadBytes(path), DatBytes(saved));
}

// A new value over the editor's limits is refused with a message, the dialog
// stays open with it, and nothing is stored until it fits.
TEST_F(StringsEditDialog, NewValuesOverTheLimitsAreRefusedNotCut) {
    Command(ID_FILE_NEW);
    const std::string name(254, 'n');
    const Text text(10239, L't');
    DialogAnswerer answerer;
    AnswerEditString(answerer, name + "n", text, IDOK);
    AnswerEditString(answerer, name, text + L"t", IDOK);
    AnswerEditString(answerer, name, text, IDOK);
    Command(ID_EDIT_INSERT_STRING);
    EXPECT_TRUE(answerer.allStepsDone());
    ASSERT_EQ(g_script.messageBoxes.size(), 2u);
    EXPECT_EQ(g_script.messageBoxes[0].text, "The name is too long: it may have at most 254 bytes.");
    EXPECT_EQ(g_script.messageBoxes[1].text, "The text is too long: it may have at most 10239 characters.");
    ASSERT_EQ(RowCount(), 1);
    EXPECT_EQ(std::string(RowEntry(0)->name), name);
    EXPECT_EQ(Text(RowEntry(0)->text), text);
}

}  // namespace

namespace {

RECT RectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

// What a user sees of the dialog: where it is, its controls, how it grows.
struct DialogLook {
    RECT dialog, main, ok, cancel, text, name;
    RECT grownText, grownOk, grownName;
    std::string nameLabel, textLabel, hint, count, countAfterTyping;
    HWND focusAfterMnemonic = nullptr;
    HWND nameField = nullptr;
};

std::string LabelBefore(HWND dialog, int id) { return WindowText(GetWindow(GetDlgItem(dialog, id), GW_HWNDPREV)); }

TEST_F(StringsEditDialog, IsCentredResizableWithOkFirstMnemonicsAHintAndACount) {
    Open(WriteTable("look.DAT", {{"Name", L"abc"}}));
    FocusRow(0);
    DialogLook look;
    DialogAnswerer answerer;
    answerer.expect({"Edit String", [&look](HWND dialog) {
                         look.dialog = RectOf(dialog);
                         look.main = RectOf(g_editor.mainWindow);
                         look.ok = RectOf(GetDlgItem(dialog, IDOK));
                         look.cancel = RectOf(GetDlgItem(dialog, IDCANCEL));
                         look.text = RectOf(GetDlgItem(dialog, IDC_STRING_TEXT));
                         look.name = RectOf(GetDlgItem(dialog, IDC_STRING_NAME));
                         look.nameLabel = LabelBefore(dialog, IDC_STRING_NAME);
                         look.textLabel = LabelBefore(dialog, IDC_STRING_TEXT);
                         look.hint = WindowText(GetDlgItem(dialog, IDC_STRING_HINT));
                         look.count = WindowText(GetDlgItem(dialog, IDC_STRING_COUNT));
                         SendDlgItemMessageW(dialog, IDC_STRING_TEXT, EM_SETSEL, 3, 3);
                         SendDlgItemMessageW(dialog, IDC_STRING_TEXT, EM_REPLACESEL, TRUE,
                                             reinterpret_cast<LPARAM>(L" more"));
                         look.countAfterTyping = WindowText(GetDlgItem(dialog, IDC_STRING_COUNT));
                         SetWindowPos(dialog, nullptr, 0, 0, look.dialog.right - look.dialog.left + 100,
                                      look.dialog.bottom - look.dialog.top + 80, SWP_NOMOVE | SWP_NOZORDER);
                         look.grownText = RectOf(GetDlgItem(dialog, IDC_STRING_TEXT));
                         look.grownOk = RectOf(GetDlgItem(dialog, IDOK));
                         look.grownName = RectOf(GetDlgItem(dialog, IDC_STRING_NAME));
                         look.nameField = GetDlgItem(dialog, IDC_STRING_NAME);
                         // Alt+N, as the keyboard sends it to the focused text field.
                         PostMessageA(GetFocus(), WM_SYSCHAR, 'n', 1 << 29);
                     }});
    answerer.expect({"Edit String", [&look](HWND dialog) {
                         look.focusAfterMnemonic = GetFocus();
                         PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                     }});
    Command(ID_EDIT_EDIT_STRING);
    ASSERT_TRUE(answerer.allStepsDone());

    EXPECT_NEAR(look.dialog.left + look.dialog.right, look.main.left + look.main.right, 2);
    EXPECT_NEAR(look.dialog.top + look.dialog.bottom, look.main.top + look.main.bottom, 2);
    EXPECT_LT(look.ok.right, look.cancel.left);
    EXPECT_EQ(look.nameLabel, "String &name:");
    EXPECT_EQ(look.textLabel, "&Text:");
    EXPECT_NE(look.hint.find("Ctrl+Enter"), std::string::npos);
    EXPECT_EQ(look.count, "3 / 10239");
    EXPECT_EQ(look.countAfterTyping, "8 / 10239");
    EXPECT_EQ(look.grownText.right - look.text.right, 100);
    EXPECT_EQ(look.grownText.bottom - look.text.bottom, 80);
    EXPECT_EQ(look.grownOk.left - look.ok.left, 100);
    EXPECT_EQ(look.grownOk.top - look.ok.top, 80);
    EXPECT_EQ(look.grownName.right - look.name.right, 100);
    EXPECT_EQ(look.grownName.bottom - look.name.bottom, 0);
    EXPECT_EQ(look.focusAfterMnemonic, look.nameField);
}

}  // namespace

namespace {

// With a reference open, its text of the name in the name field shows,
// read-only, between the name and the text; without one nothing takes room.
TEST_F(StringsEditDialog, ShowsTheReferenceTextOfTheTypedNameAboveTheText) {
    Open(WriteTable("de.DAT", {{"Name", L"Hallo"}}));
    FocusRow(0);
    struct Seen {
        bool shown = false;
        Text reference;
        Text afterTyping;
        bool readOnly = false;
        RECT name = {}, field = {}, text = {};
    };
    const auto look = [](Seen& seen) {
        return DialogAnswerer::Step{"Edit String", [&seen](HWND dialog) {
                                        const HWND field = GetDlgItem(dialog, IDC_STRING_REFERENCE);
                                        seen.shown = IsWindowVisible(field) != FALSE;
                                        seen.reference = FieldTextW(dialog, IDC_STRING_REFERENCE);
                                        seen.readOnly = (GetWindowLongA(field, GWL_STYLE) & ES_READONLY) != 0;
                                        seen.name = RectOf(GetDlgItem(dialog, IDC_STRING_NAME));
                                        seen.field = RectOf(field);
                                        seen.text = RectOf(GetDlgItem(dialog, IDC_STRING_TEXT));
                                        SetDlgItemTextA(dialog, IDC_STRING_NAME, "other");
                                        seen.afterTyping = FieldTextW(dialog, IDC_STRING_REFERENCE);
                                        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                                    }};
    };
    Seen without, with;
    DialogAnswerer answerer;
    answerer.expect(look(without));
    Command(ID_EDIT_EDIT_STRING);
    g_script.fileAnswers = {{WriteTable("en.DAT", {{"NAME", L"Hello"}, {"other", L"Other"}})}};
    Command(ID_FILE_OPEN_REFERENCE);
    answerer.expect(look(with));
    Command(ID_EDIT_EDIT_STRING);
    ASSERT_TRUE(answerer.allStepsDone());

    EXPECT_FALSE(without.shown);
    EXPECT_TRUE(with.shown);
    EXPECT_TRUE(with.readOnly);
    EXPECT_EQ(with.reference, L"Hello");
    EXPECT_EQ(with.afterTyping, L"Other");
    EXPECT_LT(with.name.bottom, with.field.top);
    EXPECT_LT(with.field.bottom, with.text.top);
    EXPECT_EQ(with.text.bottom - with.text.top, without.text.bottom - without.text.top);
    EXPECT_LT(without.text.top, with.text.top);
}

}  // namespace
