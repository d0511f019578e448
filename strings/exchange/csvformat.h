// CSV as RFC 4180 describes it: records ending in CR LF, fields quoted when
// they hold a comma, a quote, CR or LF, quotes doubled inside them. The first
// record is the header: "name,text", or "name,source,text" with sources.
#pragma once

#include <string>

#include "exchangerow.h"

// UTF-8, with its byte order mark first when asked (spreadsheets such as
// Excel read a CSV file without it in the system's 8-bit code page).
std::string WriteCsv(const ExchangeFile& file, bool byteOrderMark);

// Reads the rows of a CSV file whose header has the columns "name" and
// "text", perhaps "source" (in any order, any letter case; other columns are
// ignored). The file is UTF-8, with or without a byte order mark, or UTF-16
// (LE or BE) with one, as spreadsheets save "Unicode text". The separator is
// the first comma, semicolon or tab of the header line. Lone LF line ends and
// empty lines are accepted. False with `error` naming the line of a
// malformed record.
bool ReadCsv(const std::string& content, ExchangeFile& file, std::string& error);
