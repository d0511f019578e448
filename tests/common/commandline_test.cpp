// Command lines split as the C runtime splits them for argv.
#include <gtest/gtest.h>

#include "commandline.h"

TEST(CommandLineArguments, FollowTheRuntimesDocumentedRules) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"\"C:\\Program Files\\a b\"c.exe", {}},
        {"x.exe  \"C:\\My Art\\a.pxa\"\tC:\\art\\a.tga ", {"C:\\My Art\\a.pxa", "C:\\art\\a.tga"}},
        {"x \"\" \"a b\"c \"open \\", {"", "a bc", "open \\"}},
        {"x \"ab\\\"c\" \"\\\\\" d", {"ab\"c", "\\", "d"}},
        {"x a\\\\\\b d\"e f\"g h", {"a\\\\\\b", "de fg", "h"}},
        {"x a\\\\\\\"b a\\\\\\\\\"b c\" a\"b\"\" c", {"a\\\"b", "a\\\\b c", "ab\"", "c"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandLineArguments(c.first), c.second) << c.first;
    }
}
