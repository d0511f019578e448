#include "exceptions.h"

#include <string_view>

#include <gtest/gtest.h>

#include "atlasimage.h"
#include "atlastestsupport.h"
#include "indexfile.h"

static_assert(std::string_view(sourceFileBaseName("atlas/core/filepair.cpp")) == "filepair.cpp");
static_assert(std::string_view(sourceFileBaseName(".\\filepair.cpp")) == "filepair.cpp");
static_assert(std::string_view(sourceFileBaseName("C:\\src/atlas\\main.cpp")) == "main.cpp");
static_assert(std::string_view(sourceFileBaseName("main.cpp")) == "main.cpp");

TEST(Exceptions, ThrowSiteNamesItsFileWithoutFolderAndItsLine) {
    int throwLine = 0;
    try {
        throwLine = __LINE__ + 1;
        THROW_AT_SITE(Exception, "Unable to read file");
    } catch (const Exception& e) {
        EXPECT_EQ(e.file, "exceptions_test.cpp");
        EXPECT_EQ(e.line, throwLine);
        EXPECT_EQ(e.message, "Unable to read file");
    }
}

TEST(Exceptions, BadFileMessageIsTwoLinesNamingTheFileAndReachesAnExceptionHandler) {
    try {
        THROW_AT_SITE(BadFileException, "C:\\a.pxa");
    } catch (const Exception& e) {
        EXPECT_EQ(e.message, "Bad or corrupted file:\nC:\\a.pxa");
        return;
    }
    FAIL() << "not caught as Exception";
}

TEST(Exceptions, IOExceptionHandlerCatchesTheCorruptRecordErrorOnly) {
    bool caughtAsIO = false;
    try {
        THROW_AT_SITE(BadFileException, "a.pxa");
    } catch (const IOException&) {
        caughtAsIO = true;
    }
    EXPECT_TRUE(caughtAsIO);

    bool plainReachedIOHandler = false;
    try {
        try {
            THROW_AT_SITE(Exception, "Unable to open file");
        } catch (const IOException&) {
            plainReachedIOHandler = true;
        }
    } catch (const Exception&) {
    }
    EXPECT_FALSE(plainReachedIOHandler);
}

TEST(Exceptions, CopyKeepsFileLineAndMessage) {
    try {
        THROW_AT_SITE(BadFileException, "x.pxa");
    } catch (const Exception& e) {
        const Exception copy = e;
        EXPECT_EQ(copy.file, e.file);
        EXPECT_EQ(copy.line, e.line);
        EXPECT_EQ(copy.message, e.message);
    }
}

TEST(Exceptions, LibraryFailuresNameTheirSourceFileWithoutFolderAndTheFileTheyConcern) {
    struct Case {
        void (*fail)();
        const char* message;
        const char* source;
        const char* fileName;
    };
    const Case cases[] = {
        {[] { loadImage("missing.qqq"); }, "Unsupported image format", "atlasimage.cpp", "missing.qqq"},
        {[] { readIndexRecords("missing.pxa"); }, "Unable to open file", "indexfile.cpp", "missing.pxa"},
    };
    for (const Case& c : cases) {
        try {
            c.fail();
            ADD_FAILURE() << c.fileName << " did not fail";
        } catch (const Exception& e) {
            EXPECT_EQ(e.message, c.message);
            EXPECT_EQ(e.file, c.source);
            EXPECT_GT(e.line, 0);
            EXPECT_EQ(e.fileName, c.fileName);
        }
    }
}
