// The commands with the system's own dialogs, answered as a user would.
#include <filesystem>

#include "atlas_editor_fixture.h"
#include "dialog_answerer.h"
#include "pxaeditor_resource.h"

namespace {

class AtlasRealDialogs : public AtlasEditorTest {
protected:
    void SetUp() override {
        AtlasEditorTest::SetUp();
        app->ui.openFileDialog = SystemModalUi().openFileDialog;
        app->ui.saveFileDialog = SystemModalUi().saveFileDialog;
        app->ui.browseForFolder = SystemModalUi().browseForFolder;
    }
};

} // namespace

TEST_F(AtlasRealDialogs, SaveAsThenOpenThroughTheFileDialogs) {
    modifyDocument();
    const std::string index = folder.path("real.pxa");
    const std::string image = folder.path("real.tga");
    {
        DialogAnswerer answerer;
        answerer.AnswerFileDialog("", index);
        answerer.AnswerFileDialog("", image);
        command(ID_FILE_SAVE_AS);
        EXPECT_TRUE(answerer.allStepsDone());
    }
    EXPECT_TRUE(Script().messageBoxes.empty());
    EXPECT_EQ(title(), "PXA Editor - [" + index + "]");
    ASSERT_TRUE(std::filesystem::exists(index));
    EXPECT_EQ(FreeImage_GetFileType(image.c_str(), 0), FIF_TARGA);

    command(ID_FILE_NEW);
    {
        DialogAnswerer answerer;
        answerer.AnswerFileDialog("", index);
        answerer.AnswerFileDialog("", image);
        command(ID_FILE_OPEN);
        EXPECT_TRUE(answerer.allStepsDone());
    }
    EXPECT_EQ(title(), "PXA Editor - [" + index + "]");
    EXPECT_EQ(listItems(), std::vector<std::string>{"MODIFICATION.PNG"});
}
