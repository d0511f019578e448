#include "encoding.h"

#include <utility>

namespace {

// Windows-1252 bytes 0x80-0x9F; every other byte is the code point of its value.
const char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes the character at `at` and moves past it; false on malformed input.
bool NextUtf8Character(const std::string& text, std::size_t& at, char32_t& c) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        c = lead;
        ++at;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, least = 0x80, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, least = 0x800, c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, least = 0x10000, c = lead & 0x07;
    } else {
        return false;
    }
    if (text.size() - at < length) {
        return false;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return false;
        }
        c = (c << 6) | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c)) {
        return false;
    }
    at += length;
    return true;
}

// Decodes the character at `at` and moves past it; false for a lone surrogate.
bool NextUtf16Character(const std::u16string& text, std::size_t& at, char32_t& c) {
    const char32_t unit = text[at++];
    if (IsHighSurrogate(unit) && at < text.size() && IsLowSurrogate(text[at])) {
        c = 0x10000 + ((unit - 0xD800) << 10) + (text[at++] - 0xDC00);
        return true;
    }
    c = unit;
    return !IsHighSurrogate(unit) && !IsLowSurrogate(unit);
}

}  // namespace

bool Utf8ToUtf16(const std::string& utf8, std::u16string& utf16) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        if (!NextUtf8Character(utf8, at, c)) {
            return false;
        }
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    utf16 = std::move(out);
    return true;
}

std::size_t FirstInvalidUtf8(const std::string& utf8, std::size_t start) {
    for (std::size_t at = start; at < utf8.size();) {
        const std::size_t start = at;
        char32_t c = 0;
        if (!NextUtf8Character(utf8, at, c)) {
            return start;
        }
    }
    return std::string::npos;
}

bool Utf16ToUtf8(const std::u16string& utf16, std::string& utf8) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t at = 0; at < utf16.size();) {
        char32_t c = 0;
        if (!NextUtf16Character(utf16, at, c)) {
            return false;
        }
        AppendUtf8(out, c);
    }
    utf8 = std::move(out);
    return true;
}

std::string Utf16ToUtf8Lossy(const std::u16string& utf16) {
    std::string out;
    for (std::size_t at = 0; at < utf16.size();) {
        char32_t c = 0;
        AppendUtf8(out, NextUtf16Character(utf16, at, c) ? c : kReplacementCharacter);
    }
    return out;
}

std::string Windows1252ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        const unsigned char value = static_cast<unsigned char>(byte);
        AppendUtf8(out, value >= 0x80 && value <= 0x9F ? kWindows1252High[value - 0x80] : char32_t{value});
    }
    return out;
}

bool Utf8ToWindows1252(const std::string& utf8, std::string& bytes) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        if (!NextUtf8Character(utf8, at, c)) {
            return false;
        }
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        std::size_t high = 0;
        while (high < 32 && kWindows1252High[high] != c) {
            ++high;
        }
        if (high == 32) {
            return false;
        }
        out += static_cast<char>(0x80 + high);
    }
    bytes = std::move(out);
    return true;
}
