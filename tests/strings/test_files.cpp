#include "test_files.h"

std::basic_string<TextUnit> Units(const std::u16string& text) {
    return std::basic_string<TextUnit>(text.begin(), text.end());
}

std::u16string TextOf(const StringEntry& entry) { return std::u16string(entry.text, entry.text + entry.textLength); }
