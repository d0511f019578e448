// How pxatool describes an atlas as a whole.
#pragma once

#include <string>

#include "filepair.h"

// "WIDTHxHEIGHT" of the atlas.
std::string AtlasSizeText(const FilePair& pair);

// Every entry's cell, border included, over the atlas area, in percent with
// one decimal.
std::string UsedPercent(const FilePair& pair);
