// The fixed atlas that every fuzzed index is opened against, and an
// independent reading of index bytes to compare the real reader with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "atlasentry.h"

// A transparent black 64 x 64 TGA, written once into the scratch folder.
constexpr std::uint32_t kFuzzAtlasSide = 64;
const std::string& FuzzAtlasPath();

// What opening the pair must give for these index bytes.
struct ExpectedIndex {
    enum Outcome { Opens, Unreadable, Corrupt } outcome = Opens;
    EntryTable entries;                 // the first record of every upper-cased name
    std::vector<AtlasEntry> everyCell;  // every record read, repeated names included
};
ExpectedIndex ExpectedIndexOf(const std::uint8_t* data, std::size_t size);
