// export and import: a table to and from CSV, JSON or PO.
#include <iostream>
#include <map>
#include <new>

#include "datcommands.h"
#include "encoding.h"
#include "exchangeformat.h"
#include "keyordertable.h"
#include "tablefiles.h"
#include "tabletext.h"
#include "textfiles.h"
#include "toolerror.h"
#include "toolmain.h"

namespace {

ExchangeFormat FormatOf(const std::string& fileName) {
    ExchangeFormat format = ExchangeFormat::Csv;
    if (!FormatFromFileName(fileName, format)) {
        throw ToolError(fileName, "the extension must be .csv, .json or .po");
    }
    return format;
}

// Exporting a text that UTF-8 cannot carry would change it without a word.
ExchangeRows RowsOf(const StringTable& table, const std::string& tablePath) {
    ExchangeRows rows;
    std::size_t number = 0;
    for (const StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
        ++number;
        ExchangeRow row{NameAsUtf8(*entry), std::string(), "entry " + std::to_string(number)};
        if (!Utf16ToUtf8(EntryText(*entry), row.text)) {
            throw ToolError(tablePath, row.where + " \"" + row.name +
                                           "\": the text has a UTF-16 surrogate without its partner, which UTF-8 "
                                           "cannot carry");
        }
        rows.push_back(row);
    }
    return rows;
}

// Every row that the editor would not take, with the reason.
std::vector<std::string> RefusedRows(const ExchangeRows& rows, std::vector<TableRow>& converted) {
    std::vector<std::string> refused;
    std::map<std::string, std::string, NameIgnoringCaseLess> placeOfName;
    for (const ExchangeRow& row : rows) {
        TableRow tableRow;
        const std::string problem = ConvertRow(row.name, row.text, tableRow);
        if (!problem.empty()) {
            refused.push_back(row.where + ": " + problem);
            continue;
        }
        // The editor refuses a second entry of one name ("String with this
        // name already exists!"); the table would replace the first text.
        const auto first = placeOfName.emplace(tableRow.name, row.where).first;
        if (first->second != row.where) {
            refused.push_back(row.where + ": the name " + row.name + " is already used by " + first->second);
            continue;
        }
        converted.push_back(std::move(tableRow));
    }
    return refused;
}

}  // namespace

int ExportCommand(const std::string& tablePath, const std::string& outputPath) {
    const ExchangeFormat format = FormatOf(outputPath);
    const StringTablePtr table = LoadTable(tablePath);
    WriteWholeFile(outputPath, WriteRows(format, RowsOf(*table, tablePath)));
    return kExitSuccess;
}

int ImportCommand(const std::string& inputPath, const std::string& tablePath) {
    const ExchangeFormat format = FormatOf(inputPath);
    const ExchangeRows rows = ReadRows(format, ReadWholeFile(inputPath), inputPath);
    std::vector<TableRow> converted;
    const std::vector<std::string> refused = RefusedRows(rows, converted);
    if (!refused.empty()) {
        for (const std::string& reason : refused) {
            std::cerr << ErrorLine(kToolName, inputPath, reason) << '\n';
        }
        std::cerr << ErrorLine(kToolName, tablePath,
                               "Not written: " + std::to_string(refused.size()) + " rows were refused")
                  << '\n';
        return kExitFailed;
    }
    // The same table as inserting the rows in turn as the editor does, which
    // would walk the list once per row.
    const StringTablePtr table = TableInKeyOrder(converted);
    if (!table) {
        throw std::bad_alloc();
    }
    SaveTable(*table, tablePath);
    return kExitSuccess;
}
