#include "entrysearch.h"

#include <type_traits>

namespace {

template <typename Unit>
unsigned FoldAscii(Unit unit) {
    const unsigned value = static_cast<std::make_unsigned_t<Unit>>(unit);
    return value >= 'A' && value <= 'Z' ? value - 'A' + 'a' : value;
}

// Whether `haystack` holds `piece` anywhere, ASCII case ignored. Each start
// is given up at its first differing unit, so the cost is close to one pass
// over the haystack for the pieces people search for.
template <typename Unit>
bool Holds(const Unit* haystack, const Unit* piece) {
    if (*piece == 0) {
        return true;
    }
    const unsigned first = FoldAscii(*piece);
    for (; *haystack != 0; ++haystack) {
        if (FoldAscii(*haystack) != first) {
            continue;
        }
        std::size_t matched = 1;
        while (piece[matched] != 0 && FoldAscii(haystack[matched]) == FoldAscii(piece[matched])) {
            ++matched;
        }
        if (piece[matched] == 0) {
            return true;
        }
    }
    return false;
}

bool Matches(const StringEntry& entry, const EntryQuery& query) {
    return (query.name != nullptr && Holds(entry.name, query.name)) ||
           (query.text != nullptr && Holds(entry.text, query.text));
}

}  // namespace

std::size_t FindEntry(const StringEntry* const* entries, std::size_t count, std::size_t start,
                      const EntryQuery& query) {
    if (start >= count) {
        start = 0;
    }
    for (std::size_t step = 0; step < count; ++step) {
        const std::size_t index = (start + step) % count;
        if (Matches(*entries[index], query)) {
            return index;
        }
    }
    return count;
}
