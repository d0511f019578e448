// Find's search: a piece of a name or text, only ASCII letters folded.
#include <gtest/gtest.h>

#include "entrysearch.h"

TEST(FindEntry, FoldsOnlyAsciiLettersAndLooksInNamesTextsOrBoth) {
    char names[2][8] = {"Sword", "UI_OK"};
    TextUnit texts[2][8] = {{'A', 0}, {0xC9, 'p', 0xE9, 'e', 0}};  // "Épée"
    StringEntry entries[2] = {};
    const StringEntry* rows[2] = {&entries[0], &entries[1]};
    for (int i = 0; i < 2; ++i) {
        entries[i].name = names[i];
        entries[i].text = texts[i];
    }
    const TextUnit capitalEP[] = {0xC9, 'P', 0};
    const TextUnit smallEP[] = {0xE9, 'P', 0};
    const std::pair<EntryQuery, std::size_t> cases[] = {
        {{"sWORD", nullptr}, 0}, {{nullptr, capitalEP}, 1}, {{"SWORDS", smallEP}, 2}, {{"ui_ok", smallEP}, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(FindEntry(rows, 2, 1, c.first), c.second) << &c - cases;
    }
}
