// dattool, run as a child process on tables made in the test.
#include <algorithm>
#include <cstdio>
#include <iterator>

#include <gtest/gtest.h>

#include "atlastestsupport.h"
#include "datfile.h"
#include "listescape.h"
#include "namekey.h"
#include "programrunner.h"
#include "datwriter.h"
#include "testfolder.h"

namespace {

std::string KeyText(std::uint32_t key) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(key));
    return text;
}

FileEntry Entry(const std::string& name, const std::u16string& text) {
    return FileEntry{ComputeNameKey(name.c_str()), text, name};
}

class DattoolTest : public ::testing::Test {
protected:
    ProgramRun Dattool(const std::vector<std::string>& arguments) { return RunDattool(arguments); }

    void WriteTable(const std::vector<FileEntry>& entries) { WriteBytes(table, DatBytes(entries)); }

    // The table's entries in file order, as the string-table core reads them.
    std::vector<FileEntry> TableEntries(const std::string& path) const {
        const DatReadResult result = ReadStringTable(path.c_str());
        EXPECT_EQ(result.status, DatReadStatus::Read) << path;
        std::vector<FileEntry> entries;
        if (result.table) {
            for (const StringEntry* e = StringTableNext(*result.table, nullptr); e;
                 e = StringTableNext(*result.table, e)) {
                entries.push_back(FileEntry{e->key, TextOf(*e), std::string(e->name, e->nameLength)});
            }
        }
        return entries;
    }

    std::string Error(const std::string& file, const std::string& reason) const {
        return "dattool: " + file + ": " + reason + "\n";
    }

    TestFolder folder;
    const std::string table = folder.path("table.dat");
};

bool ByKeyThenName(const FileEntry& a, const FileEntry& b) { return a.key != b.key ? a.key < b.key : a.name < b.name; }

// Entries with awkward names and texts, not in key order, as the editor can
// make them: line breaks CR LF, names it shows.
std::vector<FileEntry> AwkwardEntries() {
    return {
        Entry("Zed", u"plain"),
        Entry("comma, \"quoted\"", u"say \"hi\", twice"),
        Entry("lines", u"first\r\nsecond\r\n\r\nthird\r\n"),
        Entry("tabs and\\", u"a\tb\\c\\n\a"),
        Entry("empty", u""),
        Entry("\x80\x9F\xC4\xFF", u"caf\u00E9 \u20AC \U0001F600 \u6F22"),
        Entry("long", std::u16string(3000, u'x') + u"end"),
        Entry("A", u"msgid \"\"\r\nmsgstr \"\""),
    };
}

}  // namespace

TEST_F(DattoolTest, ListPrintsKeyNameAndEscapedTextInFileOrder) {
    WriteTable({
        FileEntry{0x00000001, u"tab\there\r\nnext\\", "Z\x80\x81"},
        FileEntry{0xDEADBEEF, u"", "a"},
        Entry("B", u"\U0001F600 " + std::u16string(1, char16_t(0xD800))),
    });
    const ProgramRun run = Dattool({"list", table});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "00000001\tZ\u20AC\u0081\ttab\\there\\r\\nnext\\\\\n"
              "DEADBEEF\ta\t\n" +
                  KeyText(ComputeNameKey("B")) + "\tB\t\U0001F600 \uFFFD\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(DattoolTest, ListShowsATableWrittenByTheEditorsCodeInKeyOrder) {
    StringTablePtr made = StringTableCreate();
    ASSERT_TRUE(made);
    for (const char* name : {"Hello", "abc", "Zed", "QUIT"}) {
        const std::u16string text = u"text of " + std::u16string(name, name + std::char_traits<char>::length(name));
        ASSERT_NE(StringTableInsert(*made, name, Units(text).c_str()), nullptr);
    }
    ASSERT_EQ(WriteStringTable(*made, table.c_str()), DatWriteStatus::Written);

    std::vector<std::pair<std::uint32_t, std::string>> expected;
    for (const char* name : {"Hello", "abc", "Zed", "QUIT"}) {
        expected.emplace_back(ComputeNameKey(name), name);
    }
    std::sort(expected.begin(), expected.end());
    std::string lines;
    for (const auto& [key, name] : expected) {
        lines += KeyText(key) + "\t" + name + "\ttext of " + name + "\n";
    }
    EXPECT_EQ(Dattool({"list", table}).out, lines);
}

// Import, export, import: the second table is the first byte for byte.
TEST_F(DattoolTest, ExportThenImportGivesTheSameTableInEveryFormat) {
    const std::vector<FileEntry> original = AwkwardEntries();
    WriteTable(original);
    std::vector<FileEntry> expected = original;
    std::sort(expected.begin(), expected.end(), ByKeyThenName);
    for (const char* exchange : {"rows.csv", "rows.json", "rows.po", "ROWS.JSON"}) {
        const std::string out = folder.path(exchange);
        const std::string imported = folder.path(std::string(exchange) + ".dat");
        for (const std::string& from : {table, imported}) {
            const ProgramRun exported = Dattool({"export", from, out, "--language", "de"});
            ASSERT_EQ(exported.exitCode, 0) << exchange << exported.err;
            const ProgramRun run = Dattool({"import", out, imported});
            ASSERT_EQ(run.exitCode, 0) << exchange << run.err;
            // Import inserts row by row as the editor does, so the new file is in key order.
            EXPECT_EQ(TableEntries(imported), expected) << exchange;
        }
        EXPECT_EQ(ReadBytes(imported), ReadBytes(folder.path("rows.csv.dat"))) << exchange;
    }
    EXPECT_EQ(ReadBytes(folder.path("rows.json")), ReadBytes(folder.path("ROWS.JSON")));
    EXPECT_EQ(ReadBytes(folder.path("rows.csv")).rfind("name,text\r\n", 0), 0u);
}

TEST_F(DattoolTest, ImportRefusesRowsTheEditorWouldNotTakeAndWritesNothing) {
    WriteBytes(table, "keep");
    const std::string in = folder.path("in.csv");
    WriteBytes(in,
               "name,text\r\n"
               ",empty name\r\n" +
                   std::string(255, 'n') +
                   ",long name\r\n"
                   "big," +
                   std::string(10240, 't') +
                   "\r\n"
                   "\xE6\xBC\xA2,not in the code page\r\n"
                   "ok,first\r\n"
                   "OK,second\r\n"
                   "\"tab\tname\",x\r\n"
                   " spaced,x\r\n");
    const ProgramRun run = Dattool({"import", in, table});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              Error(in, "row 1 (line 2): the name is empty") +
                  Error(in, "row 2 (line 3): the name is 255 bytes long, more than the 254 the editor allows") +
                  Error(in,
                        "row 3 (line 4): the text is 10240 UTF-16 code units long, more than the 10239 "
                        "the editor allows") +
                  Error(in,
                        "row 4 (line 5): the name \xE6\xBC\xA2 has characters that Windows-1252 does "
                        "not have") +
                  Error(in, "row 6 (line 7): the name OK is already used by row 5 (line 6)") +
                  Error(in, "row 7 (line 8): the name has a control character, which the editor cannot show") +
                  Error(in, "row 8 (line 9): the name begins or ends with a space, which the editor cannot show") +
                  Error(table, "Not written: 7 rows were refused"));
    EXPECT_EQ(ReadBytes(table), "keep");

    // The limits themselves are allowed; a pair of surrogates counts as two units.
    const std::string json = folder.path("in.json");
    WriteBytes(json, "[{\"name\": \"" + std::string(254, 'n') + "\", \"text\": \"" + std::string(10237, 't') +
                         "\\ud83d\\ude00\"}, {\"name\": \"\xC3\x84rger\", \"text\": \"\"}]");
    const ProgramRun limits = Dattool({"import", json, table});
    EXPECT_EQ(limits.exitCode, 0) << limits.err;
    std::vector<FileEntry> expected = {Entry(std::string(254, 'n'), std::u16string(10237, u't') + u"\U0001F600"),
                                       Entry("\xC4rger", u"")};
    std::sort(expected.begin(), expected.end(), ByKeyThenName);
    EXPECT_EQ(TableEntries(table), expected);
}

TEST_F(DattoolTest, ImportOfMalformedFilesNamesTheFileAndLine) {
    WriteBytes(table, "keep");
    const std::pair<std::string, std::string> cases[] = {
        {"bad.csv", "name,text\r\nA,\"open"},
        {"ansi.csv", "name,text\r\nCAF\xC9,x\r\n"},
        {"bad.json", "{\"name\": \"A\", \"text\": \"B\"}"},
        {"bad.po", "msgctxt \"A\"\nmsgid \"a\"\nmsgid_plural \"as\"\nmsgstr[0] \"b\"\n"},
    };
    // The byte that is not UTF-8 is shown, not written: the message stays UTF-8.
    const std::string messages[] = {
        "line 2: a quoted field is not closed",
        "line 2: not valid UTF-8 (the byte \\xC9 at byte offset 14)",
        "the JSON must be an array of {\"name\": ..., \"text\": ...} objects",
        "row 1 (line 1): \"A\" has plural forms (msgid_plural), which a table cannot hold",
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string in = folder.path(cases[i].first);
        WriteBytes(in, cases[i].second);
        const ProgramRun run = Dattool({"import", in, table});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, Error(in, messages[i]));
    }
    const ProgramRun missing = Dattool({"import", folder.path("none.csv"), table});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, Error(folder.path("none.csv"), "No such file"));
    EXPECT_EQ(ReadBytes(table), "keep");
}

// Every entry that the format cannot carry is named before nothing is written.
TEST_F(DattoolTest, ExportListsEveryEntryItCannotWrite) {
    const std::u16string lone(1, char16_t(0xDC00));
    WriteTable({Entry("fine", u"ok"), Entry("broken", u"x" + lone), Entry("lf", u"a\nb"), Entry("worse", lone)});
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"out.csv", {"entry 2 \"broken\"", "entry 4 \"worse\""}},
        {"out.po", {"entry 2 \"broken\"", "entry 3 \"lf\"", "entry 4 \"worse\""}},
    };
    for (const auto& [name, entries] : cases) {
        const std::string out = folder.path(name);
        WriteBytes(out, "keep");
        std::string expected;
        for (const std::string& entry : entries) {
            expected += Error(table, entry + (entry.find("lf") != std::string::npos
                                                  ? ": the text has a line break other than CR LF, which a PO "
                                                    "file cannot carry"
                                                  : ": the text has a UTF-16 surrogate without its partner, which "
                                                    "UTF-8 cannot carry"));
        }
        expected += Error(out, "Not written: " + std::to_string(entries.size()) + " entries were refused");
        const ProgramRun run = Dattool({"export", table, out, "--language", "de"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, expected);
        EXPECT_EQ(ReadBytes(out), "keep");
    }
}

// A translator's round: the source beside each translation, then the PO
// back into the table; fuzzy and untranslated entries keep the table's text.
TEST_F(DattoolTest, ExportWithSourceAndImportBackCountEveryTranslation) {
    const std::string source = folder.path("en.dat");
    WriteBytes(source, DatBytes({Entry("HELLO", u"Hello"), Entry("BYE", u"Bye"), Entry("NEW", u"New")}));
    WriteTable({Entry("HELLO", u"Hallo"), Entry("BYE", u"Tschau"), Entry("GONE", u"Alt")});
    const std::string po = folder.path("de.po");
    const ProgramRun exported = Dattool({"export", table, po, "--source", source, "--language", "de"});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.out, "translated 2\nfuzzy 0\nuntranslated 1\nobsolete 1\n");
    std::string content = ReadBytes(po);
    EXPECT_NE(content.find("\"Language: de\\n\"\n"), std::string::npos) << content;
    EXPECT_NE(content.find("msgctxt \"BYE\"\nmsgid \"Bye\"\nmsgstr \"Tschau\"\n"), std::string::npos) << content;
    EXPECT_NE(content.find("msgctxt \"NEW\"\nmsgid \"New\"\nmsgstr \"\"\n"), std::string::npos) << content;

    // The translator marks one fuzzy and translates the new one.
    content.replace(content.find("msgctxt \"BYE\""), 0, "#, fuzzy\n");
    content.replace(content.find("msgstr \"\"\n", content.find("NEW")), 10, "msgstr \"Neu\"\n");
    WriteBytes(po, content);
    const ProgramRun imported = Dattool({"import", po, table});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out, "translated 2\nfuzzy 1\nuntranslated 0\nkept 1\n");
    std::vector<FileEntry> expected = {Entry("HELLO", u"Hallo"), Entry("BYE", u"Tschau"), Entry("NEW", u"Neu")};
    std::sort(expected.begin(), expected.end(), ByKeyThenName);
    EXPECT_EQ(TableEntries(table), expected);

    const std::string csv = folder.path("de.csv");
    ASSERT_EQ(Dattool({"export", table, csv, "--source", source, "--bom"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(csv).substr(0, 40), "\xEF\xBB\xBFname,source,text\r\nHELLO,Hello,Hallo\r\n");
    const std::string pot = folder.path("en.pot");
    ASSERT_EQ(Dattool({"export", source, pot}).exitCode, 0);
    EXPECT_NE(ReadBytes(pot).find("msgctxt \"BYE\"\nmsgid \"Bye\"\nmsgstr \"\"\n"), std::string::npos);
}

#ifndef _WIN32
// gettext's own checker takes every PO export without a word, and the
// translation has every source text of the template.
TEST_F(DattoolTest, MsgfmtCheckPassesOnPoExports) {
    const std::string source = folder.path("en.dat");
    WriteBytes(source, DatBytes(AwkwardEntries()));
    WriteTable({Entry("lines", u"one line"), Entry("Zed", u"\r\nZ\r\n"), Entry("A", u"x")});
    const std::string plain = folder.path("plain.po");
    const std::string paired = folder.path("paired.po");
    const std::string pot = folder.path("en.pot");
    ASSERT_EQ(Dattool({"export", source, plain, "--language", "en"}).exitCode, 0);
    ASSERT_EQ(Dattool({"export", source, pot}).exitCode, 0);
    ASSERT_EQ(Dattool({"export", table, paired, "--source", source, "--language", "de"}).exitCode, 0);
    for (const std::string& po : {plain, paired}) {
        const ProgramRun run = RunProgram("/usr/bin/msgfmt", {"-c", "-o", "/dev/null", po});
        EXPECT_EQ(run.exitCode, 0) << po;
        EXPECT_EQ(run.err, "") << po;
    }
    const ProgramRun compared = RunProgram("/usr/bin/msgcmp", {"--use-fuzzy", "--use-untranslated", paired, pot});
    EXPECT_EQ(compared.exitCode, 0) << compared.err;
}
#endif

TEST_F(DattoolTest, CheckReportsDuplicatesWrongKeysAndSharedKeys) {
    const std::uint32_t abc = ComputeNameKey("abc");
    WriteTable({Entry("abc", u"1"), Entry("ABC", u"2"), FileEntry{0x12345678, u"3", "X"}, FileEntry{abc, u"4", "Y"}});
    const ProgramRun run = Dattool({"check", table});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out,
              "entry 2 \"ABC\": same name as entry 1 \"abc\"\n"
              "entry 3 \"X\": key 0x12345678 is not the CRC of its name (0x" +
                  KeyText(ComputeNameKey("X")) +
                  ")\n"
                  "entry 4 \"Y\": key 0x" +
                  KeyText(abc) + " is not the CRC of its name (0x" + KeyText(ComputeNameKey("Y")) +
                  ")\n"
                  "entry 4 \"Y\": key 0x" +
                  KeyText(abc) + " is also the key of entry 1 \"abc\", another name\n");

    WriteTable(AwkwardEntries());
    const ProgramRun sound = Dattool({"check", table});
    EXPECT_EQ(sound.exitCode, 0);
    EXPECT_EQ(sound.out, "");

    // What export or import would refuse, each entry by its own.
    WriteTable({Entry("ok", u"x" + std::u16string(1, char16_t(0xD800))), Entry("", u"x"), Entry("ok2", u"a\nb"),
                Entry("\ttab", std::u16string(10240, u'x'))});
    const ProgramRun refused = Dattool({"check", table});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out,
              "entry 1 \"ok\": the text has a UTF-16 surrogate without its partner, which UTF-8 cannot carry\n"
              "entry 2 \"\": the name is empty\n"
              "entry 3 \"ok2\": the text has a line break other than CR LF, which a PO file cannot carry\n"
              "entry 4 \"\\ttab\": the name has a control character, which the editor cannot show\n"
              "entry 4 \"\\ttab\": the text is 10240 UTF-16 code units long, more than the 10239 the editor "
              "allows\n");

    WriteBytes(table, Le32(3) + Le32(1));
    const ProgramRun unreadable = Dattool({"check", table});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_EQ(unreadable.out, "reader: Not a string table: the file is shorter than its counts and lengths promise\n");
}

TEST_F(DattoolTest, SetInsertsOrEditsAsTheEditorDoes) {
    WriteTable({Entry("Greeting", u"Hello"), Entry("Farewell", u"Bye")});
    ASSERT_EQ(Dattool({"set", table, "GREETING",
                       "Gr\xC3\xBC\xC3\x9F"
                       "e \xF0\x9F\x98\x80"})
                  .exitCode,
              0);
    ASSERT_EQ(Dattool({"set", table, "\xC3\x84rger", "two\\r\\nlines\\t\\\\", "--escapes"}).exitCode, 0);
    ASSERT_EQ(Dattool({"set", table, "plain", "not\\nescaped"}).exitCode, 0);
    ASSERT_EQ(Dattool({"set", table, "empty", ""}).exitCode, 0);

    // An edit removes the entry and inserts it anew: the name as now spelt, at its key's place.
    std::vector<FileEntry> expected = {Entry("Farewell", u"Bye"), Entry("GREETING", u"Gr\u00FC\u00DFe \U0001F600"),
                                       Entry("\xC4rger", u"two\r\nlines\t\\"), Entry("plain", u"not\\nescaped"),
                                       Entry("empty", u"")};
    std::vector<FileEntry> actual = TableEntries(table);
    std::sort(expected.begin(), expected.end(), ByKeyThenName);
    EXPECT_EQ(actual, expected);
}

TEST_F(DattoolTest, SetAndDeleteRefuseWithoutTouchingTheFile) {
    WriteTable({Entry("Twin", u"1"), Entry("TWIN", u"2"), Entry("Solo", u"3")});
    const std::string before = ReadBytes(table);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"set", table, "", "text"}, "the name is empty"},
        {{"set", table, "\xE6\xBC\xA2", "text"},
         "the name \xE6\xBC\xA2 has characters that Windows-1252 does not have"},
        {{"set", table, "Solo", "bad \\x escape", "-e"},
         "the text has a backslash that is not one of \\\\, \\t, \\r, \\n"},
        {{"set", table, "twin", "which one?"}, "2 entries are named twin; dattool check lists them"},
        {{"delete", table, "nobody"}, "No entry named nobody"},
    };
    for (const auto& [arguments, message] : cases) {
        const ProgramRun run = Dattool(arguments);
        EXPECT_EQ(run.exitCode, 1) << message;
        EXPECT_EQ(run.err, Error(table, message));
        EXPECT_EQ(ReadBytes(table), before);
    }
}

TEST_F(DattoolTest, DeleteRemovesEveryEntryOfTheNameIgnoringAsciiCase) {
    WriteTable({Entry("Twin", u"1"), Entry("Solo", u"2"), Entry("TWIN", u"3")});
    const ProgramRun run = Dattool({"delete", table, "twin"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(TableEntries(table), (std::vector<FileEntry>{Entry("Solo", u"2")}));
}

TEST_F(DattoolTest, UnreadableTablesFailWithOneLineNamingTheFile) {
    const std::string missing = folder.path("missing.dat");
    const std::string shortFile = folder.path("short.dat");
    WriteBytes(shortFile, Le32(2) + Le32(0));
    const std::string out = folder.path("out.json");
    for (const auto& [path, reason] : {std::make_pair(missing, std::string("No such file")),
                                       std::make_pair(shortFile, std::string("Not a string table: the file is shorter "
                                                                             "than its counts and lengths promise"))}) {
        const std::vector<std::string> commands[] = {
            {"list", path}, {"export", path, out}, {"set", path, "a", "b"}, {"delete", path, "a"}};
        for (const std::vector<std::string>& arguments : commands) {
            const ProgramRun run = Dattool(arguments);
            EXPECT_EQ(run.exitCode, 1) << arguments[0];
            EXPECT_EQ(run.err, Error(path, reason)) << arguments[0];
        }
    }
    EXPECT_FALSE(fileExists(out));
    EXPECT_EQ(ReadBytes(shortFile), Le32(2) + Le32(0));
}

TEST_F(DattoolTest, UsageErrorsExitWithTwoAndHelpWithZero) {
    const std::vector<std::string> cases[] = {
        {},
        {"list"},
        {"export", table, folder.path("out.txt")},
        {"export", table, folder.path("out.po")},
        {"export", table, folder.path("out.po"), "--language", "de\nLast-Translator: x"},
        {"export", table, folder.path("out.json"), "--bom"},
        {"export", table, folder.path("out.po"), "--template", "--source", table},
        {"export", table, folder.path("out.pot"), "--source", table},
        {"import", folder.path("in.csv"), table, "--names-from", "msgid"},
        {"import", folder.path("in.po"), table, "--names-from", "id"},
        {"import", folder.path("in.xml"), table},
        {"set", table, "name"},
        {"rename", table},
    };
    for (const std::vector<std::string>& arguments : cases) {
        const ProgramRun run = Dattool(arguments);
        EXPECT_EQ(run.exitCode, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(run.err.rfind("dattool: ", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    for (const char* command : {"list", "export", "import", "check", "set", "delete"}) {
        const ProgramRun run = Dattool({command, "--help"});
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_NE(run.out.find(std::string("dattool ") + command), std::string::npos) << run.out;
    }
    EXPECT_TRUE(folder.fileNames().empty());
}

TEST(LineEscapes, KeepEveryEntryOnOneLineAndComeBack) {
    const std::string text = "a\tb\r\nc\\d\\n";
    EXPECT_EQ(EscapeForLine(text), "a\\tb\\r\\nc\\\\d\\\\n");
    std::string back;
    ASSERT_TRUE(UnescapeLine(EscapeForLine(text), back));
    EXPECT_EQ(back, text);
    for (const std::string bad : {"end\\", "\\x", "\\u0041"}) {
        EXPECT_FALSE(UnescapeLine(bad, back)) << bad;
    }
}
