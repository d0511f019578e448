#include "tabletext.h"

#include "encoding.h"
#include "namekey.h"

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
    if (name.find('\0') != std::string::npos) {
        return "the name has a NUL character";
    }
    if (name.size() > kMostNameBytes) {
        return "the name is " + std::to_string(name.size()) + " bytes long, more than the 254 the editor allows";
    }
    return std::string();
}

std::string ConvertRow(const std::string& utf8Name, const std::string& utf8Text, TableRow& row) {
    const std::string nameProblem = ConvertName(utf8Name, row.name);
    if (!nameProblem.empty()) {
        return nameProblem;
    }
    if (!Utf8ToUtf16(utf8Text, row.text)) {
        return "the text is not valid UTF-8";
    }
    if (row.text.find(u'\0') != std::u16string::npos) {
        return "the text has a NUL character";
    }
    if (row.text.size() > kMostTextUnits) {
        return "the text is " + std::to_string(row.text.size()) +
               " UTF-16 code units long, more than the 10239 the editor allows";
    }
    return std::string();
}
