#include "entrycompare.h"

#include "namekey.h"

namespace {

TextUnit FoldAsciiUpper(TextUnit unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<TextUnit>(unit - u'A' + u'a') : unit;
}

const StringEntry& EntryOf(LPARAM itemData) { return *reinterpret_cast<const StringEntry*>(itemData); }

}  // namespace

int CompareTextsIgnoringCase(const TextUnit* first, const TextUnit* second) {
    for (;; ++first, ++second) {
        const unsigned a = FoldAsciiUpper(*first);
        const unsigned b = FoldAsciiUpper(*second);
        if (a != b) {
            return a < b ? -1 : 1;
        }
        if (a == 0) {
            return 0;
        }
    }
}

int CompareEntries(const StringEntry& first, const StringEntry& second, int column) {
    if (column == 0) {
        return CompareNamesIgnoringCase(first.name, second.name);
    }
    return CompareTextsIgnoringCase(first.text, second.text);
}

int CALLBACK CompareEntriesAscending(LPARAM first, LPARAM second, LPARAM column) {
    return CompareEntries(EntryOf(first), EntryOf(second), static_cast<int>(column));
}

int CALLBACK CompareEntriesDescending(LPARAM first, LPARAM second, LPARAM column) {
    return CompareEntries(EntryOf(second), EntryOf(first), static_cast<int>(column));
}
