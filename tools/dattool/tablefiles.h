// Reading and writing DAT files for a command, failures as ToolErrors.
#pragma once

#include <string>

#include "datfile.h"

// What the reader's status means, for the user.
std::string DescribeReadStatus(DatReadStatus status);

// Finishes or undoes a save of the table that its process did not live to
// end, as the editor does when it opens a table, with a warning line on
// standard error for each thing the user should know. `path` is as the user
// gave it (UTF-8), `native` as the system takes it.
void RecoverTable(const std::string& path, const std::string& native);

// `path` is as the user gave it (UTF-8); errors name it so. RecoverTable first.
StringTablePtr LoadTable(const std::string& path);
void SaveTable(const StringTable& table, const std::string& path);
