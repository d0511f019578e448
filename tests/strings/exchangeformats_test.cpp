// The CSV, JSON and PO readers and writers on their own.
#include <gtest/gtest.h>

#include "exchangeformat.h"

namespace {

struct Row {
    std::string name;
    std::string source;
    std::string text;
    RowState state;
};
bool operator==(const Row& a, const Row& b) {
    return a.name == b.name && a.source == b.source && a.text == b.text && a.state == b.state;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << testing::PrintToString(row.name) << " " << testing::PrintToString(row.source) << " "
         << testing::PrintToString(row.text) << " " << static_cast<int>(row.state);
}

constexpr RowState kDone = RowState::Translated;
constexpr RowState kFuzzy = RowState::Fuzzy;
constexpr RowState kOpen = RowState::Untranslated;

std::vector<Row> RowsOf(const ExchangeFile& file) {
    std::vector<Row> rows;
    for (const ExchangeRow& row : file.rows) {
        rows.push_back(Row{row.name, row.source, row.text, row.state});
    }
    return rows;
}

ExchangeFile FileOf(const std::vector<Row>& rows, bool withSource) {
    ExchangeFile file;
    file.withSource = withSource;
    for (const Row& row : rows) {
        file.rows.push_back(ExchangeRow{row.name, row.source, row.text, row.state, ""});
    }
    return file;
}

// The rows, or the error message as the only row's name.
std::vector<Row> Read(ExchangeFormat format, const std::string& content, PoNames names = PoNames::FromContext) {
    ExchangeFile file;
    std::string error;
    ExchangeReadOptions options;
    options.poNames = names;
    if (!ReadExchangeFile(format, content, options, file, error)) {
        return {Row{error, "", "", kDone}};
    }
    return RowsOf(file);
}

std::string Error(ExchangeFormat format, const std::string& content) {
    const std::vector<Row> rows = Read(format, content);
    return rows.size() == 1 && rows[0].text.empty() && rows[0].source.empty() ? rows[0].name : "read";
}

std::string Written(ExchangeFormat format, const ExchangeFile& file, bool bom = false) {
    ExchangeWriteOptions options;
    options.byteOrderMark = bom;
    options.header = PoHeader{"T.DAT", "de", "dattool 1.0", "2024-05-06 07:08+0000", false};
    std::string content;
    EXPECT_TRUE(WriteExchangeFile(format, file, options, content));
    return content;
}

const char kPoHeader[] = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";

}  // namespace

// Texts as the editor makes them (line breaks CR LF), with everything that
// needs quoting or escaping somewhere.
TEST(ExchangeFormats, EveryFormatReadsBackWhatItWrote) {
    const std::vector<Row> rows = {
        {"PLAIN", "plain", "text", kDone},
        {"COMMA,NAME;", "a \"quoted\" word", "a \"quoted\" word, and more;", kDone},
        {"LINES", "one\r\ntwo", "first\r\nsecond\r\n", kFuzzy},
        {"TABS", "", "a\tb\\c", kDone},
        {"EMPTY", "source", "", kOpen},
        {"UNICODE", "\u05E9\u05DC\u05D5\u05DD", "caf\u00E9 \u20AC \U0001F600", kDone},
        {"CONTROL", "", std::string("bell\a \x01 end"), kDone},
    };
    for (const bool withSource : {false, true}) {
        std::vector<Row> written = rows;
        for (Row& row : written) {
            row.source = withSource ? row.source : "";
            row.state = withSource ? row.state : kDone;
        }
        for (const ExchangeFormat format : {ExchangeFormat::Csv, ExchangeFormat::Json, ExchangeFormat::Po}) {
            std::vector<Row> expected = written;
            for (Row& row : expected) {
                // Only PO has fuzzy flags, and without sources its msgid is the text.
                row.state = format != ExchangeFormat::Po && row.state == kFuzzy ? kDone : row.state;
                row.source = format == ExchangeFormat::Po && !withSource ? row.text : row.source;
            }
            EXPECT_EQ(Read(format, Written(format, FileOf(written, withSource), true)), expected)
                << static_cast<int>(format) << " with sources " << withSource;
        }
    }
}

TEST(Csv, IsWrittenAsRfc4180WithCrLfAndQuotesOnlyWhereNeeded) {
    const std::vector<Row> rows = {
        {"A", "", "plain", kDone}, {"B,C", "", "say \"hi\"", kDone}, {"D", "", "two\r\nlines", kDone}};
    EXPECT_EQ(Written(ExchangeFormat::Csv, FileOf(rows, false)),
              "name,text\r\nA,plain\r\n\"B,C\",\"say \"\"hi\"\"\"\r\nD,\"two\r\nlines\"\r\n");
    EXPECT_EQ(Written(ExchangeFormat::Csv, FileOf({{"A", "x", "", kOpen}}, true), true),
              "\xEF\xBB\xBFname,source,text\r\nA,x,\r\n");
}

TEST(Csv, ReadsWhatSpreadsheetsWrite) {
    const std::vector<Row> twoRows = {{"GREETING", "", "hello", kDone}, {"Q\"T", "", "multi\nline", kDone}};
    const char utf16le[] = "n\0a\0m\0e\0\t\0t\0e\0x\0t\0\r\0\n\0A\0\t\0\xAC\x20\r\0\n\0";
    const std::string utf16(utf16le, sizeof utf16le - 1);
    std::string utf16be;
    for (std::size_t i = 0; i < utf16.size(); i += 2) {
        utf16be += std::string{utf16[i + 1], utf16[i]};
    }
    const std::pair<std::string, std::vector<Row>> cases[] = {
        {"\xEF\xBB\xBF"       // byte order mark
         "Extra,TEXT,Name\n"  // columns in another order, with another letter case
         "x,hello,GREETING\n"
         "\n"                             // an empty line
         "y,\"multi\nline\",\"Q\"\"T\"",  // no line end at the end
         twoRows},
        {"Name;Text\r\nGREETING;hello\r\n\"Q\"\"T\";\"multi\nline\"\r\n", twoRows},
        {"\xFF\xFE" + utf16, {{"A", "", "\u20AC", kDone}}},
        {"\xFE\xFF" + utf16be, {{"A", "", "\u20AC", kDone}}},
        {"name,source,text\r\nA,to do,\r\nB,,\r\nC,x,y\r\n",
         {{"A", "to do", "", kOpen}, {"B", "", "", kDone}, {"C", "x", "y", kDone}}},
    };
    for (const auto& [content, rows] : cases) {
        EXPECT_EQ(Read(ExchangeFormat::Csv, content), rows) << content;
    }
    ExchangeFile file;
    std::string error;
    ASSERT_TRUE(ReadExchangeFile(ExchangeFormat::Csv, "name,text\nA,1\n\n\"B\nC\",2", {}, file, error));
    EXPECT_EQ(file.rows[1].where, "row 2 (line 4)");
}

TEST(Csv, MalformedRecordsNameTheirLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "no header: the first line must be name,text"},
        {"key;value\r\nA;B\r\n",
         "line 1: the header needs the columns name and text, separated by commas, semicolons or tabs; it has "
         "\"key\", \"value\""},
        {"name,text\r\nA,\"open\r\nstill open", "line 2: a quoted field is not closed"},
        {"name,text\r\nA,B\r\nC,say \"hi\"\r\n", "line 3: a quote inside an unquoted field"},
        {"name;text\r\nA;\"B\"x\r\n", "line 2: only a semicolon or a line end may follow a closing quote"},
        {"name,text\r\nA,B,C\r\n", "row 1 (line 2): 3 fields where the header has 2"},
        {"name,text\r\n\"multi\r\nline\",x\r\nA\r\n", "row 2 (line 4): 1 fields where the header has 2"},
        {"name,text\r\nCAF\xC9,x\r\n", "line 2: not valid UTF-8 (the byte \\xC9 at byte offset 14)"},
        {"\xFF\xFEn", "not valid UTF-16LE: an odd number of bytes"},
        {std::string("\xFE\xFF\0n\xDC\0", 6), "not valid UTF-16BE: a surrogate without its partner at byte offset 4"},
    };
    for (const auto& [content, message] : cases) {
        EXPECT_EQ(Error(ExchangeFormat::Csv, content), message) << content;
    }
}

TEST(Json, IsAnArrayOfRowObjects) {
    EXPECT_EQ(Written(ExchangeFormat::Json, FileOf({{"A", "", "x\ny\x01", kDone}}, false)),
              "[\n  {\n    \"name\": \"A\",\n    \"text\": \"x\\ny\\u0001\"\n  }\n]\n");
    EXPECT_EQ(Written(ExchangeFormat::Json, FileOf({{"A", "s", "", kOpen}}, true)),
              "[\n  {\n    \"name\": \"A\",\n    \"source\": \"s\",\n    \"text\": \"\"\n  }\n]\n");
    EXPECT_EQ(Written(ExchangeFormat::Json, FileOf({}, false)), "[]\n");
    EXPECT_EQ(Read(ExchangeFormat::Json,
                   "\xEF\xBB\xBF[{\"text\": \"t\\u00e9\\ud83d\\ude00\\/\", \"name\": \"n\", \"note\": [1, -2.5e3, "
                   "{\"x\": null}, true]},\n {\"name\": \"m\", \"source\": \"s\", \"text\": \"\"}]"),
              (std::vector<Row>{{"n", "", "t\u00E9\U0001F600/", kDone}, {"m", "s", "", kOpen}}));
}

TEST(Json, WrongShapesAndRepeatedMembersNameTheRowOrPlace) {
    const std::pair<std::string, std::string> cases[] = {
        {"{\"name\": \"A\", \"text\": \"B\"}", "the JSON must be an array of {\"name\": ..., \"text\": ...} objects"},
        {"[{\"name\": \"A\", \"text\": \"B\"},\n 5]", "row 2 (line 2): not an object"},
        {"[{\"name\": \"A\"}]", "row 1 (line 1): needs \"text\" as a string"},
        {"[{\"name\": 7, \"text\": \"B\"}]", "row 1 (line 1): needs \"name\" as a string"},
        {"[{\"name\": \"A\",\n  \"text\": \"B\",\n  \"text\": \"C\"}]",
         "row 1 (line 1): the member \"text\" appears twice in one object (line 3, column 3)"},
        {"[{\"name\": \"A\", \"text\": \"B\", \"x\": {\"y\": 1, \"y\": 2}}]",
         "the member \"y\" appears twice in one object (line 1, column 43)"},
        {"[{\"name\": ", "not JSON: line 1, column 11: the file ends inside a value"},
        {"[{\"name\": \"\\ud800\"}]", "not JSON: line 1, column 12: a UTF-16 surrogate without its partner"},
        {"[{\"name\": \"\xC3\x28\"}]", "line 1: not valid UTF-8 (the byte \\xC3 at byte offset 11)"},
        {"[] x", "not JSON: line 1, column 4: more after the end of the JSON value"},
        {std::string(600, '['), "not JSON: line 1, column 514: nested more than 512 deep"},
    };
    for (const auto& [content, message] : cases) {
        EXPECT_EQ(Error(ExchangeFormat::Json, content), message) << content;
    }
}

TEST(Po, HasACompleteHeaderAndTheNameAsContext) {
    const std::string header =
        "msgid \"\"\n"
        "msgstr \"\"\n"
        "\"Project-Id-Version: T.DAT\\n\"\n"
        "\"POT-Creation-Date: 2024-05-06 07:08+0000\\n\"\n"
        "\"PO-Revision-Date: 2024-05-06 07:08+0000\\n\"\n"
        "\"Last-Translator: \\n\"\n"
        "\"Language-Team: \\n\"\n"
        "\"Language: de\\n\"\n"
        "\"MIME-Version: 1.0\\n\"\n"
        "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
        "\"Content-Transfer-Encoding: 8bit\\n\"\n"
        "\"X-Generator: dattool 1.0\\n\"\n";
    EXPECT_EQ(Written(ExchangeFormat::Po,
                      FileOf({{"GREETING", "", "Hello \"you\"", kDone}, {"MULTI", "", "one\r\ntwo", kDone}}, false)),
              header +
                  "\n"
                  "msgctxt \"GREETING\"\n"
                  "msgid \"Hello \\\"you\\\"\"\n"
                  "msgstr \"Hello \\\"you\\\"\"\n"
                  "\n"
                  "msgctxt \"MULTI\"\n"
                  "msgid \"\"\n"
                  "\"one\\n\"\n"
                  "\"two\"\n"
                  "msgstr \"\"\n"
                  "\"one\\n\"\n"
                  "\"two\"\n");
    EXPECT_EQ(Written(ExchangeFormat::Po, FileOf({{"A", "one\r\n", "eins", kFuzzy}}, true)),
              header + "\n#, fuzzy\nmsgctxt \"A\"\nmsgid \"one\\n\"\nmsgstr \"eins\"\n");
}

TEST(Po, ReadsGettextSyntaxAsMsgfmtDoes) {
    const std::pair<std::string, std::vector<Row>> cases[] = {
        // Comments, flags, obsolete entries, and strings joined over lines.
        {"# translator's comment\r\n"
         "msgid \"\"\r\n"
         "msgstr \"Content-Type: text/plain; charset=utf-8\\n\"\r\n"
         "\r\n"
         "#: somewhere\r\n"
         "#, c-format, fuzzy\r\n"
         "msgctxt \"DONE\"\r\n"
         "msgid \"Hello\"\r\n"
         "msgstr \"\"\r\n"
         "\"Bon\"\r\n"
         "  \"jour\" \"!\"\r\n"
         "msgctxt \"OPEN\"\n"
         "msgid \"kept\"\n"
         "msgstr \"\"\n"
         "#, fuzzy\n"
         "#~ msgctxt \"OBSOLETE\"\n"
         "#~ msgid \"gone\"\n"
         "#~ msgstr \"gone\"\n"
         "msgctxt \"LAST\" msgid \"\" msgstr \"\"\n",
         {{"DONE", "Hello", "Bonjour!", kFuzzy}, {"OPEN", "kept", "", kOpen}, {"LAST", "", "", kDone}}},
        // Every escape msgfmt knows; \x and octal keep their lowest byte.
        {std::string(kPoHeader) +
             "msgctxt \"E\"\nmsgid \"\\a\\b\\f\\v\\t\\\\\\\"\"\nmsgstr \"\\x41\\x4142\\101\\502\\7\"\n",
         {{"E", "\a\b\f\v\t\\\"", "ABAB\a", kDone}}},
        // Keywords touching their strings, CR alone ending lines, \n as CR LF.
        {std::string(kPoHeader) + "msgctxt\"A\"msgid\"one\\ntwo\"\rmsgstr\r\"eins\\r\\nzwei\\n\"\r",
         {{"A", "one\r\ntwo", "eins\r\nzwei\r\n", kDone}}},
        // A template's placeholder charset, and ASCII.
        {"msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=CHARSET\\n\"\n\nmsgctxt \"T\"\nmsgid \"x\"\nmsgstr "
         "\"\"\n",
         {{"T", "x", "", kOpen}}},
        {"msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ASCII\\n\"\n\nmsgctxt \"T\"\nmsgid \"x\"\nmsgstr "
         "\"y\"\n",
         {{"T", "x", "y", kDone}}},
    };
    for (const auto& [content, rows] : cases) {
        EXPECT_EQ(Read(ExchangeFormat::Po, content), rows) << content;
    }
    EXPECT_EQ(Read(ExchangeFormat::Po, std::string(kPoHeader) + "msgid \"Open\"\nmsgstr \"\\303\\226ffnen\"\n",
                   PoNames::FromMsgid),
              (std::vector<Row>{{"Open", "Open",
                                 "\xC3\x96"
                                 "ffnen",
                                 kDone}}));
}

// The charsets of real catalogues, converted by the system. In Shift_JIS
// the second byte of U+8868 is a backslash, which must not start an escape.
TEST(Po, ConvertsTheCharsetTheHeaderDeclares) {
    const auto po = [](const char* charset, const std::string& text) {
        return std::string("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=") + charset +
               "\\n\"\n\nmsgctxt \"A\"\nmsgid \"x\"\nmsgstr \"" + text + "\"\n";
    };
    const std::pair<std::string, std::string> cases[] = {
        {po("ISO-8859-8", "\xF9\xEC\xE5\xED"), "\u05E9\u05DC\u05D5\u05DD"},
        {po("EUC-JP", "\xC6\xFC\xCB\xDC"), "\u65E5\u672C"},
        {po("Shift_JIS", "\x95\x5C\x8E\xA6"), "\u8868\u793A"},
        {po("KOI8-R", "\xF0\xD2\xC9\xD7\xC5\xD4"), "\u041F\u0440\u0438\u0432\u0435\u0442"},
        {po("CP1251", "\xCF\xF0\xE8\xE2\xE5\xF2"), "\u041F\u0440\u0438\u0432\u0435\u0442"},
    };
    for (const auto& [content, text] : cases) {
        EXPECT_EQ(Read(ExchangeFormat::Po, content), (std::vector<Row>{{"A", "x", text, kDone}})) << content;
    }
    EXPECT_EQ(Error(ExchangeFormat::Po, po("X-UNKNOWN-8", "x")),
              "line 1: the header declares charset X-UNKNOWN-8, which this system cannot convert");
    EXPECT_EQ(Error(ExchangeFormat::Po, po("EUC-JP", "\xC6")), "line 6: not valid EUC-JP in a string of this line");
    EXPECT_EQ(Error(ExchangeFormat::Po, po("ASCII", "\xC6")),
              "line 6: not valid ASCII (the byte \\xC6 in a string of this line)");
}

TEST(Po, EntriesItCannotTakeNameTheirLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"msgid \"a\"\nmsgstr \"b\"\n",
         "row 1 (line 1): no msgctxt, which holds the entry's name (names can be taken from the msgid instead)"},
        {"msgctxt \"A\"\nmsgid \"a\"\nmsgid_plural \"as\"\nmsgstr[0] \"b\"\nmsgstr [1] \"c\"\n",
         "row 1 (line 1): \"A\" has plural forms (msgid_plural), which a table cannot hold"},
        {"msgctxt \"A\"\nmsgid \"a\"\n", "line 1: the entry has no msgstr"},
        {"msgctxt \"A\"\nmsgstr \"a\"\n", "line 2: msgstr without msgid"},
        {"msgctxt \"A\"\nmsgid \"a\"\nmsgstr[0] \"b\"\n", "line 3: msgstr[N] without msgid_plural"},
        {"msgctxt \"A\"\nmsgid \"a\\?\"\nmsgstr \"b\"\n", "line 2: invalid escape \\?"},
        {"msgctxt \"A\"\nmsgid \"a\\x\"\nmsgstr \"b\"\n", "line 2: invalid escape \\x"},
        {"msgctxt \"A\"\nmsgid \"a\nmsgstr \"b\"\n", "line 2: a string is not closed before the end of the line"},
        {"msgctxt \"A\"\nmsgid a\nmsgstr \"b\"\n", "line 2: expected a string in double quotes"},
        {"\"stray\"\n", "line 1: a string outside any msgctxt, msgid or msgstr"},
        {"msgctxt \"A\"\nmsgctxt \"B\"\n", "line 2: keywords out of order: an entry is msgctxt, msgid, msgstr"},
        {"msgtext \"A\"\n", "line 1: unknown keyword msgtext"},
        {"domain \"other\"\n", "line 1: domain directives are not supported: one file holds one table"},
        {std::string(kPoHeader) + kPoHeader, "line 4: a second header entry (msgid \"\" without msgctxt)"},
        {std::string(kPoHeader) + "msgctxt \"A\"\nmsgid \"x\"\nmsgstr \"\xC9t\xE9\"\n",
         "line 6: not valid UTF-8 (the byte \\xC9 in a string of this line)"},
    };
    for (const auto& [content, message] : cases) {
        EXPECT_EQ(Error(ExchangeFormat::Po, content), message) << content;
    }
}
