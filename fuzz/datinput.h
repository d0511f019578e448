// An independent reading of DAT bytes to compare ReadStringTable with, and
// the contents of a table in the same terms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "datfile.h"

struct DatEntryContent {
    std::uint32_t key;
    std::u16string text;
    std::string name;
};
bool operator==(const DatEntryContent& a, const DatEntryContent& b);

struct ExpectedTable {
    DatReadStatus status = DatReadStatus::Read;
    std::vector<DatEntryContent> entries;
    std::size_t bytesUsed = 0;  // count, records, texts and names; the rest is ignored
};
ExpectedTable ExpectedTableOf(const std::uint8_t* data, std::size_t size);

// The entries in list order; also checks that every name and text carries its
// terminator and that the list holds `count` entries linked both ways.
std::vector<DatEntryContent> ContentOf(const StringTable& table);
