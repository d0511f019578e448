#include "atlasusage.h"

#include <cstdio>

#include "usedarea.h"

std::string AtlasSizeText(const FilePair& pair) {
    return std::to_string(pair.width()) + "x" + std::to_string(pair.height());
}

std::string UsedPercent(const FilePair& pair) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", usedAreaPercent(pair));
    return text;
}
