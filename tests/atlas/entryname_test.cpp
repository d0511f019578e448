#include "entryname.h"

#include <gtest/gtest.h>

TEST(EntryName, IsTheUpperCasedPartAfterTheLastSeparator) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Art\\Tree.tga", "TREE.TGA"},
        {"C:/art/tree.tga", "TREE.TGA"},
        {"C:\\art/sub\\leaf.Png", "LEAF.PNG"},
        {"art\\sub/stone.bmp", "STONE.BMP"},
        {"grass.tga", "GRASS.TGA"},  // no separator: the whole path
        {"a.b.c", "A.B.C"},
        {"dir\\", ""},
        {"C:\\\xe4pfel\xfc.tga", "\xe4PFEL\xfc.TGA"},  // only ASCII letters change
        {"x@[`{z.tga", "X@[`{Z.TGA"},
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(entryNameFromPath(path), name) << path;
    }
}
