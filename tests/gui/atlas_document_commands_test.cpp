// New, Open, Save and Save as: their dialogs, the prompt that protects
// changes, and what a failure leaves behind.
#include <filesystem>

#include "atlas_editor_fixture.h"

#include <commctrl.h>

#include <functional>

#include "documentcommands.h"
#include "filedialog.h"
#include "filepath.h"
#include "pxaeditor_resource.h"
#include "savetestseam.h"

namespace {

using AtlasDocumentCommands = AtlasEditorTest;

const char modifiedPrompt[] = "The file has been modified. Do you want to save the modifications?";
const char indexFilterText[] = "PXA files (*.pxa)\0*.PXA\0All files (*.*)\0*.*\0";  // and the literal's zero
const std::string indexFilter(indexFilterText, sizeof indexFilterText);

int formatOfFile(const std::string& path) { return FreeImage_GetFileType(path.c_str(), 0); }

// The 1-based filter index of a writable format in the save dialog.
DWORD filterIndexOf(const std::vector<ImageType>& types, int format) {
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (types[i].format == format) {
            return static_cast<DWORD>(i + 1);
        }
    }
    return 0;
}

// Puts a folder where the file was, so that writing it must fail.
void blockWithFolder(const std::string& path) {
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
}

}  // namespace

TEST_F(AtlasDocumentCommands, OpenAsksForTheIndexThenTheImageWithTheirFilters) {
    const PairPaths pair = writePair("atlas", {});
    openPair(pair);
    ASSERT_EQ(Script().fileDialogs.size(), 2u);
    const FileDialogCall& index = Script().fileDialogs[0];
    const FileDialogCall& image = Script().fileDialogs[1];
    const DWORD openFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    EXPECT_EQ(index.filter, indexFilter);
    EXPECT_EQ(index.filterIndex, 1u);
    EXPECT_EQ(index.flags, openFlags);
    EXPECT_FALSE(index.hasDefaultExtension);
    const std::vector<char> readable = BuildFilterText(app->readableTypes);
    EXPECT_EQ(image.filter, std::string(readable.begin(), readable.end()));
    EXPECT_EQ(image.filterIndex, app->readableTypes.size() - 1) << "All Image Files";
    EXPECT_EQ(image.flags, openFlags);
    for (const FileDialogCall& call : Script().fileDialogs) {
        EXPECT_FALSE(call.save);
        EXPECT_EQ(call.structSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
        EXPECT_EQ(call.owner, app->mainWindow);
        EXPECT_EQ(call.instance, app->instance);
        EXPECT_EQ(call.maxFile, static_cast<DWORD>(MAX_PATH));
    }
    EXPECT_EQ(index.initialFile, "");
    EXPECT_FALSE(index.hasTitleFolderOrCustomFilter);
    EXPECT_EQ(image.initialFile, "atlas.tga") << "the image beside the index, suggested";
    EXPECT_EQ(image.initialFolder, folder.path(""));
}

// An index alone ("Open with", a file association, a recent document) opens
// with the first image of its name beside it in the order tga, png, bmp, ...;
// with none, Open's image dialog asks, starting beside the index.
TEST_F(AtlasDocumentCommands, AnIndexAloneOpensWithTheImageOfItsNameBesideItOrAsks) {
    struct Case {
        std::string stem;
        std::vector<std::string> imagesBeside;
        std::string answer;  // for the image dialog; empty: not asked
        std::string opened;
    };
    writePatternPng(folder.path("chosen.png"), 64, 64, 1);
    const Case cases[] = {
        {"both", {"both.bmp", "both.png"}, "", "both.png"},
        {"upper", {"upper.TGA"}, "", "upper.tga"},  // found as Windows finds names
        {"alone", {}, folder.path("chosen.png"), "chosen.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stem);
        const std::string index = folder.path(c.stem + ".pxa");
        writeFileBytes(index, indexBytes({{"ONE.TGA", {1, 1, 4, 4, 1}}}));
        for (const std::string& image : c.imagesBeside) {
            writePatternPng(folder.path(image), 64, 64, 1);
        }
        Script().fileDialogs.clear();
        if (!c.answer.empty()) {
            Script().fileAnswers.push_back({c.answer});
        }
        OpenIndex(*app, index);
        EXPECT_EQ(app->document->indexFileName(), index);
        EXPECT_EQ(FileNamePart(app->document->imageFileName()), c.opened);
        ASSERT_EQ(Script().fileDialogs.size(), c.answer.empty() ? 0u : 1u);
        if (!c.answer.empty()) {
            EXPECT_EQ(Script().fileDialogs[0].initialFolder, folder.path(""));
            EXPECT_EQ(Script().fileDialogs[0].initialFile, "") << "nothing to suggest";
        }
    }
}

// " *" after the title while the document differs from its files.
TEST_F(AtlasDocumentCommands, TheTitleMarksAModifiedDocumentUntilItIsSaved) {
    const PairPaths pair = writePair("atlas", {{"ONE.TGA", {1, 1, 4, 4, 1}}});
    openPair(pair);
    const std::string named = "PXA Editor - [" + pair.index + "]";
    const std::string image = writeImage("two.png", 4, 4);
    struct Step {
        std::function<void()> action;
        std::string title;
    };
    const Step steps[] = {
        {[&] { insertFiles({image}); }, named + " *"},
        {[&] { command(ID_FILE_SAVE); }, named},
        {[&] {
             command(ID_EDIT_SELECT_ALL);
             command(ID_EDIT_DELETE_FILES);
         },
         named + " *"},
        {[&] {
             Script().messageBoxAnswers = {IDNO};
             command(ID_FILE_NEW);
         },
         "PXA Editor - [Unnamed]"},
    };
    for (const Step& step : steps) {
        step.action();
        EXPECT_EQ(title(), step.title);
    }
}

// Entries, selected entries, the atlas's size and how much of it the cells use.
TEST_F(AtlasDocumentCommands, TheStatusBarDescribesTheDocumentAndTheSelection) {
    openPair(writePair("atlas", {{"ONE.TGA", {1, 1, 4, 4, 1}}, {"TWO.TGA", {7, 1, 4, 4, 1}}}, 64, 32));
    const auto parts = [&] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {  // the selection's count comes posted
            DispatchMessageA(&message);
        }
        std::vector<std::string> texts;
        for (WPARAM part = 0; part < 4; ++part) {
            char text[64] = "";
            SendMessageA(app->statusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    };
    EXPECT_EQ(parts(), (std::vector<std::string>{"2 entries", "0 selected", "64 x 32 pixels", "3.5 % used"}));
    setItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(parts()[1], "1 selected");
    command(ID_EDIT_DELETE_FILES);
    EXPECT_EQ(parts(), (std::vector<std::string>{"1 entry", "0 selected", "64 x 32 pixels", "1.8 % used"}));
}

TEST_F(AtlasDocumentCommands, OpeningAPairShowsItsSortedEntriesUnderItsIndexPath) {
    const PairPaths pair = writePair(
        "atlas", {{"ZEBRA.TGA", {1, 1, 4, 4, 1}}, {"apple.png", {7, 1, 4, 4, 1}}, {"MANGO.TGA", {13, 1, 4, 4, 1}}});
    openPair(pair);
    EXPECT_EQ(title(), "PXA Editor - [" + pair.index + "]");
    EXPECT_EQ(listItems(), (std::vector<std::string>{"APPLE.PNG", "MANGO.TGA", "ZEBRA.TGA"}));
    EXPECT_EQ(SendMessageA(app->entryList, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    EXPECT_TRUE(entryCommandsAre(true));
    EXPECT_EQ(app->document->indexFileName(), pair.index);
    EXPECT_EQ(app->document->imageFileName(), pair.image);
    EXPECT_FALSE(app->document->isModified());
    EXPECT_TRUE(Script().messageBoxes.empty());
}

TEST_F(AtlasDocumentCommands, OpeningACorruptPairReportsItAndKeepsTheOldDocument) {
    const PairPaths good = writePair("good", {{"KEEP.TGA", {1, 1, 4, 4, 1}}});
    openPair(good);
    const PairPaths corrupt = writePair("corrupt", {{"WIDE.TGA", {1, 1, 63, 4, 1}}});
    openPair(corrupt);

    ASSERT_EQ(Script().messageBoxes.size(), 1u);
    EXPECT_EQ(Script().messageBoxes[0].text, "Bad or corrupted file:\n" + corrupt.index);
    EXPECT_FALSE(Script().messageBoxes[0].hasCaption);
    EXPECT_EQ(Script().messageBoxes[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(Script().messageBoxes[0].owner, app->mainWindow);
    EXPECT_EQ(app->document->indexFileName(), good.index);
    EXPECT_EQ(listItems(), std::vector<std::string>{"KEEP.TGA"});
    EXPECT_EQ(title(), "PXA Editor - [" + good.index + "]");
}

TEST_F(AtlasDocumentCommands, OpenCancelledInEitherDialogChangesNothing) {
    const PairPaths pair = writePair("atlas", {{"ONE.TGA", {1, 1, 4, 4, 1}}});
    Script().fileAnswers = {FileDialogAnswer{}};
    command(ID_FILE_OPEN);
    Script().fileAnswers = {{pair.index}, FileDialogAnswer{}};
    command(ID_FILE_OPEN);
    EXPECT_EQ(Script().fileDialogs.size(), 3u);
    EXPECT_TRUE(app->document->isUntitled());
    EXPECT_TRUE(listItems().empty());
    EXPECT_EQ(title(), "PXA Editor - [Unnamed]");
}

TEST_F(AtlasDocumentCommands, SaveOfTheNewDocumentAsksForBothNamesAndWritesTheChosenFormat) {
    modifyDocument();
    const std::string index = folder.path("saved.pxa");
    const std::string image = folder.path("saved.tga");
    const DWORD pngFilter = filterIndexOf(app->writableTypes, FIF_PNG);
    ASSERT_NE(pngFilter, 0u);
    Script().fileAnswers = {{index}, {image, pngFilter}};
    command(ID_FILE_SAVE);

    ASSERT_EQ(Script().fileDialogs.size(), 2u);
    const DWORD saveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_CREATEPROMPT;
    const FileDialogCall& indexDialog = Script().fileDialogs[0];
    EXPECT_TRUE(indexDialog.save);
    EXPECT_EQ(indexDialog.filter, indexFilter);
    EXPECT_EQ(indexDialog.filterIndex, 1u);
    EXPECT_EQ(indexDialog.defaultExtension, "pxa");
    EXPECT_EQ(indexDialog.flags, saveFlags);
    EXPECT_EQ(indexDialog.initialFile, "");
    const FileDialogCall& imageDialog = Script().fileDialogs[1];
    const std::vector<char> writable = BuildFilterText(app->writableTypes);
    EXPECT_EQ(imageDialog.filter, std::string(writable.begin(), writable.end()));
    EXPECT_EQ(imageDialog.filterIndex, app->writableTypes.size() - 1) << "All Image Files";
    EXPECT_EQ(imageDialog.defaultExtension, "tga");
    EXPECT_EQ(imageDialog.flags, saveFlags);
    EXPECT_EQ(imageDialog.initialFile, "");

    EXPECT_EQ(title(), "PXA Editor - [" + index + "]");
    EXPECT_EQ(app->document->indexFileName(), index);
    EXPECT_EQ(app->document->imageFileName(), image);
    EXPECT_FALSE(app->document->isModified());
    EXPECT_EQ(readFileBytes(index), indexBytes({{"MODIFICATION.PNG", *app->document->find("MODIFICATION.PNG")}}));
    EXPECT_EQ(formatOfFile(image), FIF_PNG) << "the filter chosen decides, not the extension";
}

TEST_F(AtlasDocumentCommands, SaveAsWithAllImageFilesLetsTheExtensionDecideAndStartsFromTheCurrentNames) {
    const PairPaths pair = writePair("atlas", {{"ONE.TGA", {1, 1, 4, 4, 1}}});
    openPair(pair);
    const std::string index = folder.path("copy.pxa");
    const std::string image = folder.path("copy.png");
    Script().fileAnswers = {{index}, {image}};
    command(ID_FILE_SAVE_AS);

    ASSERT_EQ(Script().fileDialogs.size(), 4u);
    EXPECT_EQ(Script().fileDialogs[2].initialFile, pair.index);
    EXPECT_EQ(Script().fileDialogs[3].initialFile, pair.image);
    EXPECT_EQ(formatOfFile(image), FIF_PNG);
    EXPECT_EQ(readFileBytes(index), readFileBytes(pair.index));
    EXPECT_EQ(title(), "PXA Editor - [" + index + "]");
}

TEST_F(AtlasDocumentCommands, SaveAsCancelledAtTheImageWritesNothing) {
    const PairPaths pair = writePair("atlas", {{"ONE.TGA", {1, 1, 4, 4, 1}}});
    openPair(pair);
    modifyDocument();
    const Bytes index = readFileBytes(pair.index);
    Script().fileAnswers = {{pair.index}, FileDialogAnswer{}};
    command(ID_FILE_SAVE_AS);
    EXPECT_EQ(readFileBytes(pair.index), index);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"atlas.pxa", "atlas.tga", "modification.png"}));
    EXPECT_TRUE(app->document->isModified());
}

// Nothing is written before both names are chosen; then the pair is saved as
// one unit, and the message names the file that could not be saved.
TEST_F(AtlasDocumentCommands, SaveAsFailuresNameTheFileAndWriteNothing) {
    modifyDocument();
    const std::string blockedIndex = folder.path("blocked.pxa");
    blockWithFolder(blockedIndex);
    Script().fileAnswers = {{blockedIndex}, {folder.path("fine.tga")}};
    command(ID_FILE_SAVE_AS);

    const std::string blockedImage = folder.path("blocked.tga");
    blockWithFolder(blockedImage);
    Script().fileAnswers = {{folder.path("fine.pxa")}, {blockedImage}};
    command(ID_FILE_SAVE_AS);
    EXPECT_EQ(Script().messageBoxTexts(),
              (std::vector<std::string>{"Unable to save index file", "Unable to save image file"}));
    EXPECT_EQ(Script().messageBoxes[1].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_FALSE(Script().messageBoxes[1].hasCaption);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"blocked.pxa", "blocked.tga", "modification.png"}));
    EXPECT_TRUE(app->document->isUntitled());
    EXPECT_TRUE(app->document->isModified());
    EXPECT_EQ(title(), "PXA Editor - [Unnamed] *");
}

// Save and the Yes of the prompt save the pair as one unit: when the image
// cannot be put in place after the index was, the index goes back.
TEST_F(AtlasDocumentCommands, ASaveWhoseSecondFileFailsLeavesThePairAsItWas) {
    const PairPaths pair = writePair("atlas", {{"ONE.TGA", {1, 1, 4, 4, 1}}});
    openPair(pair);
    modifyDocument();
    const Bytes index = readFileBytes(pair.index);
    const Bytes image = readFileBytes(pair.image);
    for (WORD id : {ID_FILE_SAVE, ID_FILE_NEW}) {
        Script().messageBoxAnswers = {IDYES};
        FailFileStepAfter(FileStep::Replace, 1);
        command(id);
        FailFileStepAfter(FileStep::Replace, -1);
        EXPECT_EQ(Script().messageBoxTexts().back(), "Unable to save image file");
        EXPECT_EQ(readFileBytes(pair.index), index);
        EXPECT_EQ(readFileBytes(pair.image), image);
        EXPECT_TRUE(app->document->isModified());
        EXPECT_EQ(app->document->indexFileName(), pair.index) << "New did not go on";
    }
}

// A titled document whose files cannot be written: the user is told, the
// work stays open and modified, and nothing that waited for the save goes on.
TEST_F(AtlasDocumentCommands, FailedSaveOfATitledDocumentKeepsTheWorkAndStopsThePendingAction) {
    const PairPaths pair = writePair("atlas", {{"ONE.TGA", {1, 1, 4, 4, 1}}});
    openPair(pair);
    modifyDocument();

    blockWithFolder(pair.index);
    command(ID_FILE_SAVE);
    EXPECT_EQ(Script().messageBoxTexts(), std::vector<std::string>{"Unable to save index file"});
    EXPECT_TRUE(app->document->isModified());

    Script().messageBoxAnswers = {IDYES};
    command(ID_FILE_NEW);
    EXPECT_EQ(Script().messageBoxTexts(),
              (std::vector<std::string>{"Unable to save index file", modifiedPrompt, "Unable to save index file"}));
    EXPECT_EQ(app->document->indexFileName(), pair.index) << "New did not go on";
    EXPECT_EQ(listItems().size(), 1u);

    std::filesystem::remove(pair.index);
    blockWithFolder(pair.image);
    Script().messageBoxAnswers = {IDYES};
    command(ID_FILE_EXIT);
    EXPECT_EQ(Script().messageBoxTexts().back(), "Unable to save image file");
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "Exit did not go on";
    EXPECT_TRUE(app->document->isModified());
    EXPECT_TRUE(Script().fileDialogs.size() == 2u) << "a titled document is saved without dialogs";
}

TEST_F(AtlasDocumentCommands, SaveOfATitledDocumentWritesBothFilesWithoutDialogs) {
    const PairPaths pair = writePair("atlas", {{"ONE.TGA", {1, 1, 4, 4, 1}}});
    openPair(pair);
    modifyDocument();
    command(ID_FILE_SAVE);
    EXPECT_EQ(Script().fileDialogs.size(), 2u);
    EXPECT_TRUE(Script().messageBoxes.empty());
    EXPECT_FALSE(app->document->isModified());
    EXPECT_EQ(readFileBytes(pair.index).size(), 4u + 2 * 81);
    EXPECT_EQ(formatOfFile(pair.image), FIF_TARGA);
}

TEST_F(AtlasDocumentCommands, ThePromptAppearsOnlyForAChangedDocument) {
    command(ID_FILE_NEW);
    Script().fileAnswers = {FileDialogAnswer{}};
    command(ID_FILE_OPEN);
    command(ID_FILE_EXIT);
    EXPECT_TRUE(Script().messageBoxes.empty());
    Script().unansweredDialogs = 0;

    modifyDocument();
    Script().messageBoxAnswers = {IDCANCEL, IDCANCEL, IDCANCEL};
    command(ID_FILE_NEW);
    command(ID_FILE_OPEN);
    command(ID_FILE_EXIT);
    EXPECT_EQ(Script().messageBoxTexts(), (std::vector<std::string>(3, modifiedPrompt)));
    EXPECT_EQ(Script().fileDialogs.size(), 1u) << "Cancel stops Open before its dialog";
    EXPECT_TRUE(app->document->isModified());
}

TEST_F(AtlasDocumentCommands, NoInThePromptOfNewDropsTheChanges) {
    const PairPaths pair = writePair("atlas", {{"ONE.TGA", {1, 1, 4, 4, 1}}});
    openPair(pair);
    modifyDocument();
    Script().messageBoxAnswers = {IDNO};
    command(ID_FILE_NEW);
    EXPECT_TRUE(app->document->isUntitled());
    EXPECT_FALSE(app->document->isModified());
    EXPECT_TRUE(listItems().empty());
    EXPECT_EQ(title(), "PXA Editor - [Unnamed]");
    EXPECT_TRUE(entryCommandsAre(true));
    EXPECT_EQ(readFileBytes(pair.index).size(), 4u + 81) << "nothing was saved";
}

TEST_F(AtlasDocumentCommands, NoInThePromptOfOpenThenCancelKeepsTheChangedDocument) {
    modifyDocument();
    Script().messageBoxAnswers = {IDNO};
    Script().fileAnswers = {FileDialogAnswer{}};
    command(ID_FILE_OPEN);
    EXPECT_TRUE(app->document->isModified());
    EXPECT_NE(app->document->find("MODIFICATION.PNG"), nullptr);
}

TEST_F(AtlasDocumentCommands, YesInThePromptOfAnUntitledDocumentRunsBothSaveDialogsAndCancelStops) {
    modifyDocument();
    struct Case {
        std::deque<FileDialogAnswer> answers;
        bool newDocumentMade;
    };
    const std::string index = folder.path("yes.pxa");
    const std::string image = folder.path("yes.tga");
    const std::vector<Case> cases = {
        {{FileDialogAnswer{}}, false},
        {{{index}, FileDialogAnswer{}}, false},
        {{{index}, {image}}, true},
    };
    for (const Case& c : cases) {
        Script().messageBoxAnswers = {IDYES};
        Script().fileAnswers = c.answers;
        command(ID_FILE_NEW);
        EXPECT_EQ(app->document->isUntitled() && !app->document->isModified(), c.newDocumentMade);
        EXPECT_TRUE(Script().fileAnswers.empty());
    }
    EXPECT_EQ(Script().fileDialogs.size(), 5u);
    EXPECT_TRUE(std::filesystem::exists(image));
}

TEST_F(AtlasDocumentCommands, NewThatCannotMakeItsAtlasReportsItAndKeepsTheDocument) {
    const PairPaths pair = writePair("atlas", {{"ONE.TGA", {1, 1, 4, 4, 1}}});
    openPair(pair);
    {
        ScopedAllocator failing(failingAllocator);
        command(ID_FILE_NEW);
    }
    EXPECT_EQ(Script().messageBoxTexts(), std::vector<std::string>{"Unable to create bitmap"});
    EXPECT_EQ(Script().messageBoxes[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(app->document->indexFileName(), pair.index);
    EXPECT_EQ(listItems(), std::vector<std::string>{"ONE.TGA"});
    EXPECT_EQ(title(), "PXA Editor - [" + pair.index + "]");
    EXPECT_FALSE(app->pendingFailure);
}

TEST_F(AtlasDocumentCommands, TitleKeepsTheProgramNameWhateverTheDocumentName) {
    UpdateTitle(*app, "C:\\maps\\a-b.pxa");
    EXPECT_EQ(title(), "PXA Editor - [C:\\maps\\a-b.pxa]");
    UpdateTitle(*app, "Unnamed");
    EXPECT_EQ(title(), "PXA Editor - [Unnamed]");
    SetWindowTextA(app->mainWindow, "Plain");
    UpdateTitle(*app, "x.pxa");
    EXPECT_EQ(title(), "Plain -  [x.pxa]");
}
