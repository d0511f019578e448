#include "tableexchange.h"

#include <algorithm>
#include <map>
#include <new>
#include <utility>

#include "encoding.h"
#include "keyordertable.h"
#include "tabletext.h"

namespace {

using EntriesByName = std::map<std::string, const StringEntry*, NameIgnoringCaseLess>;

bool IsControlCharacter(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool IsHighSurrogate(TextUnit unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(TextUnit unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool HasLoneSurrogate(const StringEntry& entry) {
    for (std::uint32_t i = 0; i < entry.textLength; ++i) {
        if (IsHighSurrogate(entry.text[i]) && i + 1 < entry.textLength && IsLowSurrogate(entry.text[i + 1])) {
            ++i;
        } else if (IsHighSurrogate(entry.text[i]) || IsLowSurrogate(entry.text[i])) {
            return true;
        }
    }
    return false;
}

// Line breaks a PO file carries: CR LF, written as "\n".
bool HasLoneLineBreak(const StringEntry& entry) {
    for (std::uint32_t i = 0; i < entry.textLength; ++i) {
        if (entry.text[i] == '\r' && i + 1 < entry.textLength && entry.text[i + 1] == '\n') {
            ++i;
        } else if (entry.text[i] == '\r' || entry.text[i] == '\n') {
            return true;
        }
    }
    return false;
}

std::string PoProblem(const StringEntry& entry) {
    const char* const name = entry.name;
    const char* const nameEnd = name + entry.nameLength;
    if (std::find(name, nameEnd, '\0') != nameEnd) {
        return "the name has a NUL character";
    }
    if (std::any_of(name, nameEnd, IsControlCharacter)) {
        return "the name has a control character, which the editor cannot show";
    }
    if (std::find(entry.text, entry.text + entry.textLength, TextUnit(0)) != entry.text + entry.textLength) {
        return "the text has a NUL character";
    }
    if (HasLoneLineBreak(entry)) {
        return "the text has a line break other than CR LF, which a PO file cannot carry";
    }
    return std::string();
}

void AddProblem(std::vector<EntryProblem>& problems, std::size_t number, const StringEntry* entry,
                const std::string& reason) {
    if (reason.empty()) {
        return;
    }
    // Rules overlap (a NUL is refused by PO and by import): one line each.
    for (auto it = problems.rbegin(); it != problems.rend() && it->number == number; ++it) {
        if (it->reason == reason) {
            return;
        }
    }
    problems.push_back(EntryProblem{number, entry, reason});
}

bool BeginsWithLineBreak(const std::string& text) {
    return text.compare(0, 1, "\n") == 0 || text.compare(0, 2, "\r\n") == 0;
}

bool EndsWithLineBreak(const std::string& text) { return !text.empty() && text.back() == '\n'; }

// msgfmt -c refuses a translation that does not begin and end with "\n"
// where its source does.
bool LineBreaksDiffer(const std::string& source, const std::string& text) {
    return BeginsWithLineBreak(source) != BeginsWithLineBreak(text) ||
           EndsWithLineBreak(source) != EndsWithLineBreak(text);
}

ExchangeRow RowOf(const StringEntry& entry) {
    return ExchangeRow{NameAsUtf8(entry), std::string(), Utf16ToUtf8Lossy(EntryText(entry)), RowState::Translated,
                       std::string()};
}

}  // namespace

bool FindEntryProblems(const StringTable& table, unsigned rules, std::vector<EntryProblem>& found) {
    try {
        std::vector<EntryProblem> problems;
        std::map<std::string, std::pair<const StringEntry*, std::size_t>, NameIgnoringCaseLess> firstOfName;
        std::size_t number = 0;
        for (const StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
            ++number;
            if ((rules & kUtf8Rules) != 0 && HasLoneSurrogate(*entry)) {
                AddProblem(problems, number, entry,
                           "the text has a UTF-16 surrogate without its partner, which UTF-8 cannot carry");
            }
            if ((rules & kPoRules) != 0) {
                AddProblem(problems, number, entry, PoProblem(*entry));
            }
            if ((rules & kUniqueNames) != 0) {
                const auto first = firstOfName.emplace(entry->name, std::make_pair(entry, number)).first;
                if (first->second.first != entry) {
                    AddProblem(problems, number, entry,
                               "the name is also the name of entry " + std::to_string(first->second.second));
                }
            }
            if ((rules & kImportRules) != 0) {
                AddProblem(problems, number, entry, EntryNameProblem(*entry));
                AddProblem(problems, number, entry, EntryTextProblem(*entry));
            }
        }
        found = std::move(problems);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool TableRows(const StringTable& table, ExchangeFile& file) {
    try {
        ExchangeFile made;
        for (const StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
            made.rows.push_back(RowOf(*entry));
        }
        file = std::move(made);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool PairedRows(const StringTable& source, const StringTable& translations, ExchangeFile& file, PairCounts& counts) {
    try {
        EntriesByName translationOf;
        for (const StringEntry* entry = StringTableNext(translations, nullptr); entry;
             entry = StringTableNext(translations, entry)) {
            translationOf.emplace(entry->name, entry);
        }
        EntriesByName sourceOf;
        ExchangeFile made;
        made.withSource = true;
        PairCounts madeCounts;
        for (const StringEntry* entry = StringTableNext(source, nullptr); entry;
             entry = StringTableNext(source, entry)) {
            sourceOf.emplace(entry->name, entry);
            ExchangeRow row = RowOf(*entry);
            row.source = std::move(row.text);
            row.text.clear();
            const auto found = translationOf.find(entry->name);
            if (found != translationOf.end()) {
                row.text = Utf16ToUtf8Lossy(EntryText(*found->second));
            }
            if (row.text.empty() && !row.source.empty()) {
                row.state = RowState::Untranslated;
                ++madeCounts.untranslated;
            } else if (!row.text.empty() && LineBreaksDiffer(row.source, row.text)) {
                row.state = RowState::Fuzzy;
                ++madeCounts.fuzzy;
            } else {
                ++madeCounts.translated;
            }
            made.rows.push_back(std::move(row));
        }
        for (const auto& [name, entry] : translationOf) {
            if (sourceOf.count(name) == 0) {
                ++madeCounts.obsolete;
            }
        }
        file = std::move(made);
        counts = madeCounts;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool TemplateRows(const StringTable& source, ExchangeFile& file) {
    try {
        ExchangeFile made;
        made.withSource = true;
        for (const StringEntry* entry = StringTableNext(source, nullptr); entry;
             entry = StringTableNext(source, entry)) {
            ExchangeRow row = RowOf(*entry);
            row.source = std::move(row.text);
            row.text.clear();
            row.state = RowState::Untranslated;
            made.rows.push_back(std::move(row));
        }
        file = std::move(made);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool NeedsReplacedTable(const ExchangeFile& file) {
    return std::any_of(file.rows.begin(), file.rows.end(),
                       [](const ExchangeRow& row) { return row.state != RowState::Translated; });
}

ImportResult ImportRows(const ExchangeFile& file, const StringTable* replaced) {
    ImportResult result;
    try {
        EntriesByName replacedByName;
        if (replaced != nullptr) {
            for (const StringEntry* entry = StringTableNext(*replaced, nullptr); entry;
                 entry = StringTableNext(*replaced, entry)) {
                replacedByName.emplace(entry->name, entry);
            }
        }
        std::map<std::string, std::size_t, NameIgnoringCaseLess> rowOfName;
        std::vector<TableRow> rows;
        for (std::size_t index = 0; index < file.rows.size(); ++index) {
            const ExchangeRow& row = file.rows[index];
            ImportCounts& counts = result.counts;
            ++(row.state == RowState::Translated ? counts.translated
               : row.state == RowState::Fuzzy    ? counts.fuzzy
                                                 : counts.untranslated);
            TableRow tableRow;
            std::string problem = ConvertName(row.name, tableRow.name);
            if (problem.empty()) {
                problem = NameProblem(tableRow.name);
            }
            // The editor refuses a second entry of one name ("String with
            // this name already exists!"); the table would replace the first text.
            if (problem.empty()) {
                const auto first = rowOfName.emplace(tableRow.name, index).first;
                if (first->second != index) {
                    problem = "the name " + row.name + " is already used by " + file.rows[first->second].where;
                }
            }
            if (problem.empty() && row.state == RowState::Translated) {
                problem =
                    Utf8ToUtf16(row.text, tableRow.text) ? TextProblem(tableRow.text) : "the text is not valid UTF-8";
            } else if (problem.empty()) {
                const auto kept = replacedByName.find(tableRow.name);
                if (kept == replacedByName.end()) {
                    continue;
                }
                tableRow.text = EntryText(*kept->second);
                problem = TextProblem(tableRow.text);
                ++counts.kept;
            }
            if (!problem.empty()) {
                result.refused.push_back(ExchangeProblem{row.where, problem});
                continue;
            }
            rows.push_back(std::move(tableRow));
        }
        if (result.refused.empty()) {
            result.table = TableInKeyOrder(rows);
        }
    } catch (const std::bad_alloc&) {
        result.table.reset();
    }
    return result;
}
