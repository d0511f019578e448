#include "tablereference.h"

#include "namekey.h"

StringTablePtr TableInsertedRowByRow(const std::vector<TableRow>& rows) {
    StringTablePtr table = StringTableCreate();
    for (const TableRow& row : rows) {
        if (!table || StringTableInsert(*table, row.name.c_str(), AsTextUnits(row.text).c_str()) == nullptr) {
            return nullptr;
        }
    }
    return table;
}

std::vector<TableProblem> ProblemsComparingEveryEarlierEntry(const StringTable& table) {
    std::vector<TableProblem> problems;
    std::size_t number = 0;
    for (const StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
        ++number;
        std::size_t sameName = 0;
        const StringEntry* firstOfName = nullptr;
        std::size_t sameKey = 0;
        const StringEntry* firstOfKey = nullptr;
        std::size_t earlier = 0;
        for (const StringEntry* e = StringTableNext(table, nullptr); e != entry; e = StringTableNext(table, e)) {
            ++earlier;
            const bool alike = CompareNamesIgnoringCase(e->name, entry->name) == 0;
            if (alike && firstOfName == nullptr) {
                sameName = earlier;
                firstOfName = e;
            }
            if (!alike && e->key == entry->key && firstOfKey == nullptr) {
                sameKey = earlier;
                firstOfKey = e;
            }
        }
        if (firstOfName != nullptr) {
            problems.push_back({TableProblem::Kind::SameName, number, entry, sameName, firstOfName});
        }
        if (entry->key != ComputeNameKey(entry->name)) {
            problems.push_back({TableProblem::Kind::WrongKey, number, entry, 0, nullptr});
        }
        if (firstOfKey != nullptr) {
            problems.push_back({TableProblem::Kind::SharedKey, number, entry, sameKey, firstOfKey});
        }
    }
    return problems;
}
