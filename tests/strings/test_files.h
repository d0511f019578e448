// DAT files (datwriter.h) and texts in the table's own units, for the string
// table tests.
#pragma once

#include <string>

#include "datwriter.h"
#include "stringtable.h"
#include "testfolder.h"

std::basic_string<TextUnit> Units(const std::u16string& text);
std::u16string TextOf(const StringEntry& entry);
