#pragma once

#include <cstddef>

#include "stringtable.h"

// Finding entries by a piece of their name or text, as the editor's Find does:
// the piece may stand anywhere, and the ASCII letters match in either case
// (no other characters are folded, as for names and their keys).

// What to look for. A null piece is not looked for; an entry matches when its
// name holds `name` or its text holds `text`.
struct EntryQuery {
    const char* name;
    const TextUnit* text;
};

// The index of the first of the `count` entries, from `start` to the last and
// then from the first, that matches; `count` when none does. A `start` at or
// past the end starts at the first. Allocates nothing.
std::size_t FindEntry(const StringEntry* const* entries, std::size_t count, std::size_t start, const EntryQuery& query);
