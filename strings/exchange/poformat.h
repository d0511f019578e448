// gettext PO: one entry per row with msgctxt = the name, msgid = the text and
// msgstr = the text, after a header entry that declares UTF-8.
#pragma once

#include "exchangerow.h"

std::string WritePo(const ExchangeRows& rows);

// The text of an entry is its msgstr, or its msgid when the msgstr is empty
// (gettext's way of marking an entry as not yet translated). Comments and
// flags are ignored. Throws ToolError(fileName, ...) for malformed entries,
// entries without msgctxt, plural forms and a charset other than UTF-8.
ExchangeRows ReadPo(const std::string& content, const std::string& fileName);
