// A whole editing run through the real dialogs: the open dialog, the Edit
// String dialog and the error message box, answered as a user would.
#include "dialog_answerer.h"
#include "namekey.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

void Type(DialogAnswerer& answerer, const std::string& name, const Text& text) {
    answerer.expect({"Edit String", [=](HWND dialog) {
                         SetDlgItemTextA(dialog, IDC_STRING_NAME, name.c_str());
                         SetDlgItemTextW(dialog, IDC_STRING_TEXT, text.c_str());
                         SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                     }});
}

using StringsEndToEnd = StringsEditorTest;

TEST_F(StringsEndToEnd, OpensEditsInsertsAndSavesThroughTheRealDialogs) {
    UseRealDialogs();
    const std::string path = WriteTable("game.DAT", {{"MENU_QUIT", L"Quit"}, {"MENU_PLAY", L"Play"}});

    DialogAnswerer answerer;
    answerer.answerFileDialog("", path);
    Command(ID_FILE_OPEN);
    ASSERT_TRUE(answerer.allStepsDone());
    ASSERT_EQ(RowNames(), (std::vector<std::string>{"MENU_PLAY", "MENU_QUIT"}));

    // Edit the focused row; then insert a duplicate, refused by the real
    // message box, and correct the name in the dialog that stayed open.
    FocusRow(1);
    Type(answerer, "MENU_QUIT", L"Quit game");
    Command(ID_EDIT_EDIT_STRING);
    Type(answerer, "menu_play", L"Again");
    answerer.pressButton("Error", IDOK);
    Type(answerer, "MENU_OPTIONS", L"Options");
    Command(ID_EDIT_INSERT_STRING);
    EXPECT_TRUE(answerer.allStepsDone());
    ASSERT_EQ(answerer.seenCaptions().size(), 5u);  // open, edit, insert, error, insert again
    const std::vector<std::string> captions(answerer.seenCaptions().end() - 3, answerer.seenCaptions().end());
    EXPECT_EQ(captions, (std::vector<std::string>{"Edit String", "Error", "Edit String"}));
    EXPECT_NE(answerer.seenTexts().end()[-2].find("String with this name already exists!"), std::string::npos);

    EXPECT_EQ(RowNames(), (std::vector<std::string>{"MENU_OPTIONS", "MENU_PLAY", "MENU_QUIT"}));
    EXPECT_EQ(RowTexts(), (std::vector<Text>{L"Options", L"Play", L"Quit game"}));
    Command(ID_FILE_SAVE);

    // The edited entry was inserted anew, so it follows its key; the others
    // keep the file's order.
    std::vector<FileEntry> expected = {{ComputeNameKey("MENU_PLAY"), u"Play", "MENU_PLAY"}};
    std::vector<FileEntry> added = {{ComputeNameKey("MENU_QUIT"), u"Quit game", "MENU_QUIT"},
                                    {ComputeNameKey("MENU_OPTIONS"), u"Options", "MENU_OPTIONS"}};
    for (const FileEntry& entry : added) {
        auto place = expected.begin();
        while (place != expected.end() && place->key <= entry.key) {
            ++place;
        }
        expected.insert(place, entry);
    }
    EXPECT_EQ(ReadBytes(path), DatBytes(expected));
}

}  // namespace
