// Tables to exchange rows and back: the rules of export, import and check.
#include <algorithm>

#include <gtest/gtest.h>

#include "namekey.h"
#include "tableexchange.h"
#include "tabletext.h"
#include "datwriter.h"

namespace {

StringTablePtr TableOf(const std::vector<std::pair<std::string, std::u16string>>& entries) {
    StringTablePtr table = StringTableCreate();
    for (const auto& [name, text] : entries) {
        StringEntry* entry = StringTableAppend(*table);
        ++table->count;
        entry->nameLength = static_cast<std::uint32_t>(name.size());
        entry->textLength = static_cast<std::uint32_t>(text.size());
        entry->name = AllocateEntryName(entry->nameLength);
        entry->text = AllocateEntryText(entry->textLength);
        std::copy(name.begin(), name.end(), entry->name);
        entry->name[name.size()] = '\0';
        std::copy(text.begin(), text.end(), entry->text);
        entry->text[text.size()] = 0;
    }
    return table;
}

std::vector<std::pair<std::string, std::u16string>> EntriesOf(const StringTable& table) {
    std::vector<std::pair<std::string, std::u16string>> entries;
    for (const StringEntry* e = StringTableNext(table, nullptr); e; e = StringTableNext(table, e)) {
        entries.emplace_back(std::string(e->name, e->nameLength), TextOf(*e));
    }
    return entries;
}

std::string ProblemLines(const StringTable& table, unsigned rules) {
    std::vector<EntryProblem> problems;
    EXPECT_TRUE(FindEntryProblems(table, rules, problems));
    std::string lines;
    for (const EntryProblem& problem : problems) {
        lines += std::to_string(problem.number) + ": " + problem.reason + "\n";
    }
    return lines;
}

ExchangeRow Row(const std::string& name, const std::string& text, RowState state = RowState::Translated) {
    return ExchangeRow{name, "source", text, state, "row of " + name};
}

}  // namespace

TEST(TableExchange, NamesTheEditorCannotShowAreRefused) {
    const std::pair<std::string, std::string> cases[] = {
        {"GOOD NAME", ""},
        {"", "the name is empty"},
        {std::string("A\0B", 3), "the name has a NUL character"},
        {std::string(255, 'n'), "the name is 255 bytes long, more than the 254 the editor allows"},
        {"TAB\tBED", "the name has a control character, which the editor cannot show"},
        {"LINE\n", "the name has a control character, which the editor cannot show"},
        {"C1\x81", "the name has a control character, which the editor cannot show"},
        {" LEADING", "the name begins or ends with a space, which the editor cannot show"},
        {"TRAILING ", "the name begins or ends with a space, which the editor cannot show"},
    };
    for (const auto& [name, problem] : cases) {
        EXPECT_EQ(NameProblem(name), problem) << name;
    }
}

// Every rule on its own, then all at once as check applies them: an entry
// that breaks several rules is named once per reason.
TEST(TableExchange, FindsEveryEntryThatExportOrImportWouldRefuse) {
    const StringTablePtr table = TableOf({
        {"FINE", u"one\r\ntwo"},
        {"SURROGATE", u"x" + std::u16string(1, char16_t(0xD800))},
        {"LONE", u"lf\nonly"},
        {"fine", u"again"},
        {"CTRL\x01", std::u16string(u"nul\0", 4)},
        {"", std::u16string(10240, u't')},
    });
    EXPECT_EQ(ProblemLines(*table, kUtf8Rules),
              "2: the text has a UTF-16 surrogate without its partner, which UTF-8 cannot carry\n");
    EXPECT_EQ(ProblemLines(*table, kPoRules),
              "3: the text has a line break other than CR LF, which a PO file cannot carry\n"
              "5: the name has a control character, which the editor cannot show\n");
    EXPECT_EQ(ProblemLines(*table, kUniqueNames), "4: the name is also the name of entry 1\n");
    EXPECT_EQ(ProblemLines(*table, kImportRules),
              "5: the name has a control character, which the editor cannot show\n"
              "5: the text has a NUL character\n"
              "6: the name is empty\n"
              "6: the text is 10240 UTF-16 code units long, more than the 10239 the editor allows\n");
    EXPECT_EQ(ProblemLines(*table, kUtf8Rules | kPoRules | kImportRules),
              "2: the text has a UTF-16 surrogate without its partner, which UTF-8 cannot carry\n"
              "3: the text has a line break other than CR LF, which a PO file cannot carry\n"
              "5: the name has a control character, which the editor cannot show\n"
              "5: the text has a NUL character\n"
              "6: the name is empty\n"
              "6: the text is 10240 UTF-16 code units long, more than the 10239 the editor allows\n");
}

TEST(TableExchange, PairedRowsHoldEachSourceTextAndItsTranslation) {
    const StringTablePtr source =
        TableOf({{"HELLO", u"Hello"}, {"BYE", u"Bye"}, {"LINES", u"\r\nIndented"}, {"BLANK", u""}});
    const StringTablePtr translations =
        TableOf({{"bye", u"Tsch\u00FCss"}, {"HELLO", u""}, {"LINES", u"Einger\u00FCckt"}, {"GONE", u"Alt"}});
    ExchangeFile file;
    PairCounts counts;
    ASSERT_TRUE(PairedRows(*source, *translations, file, counts));
    ASSERT_EQ(file.rows.size(), 4u);
    EXPECT_TRUE(file.withSource);
    const std::tuple<std::string, std::string, std::string, RowState> expected[] = {
        {"HELLO", "Hello", "", RowState::Untranslated},
        {"BYE", "Bye", "Tsch\xC3\xBCss", RowState::Translated},
        {"LINES", "\r\nIndented",
         "Einger\xC3\xBC"
         "ckt",
         RowState::Fuzzy},
        {"BLANK", "", "", RowState::Translated},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        const ExchangeRow& row = file.rows[i];
        EXPECT_EQ(std::tie(row.name, row.source, row.text, row.state), expected[i]) << i;
    }
    EXPECT_EQ(std::make_tuple(counts.translated, counts.fuzzy, counts.untranslated, counts.obsolete),
              std::make_tuple(2u, 1u, 1u, 1u));

    ASSERT_TRUE(TemplateRows(*source, file));
    EXPECT_EQ(file.rows[1].source, "Bye");
    EXPECT_EQ(file.rows[1].text, "");
}

TEST(TableExchange, ImportTakesNoFuzzyOrUntranslatedTextButKeepsTheReplacedOne) {
    ExchangeFile file;
    file.withSource = true;
    file.rows = {Row("DONE", "fertig"), Row("FUZZY", "vielleicht", RowState::Fuzzy),
                 Row("OPEN", "", RowState::Untranslated), Row("NEW", "", RowState::Untranslated)};
    const StringTablePtr replaced = TableOf({{"fuzzy", u"alt"}, {"OPEN", u"offen"}, {"OTHER", u"weg"}});
    for (const StringTable* old :
         {static_cast<const StringTable*>(nullptr), static_cast<const StringTable*>(replaced.get())}) {
        const ImportResult result = ImportRows(file, old);
        ASSERT_TRUE(result.table);
        std::vector<std::pair<std::string, std::u16string>> expected = {{"DONE", u"fertig"}};
        if (old != nullptr) {
            expected = {{"OPEN", u"offen"}, {"FUZZY", u"alt"}, {"DONE", u"fertig"}};
            std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
                return ComputeNameKey(a.first.c_str()) < ComputeNameKey(b.first.c_str());
            });
        }
        EXPECT_EQ(EntriesOf(*result.table), expected);
        EXPECT_EQ(std::make_tuple(result.counts.translated, result.counts.fuzzy, result.counts.untranslated,
                                  result.counts.kept),
                  std::make_tuple(1u, 1u, 2u, old != nullptr ? 2u : 0u));
    }
    EXPECT_TRUE(NeedsReplacedTable(file));
    file.rows.resize(1);
    EXPECT_FALSE(NeedsReplacedTable(file));
}

TEST(TableExchange, ImportRefusesEveryRowTheEditorWouldNotTake) {
    ExchangeFile file;
    file.rows = {Row("A", "x"),
                 Row(" A", "x"),
                 Row("a", "y"),
                 Row("\xE6\xBC\xA2", "x"),
                 Row("B", std::string(10240, 't')),
                 Row("C\tD", "", RowState::Untranslated)};
    const ImportResult result = ImportRows(file, nullptr);
    EXPECT_FALSE(result.table);
    std::string lines;
    for (const ExchangeProblem& problem : result.refused) {
        lines += problem.where + ": " + problem.reason + "\n";
    }
    EXPECT_EQ(lines,
              "row of  A: the name begins or ends with a space, which the editor cannot show\n"
              "row of a: the name a is already used by row of A\n"
              "row of \xE6\xBC\xA2: the name \xE6\xBC\xA2 has characters that Windows-1252 does not have\n"
              "row of B: the text is 10240 UTF-16 code units long, more than the 10239 the editor allows\n"
              "row of C\tD: the name has a control character, which the editor cannot show\n");
}
