// The portable parts of the editors' settings: the recent-files list and the
// text of stored values, damaged ones included.
#include <gtest/gtest.h>

#include <climits>

#include "recentfiles.h"
#include "settingtext.h"

namespace {

using Paths = std::vector<std::string>;

TEST(RecentFiles, KeepTheMostRecentFirstEachFileOnceAndAtMostTheirCapacity) {
    struct Case {
        Paths stored;
        const char* added;  // null: none
        const char* removed;
        Paths expected;
    };
    const Case cases[] = {
        {{"a", "b"}, "c", nullptr, {"c", "a", "b"}},
        {{"C:\\x\\A.dat", "b"}, "c:\\X\\a.DAT", nullptr, {"c:\\X\\a.DAT", "b"}},  // ASCII case ignored
        {{"1", "2", "3"}, "4", nullptr, {"4", "1", "2"}},                         // capacity 3: the oldest goes
        {{"1", "", "1", "2", "3", "4"}, nullptr, nullptr, {"1", "2", "3"}},       // a damaged setting
        {{"a", "b", "c"}, "", "B", {"a", "c"}},
        {{"\xC4", "\xE4"}, nullptr, "\xE4", {"\xC4"}},  // only ASCII letters fold
    };
    for (const Case& c : cases) {
        RecentFiles recent(3);
        recent.assign(c.stored);
        if (c.added != nullptr) {
            recent.add(c.added);
        }
        if (c.removed != nullptr) {
            recent.remove(c.removed);
        }
        EXPECT_EQ(recent.paths(), c.expected) << (c.added ? c.added : "") << (c.removed ? c.removed : "");
    }
}

TEST(RecentFiles, MenuTextsNumberTheItemsAndShowAmpersands) {
    EXPECT_EQ(RecentFileMenuText(0, "C:\\R&D\\a.DAT"), "&1 C:\\R&&D\\a.DAT");
    EXPECT_EQ(RecentFileMenuText(9, "b"), "1&0 b");
}

TEST(SettingText, PlacementsReadBackAndAnythingElseIsIgnored) {
    const SavedPlacement placement{-8, 20, 1930, 1050, true};
    const std::optional<SavedPlacement> read = ParsePlacement(FormatPlacement(placement));
    ASSERT_TRUE(read);
    EXPECT_EQ(FormatPlacement(*read), "-8,20,1930,1050,1");
    for (const char* damaged :
         {"", "1,2,3,4", "1,2,3,4,0,5", "10,0,10,50,0", "0,0,50,-5,0", "0,0,50,50,2", "0,0,50,50,", "0, 0,50,50,0",
          "0,0,0x50,50,0", "0,0,100001,50,0", "-2147483648,0,2147483647,50,0", "0,0,99999999999,50,0"}) {
        EXPECT_FALSE(ParsePlacement(damaged)) << damaged;
    }
}

TEST(SettingText, IntegerListsMustHaveTheirCountAndRange) {
    EXPECT_EQ(ParseIntegers(FormatIntegers({190, 350}), 2, 0, 1000), (std::vector<int>{190, 350}));
    EXPECT_EQ(ParseIntegers("-2147483648", 1, INT_MIN, 0), std::vector<int>{INT_MIN});
    for (const char* damaged : {"190", "190,350,1", "190,1001", "-1,5", "190,", "+5,5", "2147483648,0"}) {
        EXPECT_FALSE(ParseIntegers(damaged, 2, 0, 1000)) << damaged;
    }
}

TEST(SettingText, MultiStringsSplitAtZerosAndEndAtAnEmptyString) {
    const Paths paths{"C:\\a.DAT", "D:\\b c.DAT"};
    EXPECT_EQ(SplitMultiString(JoinMultiString(paths)), paths);
    EXPECT_EQ(JoinMultiString({}), std::string(1, '\0'));
    const std::pair<std::string, Paths> cases[] = {
        {std::string("a\0b", 3), {"a", "b"}},   // cut short
        {std::string("a\0\0b\0\0", 6), {"a"}},  // after the end
        {std::string("\0a\0", 3), {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitMultiString(c.first), c.second);
    }
}

}  // namespace
