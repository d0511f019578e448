// Finds the entries of a table by name, ASCII case ignored, in logarithmic
// time: for showing another table's text beside each entry of a document.
#pragma once

#include <cstdint>
#include <vector>

#include "stringtable.h"

class NameIndex {
public:
    // Indexes every entry of `table`, which must outlive the index and stay
    // unchanged. False, with an empty index, when memory runs out.
    bool build(const StringTable& table);
    void clear();
    bool empty() const { return byKey_.empty(); }

    // The first entry in table order with that name, or null. Keys are
    // computed from the names, so a key a file got wrong does not hide one.
    const StringEntry* find(const char* name) const;

private:
    struct Keyed {
        std::uint32_t key;
        const StringEntry* entry;
    };
    std::vector<Keyed> byKey_;  // by key, then table order
};
