#include "datwriter.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "littleendian.h"

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string Le32(std::uint32_t value) {
    std::string bytes;
    AppendUint32Le(bytes, value);
    return bytes;
}

std::string Le16(const std::u16string& text) {
    std::string bytes;
    for (char16_t unit : text) {
        AppendUint16Le(bytes, unit);
    }
    return bytes;
}

std::string DatBytes(const std::vector<FileEntry>& entries) {
    std::string records = Le32(static_cast<std::uint32_t>(entries.size()));
    std::string texts;
    std::string names;
    for (const FileEntry& entry : entries) {
        AppendUint32Le(records, entry.key);
        AppendUint32Le(records, static_cast<std::uint32_t>(entry.text.size()));
        AppendUint32Le(records, static_cast<std::uint32_t>(entry.name.size()));
        texts += Le16(entry.text);
        names += entry.name;
    }
    return records + texts + names;
}

std::basic_string<TextUnit> Units(const std::u16string& text) {
    return std::basic_string<TextUnit>(text.begin(), text.end());
}

std::u16string TextOf(const StringEntry& entry) { return std::u16string(entry.text, entry.text + entry.textLength); }
