// New, Open, Save, Save As and Close, with their dialogs, titles and errors.
#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <functional>

#include "documentcommands.h"
#include "file_drop.h"
#include "namekey.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

const char kTitle[] = "VRN DAT Editor 1.00 Beta 1";

std::string TitleWith(const std::string& name) { return std::string(kTitle) + " - [" + name + "]"; }

using StringsDocument = StringsEditorTest;

TEST_F(StringsDocument, NewGivesAnUntitledDocumentWhoseSaveAsksForAPathAndThenShowsTheFileName) {
    Command(ID_FILE_NEW);
    EXPECT_EQ(WindowText(MainWindow()), TitleWith("Untitled"));
    EXPECT_NE(g_editor.table, nullptr);
    EXPECT_STREQ(g_editor.currentPath, "");

    const std::string path = folder_.path("first.DAT");
    g_script.fileAnswers.push_back({path});
    Command(ID_FILE_SAVE);
    ASSERT_EQ(g_script.saveCalls().size(), 1u);
    EXPECT_EQ(g_script.saveCalls()[0].initialFile, "");
    EXPECT_EQ(WindowText(MainWindow()), TitleWith("first.DAT"));
    EXPECT_EQ(std::string(g_editor.currentPath), path);
    EXPECT_EQ(ReadBytes(path), std::string(4, '\0'));

    // Once it has a path, Save writes there without asking.
    Insert("NAME", L"text");
    Command(ID_FILE_SAVE);
    EXPECT_EQ(g_script.saveCalls().size(), 1u);
    EXPECT_EQ(ReadBytes(path).size(), 4u + 12u + 8u + 4u);
}

TEST_F(StringsDocument, FileDialogsOfferDatFilesWithTheClassicStructureAndTheirFlags) {
    const std::string path = WriteTable("start.DAT", {{"A", L"B"}});
    Open(path);
    g_script.fileAnswers.push_back({""});
    Command(ID_FILE_SAVE_AS);
    ASSERT_EQ(g_script.openCalls().size(), 1u);
    ASSERT_EQ(g_script.saveCalls().size(), 1u);

#ifndef _WIN64
    EXPECT_EQ(OPENFILENAME_SIZE_VERSION_400A, 76u);  // the classic structure on 32-bit Windows
#endif
    const std::string filter("*.DAT - Varnis Text Files\0*.DAT\0\0", 33);
    const FileDialogCall open = g_script.openCalls()[0];
    const FileDialogCall save = g_script.saveCalls()[0];
    for (const FileDialogCall* call : {&open, &save}) {
        EXPECT_EQ(call->structSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
        EXPECT_EQ(call->owner, MainWindow());
        EXPECT_EQ(call->filter, filter);
        EXPECT_EQ(call->maxFile, 260u);
        EXPECT_TRUE(call->hasDefaultExtension);
        EXPECT_EQ(call->defaultExtension, "");
    }
    EXPECT_EQ(g_script.openCalls()[0].initialFile, "");
    EXPECT_EQ(g_script.openCalls()[0].flags, static_cast<DWORD>(OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));
    EXPECT_EQ(g_script.saveCalls()[0].initialFile, path);
    EXPECT_EQ(WindowText(MainWindow()), TitleWith("start.DAT"));  // Save As was cancelled
    EXPECT_EQ(g_script.saveCalls()[0].flags,
              static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_DONTADDTORECENT));
}

TEST_F(StringsDocument, OpenShowsRowsSortedByNameWhileSaveKeepsTheFileOrderAndKeys) {
    // Neither in name order nor in key order; one key deliberately wrong.
    std::vector<FileEntry> entries = {{0x00000001u, u"second", "beta"},
                                      {ComputeNameKey("gamma"), u"\u4E2D\u6587 text", "gamma"},
                                      {ComputeNameKey("Alpha"), u"", "Alpha"},
                                      {ComputeNameKey("_under"), u"line one\r\nline two", "_under"},
                                      {ComputeNameKey("alpha2"), u"x", "alpha2"}};
    const std::string path = folder_.path("mixed.dat");
    const std::string bytes = DatBytes(entries);
    WriteBytes(path, bytes);

    Open(path);
    EXPECT_EQ(WindowText(MainWindow()), TitleWith("mixed.dat"));
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"_under", "Alpha", "alpha2", "beta", "gamma"}));
    EXPECT_EQ(RowTexts(), (std::vector<Text>{L"line one\r\nline two", L"", L"x", L"second", L"\u4E2D\u6587 text"}));
    EXPECT_TRUE(RowsMatchTable());
    EXPECT_EQ(g_editor.entryList.rowCount, 5);
    EXPECT_TRUE(IsWindowVisible(List()));
    EXPECT_TRUE(MenuEnabled(ID_EDIT_INSERT_STRING));

    std::remove(path.c_str());
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(g_script.saveCalls().empty());
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(StringsDocument, ACancelledOrEmptyOpenChangesNothing) {
    Command(ID_FILE_NEW);
    Insert("KEPT", L"text");
    for (const char* answer : {"", "\0"}) {
        g_script.messageBoxAnswers.push_back(IDNO);  // the changes may go
        g_script.fileAnswers.push_back({answer});
        Command(ID_FILE_OPEN);
        EXPECT_EQ(RowNames(), std::vector<std::string>{"KEPT"});
        EXPECT_EQ(WindowText(MainWindow()), TitleWith("Untitled") + " *");
    }
    EXPECT_EQ(g_script.messageBoxes.size(), 2u);
}

TEST_F(StringsDocument, AFileTheReaderCannotUseIsReportedAndTheOpenDocumentStays) {
    const std::string kept = WriteTable("kept.DAT", {{"KEPT", L"text"}});
    const std::string truncated = folder_.path("truncated.DAT");
    WriteBytes(truncated, Le32(3) + Le32(0) + Le32(1));
    const std::string lying = folder_.path("lying.DAT");
    WriteBytes(lying, Le32(1) + Le32(ComputeNameKey("A")) + Le32(500) + Le32(1) + "AB");
    const std::string locked = WriteTable("locked.DAT", {{"L", L"l"}});
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    struct Case {
        std::string path;
        const char* reason;
    };
    const Case cases[] = {{folder_.path("missing.DAT"), "does not exist"},
                          {truncated, "not a text table"},
                          {lying, "not a text table"},
                          {locked, "another program"}};

    Open(kept);
    for (const Case& c : cases) {
        g_script.messageBoxes.clear();
        Open(c.path);
        ASSERT_EQ(g_script.messageBoxes.size(), 1u) << c.path;
        const MessageBoxCall& error = g_script.messageBoxes[0];
        EXPECT_NE(error.text.find(c.path), std::string::npos) << error.text;
        EXPECT_NE(error.text.find(c.reason), std::string::npos) << error.text;
        EXPECT_EQ(error.caption, "Error");
        EXPECT_EQ(error.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(error.owner, MainWindow());
        EXPECT_EQ(RowNames(), std::vector<std::string>{"KEPT"});
        EXPECT_EQ(WindowText(MainWindow()), TitleWith("kept.DAT"));
        EXPECT_EQ(std::string(g_editor.currentPath), kept);
    }
    CloseHandle(lock);
}

TEST_F(StringsDocument, AFileOfFourZeroBytesOpensAsAnEmptyDocument) {
    const std::string path = folder_.path("empty.DAT");
    WriteBytes(path, std::string(4, '\0'));
    Open(path);
    EXPECT_TRUE(g_script.messageBoxes.empty());
    EXPECT_NE(g_editor.table, nullptr);
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(WindowText(MainWindow()), TitleWith("empty.DAT"));
    EXPECT_TRUE(MenuEnabled(ID_FILE_SAVE));
}

TEST_F(StringsDocument, AFailedSaveIsReportedAndAFailedSaveAsKeepsTitleAndPath) {
    const std::string path = WriteTable("table.DAT", {{"NAME", L"text"}});
    Open(path);
    const std::string unreachable = folder_.path("no such folder\\new.DAT");
    g_script.fileAnswers.push_back({unreachable});
    Command(ID_FILE_SAVE_AS);
    ASSERT_EQ(g_script.messageBoxes.size(), 1u);
    EXPECT_NE(g_script.messageBoxes[0].text.find(unreachable), std::string::npos);
    EXPECT_EQ(g_script.messageBoxes[0].caption, "Error");
    EXPECT_EQ(WindowText(MainWindow()), TitleWith("table.DAT"));
    EXPECT_EQ(std::string(g_editor.currentPath), path);

    // The document's own file cannot be replaced once a folder has its name.
    std::remove(path.c_str());
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    Command(ID_FILE_SAVE);
    ASSERT_EQ(g_script.messageBoxes.size(), 2u);
    EXPECT_NE(g_script.messageBoxes[1].text.find(path), std::string::npos);
    EXPECT_EQ(g_script.messageBoxes[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(WindowText(MainWindow()), TitleWith("table.DAT"));
    RemoveDirectoryA(path.c_str());
}

TEST_F(StringsDocument, ADropOpensItsFirstFileAsOpenWould) {
    const std::string table = WriteTable("my table.DAT", {{"A", L"B"}});
    const std::string missing = folder_.path("missing.DAT");
    Open(missing);  // Open's own report
    DropFiles(MainWindow(), {missing, table});
    EXPECT_EQ(g_editor.table, nullptr);
    ASSERT_EQ(g_script.messageBoxes.size(), 2u);
    EXPECT_EQ(g_script.messageBoxes[1].text, g_script.messageBoxes[0].text);
    EXPECT_EQ(g_script.messageBoxes[1].type, g_script.messageBoxes[0].type);
    DropFiles(MainWindow(), {table, missing});
    EXPECT_EQ(WindowText(MainWindow()), TitleWith("my table.DAT"));
    EXPECT_EQ(RowNames(), std::vector<std::string>{"A"});
}

}  // namespace

namespace {

using StringsModified = StringsEditorTest;

// Every way of giving up a modified document asks first: Cancel keeps it,
// No gives the changes up, Yes saves them; both then go on.
TEST_F(StringsModified, EveryWayOfDiscardingAModifiedDocumentAsksToSaveIt) {
    const std::string path = folder_.path("ask.DAT");
    const std::string other = WriteTable("other.DAT", {{"OTHER", L"x"}});
    struct Way {
        const char* name;
        std::function<void()> act;
        bool quits;  // goes on by ending the program rather than leaving the document
    };
    const Way ways[] = {
        {"New", [&] { Command(ID_FILE_NEW); }, false},
        {"Open",
         [&] {
             g_script.fileAnswers.push_back({other});
             Command(ID_FILE_OPEN);
         },
         false},
        {"Close", [&] { Command(ID_FILE_CLOSE); }, false},
        {"drop", [&] { DropFiles(MainWindow(), {other}); }, false},
        {"command line", [&] { OpenFirstTable({other}); }, false},
        {"Exit", [&] { Command(ID_FILE_EXIT); }, true},
        {"close box", [&] { SendMessageA(MainWindow(), WM_CLOSE, 0, 0); }, true},
    };
    for (const Way& way : ways) {
        for (int answer : {IDCANCEL, IDNO, IDYES}) {
            CloseDocument();
            g_script = StringsScript();
            const std::string unchanged = ReadBytes(WriteTable("ask.DAT", {{"OLD", L"o"}}));
            Open(path);
            Insert("NEW", L"n");
            EXPECT_EQ(WindowText(MainWindow()), TitleWith("ask.DAT") + " *");
            g_script = StringsScript();
            g_script.messageBoxAnswers = {answer};
            way.act();
            WPARAM exitCode = 1;
            const bool quit = QuitPosted(&exitCode);
            ASSERT_EQ(g_script.messageBoxes.size(), 1u) << way.name << answer;
            const MessageBoxCall& prompt = g_script.messageBoxes[0];
            EXPECT_EQ(prompt.text, "Save changes to ask.DAT?");
            EXPECT_EQ(prompt.type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONWARNING));
            EXPECT_EQ(prompt.owner, MainWindow());
            EXPECT_EQ(ReadBytes(path) != unchanged, answer == IDYES) << way.name << answer;
            EXPECT_EQ(quit, way.quits && answer != IDCANCEL) << way.name << answer;
            if (!way.quits) {
                EXPECT_EQ(WindowText(MainWindow()) == TitleWith("ask.DAT") + " *", answer == IDCANCEL)
                    << way.name << answer;
            }
        }
    }
    g_script = StringsScript();
}

// Yes saves an untitled document through Save As; a save that is cancelled
// or fails keeps the document open.
TEST_F(StringsModified, YesOnAnUntitledDocumentSavesAsAndAnUnfinishedSaveKeepsIt) {
    Command(ID_FILE_NEW);
    Insert("NEW", L"n");
    const std::string saved = folder_.path("saved.DAT");
    const std::pair<std::string, bool> cases[] = {
        {"", true}, {folder_.path("no such folder\\x.DAT"), true}, {saved, false}};
    for (const auto& c : cases) {
        g_script.messageBoxAnswers = {IDYES};
        g_script.fileAnswers.push_back({c.first});
        Command(ID_FILE_CLOSE);
        EXPECT_EQ(g_editor.table != nullptr, c.second) << c.first;
    }
    EXPECT_EQ(g_script.saveCalls().size(), 3u);
    EXPECT_EQ(ReadBytes(saved).size(), 4u + 12u + 2u + 3u);
}

// The title's " *" follows the changes: set by a change, cleared by a save;
// an edit that changes nothing, a sort or a delete of nothing is no change.
TEST_F(StringsModified, TheTitleMarksChangesUntilTheyAreSaved) {
    Open(WriteTable("mark.DAT", {{"A", L"a"}, {"B", L"b"}}));
    const std::string renamed = folder_.path("renamed.DAT");
    struct Step {
        const char* name;
        std::function<void()> act;
        std::string title;
    };
    const Step steps[] = {
        {"unchanged edit",
         [&] {
             FocusRow(0);
             g_script.editAnswers.push_back({true, "A", L"a"});
             Command(ID_EDIT_EDIT_STRING);
         },
         TitleWith("mark.DAT")},
        {"sort", [&] { ClickHeader(1); }, TitleWith("mark.DAT")},
        {"delete of nothing", [&] { Command(ID_EDIT_DELETE_STRING); }, TitleWith("mark.DAT")},
        {"edit",
         [&] {
             g_script.editAnswers.push_back({true, "A", L"changed"});
             Command(ID_EDIT_EDIT_STRING);
         },
         TitleWith("mark.DAT") + " *"},
        {"save", [&] { Command(ID_FILE_SAVE); }, TitleWith("mark.DAT")},
        {"insert", [&] { Insert("C", L"c"); }, TitleWith("mark.DAT") + " *"},
        {"save as",
         [&] {
             g_script.fileAnswers.push_back({renamed});
             Command(ID_FILE_SAVE_AS);
         },
         TitleWith("renamed.DAT")},
        {"delete",
         [&] {
             SelectRows({0});
             Command(ID_EDIT_DELETE_STRING);
         },
         TitleWith("renamed.DAT") + " *"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(WindowText(MainWindow()), step.title) << step.name;
    }
    EXPECT_TRUE(g_script.messageBoxes.empty());
}

}  // namespace
