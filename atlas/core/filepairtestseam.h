// For tests, benchmarks and fuzzers only: what a FilePair keeps from its
// users, reached through the document behind the handle.
#pragma once

#include <cstdint>
#include <string>

#include "atlasdocument.h"

class FilePairTestSeam {
public:
    static AtlasDocument& document(FilePair& pair);
    static const AtlasDocument& document(const FilePair& pair);
};

inline FIBITMAP* bitmapOf(const FilePair& pair) { return FilePairTestSeam::document(pair).bitmap.get(); }
inline const FreeSpaceMap& freeSpaceOf(const FilePair& pair) { return FilePairTestSeam::document(pair).freeSpace; }
// FilePair::ImageModified and IndexModified: which files differ from the document.
inline std::uint32_t modifiedBitsOf(const FilePair& pair) { return FilePairTestSeam::document(pair).modified; }
