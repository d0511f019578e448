// A translator's commands: the reference column, the untranslated view, and
// Import and Export through the window, against the exchange library's own
// results. The reference file is never written.
#include <windows.h>

#include <commctrl.h>

#include "datfile.h"
#include "documentcommands.h"
#include "exchangeformat.h"
#include "stringhistory.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"
#include "tableexport.h"

namespace {

using StringsTranslation = StringsEditorTest;

bool MenuChecked(HWND window, int id) { return (GetMenuState(GetMenu(window), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

int ColumnCount(HWND list) {
    return static_cast<int>(
        SendMessageA(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0));
}

TEST_F(StringsTranslation, TheReferenceColumnSortsAndTheUntranslatedViewShowsEmptyAndUnchangedTexts) {
    struct Row {
        const char* name;
        const wchar_t* text;
        const char* referenceName;  // the same name in the reference, in any case; null for none
        const wchar_t* reference;
        bool untranslated;
    };
    const Row rows[] = {
        {"a", L"Hallo", "A", L"Hello", false}, {"b", L"", "b", L"Bye", true},
        {"c", L"Same", "C", L"Same", true},    {"d", L"eigen", nullptr, L"", false},
        {"e", L"", nullptr, L"", true},        {"f", L"same", "f", L"Same", false},  // letter case counts
    };
    std::vector<std::pair<std::string, Text>> document, reference;
    std::vector<std::string> untranslated;
    for (const Row& row : rows) {
        document.push_back({row.name, row.text});
        if (row.referenceName != nullptr) {
            reference.push_back({row.referenceName, row.reference});
        }
        if (row.untranslated) {
            untranslated.push_back(row.name);
        }
    }
    reference.push_back({"only", L"not in the document"});
    const std::string referencePath = WriteTable("REF.DAT", reference);
    const std::string referenceBytes = ReadBytes(referencePath);
    Open(WriteTable("DOC.DAT", document));
    EXPECT_FALSE(MenuEnabled(ID_FILE_CLOSE_REFERENCE));
    g_script.fileAnswers = {{referencePath}};
    Command(ID_FILE_OPEN_REFERENCE);
    ASSERT_EQ(ColumnCount(List()), 3);
    EXPECT_TRUE(MenuEnabled(ID_FILE_CLOSE_REFERENCE));
    std::vector<Text> shown;
    for (const Row& row : rows) {
        shown.push_back(row.reference);
    }
    EXPECT_EQ(RowTexts(2), shown);

    ClickHeader(2);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"d", "e", "b", "a", "c", "f"}));  // stable among equals
    ClickHeader(2);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"c", "f", "a", "b", "d", "e"}));

    ClickHeader(0);
    Command(ID_VIEW_UNTRANSLATED_ONLY);
    EXPECT_TRUE(MenuChecked(MainWindow(), ID_VIEW_UNTRANSLATED_ONLY));
    EXPECT_EQ(RowNames(), untranslated);
    EXPECT_EQ(StatusText(1),
              std::to_string(untranslated.size()) + " of " + std::to_string(document.size()) + " strings");
    // Rows an undo brings back get no row in this view unless untranslated.
    Command(ID_VIEW_UNTRANSLATED_ONLY);
    SelectRows({0, 1});
    Command(ID_EDIT_DELETE_STRING);
    Command(ID_VIEW_UNTRANSLATED_ONLY);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(RowNames(), untranslated);

    // Its width is remembered; without the reference only empty texts are untranslated.
    SendMessageA(List(), LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(123, 0));
    Command(ID_FILE_CLOSE_REFERENCE);
    EXPECT_EQ(ColumnCount(List()), 2);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"b", "e"}));
    g_script.fileAnswers = {{referencePath}};
    Command(ID_FILE_OPEN_REFERENCE);
    EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 2, 0), 123);
    Command(ID_VIEW_UNTRANSLATED_ONLY);
    EXPECT_EQ(RowCount(), static_cast<int>(document.size()));
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(referencePath), referenceBytes);
    EXPECT_TRUE(g_script.messageBoxes.empty());
}

// What dattool's code writes for these tables, read from their files.
std::string ExpectedExport(ExchangeFormat format, const std::string& documentPath, const std::string& sourcePath) {
    const StringTablePtr document = ReadStringTable(documentPath.c_str()).table;
    const StringTablePtr source = ReadStringTable(sourcePath.c_str()).table;
    ExchangeWriteOptions options;
    options.byteOrderMark = format == ExchangeFormat::Csv;
    TableExport made;
    EXPECT_TRUE(ExportTable(format, *document, source.get(), options, made));
    return made.content;
}

TEST_F(StringsTranslation, ExportWritesWhatDattoolWritesAndImportIsOneChangeOrNone) {
    const std::string referencePath = WriteTable("EN.DAT", {{"a", L"Hello"}, {"b", L"Bye\r\nnow"}, {"c", L"Yes"}});
    const std::string referenceBytes = ReadBytes(referencePath);
    const std::string documentPath = WriteTable("DE.DAT", {{"a", L"Hallo"}, {"b", L""}, {"gone", L"alt"}});
    Open(documentPath);
    g_script.fileAnswers = {{referencePath}};
    Command(ID_FILE_OPEN_REFERENCE);

    for (const char* name : {"de.csv", "de.json"}) {
        g_script.fileAnswers = {{folder_.path(name)}};
        Command(ID_FILE_EXPORT);
        ExchangeFormat format;
        ASSERT_TRUE(FormatFromFileName(name, format));
        EXPECT_EQ(ReadBytes(folder_.path(name)), ExpectedExport(format, documentPath, referencePath)) << name;
    }
    // The PO file's header names its language by the file's name.
    g_script.fileAnswers = {{folder_.path("de.po")}};
    Command(ID_FILE_EXPORT);
    const std::string po = ReadBytes(folder_.path("de.po"));
    const std::string expectedPo = ExpectedExport(ExchangeFormat::Po, documentPath, referencePath);
    EXPECT_NE(po.find("\"Language: de\\n\""), std::string::npos);
    ASSERT_NE(po.find("\nmsgctxt"), std::string::npos);
    EXPECT_EQ(po.substr(po.find("\nmsgctxt")), expectedPo.substr(expectedPo.find("\nmsgctxt")));  // after the header
    g_script.fileAnswers = {{folder_.path("DE strings.po")}};
    Command(ID_FILE_EXPORT);
    ASSERT_EQ(g_script.messageBoxes.size(), 1u);
    EXPECT_NE(g_script.messageBoxes[0].text.find("DE strings.po"), std::string::npos);
    EXPECT_EQ(g_script.messageBoxes[0].owner, MainWindow());

    // A translated PO comes back as one change: the fuzzy row keeps the
    // document's text, the untranslated one is left out.
    WriteBytes(folder_.path("back.po"),
               "msgctxt \"a\"\nmsgid \"Hello\"\nmsgstr \"Hallo!\"\n\n"
               "#, fuzzy\nmsgctxt \"b\"\nmsgid \"Bye\"\nmsgstr \"Tschau\"\n\n"
               "msgctxt \"c\"\nmsgid \"Yes\"\nmsgstr \"\"\n");
    g_script.fileAnswers = {{folder_.path("back.po")}};
    Command(ID_FILE_IMPORT);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(RowTexts(), (std::vector<Text>{L"Hallo!", L""}));
    EXPECT_TRUE(DocumentModified());
    const std::vector<std::string> imported = TableNames();
    StringEdit next;
    ASSERT_TRUE(StringTableNextUndo(*g_editor.table, &next));
    EXPECT_EQ(next, StringEdit::Import);
    ASSERT_TRUE(StringTableUndo(*g_editor.table, nullptr));
    EXPECT_EQ(TableNames(), (std::vector<std::string>{"a", "b", "gone"}));
    EXPECT_FALSE(StringTableNextUndo(*g_editor.table, &next));
    ASSERT_TRUE(StringTableRedo(*g_editor.table, nullptr));

    // Files that cannot be imported are named with the place of the fault.
    struct Refused {
        const char* name;
        const char* content;
        const char* place;
    };
    const Refused refused[] = {{"bad.csv", "name,text\nok,1\n\" lead\",2\n", "row 2"},
                               {"bad.json", "[{\"name\":\"x\",\"text\":\"1\",\"text\":\"2\"}]", "row 1"},
                               {"bad.txt", "", ".csv"}};
    for (const Refused& file : refused) {
        WriteBytes(folder_.path(file.name), file.content);
        g_script.messageBoxes.clear();
        g_script.fileAnswers = {{folder_.path(file.name)}};
        Command(ID_FILE_IMPORT);
        ASSERT_EQ(g_script.messageBoxes.size(), 1u) << file.name;
        EXPECT_NE(g_script.messageBoxes[0].text.find(file.name), std::string::npos);
        EXPECT_NE(g_script.messageBoxes[0].text.find(file.place), std::string::npos) << g_script.messageBoxes[0].text;
        EXPECT_EQ(TableNames(), imported) << file.name;
    }
    EXPECT_EQ(ReadBytes(referencePath), referenceBytes);
}

}  // namespace
