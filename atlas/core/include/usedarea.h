// How full an atlas is.
#pragma once

#include "filepair.h"

// Every entry's cell, border included, over the atlas area, in percent; 0
// for an atlas of no area.
double usedAreaPercent(const FilePair& pair);
