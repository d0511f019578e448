// A whole new table from rows at once, for import.
#pragma once

#include <vector>

#include "stringtable.h"
#include "tabletext.h"

// The table that inserting `rows` one at a time into an empty table makes,
// when no two of their names are alike with ASCII case ignored: in ascending
// key order, rows of one key in their given order. Built by one stable sort
// and appending, not by as many walks of the list as there are rows. Null
// when memory runs out or the rows are more than a table holds.
StringTablePtr TableInKeyOrder(const std::vector<TableRow>& rows);
