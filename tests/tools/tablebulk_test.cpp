// dattool's one-pass import and check against the plain ways they replace.
#include <algorithm>
#include <iterator>
#include <random>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "datfile.h"
#include "keyordertable.h"
#include "namekey.h"
#include "tablecheck.h"
#include "tablereference.h"
#include "datwriter.h"
#include "testfolder.h"

namespace {

std::string WrittenBytes(const StringTablePtr& table, const TestFolder& folder) {
    const std::string path = folder.path("TABLE.DAT");
    EXPECT_TRUE(table);
    EXPECT_EQ(WriteStringTable(*table, path.c_str()), DatWriteStatus::Written);
    return ReadBytes(path);
}

std::string RandomText(std::mt19937& random, std::size_t longest, const char* letters) {
    std::string text(random() % (longest + 1), ' ');
    for (char& c : text) {
        c = letters[random() % std::char_traits<char>::length(letters)];
    }
    return text;
}

// Names that differ also with case ignored, with pairs of names that have
// one key among them, each pair in either order.
std::vector<TableRow> RandomRows(std::mt19937& random, std::size_t count) {
    std::vector<TableRow> rows;
    std::set<std::string> lowerCase;
    while (rows.size() < count) {
        const std::string name = "n" + RandomText(random, 8, "aZ0_\xE4\xC4");
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
        if (lowerCase.insert(lower).second) {
            const std::string text = RandomText(random, 6, "ab");
            rows.push_back({name, std::u16string(text.begin(), text.end())});
        }
    }
    const std::pair<const char*, const char*> oneKey[] = {{"SBLGMO", "VCEQYBM"}, {"OEWCCML", "PDSVRAE"}};
    for (const auto& [first, second] : oneKey) {
        rows.push_back({first, u"one"});
        rows.push_back({second, u"two"});
    }
    std::shuffle(rows.begin(), rows.end(), random);
    return rows;
}

}  // namespace

TEST(ImportedTable, IsByteForByteTheTableThatInsertingRowByRowMakes) {
    ASSERT_EQ(ComputeNameKey("SBLGMO"), ComputeNameKey("VCEQYBM"));
    ASSERT_EQ(ComputeNameKey("OEWCCML"), ComputeNameKey("PDSVRAE"));
    TestFolder folder;
    std::mt19937 random(3);
    for (const std::size_t count : {0u, 1u, 60u, 3000u}) {
        const std::vector<TableRow> rows = RandomRows(random, count);
        EXPECT_EQ(WrittenBytes(TableInKeyOrder(rows), folder), WrittenBytes(TableInsertedRowByRow(rows), folder))
            << count << " rows";
    }
}

// Tables with repeated names in any case, names alike up to a zero byte,
// keys that are not their names' CRC and keys that several names share.
TEST(TableProblems, AreWhatComparingEveryEntryWithEveryEarlierOneFinds) {
    const std::string names[] = {
        "abc", "ABC", "Abc", "x", "X", "y", "SBLGMO", "VCEQYBM", std::string("ab\0c", 4), std::string("AB\0d", 4)};
    const std::uint32_t keys[] = {1, 2, ComputeNameKey("abc")};
    TestFolder folder;
    const std::string path = folder.path("TABLE.DAT");
    std::mt19937 random(5);
    for (int table = 0; table < 40; ++table) {
        std::vector<FileEntry> entries(random() % 60);
        for (FileEntry& entry : entries) {
            entry.name = names[random() % std::size(names)];
            entry.key = random() % 3 == 0 ? keys[random() % std::size(keys)] : ComputeNameKey(entry.name.c_str());
        }
        WriteBytes(path, DatBytes(entries));
        const DatReadResult read = ReadStringTable(path.c_str());
        ASSERT_TRUE(read.table);
        EXPECT_EQ(FindTableProblems(*read.table), ProblemsComparingEveryEarlierEntry(*read.table)) << "table " << table;
    }
}
