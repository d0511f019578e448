// Entries of a string table as UTF-8, and UTF-8 rows as entries: the one place
// where the exchange of tables changes encodings. Names are Windows-1252 in
// the table, texts UTF-16.
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

// A name in UTF-8 as the table stores it (Windows-1252). Returns an empty
// string, or why it cannot be: empty, or with characters Windows-1252 does not
// have. For finding entries; a name to be stored must also pass NameProblem.
std::string ConvertName(const std::string& utf8Name, std::string& name);

// Why the editor would not take this name (Windows-1252) for a new entry, or
// an empty string: empty, longer than 254 bytes, with a NUL or another control
// character (C0, DEL and the C1 controls that five bytes stand for), or
// beginning or ending with a space, which no list shows.
std::string NameProblem(const std::string& name);

// Why the editor would not take this text, or an empty string: longer than
// 10,239 code units, or with a NUL character.
std::string TextProblem(const std::u16string& text);

// The same for an entry's own name and text, without copying them.
std::string EntryNameProblem(const StringEntry& entry);
std::string EntryTextProblem(const StringEntry& entry);

// Converts a name and a text given in UTF-8 and checks both. Returns an empty
// string when the row can be stored as the editor would store it, otherwise
// why it cannot.
std::string ConvertRow(const std::string& utf8Name, const std::string& utf8Text, TableRow& row);
