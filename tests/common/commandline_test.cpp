// Command lines split as the C runtime splits them for argv.
#include <gtest/gtest.h>

#include "commandline.h"

namespace {

TEST(CommandLineArguments, FollowTheRuntimesRules) {
    struct Case {
        const char* line;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {"PXAEditor.exe", {}},
        {"\"C:\\Program Files\\PXAEditor.exe\"  \"C:\\My Art\\a.pxa\"\tC:\\art\\a.tga ",
         {"C:\\My Art\\a.pxa", "C:\\art\\a.tga"}},
        {"\"C:\\Program Files\\a b\"c.exe d", {"d"}},
        {"x \"\" \"a b\"c", {"", "a bc"}},
        // The runtime's documented examples.
        {"x \"a b c\" d e", {"a b c", "d", "e"}},
        {"x \"ab\\\"c\" \"\\\\\" d", {"ab\"c", "\\", "d"}},
        {"x a\\\\\\b d\"e f\"g h", {"a\\\\\\b", "de fg", "h"}},
        {"x a\\\\\\\"b c d", {"a\\\"b", "c", "d"}},
        {"x a\\\\\\\\\"b c\" d e", {"a\\\\b c", "d", "e"}},
        {"x a\"b\"\" c d", {"ab\"", "c", "d"}},
        {"x \"unclosed  quote\\", {"unclosed  quote\\"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandLineArguments(c.line), c.arguments) << c.line;
    }
}

} // namespace
