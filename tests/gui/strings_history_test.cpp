// Undo and Redo in the real window: each step taken back and made again, the
// rows, the menu and the title's mark following, and the files saved after
// them the same bytes as the saves of the states they return to.
#include <windows.h>

#include <functional>
#include <numeric>

#include "datfile.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

using StringsHistory = StringsEditorTest;

void SaveAs(const std::string& path) {
    g_script.fileAnswers.push_back({path});
    SendMessageA(g_editor.mainWindow, WM_COMMAND, ID_FILE_SAVE_AS, 0);
}

}  // namespace

TEST_F(StringsHistory, UndoneStepsSaveTheOpenedBytesAndRedoneOnesTheEditedBytes) {
    // The opened file is one this program wrote, in the byte order it writes.
    const std::string opened = folder_.path("opened.DAT");
    {
        StringTablePtr table = StringTableCreate();
        for (const char* name : {"ALPHA", "BETA", "GAMMA"}) {
            StringTableInsert(*table, name, L"text");
        }
        ASSERT_EQ(WriteStringTable(*table, opened.c_str()), DatWriteStatus::Written);
    }
    Open(opened);

    // Each step, the rows after it, and the selection after undoing it.
    struct Step {
        std::function<void()> make;
        const char* edit;
        std::vector<std::string> rows;
        std::vector<int> restored;
    };
    const std::vector<Step> steps = {
        {[this] { Insert("DELTA", L"new"); }, "Insert", {"ALPHA", "BETA", "DELTA", "GAMMA"}, {}},
        {[this] {
             FocusRow(1);
             g_script.editAnswers.push_back({true, "BRAVO", L"renamed"});
             Command(ID_EDIT_EDIT_STRING);
         },
         "Edit",
         {"ALPHA", "BRAVO", "DELTA", "GAMMA"},
         {1}},
        {[this] {
             SelectRows({0, 2});
             Command(ID_EDIT_DELETE_STRING);
         },
         "Delete",
         {"BRAVO", "GAMMA"},
         {0, 2}},
    };
    for (const Step& step : steps) {
        step.make();
        ASSERT_EQ(RowNames(), step.rows);
        EXPECT_EQ(MenuText(MainWindow(), ID_EDIT_UNDO), std::string("&Undo ") + step.edit + "\tCtrl+Z");
        EXPECT_FALSE(MenuEnabled(ID_EDIT_REDO)) << "a new step drops the undone ones";
    }
    SaveAs(folder_.path("edited.DAT"));

    for (std::size_t i = steps.size(); i-- > 0;) {
        Command(ID_EDIT_UNDO);
        EXPECT_EQ(RowNames(), i == 0 ? std::vector<std::string>({"ALPHA", "BETA", "GAMMA"}) : steps[i - 1].rows);
        EXPECT_TRUE(RowsMatchTable());
        EXPECT_EQ(SelectedRows(), steps[i].restored) << steps[i].edit;
        EXPECT_EQ(MenuText(MainWindow(), ID_EDIT_REDO), std::string("&Redo ") + steps[i].edit + "\tCtrl+Y");
        EXPECT_TRUE(TitleMarked(MainWindow())) << "the saved state is the edited one";
    }
    EXPECT_EQ(MenuText(MainWindow(), ID_EDIT_UNDO), "&Undo\tCtrl+Z");
    EXPECT_FALSE(MenuEnabled(ID_EDIT_UNDO));
    SaveAs(folder_.path("undone.DAT"));
    EXPECT_EQ(ReadBytes(folder_.path("undone.DAT")), ReadBytes(opened));

    for (const Step& step : steps) {
        Command(ID_EDIT_REDO);
        EXPECT_EQ(RowNames(), step.rows);
        EXPECT_TRUE(RowsMatchTable());
    }
    EXPECT_FALSE(MenuEnabled(ID_EDIT_REDO));
    SaveAs(folder_.path("redone.DAT"));
    EXPECT_EQ(ReadBytes(folder_.path("redone.DAT")), ReadBytes(folder_.path("edited.DAT")));

    // Back at the saved state by undo and redo, closing asks nothing.
    Command(ID_EDIT_UNDO);
    EXPECT_TRUE(TitleMarked(MainWindow()));
    Command(ID_EDIT_REDO);
    EXPECT_FALSE(TitleMarked(MainWindow()));
    Command(ID_FILE_CLOSE);
    EXPECT_TRUE(g_script.messageBoxes.empty());
}

// Many rows come back by a merge, in the order they left in.
TEST_F(StringsHistory, ManyRowsUndoneComeBackInTheListsOrder) {
    std::vector<std::pair<std::string, Text>> entries;
    for (int i = 0; i < 40; ++i) {
        const std::string text = std::to_string(99 - i);  // texts in the opposite order of the names
        entries.push_back({"N" + std::to_string(10 + i), Text(text.begin(), text.end())});
    }
    Open(WriteTable("many.DAT", entries));
    ClickHeader(1);
    const std::vector<std::string> byText = RowNames();
    std::vector<int> most(39);
    std::iota(most.begin(), most.end(), 0);
    SelectRows(most);
    Command(ID_EDIT_DELETE_STRING);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(RowNames(), byText);
    EXPECT_EQ(SelectedRows(), most);
    EXPECT_TRUE(RowsMatchTable());
}
