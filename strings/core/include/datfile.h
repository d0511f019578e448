#pragma once

#include "stringtable.h"

// The DAT text-table file: a count, one 12-byte record (key, textLength,
// nameLength) per entry, then all texts as UTF-16LE, then all names, with no
// terminators; every integer unsigned 32-bit little-endian.

enum class DatReadStatus {
    Read,            // the table holds the file's entries, in file order
    CannotOpen,      // missing, not a regular file, or held open by another program
    CannotRead,      // the system reported an error while reading
    NotATableFile,   // shorter than its count and lengths promise
    TooManyEntries,  // more entries than a table can hold
    OutOfMemory,
};

struct DatReadResult {
    DatReadStatus status;
    StringTablePtr table;  // set only when status is Read
};

// Reads a whole DAT file into a new table. A file with count 0 reads as an
// empty table; any failure releases everything read so far and gives no table.
DatReadResult ReadStringTable(const char* path);

enum class DatWriteStatus {
    Written,
    CannotCreate,   // no temporary file could be made beside the target
    CannotWrite,    // writing, flushing or closing the temporary file failed
    CannotReplace,  // the target could not be replaced by the written file
    OutOfMemory,    // no memory for the paths of the save; nothing was written
};

// Writes the table in list order to a temporary file beside `path` and only
// then puts it in the place of `path`; on any failure the previous file is
// untouched and the temporary file is gone.
DatWriteStatus WriteStringTable(const StringTable& table, const char* path);
