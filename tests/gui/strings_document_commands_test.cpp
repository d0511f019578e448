// New, Open, Save, Save As and Close, with their dialogs, titles and errors.
#include <windows.h>

#include <commdlg.h>

#include <cstdio>

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
    EXPECT_FALSE(g_editor.entryList.needsSort);
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
        g_script.fileAnswers.push_back({answer});
        Command(ID_FILE_OPEN);
        EXPECT_EQ(RowNames(), std::vector<std::string>{"KEPT"});
        EXPECT_EQ(WindowText(MainWindow()), TitleWith("Untitled"));
    }
    EXPECT_TRUE(g_script.messageBoxes.empty());
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
