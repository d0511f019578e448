// A whole export of a string table, as dattool and the editor make it: the
// entries the format would refuse, then the rows and the file's content.
#pragma once

#include <string>
#include <vector>

#include "exchangeformat.h"
#include "tableexchange.h"

// Language codes such as de, pt_BR or sr@latin: letters, digits and _@.-,
// nothing that could break a PO header's line.
bool IsLanguageCode(const std::string& language);

struct TableExport {
    // Entries of the table and of the source that the file cannot carry;
    // when either is not empty there is no content.
    std::vector<EntryProblem> tableProblems;
    std::vector<EntryProblem> sourceProblems;
    PairCounts counts;  // with a source; only PO flags rows fuzzy, the others count them translated
    std::string content;
};

// Exports `table` in `format`: with `source` (null for none) a translator's
// file of the source's entries with the table's texts (PairedRows, names
// unique in the table), with options.header.isTemplate a template of the
// table's texts (TemplateRows), else the table's rows (TableRows). Entries
// of the table that the source does not name are not written and not
// judged. False only when memory runs out.
bool ExportTable(ExchangeFormat format, const StringTable& table, const StringTable* source,
                 const ExchangeWriteOptions& options, TableExport& result);
