// Files and folders dropped on the main window go in as Insert File(s) puts
// chosen files in.
#include "atlas_editor_fixture.h"

#include <filesystem>

#include "file_drop.h"

namespace {

using AtlasFileDrop = AtlasEditorTest;

TEST_F(AtlasFileDrop, InsertsDroppedFilesAndTheImagesDirectlyInADroppedFolder) {
    std::filesystem::create_directories(folder.path("art\\deep"));
    std::filesystem::create_directory(folder.path("empty"));
    for (const char* name : {"tree.png", "a.png", "art\\a.png", "art\\b.png", "art\\deep\\c.png"}) {
        writeImage(name, 4, 4);
    }
    writeFileBytes(folder.path("art\\notes.txt"), Bytes{'h', 'i'});
    insertFiles({folder.path("a.png")});
    Script().messageBoxAnswers = {IDYES};
    insertFiles({folder.path("art\\a.png"), folder.path("art\\notes.txt")});  // what Insert File(s) says
    const std::vector<std::string> said = Script().messageBoxTexts();
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{folder.path("tree.png"), folder.path("art")}, said.at(0)},
        {{folder.path("empty")}, "There are no image files in the dropped folder."},
        {{folder.path("art\\notes.txt")}, said.at(1)}};
    for (const auto& c : cases) {
        Script().messageBoxes.clear();
        Script().messageBoxAnswers = {IDYES};
        DropFiles(app->mainWindow, c.first);
        EXPECT_EQ(Script().messageBoxTexts(), std::vector<std::string>{c.second});
        EXPECT_EQ(listItems(), (std::vector<std::string>{"A.PNG", "B.PNG", "TREE.PNG"}));
    }
}

}  // namespace
