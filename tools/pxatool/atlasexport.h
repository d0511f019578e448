// An atlas's entries in the formats game engines and web frameworks read.
// Entry names are written as UTF-8, read as the Windows-1252 bytes they are
// on every system; the image's file name is converted from the system's
// code page (SystemTextToUtf8).
#pragma once

#include <cstdint>
#include <string>

#include "atlasentry.h"

// The widely read "hash" layout, members in this order: {"frames": {NAME:
// {"frame": {"x", "y", "w", "h"}, ...}}, "meta": {"image": imageName,
// "size": {"w", "h"}, ...}}, frames in table order. Every frame is the
// entry's rectangle, neither rotated nor trimmed.
std::string AtlasJson(const EntryTable& entries, const std::string& imageName, std::uint32_t width,
                      std::uint32_t height);

// RFC 4180 CSV: the header "name,x,y,width,height", then one record per
// entry in table order, each ending in CR LF.
std::string AtlasCsv(const EntryTable& entries);
