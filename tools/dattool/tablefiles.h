// Reading and writing DAT files for a command, failures as ToolErrors.
#pragma once

#include <string>

#include "datfile.h"

// What the reader's status means, for the user.
std::string DescribeReadStatus(DatReadStatus status);

// `path` is as the user gave it (UTF-8); errors name it so.
StringTablePtr LoadTable(const std::string& path);
void SaveTable(const StringTable& table, const std::string& path);
