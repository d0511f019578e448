// Files and folders dropped on the main window, inserted as Insert File(s)
// inserts chosen files.
#include "atlas_editor_fixture.h"

#include <commctrl.h>

#include <filesystem>

#include "file_drop.h"

namespace {

using AtlasFileDrop = AtlasEditorTest;

TEST_F(AtlasFileDrop, InsertsDroppedFilesAndTheImagesDirectlyInADroppedFolder) {
    std::filesystem::create_directories(folder.path("art\\deep"));
    std::filesystem::create_directory(folder.path("empty"));
    writeImage("art\\b.png", 4, 4);
    writeImage("art\\a.png", 5, 5);
    writeImage("art\\deep\\c.png", 3, 3);
    writeFileBytes(folder.path("art\\notes.txt"), Bytes{'h', 'i'});
    const std::string tree = writeImage("tree.png", 6, 6);
    insertFiles({writeImage("a.png", 2, 2)});
    Script().messageBoxes.clear();

    // What Insert File(s) says about the same files.
    Script().messageBoxAnswers = {IDYES};
    insertFiles({folder.path("art\\a.png")});
    insertFiles({folder.path("art\\notes.txt")});
    const std::vector<std::string> insertMessages = Script().messageBoxTexts();
    ASSERT_EQ(insertMessages.size(), 2u);
    Script().messageBoxes.clear();

    struct Case {
        std::vector<std::string> dropped;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {{tree, folder.path("art")}, {insertMessages[0]}},
        {{folder.path("empty")}, {"There are no image files in the dropped folder."}},
        {{folder.path("art\\notes.txt")}, {insertMessages[1]}},
    };
    for (const Case& c : cases) {
        Script().messageBoxes.clear();
        Script().messageBoxAnswers = {IDYES};
        DropFiles(app->mainWindow, c.dropped);
        EXPECT_EQ(Script().messageBoxTexts(), c.messages) << c.dropped[0];
        EXPECT_EQ(listItems(), (std::vector<std::string>{"A.PNG", "B.PNG", "TREE.PNG"}));
    }
    EXPECT_EQ(itemsWithState(LVNI_FOCUSED), std::vector<std::string>{"B.PNG"});
}

} // namespace
