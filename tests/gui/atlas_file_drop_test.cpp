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

namespace {

// A dropped folder goes in as far as its images can be read, naming the
// others; dropped files that would get one entry name insert nothing.
TEST_F(AtlasFileDrop, LeavesOutUnreadableImagesOfFoldersAndRefusesSameNames) {
    std::filesystem::create_directories(folder.path("art"));
    std::filesystem::create_directories(folder.path("other"));
    writeImage("art\\good.png", 4, 4);
    writeFileBytes(folder.path("art\\bad.png"), Bytes{'n', 'o'});
    writeImage("other\\GOOD.png", 2, 2);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{folder.path("art")},
         "These files have not been inserted:\n\nbad.png: Unable to load image\n\n"
         "The other files have been inserted."},
        {{folder.path("other\\GOOD.png"), folder.path("art")},
         "These dropped files would get the same entry names:\n\nGOOD.PNG:\n" + folder.path("other\\GOOD.png") + "\n" +
             folder.path("art\\good.png") + "\n\nNothing has been inserted."},
    };
    for (const auto& [dropped, said] : cases) {
        Script().messageBoxes.clear();
        Script().messageBoxAnswers = {IDYES};
        DropFiles(app->mainWindow, dropped);
        EXPECT_EQ(Script().messageBoxTexts(), std::vector<std::string>{said});
        EXPECT_EQ(listItems(), std::vector<std::string>{"GOOD.PNG"});
    }
    // A dropped file that cannot be read still stops the whole drop.
    Script().messageBoxes.clear();
    DropFiles(app->mainWindow, {folder.path("art\\bad.png")});
    EXPECT_EQ(Script().messageBoxTexts(), std::vector<std::string>{"Unable to load image"});
}

}  // namespace
