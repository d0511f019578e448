#include "tablecheck.h"

#include <cstdio>
#include <map>

#include "listescape.h"
#include "namekey.h"
#include "tabletext.h"

namespace {

struct SeenEntry {
    std::size_t number;
    const StringEntry* entry;
};

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string Describe(std::size_t number, const StringEntry& entry) {
    return "entry " + std::to_string(number) + " \"" + EscapeForLine(NameAsUtf8(entry)) + "\"";
}

} // namespace

std::vector<std::string> FindTableProblems(const StringTable& table) {
    std::map<std::string, SeenEntry, NameIgnoringCaseLess> firstWithName;
    std::multimap<std::uint32_t, SeenEntry> byKey;
    std::vector<std::string> problems;
    std::size_t number = 0;
    for (const StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
        ++number;
        const std::string subject = Describe(number, *entry) + ": ";
        const std::string name(entry->name, entry->nameLength);
        const auto first = firstWithName.emplace(name, SeenEntry{number, entry}).first;
        if (first->second.number != number) {
            problems.push_back(subject + "same name as " + Describe(first->second.number, *first->second.entry));
        }
        const std::uint32_t expected = ComputeNameKey(entry->name);
        if (entry->key != expected) {
            problems.push_back(subject + "key " + Hex(entry->key) + " is not the CRC of its name (" + Hex(expected) +
                               ")");
        }
        const auto sameKey = byKey.equal_range(entry->key);
        for (auto other = sameKey.first; other != sameKey.second; ++other) {
            if (CompareNamesIgnoringCase(other->second.entry->name, entry->name) != 0) {
                problems.push_back(subject + "key " + Hex(entry->key) + " is also the key of " +
                                   Describe(other->second.number, *other->second.entry) + ", another name");
                break;
            }
        }
        byKey.emplace(entry->key, SeenEntry{number, entry});
    }
    return problems;
}
