#include "tabletext.h"

#include <algorithm>
#include <cstring>

#include "encoding.h"
#include "namekey.h"

namespace {

// C0 controls, DEL, and the bytes that Windows-1252 leaves undefined, which
// stand for the C1 controls of the same value.
bool IsControlByte(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

}  // namespace

bool NameIgnoringCaseLess::operator()(const std::string& first, const std::string& second) const {
    return CompareNamesIgnoringCase(first.c_str(), second.c_str()) < 0;
}

std::string NameAsUtf8(const StringEntry& entry) {
    return Windows1252ToUtf8(std::string(entry.name, entry.nameLength));
}

std::u16string EntryText(const StringEntry& entry) { return std::u16string(entry.text, entry.text + entry.textLength); }

std::basic_string<TextUnit> AsTextUnits(const std::u16string& text) {
    return std::basic_string<TextUnit>(text.begin(), text.end());
}

std::string ConvertName(const std::string& utf8Name, std::string& name) {
    if (utf8Name.empty()) {
        return "the name is empty";
    }
    if (!Utf8ToWindows1252(utf8Name, name)) {
        return "the name " + utf8Name + " has characters that Windows-1252 does not have";
    }
    return std::string();
}

namespace {

std::string NameProblemOf(const char* name, std::size_t length) {
    if (length == 0) {
        return "the name is empty";
    }
    if (std::memchr(name, '\0', length) != nullptr) {
        return "the name has a NUL character";
    }
    if (length > kMostNameBytes) {
        return "the name is " + std::to_string(length) + " bytes long, more than the 254 the editor allows";
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (IsControlByte(static_cast<unsigned char>(name[i]))) {
            return "the name has a control character, which the editor cannot show";
        }
    }
    if (name[0] == ' ' || name[length - 1] == ' ') {
        return "the name begins or ends with a space, which the editor cannot show";
    }
    return std::string();
}

template <typename Unit>
std::string TextProblemOf(const Unit* text, std::size_t length) {
    if (std::find(text, text + length, Unit(0)) != text + length) {
        return "the text has a NUL character";
    }
    if (length > kMostTextUnits) {
        return "the text is " + std::to_string(length) +
               " UTF-16 code units long, more than the 10239 the editor allows";
    }
    return std::string();
}

}  // namespace

std::string NameProblem(const std::string& name) { return NameProblemOf(name.data(), name.size()); }

std::string TextProblem(const std::u16string& text) { return TextProblemOf(text.data(), text.size()); }

std::string EntryNameProblem(const StringEntry& entry) { return NameProblemOf(entry.name, entry.nameLength); }

std::string EntryTextProblem(const StringEntry& entry) { return TextProblemOf(entry.text, entry.textLength); }

std::string ConvertRow(const std::string& utf8Name, const std::string& utf8Text, TableRow& row) {
    std::string problem = ConvertName(utf8Name, row.name);
    if (problem.empty()) {
        problem = NameProblem(row.name);
    }
    if (!problem.empty()) {
        return problem;
    }
    if (!Utf8ToUtf16(utf8Text, row.text)) {
        return "the text is not valid UTF-8";
    }
    return TextProblem(row.text);
}
