// Whole output files written without risk to the files they replace.
#pragma once

#include <string>

// Writes `content` beside `path` (as this system's file functions take it)
// and puts it in its place only when complete, so a failure leaves an existing
// file as it was. Throws ToolError(shownPath, ...).
void WriteFileSafely(const std::string& path, const std::string& content, const std::string& shownPath);
