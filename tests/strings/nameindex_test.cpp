// Finding a reference table's entries by the names of a document's.
#include "nameindex.h"

#include <gtest/gtest.h>

#include "datfile.h"
#include "namekey.h"
#include "datwriter.h"
#include "testfolder.h"

namespace {

TEST(NameIndex, FindsTheFirstEntryOfANameInAnyLetterCaseWhateverItsStoredKey) {
    TestFolder folder;
    const std::string path = folder.path("REFERENCE.DAT");
    WriteBytes(path, DatBytes({{ComputeNameKey("Alpha"), u"first", "Alpha"},
                               {0x12345678u, u"wrong key", "Beta"},
                               {ComputeNameKey("ALPHA"), u"second", "ALPHA"}}));
    const StringTablePtr table = ReadStringTable(path.c_str()).table;
    NameIndex index;
    ASSERT_TRUE(index.build(*table));
    const struct {
        const char* name;
        const char16_t* text;  // null for none
    } cases[] = {{"alpha", u"first"}, {"BETA", u"wrong key"}, {"Gamma", nullptr}, {"Alph", nullptr}};
    for (const auto& c : cases) {
        const StringEntry* found = index.find(c.name);
        ASSERT_EQ(found != nullptr, c.text != nullptr) << c.name;
        if (found != nullptr) {
            EXPECT_EQ(TextOf(*found), c.text) << c.name;
        }
    }
}

}  // namespace
