#include "encoding.h"

#include <gtest/gtest.h>

TEST(Windows1252, EveryByteComesBackThroughUtf8) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    std::string back;
    ASSERT_TRUE(Utf8ToWindows1252(Windows1252ToUtf8(all), back));
    EXPECT_EQ(back, all);
}

TEST(Windows1252, MapsTheBytesAbove0x7FAsWindowsDoes) {
    const std::pair<std::string, std::string> cases[] = {
        {"A", "A"},
        {"\x80", "\u20AC"},    // euro sign
        {"\x81", "\xC2\x81"},  // undefined in the code page: the C1 control of that value
        {"\x8D\x8F\x90\x9D", "\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {"\x8A\x9F", "\u0160\u0178"},
        {"\x93quoted\x94", "\u201Cquoted\u201D"},
        {"\xA0\xE9\xFF", "\u00A0\u00E9\u00FF"},
    };
    for (const auto& [bytes, utf8] : cases) {
        EXPECT_EQ(Windows1252ToUtf8(bytes), utf8);
    }
}

TEST(Windows1252, RefusesCharactersTheCodePageLacksAndBadUtf8) {
    const std::string refused[] = {
        "\xC2\x80",  // U+0080: 0x80 is the euro sign, not this control
        "\xC2\x9F",  // U+009F: 0x9F is Y with diaeresis
        "\u0100",    // A with macron
        "\u6F22",
        "\xF0\x9F\x98\x80",  // an emoji
        "\xE9",              // Latin-1 byte, not UTF-8
    };
    for (const std::string& text : refused) {
        std::string bytes = "unchanged";
        EXPECT_FALSE(Utf8ToWindows1252(text, bytes)) << text;
        EXPECT_EQ(bytes, "unchanged");
    }
}

TEST(Utf16, SurrogatePairsBecomeFourByteUtf8AndBack) {
    const std::u16string text = u"a\u00E9\u20AC\U0001F600z";
    std::string utf8;
    ASSERT_TRUE(Utf16ToUtf8(text, utf8));
    EXPECT_EQ(utf8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z");
    std::u16string back;
    ASSERT_TRUE(Utf8ToUtf16(utf8, back));
    EXPECT_EQ(back, text);
}

TEST(Utf16, LoneSurrogatesAreRefusedOrReplacedForDisplay) {
    const std::u16string lone[] = {std::u16string(1, char16_t(0xD800)) + u"x",
                                   u"x" + std::u16string(1, char16_t(0xDC00)), std::u16string(1, char16_t(0xDBFF))};
    for (const std::u16string& text : lone) {
        std::string utf8;
        EXPECT_FALSE(Utf16ToUtf8(text, utf8));
        EXPECT_NE(Utf16ToUtf8Lossy(text).find("\xEF\xBF\xBD"), std::string::npos);
    }
}

TEST(Utf8, MalformedInputIsRefused) {
    const std::string malformed[] = {
        "\x80",              // continuation byte without a lead
        "\xC0\x80",          // overlong NUL
        "\xE0\x80\xAF",      // overlong slash
        "\xED\xA0\x80",      // an encoded surrogate
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "\xE2\x82",          // cut short
        "\xC3\x28",          // lead byte followed by ASCII
        "\xFF",
    };
    for (const std::string& text : malformed) {
        std::u16string utf16 = u"unchanged";
        EXPECT_FALSE(Utf8ToUtf16(text, utf16)) << testing::PrintToString(text);
        EXPECT_EQ(utf16, u"unchanged");
    }
}
