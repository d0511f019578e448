// How pxatool prints entries.
#pragma once

#include <ostream>
#include <string>

#include "atlasentry.h"

// NAME<TAB>X<TAB>Y<TAB>WIDTH<TAB>HEIGHT<TAB>FLAG and a line feed; the name as
// its bytes, the numbers in decimal.
void PrintEntryLine(std::ostream& out, const std::string& name, const AtlasEntry& entry);
