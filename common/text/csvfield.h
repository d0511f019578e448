// One field of an RFC 4180 CSV record.
#pragma once

#include <string>

// Appends the field, in double quotes (quotes inside doubled) when it holds a
// comma, a quote, CR or LF.
void AppendCsvField(std::string& out, const std::string& field);
