// check: the reader's verdict, then what the reader does not test and what
// export or import would refuse.
#include <iostream>
#include <new>
#include <string>

#include "datcommands.h"
#include "tablecheck.h"
#include "tableexchange.h"
#include "tablefiles.h"
#include "toolerror.h"
#include "toolmain.h"
#include "folderlisting.h"
#include "toolsystemtext.h"

int CheckCommand(const std::string& tablePath) {
    const std::string native = NativePath(tablePath);
    RecoverTable(tablePath, native);
    if (!PathExists(native)) {
        throw ToolError(tablePath, "No such file");
    }
    const DatReadResult result = ReadStringTable(native.c_str());
    if (result.status != DatReadStatus::Read) {
        std::cout << "reader: " << DescribeReadStatus(result.status) << '\n';
        return kExitFailed;
    }
    const std::vector<TableProblem> problems = FindTableProblems(*result.table);
    // Repeated names are problems of the table already.
    std::vector<EntryProblem> refused;
    if (!FindEntryProblems(*result.table, kUtf8Rules | kPoRules | kImportRules, refused)) {
        throw std::bad_alloc();
    }
    TableProblemLines lines;
    std::string text;
    // Both lists are in table order; an entry's own problems come first.
    auto next = problems.begin();
    auto nextRefused = refused.begin();
    while (next != problems.end() || nextRefused != refused.end()) {
        if (nextRefused == refused.end() || (next != problems.end() && next->number <= nextRefused->number)) {
            lines.append(*next++, text);
        } else {
            lines.append(*nextRefused++, text);
        }
        text += '\n';
        if (text.size() >= 1 << 16) {
            std::cout << text;
            text.clear();
        }
    }
    std::cout << text;
    return problems.empty() && refused.empty() ? kExitSuccess : kExitFailed;
}
