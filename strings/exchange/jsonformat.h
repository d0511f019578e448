// JSON: an array of objects {"name": ..., "text": ...}, UTF-8.
#pragma once

#include "exchangerow.h"

std::string WriteJson(const ExchangeRows& rows);

// Other members of the objects are ignored. Throws ToolError(fileName, ...)
// for text that is not JSON or not of that shape, naming the row.
ExchangeRows ReadJson(const std::string& content, const std::string& fileName);
