// Find's search: a piece of a name or text, ASCII case ignored, wrapping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entrysearch.h"

namespace {

typedef std::basic_string<TextUnit> Text;

Text T(const char16_t* text) { return Text(text, text + std::char_traits<char16_t>::length(text)); }

TEST(FindEntry, FindsAPieceOfANameOrTextFromTheStartRowRoundToTheFirst) {
    std::string names[] = {"QUEST_TITLE", "item_sword", "UI_OK"};
    Text texts[] = {T(u"Find the Sword"), T(u"A blade"), T(u"\u00e9p\u00e9e")};
    std::vector<StringEntry> entries(3);
    std::vector<const StringEntry*> rows;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].name = &names[i][0];
        entries[i].text = &texts[i][0];
        rows.push_back(&entries[i]);
    }
    const Text sword = T(u"SWORD");
    const Text accented = T(u"P\u00e9E");
    const Text upperAccented = T(u"\u00c9P\u00c9E");
    struct Case {
        const char* name;
        const TextUnit* text;
        std::size_t start;
        std::size_t found;
    };
    const Case cases[] = {
        {"Sword", nullptr, 0, 1},           {nullptr, sword.c_str(), 0, 0},
        {"sword", sword.c_str(), 1, 1},     {"sword", sword.c_str(), 2, 0},
        {nullptr, sword.c_str(), 1, 0},     {"ok", nullptr, 7, 2},
        {nullptr, accented.c_str(), 0, 2},  {nullptr, upperAccented.c_str(), 0, 3},
        {"QUEST_TITLE_", nullptr, 0, 3},    {"blade", nullptr, 0, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindEntry(rows.data(), rows.size(), c.start, {c.name, c.text}), c.found)
            << (c.name ? c.name : "(text)") << " from " << c.start;
    }
    EXPECT_EQ(FindEntry(rows.data(), 0, 0, {"a", nullptr}), 0u);
}

} // namespace
