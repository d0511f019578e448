#include "tablefiles.h"

#include <iostream>
#include <new>

#include "datcommands.h"
#include "saverecovery.h"
#include "toolerror.h"
#include "folderlisting.h"
#include "systemtext.h"
#include "toolsystemtext.h"

std::string DescribeReadStatus(DatReadStatus status) {
    switch (status) {
    case DatReadStatus::Read: return "Read";
    case DatReadStatus::CannotOpen: return "Unable to open file";
    case DatReadStatus::CannotRead: return "Unable to read file";
    case DatReadStatus::NotATableFile:
        return "Not a string table: the file is shorter than its counts and lengths promise";
    case DatReadStatus::TooManyEntries: return "More entries than a string table can hold";
    case DatReadStatus::OutOfMemory: return "Out of memory";
    }
    return "Unable to read file";
}

void RecoverTable(const std::string& path, const std::string& native) {
    for (const RecoveryNotice& notice : RecoverSavesOf({native})) {
        // The note names the save's files as the system does.
        std::cerr << ErrorLine(kToolName, path, SystemTextToUtf8(notice.note)) << '\n';
    }
}

StringTablePtr LoadTable(const std::string& path) {
    const std::string native = NativePath(path);
    RecoverTable(path, native);
    if (!PathExists(native)) {
        throw ToolError(path, "No such file");
    }
    DatReadResult result = ReadStringTable(native.c_str());
    if (result.status != DatReadStatus::Read) {
        throw ToolError(path, DescribeReadStatus(result.status));
    }
    return std::move(result.table);
}

void SaveTable(const StringTable& table, const std::string& path) {
    switch (WriteStringTable(table, NativePath(path).c_str())) {
    case DatWriteStatus::Written: return;
    case DatWriteStatus::CannotCreate: throw ToolError(path, "Unable to create file");
    case DatWriteStatus::CannotWrite: throw ToolError(path, "Unable to write to file");
    case DatWriteStatus::CannotReplace: throw ToolError(path, "Unable to replace file");
    case DatWriteStatus::OutOfMemory: throw std::bad_alloc();
    }
}
