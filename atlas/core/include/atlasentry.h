// One named image of the atlas: its rectangle without the one-pixel border.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

// An index record keeps at most this many bytes of a name; a longer one is
// cut when saved, which could make two entries one.
constexpr std::size_t maxEntryNameBytes = 64;

struct AtlasEntry {
    std::uint32_t x = 0;  // left column of the entry's pixels, 0 = leftmost
    std::uint32_t y = 0;  // top row of the entry's pixels, 0 = top
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t flag = 1;  // kept as loaded, never interpreted; new entries get 1
};

inline bool operator==(const AtlasEntry& a, const AtlasEntry& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height && a.flag == b.flag;
}

// The entries of one atlas by name. Names are upper case before they get
// here; std::string orders them byte by byte as unsigned bytes.
using EntryTable = std::map<std::string, AtlasEntry>;
