// String tables to exchange files and back, by the editor's rules. Every
// function reports by its result and none throws.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "exchangerow.h"
#include "stringtable.h"

// An entry that an export or import would refuse, and why.
struct EntryProblem {
    std::size_t number;  // entries count from 1, in table order
    const StringEntry* entry;
    std::string reason;
};

// Which rules FindEntryProblems applies; combine them with |.
constexpr unsigned kUtf8Rules = 1;    // a text UTF-8 can carry: no UTF-16 surrogate without its partner (every export)
constexpr unsigned kPoRules = 2;      // what a PO file carries: no NUL, no control characters in names, CR LF only
constexpr unsigned kUniqueNames = 4;  // no name an earlier entry has, ASCII case ignored (PO; translations)
constexpr unsigned kImportRules = 8;  // what import, like the editor, takes: NameProblem and TextProblem

// The problems of the entries under `rules`, in table order; an entry's
// problems in the order of the rules above. False when memory runs out.
bool FindEntryProblems(const StringTable& table, unsigned rules, std::vector<EntryProblem>& problems);

// How a paired export went.
struct PairCounts {
    std::size_t translated = 0;
    std::size_t fuzzy = 0;  // a translation that a leading or trailing line break sets apart from its source
    std::size_t untranslated = 0;
    std::size_t obsolete = 0;  // entries of the translations whose name the source table lacks (not written)
};

// The rows of a table's export: each entry's name and text, in table order.
// A text with a lone surrogate (FindEntryProblems under kUtf8Rules) would get
// U+FFFD. False only when memory runs out.
bool TableRows(const StringTable& table, ExchangeFile& file);

// A translator's rows: for each entry of `source`, in its order, the name,
// the source text, and the text of the entry of that name (ASCII case
// ignored) in `translations`, empty and untranslated when it has none. A
// translation whose text begins or ends with a line break where its source
// does not, or the reverse, is fuzzy (gettext's msgfmt refuses such a pair
// unless it is). Names must be unique in `translations` (kUniqueNames).
bool PairedRows(const StringTable& source, const StringTable& translations, ExchangeFile& file, PairCounts& counts);

// A template: the source's rows, every text empty.
bool TemplateRows(const StringTable& source, ExchangeFile& file);

struct ImportCounts {
    std::size_t translated = 0;
    std::size_t fuzzy = 0;
    std::size_t untranslated = 0;
    std::size_t kept = 0;  // fuzzy and untranslated rows that kept the replaced table's text
};

struct ImportResult {
    std::vector<ExchangeProblem> refused;  // when not empty there is no table
    StringTablePtr table;                  // null when rows were refused or memory ran out
    ImportCounts counts;
};

// Whether ImportRows would look into the table it replaces: only fuzzy and
// untranslated rows do.
bool NeedsReplacedTable(const ExchangeFile& file);

// The new table of an import: the table that inserting the rows in turn, as
// the editor's Insert String does, would make. Rows that are fuzzy or
// untranslated take the text of the entry of their name in `replaced` (the
// table the new one replaces, null for none), or are left out when it has
// none. Refuses, naming each row, a row whose name or text the editor would
// not take (ConvertRow) and a name that an earlier row has, ASCII case
// ignored, as the editor refuses a second entry of one name.
ImportResult ImportRows(const ExchangeFile& file, const StringTable* replaced);
