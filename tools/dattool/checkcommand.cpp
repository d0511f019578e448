// check: the reader's verdict, then what the reader does not test.
#include <iostream>
#include <string>

#include "datcommands.h"
#include "tablecheck.h"
#include "tablefiles.h"
#include "toolerror.h"
#include "toolmain.h"
#include "toolplatform.h"

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
    TableProblemLines lines;
    std::string text;
    for (const TableProblem& problem : problems) {
        lines.Append(problem, text);
        text += '\n';
        if (text.size() >= 1 << 16) {
            std::cout << text;
            text.clear();
        }
    }
    std::cout << text;
    return problems.empty() ? kExitSuccess : kExitFailed;
}
