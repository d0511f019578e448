// Compaction: every entry of a document packed anew from an empty atlas.
#pragma once

#include <cstdint>

#include "atlasdocument.h"

struct AtlasSize {
    std::uint32_t width;
    std::uint32_t height;
};

// The size FilePair::compact() packs a document with entries from: the
// smallest of the growth sequence that holds them all without growing, or
// the current size when that is no larger and holds them too, or else the
// current size.
AtlasSize compactedSize(const AtlasDocument& document);

// FilePair::compact(width, height) on the document itself, unrecorded.
void compactDocument(AtlasDocument& document, std::int32_t width, std::int32_t height);
