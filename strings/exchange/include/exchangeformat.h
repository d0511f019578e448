// Which exchange format a file name asks for.
#pragma once

#include <string>

#include "exchangerow.h"

enum class ExchangeFormat { Csv, Json, Po };

// By extension, letter case ignored: .csv, .json, .po (or .pot). False for
// any other name.
bool FormatFromFileName(const std::string& fileName, ExchangeFormat& format);

// The error text of a command-line check: empty when the name has one of
// the extensions.
std::string CheckExchangeFileName(const std::string& fileName);

std::string WriteRows(ExchangeFormat format, const ExchangeRows& rows);
ExchangeRows ReadRows(ExchangeFormat format, const std::string& content, const std::string& fileName);
