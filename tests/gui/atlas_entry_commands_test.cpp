// Insert, Extract, Delete and About, with their prompts answered from a script.
#include "atlas_editor_fixture.h"

#include <cderr.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>

#include <functional>

#include "aboutbox.h"
#include "entrylist.h"
#include "file_drop.h"
#include "pxaeditor_resource.h"

namespace {

using AtlasEntryCommands = AtlasEditorTest;

const UINT question = MB_ICONWARNING | MB_YESNOCANCEL;
const char noneExtracted[] = "No files have been extracted";
const char allExtracted[] = "The selected files have been extracted";

std::string replacePrompt(const std::string& name) {
    return "The following file already exists in the index:\n\n" + name + "\n\nDo you wish to replace it?";
}

std::string overwritePrompt(const std::string& name) {
    return "The following file already exists in the directory:\n\n" + name + "\n\nDo you wish to replace it?";
}

std::vector<std::string> entryNames(const FilePair& document) {
    std::vector<std::string> names;
    for (const auto& entry : document.entries()) {
        names.push_back(entry.first);
    }
    return names;
}

struct ImageSize {
    std::uint32_t width;
    std::uint32_t height;
};

ImageSize sizeOfImageFile(const std::string& path) {
    const UniqueBitmap image(FreeImage_Load(FreeImage_GetFileType(path.c_str(), 0), path.c_str(), 0));
    return image ? ImageSize{FreeImage_GetWidth(image.get()), FreeImage_GetHeight(image.get())} : ImageSize{0, 0};
}

// An atlas whose entries have these names, side by side in one row.
class AtlasWithEntries : public AtlasEditorTest {
protected:
    void open(const std::vector<std::string>& names) {
        std::vector<IndexRecordSpec> records;
        std::uint32_t x = 1;
        for (const std::string& name : names) {
            records.push_back({name, {x, 1, 4, 3, 1}});
            x += 6;
        }
        openPair(writePair("atlas", records, 128, 16));
        ASSERT_EQ(listItems().size(), names.size());
    }
    void selectAll() { command(ID_EDIT_SELECT_ALL); }
};

// What the user sees of a list: its items (selected ones marked), the
// selection mark and the top item.
std::vector<std::string> listState(HWND list) {
    std::vector<std::string> state;
    for (int item = 0; item < static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); ++item) {
        const bool selected = SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) != 0;
        state.push_back(ListItemText(list, item) + (selected ? " (selected)" : ""));
    }
    state.push_back("mark " + std::to_string(SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0)));
    state.push_back("top " + std::to_string(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)));
    return state;
}

}  // namespace

TEST_F(AtlasEntryCommands, InsertingANewFileAddsItSelectedFocusedAndPreviewed) {
    const std::string tree = writeImage("tree.png", 10, 6);
    insertFiles({tree});

    ASSERT_EQ(Script().fileDialogs.size(), 1u);
    const FileDialogCall& dialog = Script().fileDialogs[0];
    const std::vector<char> readable = BuildFilterText(app->readableTypes);
    EXPECT_EQ(dialog.filter, std::string(readable.begin(), readable.end()));
    EXPECT_EQ(dialog.filterIndex, app->readableTypes.size() - 1);
    EXPECT_EQ(dialog.maxFile, 1048576u);
    EXPECT_EQ(dialog.flags, static_cast<DWORD>(OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST |
                                               OFN_PATHMUSTEXIST | OFN_HIDEREADONLY));
    EXPECT_FALSE(dialog.hasDefaultExtension);

    EXPECT_EQ(listItems(), std::vector<std::string>{"TREE.PNG"});
    EXPECT_EQ(itemsWithState(LVNI_SELECTED), std::vector<std::string>{"TREE.PNG"});
    EXPECT_EQ(itemsWithState(LVNI_FOCUSED), std::vector<std::string>{"TREE.PNG"});
    const AtlasEntry* entry = app->document->find("TREE.PNG");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->width, 10u);
    EXPECT_EQ(propertyValues(),
              (std::vector<std::string>{std::to_string(entry->x), std::to_string(entry->y), "10", "6"}));
    EXPECT_TRUE(previewIsShown());
    EXPECT_EQ(PlacementOf(app->renderer), (Placement{8, 16, 10, 6}));
    EXPECT_TRUE(entryCommandsAre(false));
    EXPECT_TRUE(app->document->isModified());
    EXPECT_TRUE(Script().messageBoxes.empty());
}

TEST_F(AtlasEntryCommands, ExistingNamesAreAskedAboutInOrderAndOnlyConfirmedOnesReplaced) {
    insertFiles({writeImage("a.png", 4, 4), writeImage("b.png", 4, 4)});
    Script().messageBoxes.clear();

    Script().messageBoxAnswers = {IDNO, IDYES};
    insertFiles({writeImage("a.png", 8, 8), writeImage("b.png", 9, 9), writeImage("c.png", 5, 5)});

    ASSERT_EQ(Script().messageBoxes.size(), 2u);
    EXPECT_EQ(Script().messageBoxTexts(), (std::vector<std::string>{replacePrompt("A.PNG"), replacePrompt("B.PNG")}));
    for (const MessageBoxCall& call : Script().messageBoxes) {
        EXPECT_EQ(call.caption, "Replace file?");
        EXPECT_EQ(call.type, question);
        EXPECT_EQ(call.owner, app->mainWindow);
    }
    EXPECT_EQ(app->document->find("A.PNG")->width, 4u) << "kept";
    EXPECT_EQ(app->document->find("B.PNG")->width, 9u) << "replaced";
    EXPECT_EQ(app->document->find("C.PNG")->width, 5u);
    EXPECT_EQ(listItems(), (std::vector<std::string>{"A.PNG", "B.PNG", "C.PNG"}));
    EXPECT_EQ(itemsWithState(LVNI_FOCUSED), std::vector<std::string>{"C.PNG"});
}

// An index record keeps 64 bytes of a name: a file whose name is longer is
// refused, chosen or dropped, with a message naming it, and nothing goes in.
TEST_F(AtlasEntryCommands, FilesWhoseNamesAnIndexCannotKeepAreRefusedAndNothingIsInserted) {
    const std::string fits = writeImage(std::string(60, 'f') + ".png", 4, 4);
    const std::string tooLong = writeImage(std::string(61, 'g') + ".png", 4, 4);
    const std::string refusal =
        "The name of this file is longer than the 64 bytes an index file keeps for an entry "
        "name:\n\n" +
        tooLong + "\n\nNo files have been inserted.";
    const std::function<void()> ways[] = {[&] {
                                              insertFiles({fits, tooLong});
                                          },
                                          [&] {
                                              DropFiles(app->mainWindow, {fits, tooLong});
                                          }};
    for (const auto& way : ways) {
        Script().messageBoxes.clear();
        way();
        EXPECT_EQ(Script().messageBoxTexts(), std::vector<std::string>{refusal});
        EXPECT_TRUE(listItems().empty());
        EXPECT_FALSE(app->document->isModified());
    }
    insertFiles({fits});
    EXPECT_EQ(listItems(), std::vector<std::string>{std::string(60, 'F') + ".PNG"});
}

TEST_F(AtlasEntryCommands, CancelInAReplacePromptInsertsNothing) {
    insertFiles({writeImage("d.png", 4, 4), writeImage("e.png", 4, 4)});
    Script().messageBoxAnswers = {IDYES, IDCANCEL};
    insertFiles({writeImage("d.png", 7, 7), writeImage("e.png", 7, 7), writeImage("f.png", 7, 7)});
    EXPECT_EQ(Script().messageBoxes.size(), 2u);
    EXPECT_EQ(entryNames(*app->document), (std::vector<std::string>{"D.PNG", "E.PNG"}));
    EXPECT_EQ(app->document->find("D.PNG")->width, 4u) << "an answer given before Cancel counts for nothing";
    EXPECT_EQ(listItems(), (std::vector<std::string>{"D.PNG", "E.PNG"}));
}

TEST_F(AtlasEntryCommands, ASingleExistingFileAnsweredNoSelectsAndFocusesTheFirstItem) {
    insertFiles({writeImage("a.png", 4, 4), writeImage("b.png", 4, 4)});
    setItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    Script().messageBoxAnswers = {IDNO};
    insertFiles({writeImage("b.png", 6, 6)});
    EXPECT_EQ(app->document->find("B.PNG")->width, 4u);
    EXPECT_EQ(listItems(), (std::vector<std::string>{"A.PNG", "B.PNG"}));
    EXPECT_EQ(itemsWithState(LVNI_SELECTED), std::vector<std::string>{"A.PNG"});
    EXPECT_EQ(itemsWithState(LVNI_FOCUSED), std::vector<std::string>{"A.PNG"});
}

TEST_F(AtlasEntryCommands, ReplacingTheShownEntryShowsItsNewPlace) {
    insertFiles({writeImage("big.png", 30, 30), writeImage("a.png", 4, 4)});
    setItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);  // A.PNG
    Script().messageBoxAnswers = {IDYES};
    insertFiles({writeImage("a.png", 5, 7)});
    const AtlasEntry* entry = app->document->find("A.PNG");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(app->document->selected(), entry);
    EXPECT_EQ(propertyValues(),
              (std::vector<std::string>{std::to_string(entry->x), std::to_string(entry->y), "5", "7"}));
    EXPECT_EQ(PlacementOf(app->renderer), (Placement{8, 16, 5, 7}));
}

TEST_F(AtlasEntryCommands, InsertFailuresAreReportedAndChangeNothing) {
    const std::string broken = folder.path("broken.png");
    writeFileBytes(broken, {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'});
    insertFiles({writeImage("fine.png", 4, 4), broken});
    EXPECT_EQ(Script().messageBoxTexts(), std::vector<std::string>{"Unable to load image"});
    EXPECT_EQ(Script().messageBoxes[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(Script().messageBoxes[0].owner, app->mainWindow);
    EXPECT_TRUE(listItems().empty());
    EXPECT_FALSE(app->document->isModified());

    Script().fileAnswers.push_back({"", 0, FNERR_BUFFERTOOSMALL});
    command(ID_EDIT_INSERT_FILES);
    ASSERT_EQ(Script().messageBoxes.size(), 2u);
    EXPECT_EQ(Script().messageBoxes[1].text, "Too many files selected");
    EXPECT_EQ(Script().messageBoxes[1].owner, app->mainWindow);
    EXPECT_FALSE(Script().messageBoxes[1].hasCaption);
    EXPECT_EQ(Script().messageBoxes[1].type, static_cast<UINT>(MB_ICONERROR));

    Script().fileAnswers.push_back(FileDialogAnswer{});
    command(ID_EDIT_INSERT_FILES);
    EXPECT_EQ(Script().messageBoxes.size(), 2u) << "a plain Cancel says nothing";
}

TEST_F(AtlasWithEntries, DeleteRemovesEverySelectedEntryWithoutAsking) {
    open({"A.PNG", "B.PNG", "C.PNG", "D.PNG"});
    for (int item : {0, 1, 3}) {
        setItemState(item, LVIS_SELECTED, LVIS_SELECTED);
    }
    command(ID_EDIT_DELETE_FILES);
    EXPECT_EQ(listItems(), std::vector<std::string>{"C.PNG"});
    EXPECT_EQ(entryNames(*app->document), std::vector<std::string>{"C.PNG"});
    EXPECT_TRUE(Script().messageBoxes.empty());
    EXPECT_TRUE(app->document->isModified());
}

TEST_F(AtlasWithEntries, DeletingTheShownEntryLeavesNothingStaleInThePreview) {
    open({"A.PNG"});
    setItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_TRUE(previewIsShown());
    command(ID_EDIT_DELETE_FILES);
    EXPECT_EQ(app->document->selected(), nullptr);
    EXPECT_FALSE(previewIsShown());
    EXPECT_EQ(propertyValues(), std::vector<std::string>(4, ""));
}

// Whether the list moves the focus to a neighbour of a deleted item is the
// control's business; the preview shows what has the focus, or nothing.
TEST_F(AtlasWithEntries, AfterDeletingTheShownEntryThePreviewFollowsTheFocus) {
    open({"A.PNG", "B.PNG", "C.PNG"});
    setItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    command(ID_EDIT_DELETE_FILES);
    const std::vector<std::string> focused = itemsWithState(LVNI_FOCUSED);
    if (focused.empty()) {
        EXPECT_FALSE(previewIsShown());
        EXPECT_EQ(propertyValues(), std::vector<std::string>(4, ""));
    } else {
        const AtlasEntry* entry = app->document->find(focused[0]);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(app->document->selected(), entry);
        EXPECT_EQ(propertyValue(0), std::to_string(entry->x));
    }
}

TEST_F(AtlasWithEntries, ExtractAsksBeforeOverwritingAndWritesTheOthers) {
    open({"A.PNG", "B.PNG"});
    selectAll();
    const std::string out = folder.path("out");
    std::filesystem::create_directory(out);
    writeFileBytes(out + "\\A.PNG", {'o', 'l', 'd'});
    Script().folderAnswers.push_back({true, out});
    Script().messageBoxAnswers = {IDNO};
    command(ID_EDIT_EXTRACT_FILES);

    EXPECT_EQ(Script().folderTitles,
              std::vector<std::string>{"Please select the folder where you wish to extract the files to."});
    ASSERT_EQ(Script().messageBoxes.size(), 2u);
    EXPECT_EQ(Script().messageBoxes[0].text, overwritePrompt("A.PNG"));
    EXPECT_EQ(Script().messageBoxes[0].caption, "Overwrite file?");
    EXPECT_EQ(Script().messageBoxes[0].type, question);
    EXPECT_EQ(Script().messageBoxes[1].text, allExtracted);
    EXPECT_EQ(Script().messageBoxes[1].caption, "Information");
    EXPECT_EQ(Script().messageBoxes[1].type, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(readFileBytes(out + "\\A.PNG"), (Bytes{'o', 'l', 'd'}));
    const ImageSize b = sizeOfImageFile(out + "\\B.PNG");
    EXPECT_EQ(b.width, 4u);
    EXPECT_EQ(b.height, 3u);

    Script().messageBoxes.clear();
    Script().folderAnswers.push_back({true, out});
    Script().messageBoxAnswers = {IDNO, IDNO};
    command(ID_EDIT_EXTRACT_FILES);
    EXPECT_EQ(Script().messageBoxTexts(),
              (std::vector<std::string>{overwritePrompt("A.PNG"), overwritePrompt("B.PNG"), noneExtracted}));
}

TEST_F(AtlasWithEntries, ExtractCancelledShowsAndWritesNothing) {
    open({"A.PNG", "B.PNG"});
    selectAll();
    const std::string out = folder.path("out");
    std::filesystem::create_directory(out);
    Script().folderAnswers.push_back({false, ""});
    command(ID_EDIT_EXTRACT_FILES);
    EXPECT_TRUE(Script().messageBoxes.empty());

    writeFileBytes(out + "\\A.PNG", {'o', 'l', 'd'});
    Script().folderAnswers.push_back({true, out});
    Script().messageBoxAnswers = {IDCANCEL};
    command(ID_EDIT_EXTRACT_FILES);
    EXPECT_EQ(Script().messageBoxTexts(), std::vector<std::string>{overwritePrompt("A.PNG")});
    EXPECT_FALSE(std::filesystem::exists(out + "\\B.PNG"));
}

TEST_F(AtlasWithEntries, ExtractWithNothingSelectedSaysNoFilesWereExtracted) {
    open({"A.PNG"});
    Script().folderAnswers.push_back({true, folder.path("")});
    command(ID_EDIT_EXTRACT_FILES);
    EXPECT_EQ(Script().messageBoxTexts(), std::vector<std::string>{noneExtracted});
}

// Names from an index made elsewhere must not lead out of the chosen folder.
TEST_F(AtlasWithEntries, ExtractWritesOnlyNamesThatAreFileNamesInsideTheFolder) {
    open({"..\\ESCAPE.PNG", "C:ROOT.PNG", "CON.PNG", "SUB/INNER.PNG", "OK.PNG"});
    const std::string out = folder.path("out");
    std::filesystem::create_directory(out);
    selectAll();
    Script().folderAnswers.push_back({true, out});
    command(ID_EDIT_EXTRACT_FILES);

    ASSERT_EQ(Script().messageBoxes.size(), 1u);
    const MessageBoxCall& report = Script().messageBoxes[0];
    EXPECT_EQ(report.type, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(report.text,
              "These entries have not been extracted, because their names cannot be used as file names:\n\n"
              "..\\ESCAPE.PNG\nC:ROOT.PNG\nCON.PNG\nSUB/INNER.PNG\n\n"
              "The other selected files have been extracted");
    std::vector<std::string> written;
    for (const auto& file : std::filesystem::directory_iterator(out)) {
        written.push_back(file.path().filename().string());
    }
    EXPECT_EQ(written, std::vector<std::string>{"OK.PNG"});
    EXPECT_FALSE(std::filesystem::exists(folder.path("ESCAPE.PNG")));

    setItemState(-1, 0, LVIS_SELECTED);
    setItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    Script().folderAnswers.push_back({true, out});
    command(ID_EDIT_EXTRACT_FILES);
    EXPECT_EQ(Script().messageBoxes.back().text,
              "These entries have not been extracted, because their names cannot be used as file names:\n\n"
              "..\\ESCAPE.PNG\n\nNo files have been extracted");
}

TEST_F(AtlasWithEntries, AFailedWriteIsReportedAndEndsTheExtraction) {
    open({"A.PNG", "B.PNG"});
    const std::string out = folder.path("out");
    std::filesystem::create_directories(out + "\\A.PNG");  // a folder where the file should go
    selectAll();
    Script().folderAnswers.push_back({true, out});
    command(ID_EDIT_EXTRACT_FILES);
    EXPECT_EQ(Script().messageBoxTexts(), std::vector<std::string>{"Unable to save image"});
    EXPECT_EQ(Script().messageBoxes[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_FALSE(Script().messageBoxes[0].hasCaption);
    EXPECT_FALSE(std::filesystem::exists(out + "\\B.PNG")) << "nothing after the failure";
}

// Open hands all names over at once; the list must still end in the order its
// own sorted insertion gives them one by one in the document's order.
TEST_F(AtlasWithEntries, OpenListsTheNamesAsSingleInsertionsInDocumentOrderWould) {
    const std::vector<std::string> names = {"A10.PNG", "A9.PNG", "A-B.PNG", "AB.PNG",   "A B.PNG",  "A_B.PNG",
                                            "'Q.PNG",  "_Z.PNG", "~T.PNG",  "1.PNG",    "10.PNG",   "2.PNG",
                                            "E.PNG",   "B.PNG",  "Z.PNG",   "\xC9.PNG", "\xE9.PNG", "\xC4.PNG"};
    open(names);
    HWND reference = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_SORTASCENDING, 0, 0, 100, 100,
                                     app->mainWindow, nullptr, GetModuleHandleA(nullptr), nullptr);
    for (const std::string& name : entryNames(*app->document)) {
        InsertListItem(reference, name);
    }
    std::vector<std::string> expected;
    for (int item = 0; item < static_cast<int>(names.size()); ++item) {
        expected.push_back(ListItemText(reference, item));
    }
    DestroyWindow(reference);
    EXPECT_EQ(listItems(), expected);
}

// Many names added to a list at once refill it (AddListItems); it must end as
// single insertions in the names' order leave it, also when two names sort
// equal, and with a text longer than the list shows.
TEST_F(AtlasEntryCommands, AddingManyNamesLeavesTheListAsSingleInsertionsWould) {
    const std::vector<std::string> lastNames[] = {{"NEW.PNG"}, {"\xC9.PNG", "\xE9.PNG"}};
    for (const std::vector<std::string>& last : lastNames) {
        std::vector<std::string> added;
        for (int i = 0; i < 40; ++i) {
            added.push_back(std::to_string(i * 17 % 40) + ".PNG");
        }
        added.insert(added.end(), last.begin(), last.end());
        HWND lists[2];
        for (HWND& list : lists) {
            list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_SORTASCENDING, 0, 0, 100, 80,
                                   app->mainWindow, nullptr, GetModuleHandleA(nullptr), nullptr);
            for (int i = 0; i < 40; ++i) {
                InsertListItem(list, "OLD" + std::to_string(i * 7 % 40));
            }
            InsertListItem(list, std::string(300, 'L'));
            LVITEMA selected = {};
            selected.state = selected.stateMask = LVIS_SELECTED;
            for (WPARAM item : {3, 30}) {
                SendMessageA(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&selected));
            }
            SendMessageA(list, LVM_SETSELECTIONMARK, 0, 30);
            SendMessageA(list, LVM_ENSUREVISIBLE, 12, FALSE);
        }
        const int lastIndex = AddListItems(lists[0], added);
        int expectedLastIndex = -1;
        for (const std::string& name : added) {
            expectedLastIndex = InsertListItem(lists[1], name);
        }
        EXPECT_EQ(lastIndex, expectedLastIndex);
        EXPECT_EQ(listState(lists[0]), listState(lists[1]));
        EXPECT_NE(listState(lists[1]).back(), "top 0");
        DestroyWindow(lists[0]);
        DestroyWindow(lists[1]);
    }
}

// Letter case beyond ASCII makes another name: the new entry gets its item.
TEST_F(AtlasWithEntries, InsertingANameThatDiffersOnlyInCaseBeyondAsciiAddsItsOwnItem) {
    open({"\xC9.PNG"});
    // Byte 0xE9 as the ANSI code page reads it (std::filesystem would make it UTF-8).
    const std::string placeholder = folder.path("x.png");
    const std::string path = placeholder.substr(0, placeholder.size() - 5) + "\xE9.png";
    writePatternPng(path, 4, 4, 1);
    insertFiles({path});
    EXPECT_TRUE(Script().messageBoxes.empty());
    EXPECT_EQ(entryNames(*app->document), (std::vector<std::string>{"\xC9.PNG", "\xE9.PNG"}));
    std::vector<std::string> items = listItems();
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, entryNames(*app->document));
    EXPECT_EQ(itemsWithState(LVNI_FOCUSED), std::vector<std::string>{"\xE9.PNG"});
}

// Deleting many entries hides the list while it works: it must come back
// shown, with the keyboard focus, and the preview on the focused item.
TEST_F(AtlasWithEntries, DeleteLeavesTheListShownWithItsFocus) {
    open({"A.PNG", "B.PNG", "C.PNG", "D.PNG", "E.PNG"});
    SetFocus(app->entryList);
    ASSERT_EQ(GetFocus(), app->entryList);
    setItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    setItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    setItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    command(ID_EDIT_DELETE_FILES);
    EXPECT_EQ(listItems(), (std::vector<std::string>{"A.PNG", "E.PNG"}));
    EXPECT_TRUE(GetWindowLongA(app->entryList, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(GetFocus(), app->entryList);
    const std::vector<std::string> focused = itemsWithState(LVNI_FOCUSED);
    EXPECT_EQ(app->document->selected(), focused.empty() ? nullptr : app->document->find(focused[0]));
}

TEST_F(AtlasEntryCommands, AboutShowsTheProgramThenFreeImagesNoticeAndVersion) {
    command(ID_HELP_ABOUT);
    ASSERT_EQ(Script().messageBoxes.size(), 1u);
    const MessageBoxCall& about = Script().messageBoxes[0];
    EXPECT_EQ(about.owner, app->mainWindow);
    EXPECT_EQ(about.caption, "About");
    EXPECT_EQ(about.type, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(about.text, AboutText());
    const std::string tail =
        std::string(FreeImage_GetCopyrightMessage()) + "\n\nFreeImage version: " + FreeImage_GetVersion();
    ASSERT_GT(about.text.size(), tail.size());
    const std::string productBlock = about.text.substr(0, about.text.size() - tail.size());
    EXPECT_EQ(about.text.substr(productBlock.size()), tail);
    EXPECT_EQ(productBlock.rfind("PXA Editor, version 1.1.\n", 0), 0u) << productBlock;
    EXPECT_EQ(productBlock.substr(productBlock.size() - 2), "\n\n");
    EXPECT_EQ(std::count(productBlock.begin(), productBlock.end(), '\n'), 3);
}
