// JSON: an array of objects {"name": ..., "text": ...}, or {"name": ...,
// "source": ..., "text": ...} with sources; UTF-8.
#pragma once

#include <string>

#include "exchangerow.h"

std::string WriteJson(const ExchangeFile& file);

// Reads JSON as RFC 8259 defines it (a UTF-8 byte order mark is skipped),
// refusing a member that appears twice in one object, whose meaning the RFC
// leaves open. Other members of the rows are ignored. False with `error`
// naming the row, or the line and column, of what is wrong.
bool ReadJson(const std::string& content, ExchangeFile& file, std::string& error);
