// Entries of a string table as UTF-8, and UTF-8 rows as entries: the one place
// where dattool changes encodings. Names are Windows-1252 in the table, texts
// UTF-16.
#pragma once

#include <string>

#include "stringtable.h"

std::string NameAsUtf8(const StringEntry& entry);
std::u16string EntryText(const StringEntry& entry);
std::basic_string<TextUnit> AsTextUnits(const std::u16string& text);

// Orders names as the table compares them: ASCII case ignored, nothing else.
struct NameIgnoringCaseLess {
    bool operator()(const std::string& first, const std::string& second) const;
};

// A row in the table's own encodings.
struct TableRow {
    std::string name;     // Windows-1252
    std::u16string text;  // UTF-16
};

// Converts a name and a text given in UTF-8. Returns an empty string when the
// row can be stored as the editor would store it, otherwise why it cannot:
// an empty name, one longer than 254 bytes or with characters Windows-1252
// does not have, a text longer than 10,239 code units, NUL characters, or
// input that is not UTF-8.
std::string ConvertRow(const std::string& utf8Name, const std::string& utf8Text, TableRow& row);

// A name in UTF-8 as the table stores it (Windows-1252), or why it cannot be.
std::string ConvertName(const std::string& utf8Name, std::string& name);
