#include "tableexport.h"

#include <algorithm>
#include <new>
#include <set>

#include "tabletext.h"

bool IsLanguageCode(const std::string& language) {
    return !language.empty() &&
           language.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_@.-") ==
               std::string::npos;
}

bool ExportTable(ExchangeFormat format, const StringTable& table, const StringTable* source,
                 const ExchangeWriteOptions& options, TableExport& result) {
    result = TableExport();
    try {
        // UTF-8 cannot carry a lone surrogate; a PO file carries neither NULs
        // nor line breaks other than CR LF, and msgfmt refuses two entries of
        // one name; translations must be found by their names.
        const unsigned rules = kUtf8Rules | (format == ExchangeFormat::Po ? kPoRules | kUniqueNames : 0);
        if (!FindEntryProblems(table, rules | (source != nullptr ? kUniqueNames : 0), result.tableProblems) ||
            (source != nullptr && !FindEntryProblems(*source, rules, result.sourceProblems))) {
            return false;
        }
        if (source != nullptr && !result.tableProblems.empty()) {
            std::set<std::string, NameIgnoringCaseLess> sourceNames;
            for (const StringEntry* entry = StringTableNext(*source, nullptr); entry;
                 entry = StringTableNext(*source, entry)) {
                sourceNames.insert(entry->name);
            }
            std::vector<EntryProblem>& problems = result.tableProblems;
            problems.erase(std::remove_if(problems.begin(), problems.end(),
                                          [&](const EntryProblem& problem) {
                                              return sourceNames.count(problem.entry->name) == 0;
                                          }),
                           problems.end());
        }
        if (!result.tableProblems.empty() || !result.sourceProblems.empty()) {
            return true;
        }
        ExchangeFile file;
        const bool made = source != nullptr           ? PairedRows(*source, table, file, result.counts)
                          : options.header.isTemplate ? TemplateRows(table, file)
                                                      : TableRows(table, file);
        if (!made || !WriteExchangeFile(format, file, options, result.content)) {
            return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (format != ExchangeFormat::Po) {
        result.counts.translated += result.counts.fuzzy;
        result.counts.fuzzy = 0;
    }
    return true;
}
