// The CSV, JSON and PO readers and writers on their own.
#include <gtest/gtest.h>

#include "csvformat.h"
#include "jsonformat.h"
#include "listescape.h"
#include "poformat.h"
#include "toolerror.h"

namespace {

using NameText = std::pair<std::string, std::string>;

std::vector<NameText> NamesAndTexts(const ExchangeRows& rows) {
    std::vector<NameText> pairs;
    for (const ExchangeRow& row : rows) {
        pairs.emplace_back(row.name, row.text);
    }
    return pairs;
}

// The error message, or "read" when the content was accepted.
template <typename Reader>
std::string ReadError(Reader reader, const std::string& content) {
    try {
        reader(content, "in");
    } catch (const ToolError& error) {
        EXPECT_EQ(error.file(), "in");
        return error.what();
    }
    return "read";
}

const ExchangeRows kAwkwardRows = {
    {"PLAIN", "text", ""},
    {"COMMA,NAME", "a \"quoted\" word, and more", ""},
    {"LINES", "first\r\nsecond\nthird\r", ""},
    {"TABS", "a\tb\\c", ""},
    {"EMPTY", "", ""},
    {"UNICODE", "caf\u00E9 \u20AC \U0001F600", ""},
    {"CONTROL", std::string("bell\a nul-free \x01 end"), ""},
    {" SPACED ", " both ends ", ""},
};

}  // namespace

TEST(ExchangeFormats, EveryFormatReadsBackWhatItWrote) {
    const std::vector<NameText> expected = NamesAndTexts(kAwkwardRows);
    EXPECT_EQ(NamesAndTexts(ReadCsv(WriteCsv(kAwkwardRows), "in")), expected);
    EXPECT_EQ(NamesAndTexts(ReadJson(WriteJson(kAwkwardRows), "in")), expected);
    EXPECT_EQ(NamesAndTexts(ReadPo(WritePo(kAwkwardRows), "in")), expected);
}

TEST(Csv, IsWrittenAsRfc4180WithCrLfAndQuotesOnlyWhereNeeded) {
    const ExchangeRows rows = {{"A", "plain", ""}, {"B,C", "say \"hi\"", ""}, {"D", "two\r\nlines", ""}};
    EXPECT_EQ(WriteCsv(rows), "name,text\r\nA,plain\r\n\"B,C\",\"say \"\"hi\"\"\"\r\nD,\"two\r\nlines\"\r\n");
}

TEST(Csv, ReadsWhatSpreadsheetsWrite) {
    const std::string content =
        "\xEF\xBB\xBF"       // byte order mark
        "Extra,TEXT,Name\n"  // columns in another order, with another letter case
        "x,hello,GREETING\n"
        "\n"  // an empty line
        "y,\"multi\nline\",\"Q\"\"T\"\n"
        "z,,LAST";  // no line end at the end
    const ExchangeRows rows = ReadCsv(content, "in");
    EXPECT_EQ(NamesAndTexts(rows),
              (std::vector<NameText>{{"GREETING", "hello"}, {"Q\"T", "multi\nline"}, {"LAST", ""}}));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].where, "row 2 (line 4)");
    EXPECT_EQ(rows[2].where, "row 3 (line 6)");
}

TEST(Csv, MalformedRecordsNameTheirLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "no header: the first line must be name,text"},
        {"name,value\r\nA,B\r\n", "line 1: the header needs the columns name and text"},
        {"name,text\r\nA,\"open\r\nstill open", "line 2: a quoted field is not closed"},
        {"name,text\r\nA,B\r\nC,say \"hi\"\r\n", "line 3: a quote inside an unquoted field"},
        {"name,text\r\nA,\"B\"x\r\n", "line 2: only a comma or a line end may follow a closing quote"},
        {"name,text\r\nA,B,C\r\n", "row 1 (line 2): 3 fields where the header has 2"},
        {"name,text\r\n\"multi\r\nline\",x\r\nA\r\n", "row 2 (line 4): 1 fields where the header has 2"},
    };
    for (const auto& [content, message] : cases) {
        EXPECT_EQ(ReadError(ReadCsv, content), message) << content;
    }
}

TEST(Json, IsAnArrayOfNameTextObjects) {
    EXPECT_EQ(WriteJson({{"A", "x\ny", ""}}), "[\n  {\n    \"name\": \"A\",\n    \"text\": \"x\\ny\"\n  }\n]\n");
    EXPECT_EQ(NamesAndTexts(ReadJson("[{\"text\": \"t\", \"name\": \"n\", \"note\": 1}]", "in")),
              (std::vector<NameText>{{"n", "t"}}));
    EXPECT_TRUE(ReadJson("[]", "in").empty());
}

TEST(Json, WrongShapesNameTheRow) {
    const std::pair<std::string, std::string> cases[] = {
        {"{\"name\": \"A\", \"text\": \"B\"}", "the JSON must be an array of {\"name\": ..., \"text\": ...} objects"},
        {"[{\"name\": \"A\", \"text\": \"B\"}, 5]", "row 2: not an object"},
        {"[{\"name\": \"A\"}]", "row 1: needs \"text\" as a string"},
        {"[{\"name\": 7, \"text\": \"B\"}]", "row 1: needs \"name\" as a string"},
    };
    for (const auto& [content, message] : cases) {
        EXPECT_EQ(ReadError(ReadJson, content), message) << content;
    }
    EXPECT_EQ(ReadError(ReadJson, "[{\"name\": ").rfind("not JSON: ", 0), 0u);
}

TEST(Po, HasAUtf8HeaderAndTheNameAsContext) {
    const std::string po = WritePo({{"GREETING", "Hello \"you\"", ""}, {"MULTI", "one\r\ntwo", ""}});
    EXPECT_EQ(po,
              "msgid \"\"\n"
              "msgstr \"\"\n"
              "\"MIME-Version: 1.0\\n\"\n"
              "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
              "\"Content-Transfer-Encoding: 8bit\\n\"\n"
              "\n"
              "msgctxt \"GREETING\"\n"
              "msgid \"Hello \\\"you\\\"\"\n"
              "msgstr \"Hello \\\"you\\\"\"\n"
              "\n"
              "msgctxt \"MULTI\"\n"
              "msgid \"\"\n"
              "\"one\\r\\n\"\n"
              "\"two\"\n"
              "msgstr \"\"\n"
              "\"one\\r\\n\"\n"
              "\"two\"\n");
}

TEST(Po, ReadsTranslationsAsEditorsLeaveThem) {
    const std::string content =
        "# translator's comment\r\n"
        "msgid \"\"\r\n"
        "msgstr \"Content-Type: text/plain; charset=utf-8\\n\"\r\n"
        "\r\n"
        "#: somewhere\r\n"
        "#, fuzzy\r\n"
        "msgctxt \"DONE\"\r\n"
        "msgid \"Hello\"\r\n"
        "msgstr \"\"\r\n"
        "\"Bon\"\r\n"
        "  \"jour\\t\\101\\\\\"\r\n"
        "msgctxt \"UNTRANSLATED\"\n"
        "msgid \"kept\"\n"
        "msgstr \"\"\n"
        "#~ msgctxt \"OBSOLETE\"\n"
        "#~ msgid \"gone\"\n";
    const ExchangeRows rows = ReadPo(content, "in");
    EXPECT_EQ(NamesAndTexts(rows), (std::vector<NameText>{{"DONE", "Bonjour\tA\\"}, {"UNTRANSLATED", "kept"}}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].where, "row 1 (line 7)");
    EXPECT_EQ(rows[1].where, "row 2 (line 12)");
}

TEST(Po, EntriesItCannotTakeNameTheirLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n",
         "the header declares charset iso-8859-1; only UTF-8 is read"},
        {"msgid \"a\"\nmsgstr \"b\"\n", "row 1 (line 1): no msgctxt, which holds the entry's name"},
        {"msgctxt \"A\"\nmsgid \"a\"\nmsgid_plural \"as\"\nmsgstr[0] \"b\"\n",
         "line 3: plural forms are not supported"},
        {"msgctxt \"A\"\nmsgid \"a\"\n", "line 2: the entry of line 1 has no msgstr"},
        {"msgctxt \"A\"\nmsgstr \"a\"\n", "line 2: msgstr without msgid"},
        {"msgctxt \"A\"\nmsgid \"a\\q\"\nmsgstr \"b\"\n", "line 2: unknown escape \\q"},
        {"msgctxt \"A\"\nmsgid a\nmsgstr \"b\"\n", "line 2: expected a string in double quotes"},
        {"\"stray\"\n", "line 1: a string outside any msgctxt, msgid or msgstr"},
        {"msgctxt \"A\"\nmsgctxt \"B\"\n", "line 2: keywords out of order: an entry is msgctxt, msgid, msgstr"},
        {"msgtext \"A\"\n", "line 1: unknown keyword msgtext"},
    };
    for (const auto& [content, message] : cases) {
        EXPECT_EQ(ReadError(ReadPo, content), message) << content;
    }
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
