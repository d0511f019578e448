#include "datfile.h"

#include <cstring>
#include <new>
#include <utility>

#include "littleendian.h"
#include "rawfile.h"
#include "safefile.h"

namespace {

constexpr std::size_t kCountSize = 4;
constexpr std::size_t kRecordSize = 12;
constexpr std::size_t kWriteBufferSize = 4096;
constexpr std::uint64_t kMostEntries = std::uint64_t{kMaxBlockCount} * kEntriesPerBlock;

// The bytes were read into the text's own storage; turn them into code units
// in place, so the file is little-endian whatever the host is.
void TextFromLittleEndian(TextUnit* text, std::uint32_t length) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    for (std::size_t index = 0; index < length; ++index) {
        text[index] = ReadUint16Le(bytes + 2 * index);
    }
}

// Sequential reading through the table's one buffer: `available` unconsumed
// bytes start at `position`.
struct PieceReader {
    RawFile& file;
    unsigned char* buffer;
    std::size_t available;
    std::size_t position;
};

// Copies the next `need` bytes of the file to `into`. A piece longer than the
// buffer takes what is buffered and the rest straight from the file.
DatReadStatus TakePiece(PieceReader& reader, void* into, std::size_t need) {
    if (reader.available < need) {
        std::memmove(reader.buffer, reader.buffer + reader.position, reader.available);
        reader.position = 0;
        std::size_t got = 0;
        if (!RawFileRead(reader.file, reader.buffer + reader.available, kReadBufferSize - reader.available, got)) {
            return DatReadStatus::CannotRead;
        }
        reader.available += got;
    }
    unsigned char* destination = static_cast<unsigned char*>(into);
    const std::size_t fromBuffer = need < reader.available ? need : reader.available;
    std::memcpy(destination, reader.buffer + reader.position, fromBuffer);
    reader.position += fromBuffer;
    reader.available -= fromBuffer;
    if (fromBuffer == need) {
        return DatReadStatus::Read;
    }
    std::size_t got = 0;
    if (!RawFileRead(reader.file, destination + fromBuffer, need - fromBuffer, got)) {
        return DatReadStatus::CannotRead;
    }
    return got == need - fromBuffer ? DatReadStatus::Read : DatReadStatus::NotATableFile;
}

// `unclaimed` is what the file holds beyond the pieces promised so far; a
// record whose text and name would not fit in it is refused before anything
// is allocated for them.
DatReadStatus ReadRecords(PieceReader& reader, StringTable& table, std::uint32_t count, std::uint64_t unclaimed) {
    for (std::uint32_t index = 0; index < count; ++index) {
        unsigned char record[kRecordSize];
        const DatReadStatus status = TakePiece(reader, record, kRecordSize);
        if (status != DatReadStatus::Read) {
            return status;
        }
        const std::uint32_t textLength = ReadUint32Le(record + 4);
        const std::uint32_t nameLength = ReadUint32Le(record + 8);
        const std::uint64_t claimed = std::uint64_t{textLength} * sizeof(TextUnit) + nameLength;
        if (claimed > unclaimed) {
            return DatReadStatus::NotATableFile;
        }
        unclaimed -= claimed;
        StringEntry* entry = StringTableAppend(table);
        if (entry == nullptr) {
            return DatReadStatus::OutOfMemory;
        }
        entry->key = ReadUint32Le(record);
        entry->textLength = textLength;
        entry->nameLength = nameLength;
    }
    return DatReadStatus::Read;
}

DatReadStatus ReadTexts(PieceReader& reader, StringTable& table) {
    for (StringEntry* entry = table.head; entry != nullptr; entry = entry->next) {
        entry->text = AllocateEntryText(entry->textLength);
        if (entry->text == nullptr) {
            return DatReadStatus::OutOfMemory;
        }
        const DatReadStatus status = TakePiece(reader, entry->text, std::size_t{entry->textLength} * sizeof(TextUnit));
        if (status != DatReadStatus::Read) {
            return status;
        }
        TextFromLittleEndian(entry->text, entry->textLength);
        entry->text[entry->textLength] = 0;
    }
    return DatReadStatus::Read;
}

DatReadStatus ReadNames(PieceReader& reader, StringTable& table) {
    for (StringEntry* entry = table.head; entry != nullptr; entry = entry->next) {
        entry->name = AllocateEntryName(entry->nameLength);
        if (entry->name == nullptr) {
            return DatReadStatus::OutOfMemory;
        }
        const DatReadStatus status = TakePiece(reader, entry->name, entry->nameLength);
        if (status != DatReadStatus::Read) {
            return status;
        }
        entry->name[entry->nameLength] = '\0';
    }
    return DatReadStatus::Read;
}

DatReadStatus ReadEntries(RawFile& file, StringTable& table) {
    std::uint64_t fileSize = 0;
    if (!RawFileSize(file, fileSize)) {
        return DatReadStatus::CannotRead;
    }
    PieceReader reader{file, table.readBuffer, 0, 0};
    unsigned char countBytes[kCountSize];
    DatReadStatus status = TakePiece(reader, countBytes, kCountSize);
    if (status != DatReadStatus::Read) {
        return status;
    }
    const std::uint32_t count = ReadUint32Le(countBytes);
    if (count == 0) {
        return DatReadStatus::Read;
    }
    // The count is checked against the file's size before a single slot is
    // taken, so a lying count fails at once instead of filling memory.
    const std::uint64_t afterCount = fileSize > kCountSize ? fileSize - kCountSize : 0;
    if (count > afterCount / kRecordSize) {
        return DatReadStatus::NotATableFile;
    }
    if (count > kMostEntries) {
        return DatReadStatus::TooManyEntries;
    }
    status = ReadRecords(reader, table, count, afterCount - std::uint64_t{count} * kRecordSize);
    if (status == DatReadStatus::Read) {
        status = ReadTexts(reader, table);
    }
    if (status == DatReadStatus::Read) {
        status = ReadNames(reader, table);
    }
    if (status == DatReadStatus::Read) {
        table.count = count;
    }
    return status;
}

// Collects the output in one buffer so that the file sees large writes; after
// the first failed write nothing more is written.
struct BufferedWriter {
    RawFile& file;
    unsigned char buffer[kWriteBufferSize];
    std::size_t used;
    bool failed;
};

void Flush(BufferedWriter& writer) {
    if (!writer.failed && writer.used > 0 && !RawFileWrite(writer.file, writer.buffer, writer.used)) {
        writer.failed = true;
    }
    writer.used = 0;
}

void PutBytes(BufferedWriter& writer, const void* data, std::size_t size) {
    const unsigned char* at = static_cast<const unsigned char*>(data);
    while (size > 0) {
        if (writer.used == kWriteBufferSize) {
            Flush(writer);
        }
        const std::size_t room = kWriteBufferSize - writer.used;
        const std::size_t part = size < room ? size : room;
        std::memcpy(writer.buffer + writer.used, at, part);
        writer.used += part;
        at += part;
        size -= part;
    }
}

void PutUint32(BufferedWriter& writer, std::uint32_t value) {
    unsigned char bytes[4];
    WriteUint32Le(value, bytes);
    PutBytes(writer, bytes, sizeof bytes);
}

void PutText(BufferedWriter& writer, const TextUnit* text, std::uint32_t length) {
    for (std::uint32_t index = 0; index < length; ++index) {
        if (writer.used + 2 > kWriteBufferSize) {
            Flush(writer);
        }
        WriteUint16Le(text[index], writer.buffer + writer.used);
        writer.used += 2;
    }
}

bool WriteTable(const StringTable& table, RawFile& file) {
    BufferedWriter writer{file, {}, 0, false};
    // The count says how many records follow, whatever `count` claims.
    std::uint32_t walked = 0;
    for (const StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
        ++walked;
    }
    PutUint32(writer, walked);
    for (const StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
        PutUint32(writer, entry->key);
        PutUint32(writer, entry->textLength);
        PutUint32(writer, entry->nameLength);
    }
    for (const StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
        PutText(writer, entry->text, entry->textLength);
    }
    for (const StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
        PutBytes(writer, entry->name, entry->nameLength);
    }
    Flush(writer);
    return !writer.failed;
}

}  // namespace

DatReadResult ReadStringTable(const char* path) {
    StringTablePtr table = StringTableCreate();
    if (!table) {
        return {DatReadStatus::OutOfMemory, nullptr};
    }
    RawFile file;
    if (path == nullptr || !RawFileOpenForReading(file, path)) {
        return {DatReadStatus::CannotOpen, nullptr};
    }
    const DatReadStatus status = ReadEntries(file, *table);
    if (status != DatReadStatus::Read) {
        return {status, nullptr};
    }
    return {status, std::move(table)};
}

DatWriteStatus WriteStringTable(const StringTable& table, const char* path) {
    if (path == nullptr || path[0] == '\0') {
        return DatWriteStatus::CannotCreate;
    }
    try {
        switch (SaveFile(path, [&table](RawFile& file) { return WriteTable(table, file); }).failedStep) {
        case FileStep::None: return DatWriteStatus::Written;
        case FileStep::Create: return DatWriteStatus::CannotCreate;
        case FileStep::Replace: return DatWriteStatus::CannotReplace;
        default: return DatWriteStatus::CannotWrite;
        }
    } catch (const std::bad_alloc&) {
        // The paths are the only memory a save asks for; without it nothing was written.
        return DatWriteStatus::OutOfMemory;
    }
}
