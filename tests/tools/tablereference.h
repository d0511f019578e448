// The plain ways of making and judging a string table that dattool's own
// must match: the references of its tests and the baselines of its
// benchmarks.
#pragma once

#include <vector>

#include "stringtable.h"
#include "tablecheck.h"
#include "tabletext.h"

// Each row inserted in turn as the editor inserts a string: one walk of the
// list per row.
StringTablePtr TableInsertedRowByRow(const std::vector<TableRow>& rows);

// Each entry compared with every earlier entry of its name and of its key.
std::vector<TableProblem> ProblemsComparingEveryEarlierEntry(const StringTable& table);
