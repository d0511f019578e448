// What PXAEditor remembers between runs, kept here under a key of the tests'
// own: the splitter, the dialogs' folders and the recent pairs; a damaged
// value is ignored.
#include "atlas_editor_fixture.h"

#include "documentcommands.h"
#include "editorsettings.h"
#include "mainwindow.h"
#include "pxaeditor_resource.h"

namespace {

const char testKey[] = "Software\\PXAEditorTests";

class AtlasSettings : public AtlasEditorTest {
protected:
    void SetUp() override {
        AtlasEditorTest::SetUp();
        SettingsStore(testKey).removeAll();
        app->settings = SettingsStore(testKey);
        LoadEditorSettings(*app);
    }
    void TearDown() override {
        AtlasEditorTest::TearDown();
        SettingsStore(testKey).removeAll();
    }

    // The program ends and starts again.
    void restart() {
        ReleaseApp(*app);
        app = std::make_unique<EditorApp>();
        app->ui = ScriptedModalUi();
        app->settings = SettingsStore(testKey);
        BuildImageTypeLists(app->readableTypes, app->writableTypes);
        app->instance = GetModuleHandleA(nullptr);
        CreateWindows(*app);
        LoadEditorSettings(*app);
        NewDocument(*app);
    }

    std::vector<std::string> fileMenu() const {
        std::vector<std::string> items;
        HMENU file = GetSubMenu(GetMenu(app->mainWindow), 0);
        for (int i = 0; i < GetMenuItemCount(file); ++i) {
            char text[MAX_PATH] = "";
            GetMenuStringA(file, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
            items.push_back(text);
        }
        return items;
    }
};

}  // namespace

TEST_F(AtlasSettings, TheSplitterTheFoldersAndTheRecentPairsAreThereAtTheNextStart) {
    const PairPaths pair = writePair("atlas", {{"ONE.TGA", {1, 1, 4, 4, 1}}});
    openPair(pair);
    insertFiles({writeImage("tile.png", 4, 4)});
    app->listWidth = 300;
    restart();

    EXPECT_EQ(app->listWidth, 300);
    const std::vector<std::string> menu = fileMenu();
    ASSERT_GE(menu.size(), 3u);
    const std::string recent = menu[menu.size() - 3];  // long paths are shortened in the middle
    EXPECT_EQ(recent.rfind("&1 ", 0), 0u) << recent;
    EXPECT_EQ(recent.substr(recent.size() - 10), "\\atlas.pxa") << recent;
    EXPECT_EQ(menu.back(), "&Exit");
    command(ID_FILE_RECENT_FIRST);
    EXPECT_EQ(app->document->indexFileName(), pair.index);
    EXPECT_EQ(app->document->imageFileName(), pair.image);

    Script().fileDialogs.clear();
    Script().fileAnswers = {FileDialogAnswer{}, FileDialogAnswer{}};
    command(ID_EDIT_INSERT_FILES);
    command(ID_FILE_OPEN);
    ASSERT_EQ(Script().fileDialogs.size(), 2u);
    EXPECT_EQ(Script().fileDialogs[0].initialFolder, folder.path(""));
    EXPECT_EQ(Script().fileDialogs[1].initialFolder, folder.path(""));
    Script().unansweredDialogs = 0;
}

TEST_F(AtlasSettings, DamagedValuesAreIgnored) {
    const SettingsStore store(testKey);
    store.writeString("ListWidth", "wide");
    store.writeString("Placement", "1,2,3");
    store.writeInteger("RecentFiles", 7);
    store.writeInteger("IndexFolder", 1);
    restart();
    EXPECT_EQ(app->listWidth, 400);
    EXPECT_EQ(fileMenu().size(), 8u) << "no recent files";
    Script().fileAnswers = {FileDialogAnswer{}};
    command(ID_FILE_OPEN);
    EXPECT_EQ(Script().fileDialogs.back().initialFolder, "");
    Script().unansweredDialogs = 0;
}
