// One entry as the exchange formats (CSV, JSON, PO) carry it, and a whole
// exchange file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What a row holds for its table. A fuzzy row (PO's "fuzzy" flag: a
// translation left for review) and an untranslated one (an empty text for a
// source that is not empty) give no text of their own on import.
enum class RowState { Translated, Fuzzy, Untranslated };

struct ExchangeRow {
    std::string name;    // UTF-8
    std::string source;  // UTF-8: the source text, in files that carry one
    std::string text;    // UTF-8: the table's text, line breaks as the table keeps them
    RowState state = RowState::Translated;
    std::string where;  // for messages: "row 3", or "row 3 (line 7)"
};

struct ExchangeFile {
    // A PO file always has sources (msgid); CSV has them in a column
    // "source", JSON in a member "source".
    bool withSource = false;
    std::vector<ExchangeRow> rows;
};

// A row or entry that is refused, and why.
struct ExchangeProblem {
    std::string where;
    std::string reason;
};

// "row N" or "row N (line L)", rows counted from 1.
std::string RowPlace(std::size_t row, std::size_t line = 0);
