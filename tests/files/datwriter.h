// DAT string tables made byte by byte, whole files read and written as
// bytes, and texts in the table's own units.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stringtable.h"

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Pieces of a DAT file, little-endian, for files that no entries describe.
std::string Le32(std::uint32_t value);
std::string Le16(const std::u16string& text);

// An entry as the file holds it; the key is whatever the file says.
struct FileEntry {
    std::uint32_t key;
    std::u16string text;
    std::string name;
};
inline bool operator==(const FileEntry& a, const FileEntry& b) {
    return a.key == b.key && a.text == b.text && a.name == b.name;
}
std::string DatBytes(const std::vector<FileEntry>& entries);

std::basic_string<TextUnit> Units(const std::u16string& text);
std::u16string TextOf(const StringEntry& entry);
