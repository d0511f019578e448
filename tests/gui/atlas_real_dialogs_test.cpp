// The commands with the system's own dialogs, answered as a user would.
#include <filesystem>

#include "atlas_editor_fixture.h"

#include <commctrl.h>
#include <shlobj.h>
#include "dialog_answerer.h"
#include "dialog_watchdog.h"
#include "pxaeditor_resource.h"

namespace {

// The fixture's scripted dialogs prepare each test; the step under test then
// meets the system's own dialogs.
class AtlasRealDialogs : public AtlasEditorTest {
protected:
    void useSystemDialogs() {
        app->ui.openFileDialog = SystemModalUi().openFileDialog;
        app->ui.saveFileDialog = SystemModalUi().saveFileDialog;
        app->ui.browseForFolder = SystemModalUi().browseForFolder;
    }
};

// The text of the folder browser's selected tree item.
std::string selectedFolder(HWND browser) {
    const HWND tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    char text[MAX_PATH] = "";
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = sizeof(text);
    return item != nullptr && SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)) ? text : "";
}

void pumpMessagesFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    }
}

}  // namespace

TEST_F(AtlasRealDialogs, SaveAsThenOpenThroughTheFileDialogs) {
    modifyDocument();
    useSystemDialogs();
    DialogWatchdog watchdog(15000);
    const std::string index = folder.path("real.pxa");
    const std::string image = folder.path("real.tga");
    {
        DialogAnswerer answerer;
        answerer.answerFileDialog("", index);
        answerer.answerFileDialog("", image);
        command(ID_FILE_SAVE_AS);
        EXPECT_TRUE(answerer.allStepsDone());
    }
    EXPECT_FALSE(watchdog.fired());
    EXPECT_TRUE(Script().messageBoxes.empty());
    EXPECT_EQ(title(), "PXA Editor - [" + index + "]");
    ASSERT_TRUE(std::filesystem::exists(index));
    EXPECT_EQ(FreeImage_GetFileType(image.c_str(), 0), FIF_TARGA);

    command(ID_FILE_NEW);
    {
        DialogAnswerer answerer;
        answerer.answerFileDialog("", index);
        answerer.answerFileDialog("", image);
        command(ID_FILE_OPEN);
        EXPECT_TRUE(answerer.allStepsDone());
    }
    EXPECT_FALSE(watchdog.fired());
    EXPECT_EQ(title(), "PXA Editor - [" + index + "]");
    EXPECT_EQ(listItems(), std::vector<std::string>{"MODIFICATION.PNG"});
}

TEST_F(AtlasRealDialogs, InsertTwoFilesChosenInTheMultiSelectDialog) {
    writeImage("leaf.png", 6, 4, 2);
    writeImage("stone.png", 3, 3, 3);
    useSystemDialogs();
    DialogWatchdog watchdog(15000);
    {
        DialogAnswerer answerer;
        answerer.answerFileDialog("", folder.path(""));  // into the folder first
        answerer.answerFileDialog("", "\"leaf.png\" \"stone.png\"");
        command(ID_EDIT_INSERT_FILES);
        EXPECT_TRUE(answerer.allStepsDone());
    }
    EXPECT_FALSE(watchdog.fired());
    EXPECT_TRUE(Script().messageBoxes.empty());
    EXPECT_EQ(listItems(), (std::vector<std::string>{"LEAF.PNG", "STONE.PNG"}));
    ASSERT_NE(app->document->find("LEAF.PNG"), nullptr);
    EXPECT_EQ(app->document->find("LEAF.PNG")->width, 6u);
    EXPECT_EQ(itemsWithState(LVNI_FOCUSED).size(), 1u);
}

TEST_F(AtlasRealDialogs, ExtractIntoAFolderChosenInTheFolderBrowser) {
    insertFiles({writeImage("leaf.png", 6, 4, 2)});
    Script().messageBoxes.clear();
    const std::string out = folder.path("out");
    std::filesystem::create_directory(out);
    useSystemDialogs();
    DialogWatchdog watchdog(15000);
    {
        DialogAnswerer answerer;
        answerer.expect({"", [out](HWND dialog) {
                             // Wine fills the folder tree while the dialog starts up, and a
                             // selection made before the folder is in it lands elsewhere (or
                             // is moved by the filling later): it is made again until the
                             // tree has shown it for a while.
                             for (int tries = 0, stable = 0; tries < 200 && stable < 5; ++tries) {
                                 if (selectedFolder(dialog) == "out") {
                                     ++stable;
                                 } else {
                                     stable = 0;
                                     SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
                                                  reinterpret_cast<LPARAM>(out.c_str()));
                                 }
                                 pumpMessagesFor(20);
                             }
                             PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                         }});
        command(ID_EDIT_EXTRACT_FILES);
        EXPECT_TRUE(answerer.allStepsDone());
        ASSERT_EQ(answerer.seenCaptions().size(), 1u);
        EXPECT_NE(answerer.seenTexts()[0].find("Please select the folder where you wish to extract the files to."),
                  std::string::npos)
            << answerer.seenTexts()[0];
    }
    EXPECT_FALSE(watchdog.fired());
    EXPECT_EQ(Script().messageBoxTexts(), std::vector<std::string>{"The selected files have been extracted"});
    const std::string extracted = out + "\\LEAF.PNG";
    ASSERT_TRUE(std::filesystem::exists(extracted));
    EXPECT_EQ(FreeImage_GetFileType(extracted.c_str(), 0), FIF_PNG);
}
