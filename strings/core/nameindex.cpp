#include "nameindex.h"

#include <algorithm>
#include <new>

#include "namekey.h"

bool NameIndex::build(const StringTable& table) {
    clear();
    try {
        byKey_.reserve(table.count);
        for (const StringEntry* entry = StringTableNext(table, nullptr); entry != nullptr;
             entry = StringTableNext(table, entry)) {
            byKey_.push_back(Keyed{ComputeNameKey(entry->name), entry});
        }
    } catch (const std::bad_alloc&) {
        clear();
        return false;
    }
    std::stable_sort(byKey_.begin(), byKey_.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    return true;
}

void NameIndex::clear() { std::vector<Keyed>().swap(byKey_); }

const StringEntry* NameIndex::find(const char* name) const {
    const std::uint32_t key = ComputeNameKey(name);
    auto at = std::lower_bound(byKey_.begin(), byKey_.end(), key,
                               [](const Keyed& keyed, std::uint32_t wanted) { return keyed.key < wanted; });
    for (; at != byKey_.end() && at->key == key; ++at) {
        if (CompareNamesIgnoringCase(at->entry->name, name) == 0) {
            return at->entry;
        }
    }
    return nullptr;
}
