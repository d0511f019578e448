#include "datfile.h"

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "heaptestseam.h"
#include "datwriter.h"
#include "testfolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

std::vector<FileEntry> EntriesOf(const StringTable& table) {
    std::vector<FileEntry> entries;
    for (const StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
        entries.push_back({entry->key, TextOf(*entry), std::string(entry->name, entry->nameLength)});
    }
    return entries;
}

DatReadResult ReadFrom(const TestFolder& folder, const std::string& bytes) {
    const std::string path = folder.path("TABLE.DAT");
    WriteBytes(path, bytes);
    return ReadStringTable(path.c_str());
}

StringTablePtr TableOf(const std::vector<std::pair<std::string, std::u16string>>& entries) {
    StringTablePtr table = StringTableCreate();
    for (const auto& entry : entries) {
        StringTableInsert(*table, entry.first.c_str(), Units(entry.second).c_str());
    }
    return table;
}

TEST(DatFile, WritesAndReadsTheNineteenByteOneEntryFile) {
    TestFolder folder;
    const std::string path = folder.path("ONE.DAT");
    ASSERT_EQ(WriteStringTable(*TableOf({{"A", u"B"}}), path.c_str()), DatWriteStatus::Written);
    EXPECT_EQ(ReadBytes(path), std::string("\x01\0\0\0\x8B\x9E\xD9\xD3\x01\0\0\0\x01\0\0\0\x42\0\x41", 19));
    const DatReadResult read = ReadStringTable(path.c_str());
    ASSERT_EQ(read.status, DatReadStatus::Read);
    EXPECT_EQ(EntriesOf(*read.table), (std::vector<FileEntry>{{0xD3D99E8Bu, u"B", "A"}}));
    EXPECT_EQ(read.table->count, 1u);
}

TEST(DatFile, AnEmptyTableIsFourZeroBytes) {
    TestFolder folder;
    const std::string path = folder.path("EMPTY.DAT");
    ASSERT_EQ(WriteStringTable(*StringTableCreate(), path.c_str()), DatWriteStatus::Written);
    EXPECT_EQ(ReadBytes(path), std::string(4, '\0'));
    const DatReadResult read = ReadStringTable(path.c_str());
    ASSERT_EQ(read.status, DatReadStatus::Read);
    EXPECT_EQ(read.table->count, 0u);
    EXPECT_EQ(read.table->head, nullptr);
}

TEST(DatFile, WritesTheCountThenAllRecordsThenAllTextsThenAllNames) {
    TestFolder folder;
    const std::string path = folder.path("TWO.DAT");
    StringTablePtr table = TableOf({{"Q", u""}, {"NAME", u"\u20ACx"}});  // key of NAME < key of Q
    ASSERT_EQ(WriteStringTable(*table, path.c_str()), DatWriteStatus::Written);
    const std::string expected = Le32(2) + Le32(0x68B693B2) + Le32(2) + Le32(4) + Le32(0xCE6E8EEF) + Le32(0) + Le32(1) +
                                 std::string("\xAC\x20x\0", 4) + "NAME" + "Q";
    EXPECT_EQ(ReadBytes(path), expected);
}

// Lengths around the 4096-byte buffer, odd name lengths and arbitrary keys
// make pieces straddle every kind of buffer boundary.
TEST(DatFile, ReadsAnyFileInItsOwnOrderAndWritesItBackByteForByte) {
    std::mt19937 random(5);
    const std::uint32_t textLengths[] = {0, 1, 2047, 2048, 2049, 5000, 10239};
    std::vector<FileEntry> entries;
    for (int index = 0; index < 300; ++index) {
        FileEntry entry{static_cast<std::uint32_t>(random()), {}, {}};
        entry.text.resize(index < 7 ? textLengths[index] : random() % 70);
        for (char16_t& unit : entry.text) {
            unit = static_cast<char16_t>(1 + random() % 0xFFFF);
        }
        entry.name.resize(1 + random() % (index % 10 == 0 ? 5000 : 40));
        for (char& byte : entry.name) {
            byte = static_cast<char>(1 + random() % 255);
        }
        entries.push_back(entry);
    }
    TestFolder folder;
    const std::string bytes = DatBytes(entries);
    const DatReadResult read = ReadFrom(folder, bytes);
    ASSERT_EQ(read.status, DatReadStatus::Read);
    EXPECT_EQ(read.table->count, entries.size());
    EXPECT_TRUE(EntriesOf(*read.table) == entries);
    const std::string copy = folder.path("COPY.DAT");
    ASSERT_EQ(WriteStringTable(*read.table, copy.c_str()), DatWriteStatus::Written);
    EXPECT_TRUE(ReadBytes(copy) == bytes);
}

TEST(DatFile, RejectsFilesThatPromiseMoreThanTheyHold) {
    const std::string valid = DatBytes({{1, u"hello", "NAME"}, {2, std::u16string(3000, u'x'), "SECOND"}});
    const std::string oneRecord = Le32(1) + Le32(0);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"count cut short", Le32(1).substr(0, 3)},
        {"count without records", Le32(1)},
        {"second record cut short", valid.substr(0, 4 + 12 + 6)},
        {"count 0xFFFFFFFF in 20 bytes", Le32(0xFFFFFFFF) + std::string(16, 'x')},
        {"text length 0x80000000", oneRecord + Le32(0x80000000) + Le32(1) + "ABN"},
        {"text length 0xFFFFFFFF", oneRecord + Le32(0xFFFFFFFF) + Le32(0) + "AB"},
        {"text one byte short", oneRecord + Le32(1) + Le32(0) + "A"},
        {"long text cut short", valid.substr(0, 4 + 24 + 10 + 2999)},
        {"name length 0xFFFFFFFF", oneRecord + Le32(0) + Le32(0xFFFFFFFF) + "N"},
        {"last name one byte short", valid.substr(0, valid.size() - 1)},
    };
    TestFolder folder;
    struct Guard {
        ~Guard() { TableHeapFailAfter(-1); }
    } guard;
    for (const auto& c : cases) {
        // Lengths are checked against the file before anything is allocated
        // for an entry: only the empty table's three allocations may succeed.
        TableHeapFailAfter(3);
        const DatReadResult read = ReadFrom(folder, c.bytes);
        EXPECT_EQ(read.status, DatReadStatus::NotATableFile) << c.what;
        EXPECT_FALSE(read.table) << c.what;
    }
}

TEST(DatFile, IgnoresBytesAfterTheLastName) {
    TestFolder folder;
    const DatReadResult read = ReadFrom(folder, DatBytes({{7, u"t", "N"}}) + "trailing");
    ASSERT_EQ(read.status, DatReadStatus::Read);
    EXPECT_EQ(EntriesOf(*read.table), (std::vector<FileEntry>{{7, u"t", "N"}}));
}

TEST(DatFile, ReportsAMissingFileOrAFolderAsCannotOpen) {
    TestFolder folder;
    EXPECT_EQ(ReadStringTable(folder.path("MISSING.DAT").c_str()).status, DatReadStatus::CannotOpen);
    EXPECT_EQ(ReadStringTable(folder.path("").c_str()).status, DatReadStatus::CannotOpen);
}

TEST(DatFile, ReadingReleasesEverythingWhenMemoryRunsOut) {
    TestFolder folder;
    WriteBytes(folder.path("T.DAT"), DatBytes({{1, u"one", "A"}, {2, u"", "B"}, {3, u"three", "C"}}));
    struct Guard {
        ~Guard() { TableHeapFailAfter(-1); }
    } guard;
    for (long allowed = 0;; ++allowed) {
        TableHeapFailAfter(allowed);
        const DatReadResult read = ReadStringTable(folder.path("T.DAT").c_str());
        TableHeapFailAfter(-1);
        if (read.status == DatReadStatus::Read) {
            EXPECT_EQ(read.table->count, 3u);
            EXPECT_GE(allowed, 9);  // table, block array, block, three texts, three names
            break;
        }
        ASSERT_EQ(read.status, DatReadStatus::OutOfMemory) << allowed;
        EXPECT_FALSE(read.table);
    }
}

TEST(DatFile, ReplacesTheTargetAndLeavesOtherFilesAlone) {
    TestFolder folder;
    WriteBytes(folder.path("T.DAT"), "old contents");
    WriteBytes(folder.path("~0000000"), "not ours");  // the first name a new file is staged under
    StringTablePtr table = TableOf({{"A", u"B"}});
    table->count = 2;  // the count written is that of the entries written
    ASSERT_EQ(WriteStringTable(*table, folder.path("T.DAT").c_str()), DatWriteStatus::Written);
    EXPECT_EQ(ReadBytes(folder.path("T.DAT")), DatBytes({{0xD3D99E8B, u"B", "A"}}));
    EXPECT_EQ(ReadBytes(folder.path("~0000000")), "not ours");
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"T.DAT", "~0000000"}));
}

TEST(DatFile, CannotCreateAFileInAMissingFolder) {
    TestFolder folder;
    const std::string path = folder.path("MISSING") + "/T.DAT";
    EXPECT_EQ(WriteStringTable(*StringTableCreate(), path.c_str()), DatWriteStatus::CannotCreate);
    EXPECT_TRUE(folder.fileNames().empty());
}

TEST(DatFile, AFailedReplaceKeepsTheTargetAndRemovesTheTemporaryFile) {
    TestFolder folder;
    const std::string target = folder.path("T.DAT");
    std::filesystem::create_directory(target);
    WriteBytes(target + "/INSIDE", "kept");
    EXPECT_EQ(WriteStringTable(*TableOf({{"A", u"B"}}), target.c_str()), DatWriteStatus::CannotReplace);
    EXPECT_EQ(ReadBytes(target + "/INSIDE"), "kept");
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"T.DAT"});
}

#ifdef _WIN32
TEST(DatFile, AFileHeldOpenElsewhereIsNeitherReadNorReplaced) {
    TestFolder folder;
    const std::string path = folder.path("T.DAT");
    WriteBytes(path, DatBytes({{7, u"t", "N"}}));
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadStringTable(path.c_str()).status, DatReadStatus::CannotOpen);
    EXPECT_EQ(WriteStringTable(*StringTableCreate(), path.c_str()), DatWriteStatus::CannotReplace);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(path), DatBytes({{7, u"t", "N"}}));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"T.DAT"});
}
#else
TEST(DatFile, AWriteThatFailsMidwayKeepsTheOldFile) {
    TestFolder folder;
    const std::string path = folder.path("T.DAT");
    WriteBytes(path, "old contents");
    std::vector<std::pair<std::string, std::u16string>> entries;
    for (int index = 0; index < 100; ++index) {
        entries.push_back({"NAME" + std::to_string(index), std::u16string(100, u'x')});
    }
    StringTablePtr table = TableOf(entries);
    // A file size limit makes the system refuse the writes past 1000 bytes.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 1000;
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const DatWriteStatus status = WriteStringTable(*table, path.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);
    EXPECT_EQ(status, DatWriteStatus::CannotWrite);
    EXPECT_EQ(ReadBytes(path), "old contents");
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"T.DAT"});
}
#endif

}  // namespace
