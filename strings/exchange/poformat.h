// gettext PO: a header entry, then one entry per row with msgctxt = the name,
// msgid = the source (or the text, in a file without sources) and msgstr =
// the text.
#pragma once

#include <string>

#include "exchangeformat.h"

// UTF-8. The table's CR LF is written as "\n" (a lone CR or LF as "\r" or
// "\n"); a text with line breaks goes on several lines, each ending after a
// "\n", as gettext's own tools write it.
std::string WritePo(const ExchangeFile& file, const PoHeader& header);

// See ReadExchangeFile.
bool ReadPo(const std::string& content, PoNames names, ExchangeFile& file, std::string& error);
