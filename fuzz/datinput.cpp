#include "datinput.h"

#include "fuzzsupport.h"
#include "littleendian.h"

bool operator==(const DatEntryContent& a, const DatEntryContent& b) {
    return a.key == b.key && a.text == b.text && a.name == b.name;
}

// A file too short for what its count and lengths promise is no table file;
// bytes after the last name are ignored.
ExpectedTable ExpectedTableOf(const std::uint8_t* data, std::size_t size) {
    ExpectedTable expected;
    if (size < 4) {
        expected.status = DatReadStatus::NotATableFile;
        return expected;
    }
    const std::uint64_t count = ReadUint32Le(data);
    if (count * 12 > size - 4) {
        expected.status = DatReadStatus::NotATableFile;
        return expected;
    }
    if (count > std::uint64_t{kMaxBlockCount} * kEntriesPerBlock) {
        expected.status = DatReadStatus::TooManyEntries;
        return expected;
    }
    std::uint64_t textBytes = 0;
    std::uint64_t nameBytes = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        textBytes += 2 * std::uint64_t{ReadUint32Le(data + 4 + 12 * i + 4)};
        nameBytes += ReadUint32Le(data + 4 + 12 * i + 8);
    }
    const std::uint64_t total = 4 + 12 * count + textBytes + nameBytes;
    if (total > size) {
        expected.status = DatReadStatus::NotATableFile;
        return expected;
    }
    std::size_t text = 4 + 12 * count;
    std::size_t name = text + textBytes;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint8_t* record = data + 4 + 12 * i;
        DatEntryContent entry{ReadUint32Le(record), {}, {}};
        for (std::uint32_t unit = 0; unit < ReadUint32Le(record + 4); ++unit, text += 2) {
            entry.text += static_cast<char16_t>(ReadUint16Le(data + text));
        }
        entry.name.assign(reinterpret_cast<const char*>(data + name), ReadUint32Le(record + 8));
        name += entry.name.size();
        expected.entries.push_back(entry);
    }
    expected.bytesUsed = total;
    return expected;
}

std::vector<DatEntryContent> ContentOf(const StringTable& table) {
    std::vector<DatEntryContent> content;
    const StringEntry* previous = nullptr;
    for (const StringEntry* entry = table.head; entry != nullptr; entry = entry->next) {
        FUZZ_EXPECT(entry->prev == previous);
        FUZZ_EXPECT(entry->name != nullptr && entry->name[entry->nameLength] == '\0');
        FUZZ_EXPECT(entry->text != nullptr && entry->text[entry->textLength] == 0);
        content.push_back({entry->key, std::u16string(entry->text, entry->text + entry->textLength),
                           std::string(entry->name, entry->nameLength)});
        previous = entry;
    }
    FUZZ_EXPECT(table.tail == previous);
    FUZZ_EXPECT(content.size() == table.count);
    return content;
}
