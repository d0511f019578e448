// One entry as the exchange formats (CSV, JSON, PO) carry it.
#pragma once

#include <string>
#include <vector>

struct ExchangeRow {
    std::string name;   // UTF-8
    std::string text;   // UTF-8
    std::string where;  // for messages: "row 3", or "row 3 (line 7)"
};

using ExchangeRows = std::vector<ExchangeRow>;

// "row N" or "row N (line L)", rows counted from 1.
std::string RowPlace(std::size_t row, std::size_t line = 0);
