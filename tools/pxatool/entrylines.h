// How pxatool prints entries.
#pragma once

#include <ostream>
#include <string>

#include "atlasentry.h"

// NAME<TAB>X<TAB>Y<TAB>WIDTH<TAB>HEIGHT<TAB>FLAG and a line feed; the name as
// its bytes, the numbers in decimal.
void PrintEntryLine(std::ostream& out, const std::string& name, const AtlasEntry& entry);

// Names in the index file hold at most this many bytes; longer ones are cut
// when saved, which could make two entries one.
constexpr std::size_t kMostNameBytes = 64;
