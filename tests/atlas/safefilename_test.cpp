#include "safefilename.h"

#include <gtest/gtest.h>

TEST(SafeFileName, AcceptsOrdinaryEntryNames) {
    const std::string names[] = {
        "TREE.TGA",
        "A",
        "NO EXTENSION",
        "MANY.DOTS.IN.NAME.PNG",
        ".HIDDEN",
        "CONSOLE.TGA",  // a device name only as a prefix
        "COM10.TGA",    // ports end at 9
        "LPT.TGA",
        "XCON.TGA",
        "AUX_2.BMP",
        "\xe4PFEL.TGA",  // 8-bit characters of the code page
        "A+B=C;[1],{2}'#&%$!@~^`.TGA",
        std::string(300, 'N'),
    };
    for (const std::string& name : names) {
        EXPECT_TRUE(isSafeFileName(name)) << name;
    }
}

TEST(SafeFileName, RefusesNamesThatLeaveTheFolderOrNameNothing) {
    const std::string names[] = {
        "",           ".",         "..",         "..\\EVIL.TGA", "../EVIL.TGA",     "SUB\\TREE.TGA", "SUB/TREE.TGA",
        "\\TREE.TGA", "/TREE.TGA", "C:TREE.TGA", "C:\\TREE.TGA", "TREE.TGA:STREAM",
    };
    for (const std::string& name : names) {
        EXPECT_FALSE(isSafeFileName(name)) << name;
    }
}

TEST(SafeFileName, RefusesCharactersWindowsForbids) {
    for (const char c : std::string("<>:\"|?*\\/")) {
        EXPECT_FALSE(isSafeFileName(std::string("A") + c + "B.TGA")) << c;
    }
    for (int c = 1; c < 32; ++c) {
        EXPECT_FALSE(isSafeFileName(std::string("A") + static_cast<char>(c) + "B.TGA")) << c;
    }
    EXPECT_FALSE(isSafeFileName(std::string("A\0B.TGA", 7)));
}

TEST(SafeFileName, RefusesTrailingDotsAndSpaces) {
    for (const std::string name : {"TREE.", "TREE ", "TREE.TGA.", "TREE.TGA ", "...", " "}) {
        EXPECT_FALSE(isSafeFileName(name)) << name;
    }
    EXPECT_TRUE(isSafeFileName(" TREE.TGA"));
}

TEST(SafeFileName, RefusesDeviceNamesWithOrWithoutExtensionInAnyCase) {
    const std::string names[] = {
        "CON",     "PRN",      "AUX",        "NUL",         "con",     "Nul",     "CONIN$", "conout$",
        "CON.TGA", "nul.txt",  "AUX.TAR.GZ", "NUL .TGA",    "PRN  .X", "COM1",    "COM9",   "com0.tga",
        "LPT1",    "lpt9.png", "LPT0",       "COM\xb9.TGA", "LPT\xb2", "COM\xb3",
    };
    for (const std::string& name : names) {
        EXPECT_FALSE(isSafeFileName(name)) << name;
    }
}
