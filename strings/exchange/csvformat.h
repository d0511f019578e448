// CSV as RFC 4180 describes it: UTF-8, records ending in CR LF, fields quoted
// when they hold a comma, a quote, CR or LF, quotes doubled inside them. The
// first record is the header "name,text".
#pragma once

#include "exchangerow.h"

std::string WriteCsv(const ExchangeRows& rows);

// Reads the rows of a CSV file whose header has the columns "name" and
// "text" (in any order, any letter case; other columns are ignored). A UTF-8
// byte order mark, lone LF line ends and empty lines are accepted. Throws
// ToolError(fileName, ...) naming the line of a malformed record.
ExchangeRows ReadCsv(const std::string& content, const std::string& fileName);
