#include "keyordertable.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "namekey.h"

StringTablePtr TableInKeyOrder(const std::vector<TableRow>& rows) {
    std::vector<std::pair<std::uint32_t, const TableRow*>> byKey;
    byKey.reserve(rows.size());
    for (const TableRow& row : rows) {
        byKey.emplace_back(ComputeNameKey(row.name.c_str()), &row);
    }
    std::stable_sort(byKey.begin(), byKey.end(),
                     [](const auto& first, const auto& second) { return first.first < second.first; });

    StringTablePtr table = StringTableCreate();
    if (!table) {
        return nullptr;
    }
    for (const auto& [key, row] : byKey) {
        StringEntry* entry = StringTableAppend(*table);
        if (entry == nullptr) {
            return nullptr;
        }
        ++table->count;
        entry->key = key;
        entry->nameLength = static_cast<std::uint32_t>(row->name.size());
        entry->textLength = static_cast<std::uint32_t>(row->text.size());
        entry->name = AllocateEntryName(entry->nameLength);
        entry->text = AllocateEntryText(entry->textLength);
        if (entry->name == nullptr || entry->text == nullptr) {
            return nullptr;
        }
        std::memcpy(entry->name, row->name.data(), entry->nameLength);
        entry->name[entry->nameLength] = '\0';
        std::copy(row->text.begin(), row->text.end(), entry->text);
        entry->text[entry->textLength] = 0;
    }
    return table;
}
