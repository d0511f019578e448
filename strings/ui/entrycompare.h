// The order of the list's rows: by name (column 0) or by text (any other
// column), with the ASCII letters A-Z taken as a-z and everything else
// compared as unsigned values, so '_' sorts before every letter.
#pragma once

#include <windows.h>

#include "stringtable.h"

// Negative, 0 or positive like strcmp.
int CompareTextsIgnoringCase(const TextUnit* first, const TextUnit* second);
int CompareEntries(const StringEntry& first, const StringEntry& second, int column);

// List-view sort callbacks: the item data are entries, the third argument
// the column.
int CALLBACK CompareEntriesAscending(LPARAM first, LPARAM second, LPARAM column);
int CALLBACK CompareEntriesDescending(LPARAM first, LPARAM second, LPARAM column);
