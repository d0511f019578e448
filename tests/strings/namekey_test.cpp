#include "namekey.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

// The CRC-32 of zlib, bit by bit, as an independent check of the table-driven key.
std::uint32_t BitwiseCrc32(const std::string& bytes) {
    std::uint32_t value = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        value ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value >> 1) ^ ((value & 1u) ? 0xEDB88320u : 0u);
        }
    }
    return ~value;
}

TEST(ComputeNameKey, GivesTheKnownKeysWithLowerCaseAsciiFolded) {
    EXPECT_EQ(ComputeNameKey("abc"), 0xA3830348u);
    EXPECT_EQ(ComputeNameKey("Abc"), 0xA3830348u);
    EXPECT_EQ(ComputeNameKey("ABC"), 0xA3830348u);
    EXPECT_EQ(ComputeNameKey("A"), 0xD3D99E8Bu);
    EXPECT_EQ(ComputeNameKey("123456789"), 0xCBF43926u);
    EXPECT_EQ(ComputeNameKey(""), 0u);
}

TEST(ComputeNameKey, IsTheCrcOfTheNameWithOnlyAToZUpperCased) {
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string name(1 + random() % 40, ' ');
        for (char& byte : name) {
            byte = static_cast<char>(1 + random() % 255);
        }
        std::string folded = name;
        for (char& byte : folded) {
            if (byte >= 'a' && byte <= 'z') {
                byte = static_cast<char>(byte - 0x20);
            }
        }
        ASSERT_EQ(ComputeNameKey(name.c_str()), BitwiseCrc32(folded)) << "round " << round;
    }
    EXPECT_NE(ComputeNameKey("\xE4"), ComputeNameKey("\xC4"));
}

TEST(CompareNamesIgnoringCase, FoldsOnlyAsciiLettersAndComparesBytesUnsigned) {
    struct Case {
        const char* first;
        const char* second;
        int sign;
    };
    const Case cases[] = {
        {"abc", "ABC", 0},   {"Name_1", "nAME_1", 0}, {"_", "a", -1}, {"_", "A", -1}, {"ab", "abc", -1},
        {"\xE4", "\xC4", 1}, {"\x80", "z", 1},        {"b", "A", 1},  {"", "", 0},
    };
    for (const Case& c : cases) {
        const int result = CompareNamesIgnoringCase(c.first, c.second);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.first << " vs " << c.second;
    }
}

}  // namespace
