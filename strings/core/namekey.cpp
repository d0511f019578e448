#include "namekey.h"

#include <array>

namespace {

constexpr std::uint32_t kReflectedPolynomial = 0xEDB88320u;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t index = 0; index < 256; ++index) {
        std::uint32_t value = index;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1u) ? (value >> 1) ^ kReflectedPolynomial : value >> 1;
        }
        table[index] = value;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

unsigned char ToUpperAscii(unsigned char byte) {
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 0x20) : byte;
}

unsigned char ToLowerAscii(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + 0x20) : byte;
}

}  // namespace

std::uint32_t ComputeNameKey(const char* name) {
    std::uint32_t value = 0xFFFFFFFFu;
    for (const char* at = name; *at != '\0'; ++at) {
        const unsigned char byte = ToUpperAscii(static_cast<unsigned char>(*at));
        value = (value >> 8) ^ kCrcTable[(value ^ byte) & 0xFFu];
    }
    return ~value;
}

int CompareNamesIgnoringCase(const char* first, const char* second) {
    for (;; ++first, ++second) {
        const unsigned char a = ToLowerAscii(static_cast<unsigned char>(*first));
        const unsigned char b = ToLowerAscii(static_cast<unsigned char>(*second));
        if (a != b || a == '\0') {
            return static_cast<int>(a) - static_cast<int>(b);
        }
    }
}
