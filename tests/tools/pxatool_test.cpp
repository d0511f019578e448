// pxatool, run as a child process on pairs made in the test.
#include <filesystem>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include "atlasimage.h"
#include "atlastestsupport.h"
#include "filepair.h"
#include "filepath.h"
#include "programrunner.h"

namespace {

class PxatoolTest : public ::testing::Test {
protected:
    ProgramRun Pxatool(std::vector<std::string> arguments, const std::vector<std::string>& more = {}) {
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunPxatool(arguments);
    }

    // A command on the test's pair: pxatool COMMAND INDEX IMAGE more...
    ProgramRun OnPair(const std::string& command, const std::vector<std::string>& more = {}) {
        return Pxatool({command, index, image}, more);
    }

    void NewPair(const std::string& size = "256x256") {
        const ProgramRun run = Pxatool({"new", index, image, "--size", size});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }

    std::string Png(const std::string& name, std::uint32_t width, std::uint32_t height, std::uint32_t seed) {
        const std::string path = folder.path(name);
        writePatternPng(path, width, height, seed);
        return path;
    }

    // A pair from raw index records on a blank atlas.
    void WritePair(const std::vector<IndexRecordSpec>& records, std::uint32_t width = 256, std::uint32_t height = 256) {
        writeBlankAtlas(image, width, height);
        writeFileBytes(index, indexBytes(records));
    }

    Bytes PairBytes() const {
        Bytes bytes = readFileBytes(index);
        const Bytes imageBytes = readFileBytes(image);
        bytes.insert(bytes.end(), imageBytes.begin(), imageBytes.end());
        return bytes;
    }

    std::string Error(const std::string& file, const std::string& reason) const {
        return "pxatool: " + file + ": " + reason + "\n";
    }

    TestFolder folder;
    const std::string index = folder.path("atlas.pxa");
    const std::string image = folder.path("atlas.tga");
};

bool ImageEquals(FIBITMAP* image, std::uint32_t width, std::uint32_t height, std::uint32_t seed) {
    if (FreeImage_GetWidth(image) != width || FreeImage_GetHeight(image) != height) {
        return false;
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            if (pixelAt(image, x, y) != patternPixel(seed, x, y)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

TEST_F(PxatoolTest, NewSavesAnEmptyPairOfTheAskedSize) {
    NewPair("64x32");
    EXPECT_EQ(readFileBytes(index), (Bytes{0, 0, 0, 0}));
    const UniqueBitmap atlas = loadImage(image);
    EXPECT_EQ(FreeImage_GetWidth(atlas.get()), 64u);
    EXPECT_EQ(FreeImage_GetHeight(atlas.get()), 32u);
    const ProgramRun info = OnPair("info");
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(info.out, "size 64x32\nentries 0\nfree-rectangles 1\nused-percent 0.0\n");

    const std::string other = folder.path("default.pxa");
    ASSERT_EQ(Pxatool({"new", other, folder.path("default.png")}).exitCode, 0);
    EXPECT_EQ(Pxatool({"info", other, folder.path("default.png")}).out.substr(0, 13), "size 256x256\n");
}

TEST_F(PxatoolTest, NewKeepsExistingFilesUnlessForced) {
    NewPair("64x32");
    const Bytes before = PairBytes();
    const ProgramRun refused = Pxatool({"new", index, image});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, Error(image, "The file exists (--force overwrites it)"));
    EXPECT_EQ(PairBytes(), before);

    EXPECT_EQ(Pxatool({"new", index, image, "--force", "--size", "32x16"}).exitCode, 0);
    EXPECT_EQ(OnPair("info").out.substr(0, 11), "size 32x16\n");
}

TEST_F(PxatoolTest, UsageErrorsExitWithTwoAndOneLine) {
    const std::vector<std::string> cases[] = {
        {},
        {"frobnicate"},
        {"list", index},
        {"new", index, image, "--size", "12"},
        {"new", index, image, "--size", "0x5"},
        {"new", index, image, "--size", "-4x4"},
        {"new", index, image, "--size", "4x4x4"},
        {"new", index, image, "--size", "99999999999x4"},
        {"remove", index, image},
        {"list", index, image, "--bogus"},
    };
    for (const std::vector<std::string>& arguments : cases) {
        const ProgramRun run = Pxatool(arguments);
        EXPECT_EQ(run.exitCode, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(run.err.rfind("pxatool: ", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(folder.fileNames().empty());
}

TEST_F(PxatoolTest, HelpIsOnStandardOutputForEveryCommand) {
    for (const char* command :
         {"new", "list", "info", "insert", "extract", "rename", "remove", "check", "export", "compact"}) {
        const ProgramRun run = Pxatool({command, "--help"});
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_NE(run.out.find(std::string("pxatool ") + command), std::string::npos) << run.out;
    }
    const ProgramRun run = Pxatool({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("extract"), std::string::npos);
    EXPECT_EQ(Pxatool({"--version"}).out, "pxatool " PXA_VERSION "\n");
    EXPECT_EQ(RunDattool({"--version"}).out, "dattool " PXA_VERSION "\n");
}

TEST_F(PxatoolTest, InsertPlacesLikeTheEditorAndPrintsEntriesInPlacementOrder) {
    NewPair();
    const std::vector<std::string> files = {Png("small.png", 30, 30, 1), Png("Big.PNG", 254, 254, 2)};
    const ProgramRun run = OnPair("insert", files);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "BIG.PNG\t1\t1\t254\t254\t1\nSMALL.PNG\t257\t1\t30\t30\t1\n");
    EXPECT_EQ(OnPair("list").out, "BIG.PNG\t1\t1\t254\t254\t1\nSMALL.PNG\t257\t1\t30\t30\t1\n");
    EXPECT_EQ(OnPair("info").out, "size 512x256\nentries 2\nfree-rectangles 2\nused-percent 50.8\n");

    // The document model itself, given the same pair and files, saves the same bytes.
    const std::string coreIndex = folder.path("core.pxa");
    const std::string coreImage = folder.path("core.tga");
    {
        FilePair pair(256, 256);
        std::vector<std::string> paths = files;
        pair.insertFiles(paths);
        pair.savePair(coreIndex, coreImage, -1);
    }
    EXPECT_EQ(readFileBytes(index), readFileBytes(coreIndex));
    EXPECT_EQ(readFileBytes(image), readFileBytes(coreImage));
}

TEST_F(PxatoolTest, InsertReplacesEntriesOfTheSameName) {
    NewPair();
    ASSERT_EQ(OnPair("insert", {Png("tree.png", 20, 10, 1)}).exitCode, 0);
    std::filesystem::create_directory(folder.path("new"));
    const std::string newer = folder.path("new/TREE.png");
    writePatternPng(newer, 8, 8, 5);
    const ProgramRun run = OnPair("insert", {newer});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "TREE.PNG\t23\t1\t8\t8\t1\n");
    EXPECT_EQ(OnPair("list").out, "TREE.PNG\t23\t1\t8\t8\t1\n");
    const UniqueBitmap atlas = loadImage(image);
    EXPECT_EQ(pixelAt(atlas.get(), 5, 5), 0u);  // the old cell is blank
    EXPECT_EQ(pixelAt(atlas.get(), 23, 1), patternPixel(5, 0, 0));
}

TEST_F(PxatoolTest, AFailedInsertNamesTheFileAndLeavesThePairAlone) {
    NewPair();
    ASSERT_EQ(OnPair("insert", {Png("kept.png", 5, 5, 1)}).exitCode, 0);
    const Bytes before = PairBytes();
    const std::string garbage = folder.path("garbage.png");
    writeFileBytes(garbage, {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'});
    const std::string good = Png("good.png", 4, 4, 2);
    const std::string missing = folder.path("missing.png");
    const std::string longName = Png(std::string(61, 'L') + ".png", 2, 2, 3);

    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{good, garbage}, Error(garbage, "Unable to load image")},
        {{good, missing}, Error(missing, "No such file")},
        {{longName},
         Error(longName,
               "The entry name " + std::string(61, 'L') + ".PNG is longer than the 64 bytes an index file keeps")},
    };
    for (const auto& [files, message] : cases) {
        const ProgramRun run = OnPair("insert", files);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, message);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(PairBytes(), before);
    }
}

TEST_F(PxatoolTest, AFailedSaveLeavesBothFilesAsTheyWere) {
    // FreeImage opens a JPEG atlas but cannot write 32-bit pixels as JPEG.
    const std::string jpeg = folder.path("atlas.jpg");
    const UniqueBitmap blank(FreeImage_Allocate(64, 64, 24, 0, 0, 0));
    ASSERT_TRUE(FreeImage_Save(FIF_JPEG, blank.get(), jpeg.c_str(), 0));
    writeFileBytes(index, {0, 0, 0, 0});
    const Bytes jpegBefore = readFileBytes(jpeg);
    const std::string tile = Png("tile.png", 4, 4, 1);
    const ProgramRun run = Pxatool({"insert", index, jpeg, tile});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, Error(jpeg, "Unable to save image"));
    EXPECT_EQ(readFileBytes(jpeg), jpegBefore);
    EXPECT_EQ(readFileBytes(index), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"atlas.jpg", "atlas.pxa", "tile.png"}));
}

// A read-only file of the pair, as version control leaves it, fails the save
// before either file changes, whichever of the two it is.
TEST_F(PxatoolTest, AReadOnlyFileOfThePairLeavesBothAsTheyWere) {
    NewPair();
    const std::string tile = Png("tile.png", 4, 4, 1);
    const Bytes before = PairBytes();
    const auto writable = std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                          std::filesystem::perms::others_write;
    for (const auto& [readOnly, reason] :
         {std::pair(index, "Unable to write to file"), std::pair(image, "Unable to save image")}) {
        std::filesystem::permissions(readOnly, writable, std::filesystem::perm_options::remove);
        const ProgramRun run = OnPair("insert", {tile});
        std::filesystem::permissions(readOnly, writable, std::filesystem::perm_options::add);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, Error(readOnly, reason));
        EXPECT_EQ(PairBytes(), before);
        EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"atlas.pxa", "atlas.tga", "tile.png"}));
    }
}

// 259 characters are the most a Windows path holds; such targets are saved by
// both tools like any other.
TEST_F(PxatoolTest, BothToolsSaveTargetsOfTheLongestPath) {
    const std::string folderPrefix = folder.path("x");
    const auto longest = [&](const std::string& extension) {
        return folderPrefix + std::string(259 - folderPrefix.size() - extension.size(), 'n') + extension;
    };
    const std::string longIndex = longest(".pxa");
    const ProgramRun pair = Pxatool({"new", longIndex, image});
    EXPECT_EQ(pair.exitCode, 0) << pair.err;
    EXPECT_EQ(readFileBytes(longIndex), (Bytes{0, 0, 0, 0}));

    const std::string csv = folder.path("rows.csv");
    writeFileBytes(csv, {'n', 'a', 'm', 'e', ',', 't', 'e', 'x', 't', '\r', '\n', 'A', ',', 'B', '\r', '\n'});
    const std::string longTable = longest(".dat");
    const ProgramRun table = RunDattool({"import", csv, longTable});
    EXPECT_EQ(table.exitCode, 0) << table.err;
    EXPECT_EQ(readFileBytes(longTable).size(), 19u);
}

TEST_F(PxatoolTest, ListShowsNamesUpperCasedInTableOrderWithTheirFlags) {
    WritePair({{"zeta.tga", {1, 1, 2, 2, 7}}, {"A9.TGA", {10, 10, 3, 4, 0}}, {"A10.TGA", {20, 20, 1, 1, 255}}});
    const ProgramRun run = OnPair("list");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "A10.TGA\t20\t20\t1\t1\t255\nA9.TGA\t10\t10\t3\t4\t0\nZETA.TGA\t1\t1\t2\t2\t7\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(PxatoolTest, OpeningFailuresNameTheFileAtFault) {
    WritePair({{"A", {1, 1, 2, 2, 1}}});
    const std::string missing = folder.path("missing.pxa");
    const std::string shortIndex = folder.path("short.pxa");
    writeFileBytes(shortIndex, indexBytesWithCount(2, {{"A", {1, 1, 2, 2, 1}}}));
    const std::string outside = folder.path("outside.pxa");
    writeFileBytes(outside, indexBytes({{"A", {250, 1, 10, 2, 1}}}));
    const std::string notImage = folder.path("not-image.tga");
    writeFileBytes(notImage, {1, 2, 3});

    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{missing, image}, Error(missing, "No such file")},
        {{index, folder.path("missing.tga")}, Error(folder.path("missing.tga"), "No such file")},
        {{shortIndex, image}, Error(shortIndex, "Unable to read file")},
        {{outside, image},
         Error(outside, "Bad or corrupted file: a record's cell leaves the atlas (pxatool check names it)")},
        {{index, notImage}, Error(notImage, "Unable to load image")},
    };
    for (const auto& [pair, message] : cases) {
        for (const char* command : {"list", "info"}) {
            const ProgramRun run = Pxatool({command, pair[0], pair[1]});
            EXPECT_EQ(run.exitCode, 1) << command;
            EXPECT_EQ(run.err, message) << command;
            EXPECT_EQ(run.out, "") << command;
        }
    }
}

TEST_F(PxatoolTest, ExtractWritesEntriesNamedLikeThemWithoutTheirBorders) {
    NewPair();
    ASSERT_EQ(OnPair("insert", {Png("one.png", 7, 5, 1), Png("two.png", 3, 9, 2)}).exitCode, 0);
    std::filesystem::create_directory(folder.path("out"));
    const std::string out = folder.path("out");
    const ProgramRun run = OnPair("extract", {out});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string separator = out.find('\\') != std::string::npos ? "\\" : "/";
    EXPECT_EQ(run.out, out + separator + "ONE.PNG\n" + out + separator + "TWO.PNG\n");
    EXPECT_TRUE(ImageEquals(loadImage(out + separator + "ONE.PNG").get(), 7, 5, 1));
    EXPECT_TRUE(ImageEquals(loadImage(out + separator + "TWO.PNG").get(), 3, 9, 2));

    // Named in any case; an existing file is skipped unless forced.
    writeFileBytes(out + separator + "TWO.PNG", {'o', 'l', 'd'});
    const ProgramRun skipped = OnPair("extract", {out, "two.png"});
    EXPECT_EQ(skipped.exitCode, 0);
    EXPECT_EQ(skipped.out, "");
    EXPECT_EQ(skipped.err, Error(out + separator + "TWO.PNG", "Skipped: the file exists (--force overwrites it)"));
    EXPECT_EQ(readFileBytes(out + separator + "TWO.PNG"), (Bytes{'o', 'l', 'd'}));
    const ProgramRun forced = OnPair("extract", {out, "two.png", "--force"});
    EXPECT_EQ(forced.exitCode, 0);
    EXPECT_TRUE(ImageEquals(loadImage(out + separator + "TWO.PNG").get(), 3, 9, 2));
}

TEST_F(PxatoolTest, ExtractRefusesUnsafeNamesAndGoesOnWithTheOthers) {
    WritePair({{"..\\EVIL.PNG", {1, 1, 2, 2, 1}},
               {"../EVIL.PNG", {5, 1, 2, 2, 1}},
               {"CON.PNG", {9, 1, 2, 2, 1}},
               {"C:X.PNG", {13, 1, 2, 2, 1}},
               {"GOOD.PNG", {17, 1, 2, 2, 1}}});
    std::filesystem::create_directories(folder.path("deep/out"));
    const std::string out = folder.path("deep/out");
    const ProgramRun run = OnPair("extract", {out});
    EXPECT_EQ(run.exitCode, 1);
    for (const char* name : {"../EVIL.PNG", "..\\EVIL.PNG", "C:X.PNG", "CON.PNG"}) {
        EXPECT_NE(run.err.find(Error(name, "Refused: the entry name is not a safe file name")), std::string::npos)
            << run.err;
    }
    EXPECT_NE(run.out.find("GOOD.PNG"), std::string::npos);
    std::vector<std::string> written;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder.path("deep"))) {
        written.push_back(item.path().filename().string());
    }
    EXPECT_EQ(written, (std::vector<std::string>{"out", "GOOD.PNG"}));
}

TEST_F(PxatoolTest, ExtractReportsUnknownNamesAndMissingFolders) {
    WritePair({{"A.PNG", {1, 1, 2, 2, 1}}});
    const ProgramRun unknown = OnPair("extract", {folder.path(""), "nope.png"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err, Error(index, "No entry named NOPE.PNG"));
    const ProgramRun noFolder = OnPair("extract", {folder.path("absent")});
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_EQ(noFolder.err, Error(folder.path("absent"), "No such folder"));
}

TEST_F(PxatoolTest, RenameKeepsTheCellAndRefusesWhatTheEditorRefuses) {
    WritePair({{"A.PNG", {1, 1, 2, 2, 9}}, {"B.PNG", {5, 1, 2, 2, 1}}});
    const ProgramRun run = OnPair("rename", {"a.png", "grass.png"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(OnPair("list").out, "B.PNG\t5\t1\t2\t2\t1\nGRASS.PNG\t1\t1\t2\t2\t9\n");

    const Bytes before = PairBytes();
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"grass.png", "b.png"}, "An entry named B.PNG exists already"},
        {{"nope.png", "c.png"}, "No entry named NOPE.PNG"},
        {{"grass.png", ""}, "The new name is empty"},
        {{"grass.png", std::string(65, 'n')},
         "The new name " + std::string(65, 'N') + " is longer than the 64 bytes an index file keeps"},
    };
    for (const auto& [names, message] : refused) {
        const ProgramRun failed = OnPair("rename", names);
        EXPECT_EQ(failed.exitCode, 1);
        EXPECT_EQ(failed.err, Error(index, message));
        EXPECT_EQ(PairBytes(), before);
    }
}

TEST_F(PxatoolTest, RemoveClearsTheCellsOrChangesNothing) {
    NewPair();
    ASSERT_EQ(OnPair("insert", {Png("a.png", 4, 4, 1), Png("b.png", 3, 3, 2), Png("c.png", 2, 2, 3)}).exitCode, 0);
    const Bytes before = PairBytes();
    const ProgramRun unknown = OnPair("remove", {"a.png", "nope.png"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err, Error(index, "No entry named NOPE.PNG"));
    EXPECT_EQ(PairBytes(), before);

    const ProgramRun run = OnPair("remove", {"a.png", "C.PNG"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(OnPair("list").out, "B.PNG\t7\t1\t3\t3\t1\n");
    const UniqueBitmap atlas = loadImage(image);
    for (std::uint32_t x = 0; x < 6; ++x) {
        EXPECT_EQ(pixelAt(atlas.get(), x, 2), 0u) << x;  // A's cell, border included
    }
    EXPECT_EQ(pixelAt(atlas.get(), 7, 1), patternPixel(2, 0, 0));
}

TEST_F(PxatoolTest, CheckReportsWhatOpeningDoesNotTest) {
    WritePair({{"A.PNG", {1, 1, 10, 10, 1}},
               {"a.png", {5, 5, 10, 10, 1}},
               {"OUT.PNG", {120, 1, 10, 2, 1}},
               {"FLAT.PNG", {60, 60, 0, 4, 1}}},
              128, 128);
    const ProgramRun run = OnPair("check");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out,
              "record 2 \"a.png\": same name as record 1 \"A.PNG\"\n"
              "record 2 \"a.png\": the cell overlaps the cell of record 1 \"A.PNG\"\n"
              "record 3 \"OUT.PNG\": the cell of 120,1 10x2 leaves the 128x128 atlas\n"
              "record 4 \"FLAT.PNG\": zero size 0x4\n");

    ASSERT_EQ(Pxatool({"new", index, image, "--force", "--size", "64x64"}).exitCode, 0);
    ASSERT_EQ(OnPair("insert", {Png("x.png", 5, 5, 1), Png("y.png", 6, 6, 2)}).exitCode, 0);
    const ProgramRun sound = OnPair("check");
    EXPECT_EQ(sound.exitCode, 0);
    EXPECT_EQ(sound.out, "");
    EXPECT_EQ(sound.err, "");
}

TEST_F(PxatoolTest, ExportWritesJsonFramesOrCsvRecordsByTheExtension) {
    WritePair({{"tree.png", {1, 1, 4, 3, 1}}, {"a,\"b\".png", {10, 2, 2, 5, 9}}}, 64, 32);
    const std::string json = folder.path("frames.json");
    ASSERT_EQ(OnPair("export", {json}).exitCode, 0);
    const nlohmann::json parsed = nlohmann::json::parse(readFileBytes(json));
    EXPECT_EQ(parsed["meta"]["image"], "atlas.tga");
    EXPECT_EQ(parsed["meta"]["size"], (nlohmann::json{{"w", 64}, {"h", 32}}));
    EXPECT_EQ(parsed["frames"].size(), 2u);
    EXPECT_EQ(parsed["frames"]["TREE.PNG"]["frame"], (nlohmann::json{{"x", 1}, {"y", 1}, {"w", 4}, {"h", 3}}));
    EXPECT_EQ(parsed["frames"]["A,\"B\".PNG"]["frame"], (nlohmann::json{{"x", 10}, {"y", 2}, {"w", 2}, {"h", 5}}));

    const std::string csv = folder.path("frames.CSV");
    ASSERT_EQ(OnPair("export", {csv}).exitCode, 0);
    const std::string records = "name,x,y,width,height\r\n\"A,\"\"B\"\".PNG\",10,2,2,5\r\nTREE.PNG,1,1,4,3\r\n";
    EXPECT_EQ(readFileBytes(csv), Bytes(records.begin(), records.end()));

    const std::string text = folder.path("frames.txt");
    EXPECT_EQ(OnPair("export", {text}).err,
              Error(text, "Unknown export format: the file name must end in .json or .csv"));
}

TEST_F(PxatoolTest, CompactPacksEveryEntryAsInsertWouldKeepingItsPixelsAndFlag) {
    const UniqueBitmap pattern = makePatternImage(128, 128, 9);
    ASSERT_TRUE(FreeImage_Save(FIF_TARGA, pattern.get(), image.c_str(), 0));
    const std::vector<IndexRecordSpec> records = {{"A.PNG", {1, 1, 10, 10, 7}},
                                                  {"B.PNG", {60, 60, 20, 5, 0}},
                                                  {"C.PNG", {100, 100, 6, 6, 255}},
                                                  {"FLAT.PNG", {40, 1, 0, 4, 3}}};
    writeFileBytes(index, indexBytes(records));
    // FLAT.PNG has no pixels to extract; the others go to the folder.
    const auto extractAll = [&](const std::string& name) {
        std::filesystem::create_directory(folder.path(name));
        OnPair("extract", {folder.path(name)});
        return folder.path(name);
    };
    const std::string before = extractAll("before");

    const ProgramRun run = OnPair("compact", {"--size", "32x32"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "size 128x128 -> 32x32\nused-percent 2.3 -> 36.5\n");
    EXPECT_EQ(OnPair("check").out, "record 4 \"FLAT.PNG\": zero size 0x4\n");  // no overlaps
    const std::string after = extractAll("after");
    for (const char* name : {"A.PNG", "B.PNG", "C.PNG"}) {
        EXPECT_EQ(readFileBytes(before + "/" + name), readFileBytes(after + "/" + name)) << name;
    }

    // Each entry is where inserting its image into an empty atlas of that size puts it.
    const std::string otherIndex = folder.path("other.pxa");
    const std::string otherImage = folder.path("other.tga");
    ASSERT_EQ(Pxatool({"new", otherIndex, otherImage, "--size", "32x32"}).exitCode, 0);
    ASSERT_EQ(Pxatool({"insert", otherIndex, otherImage, before}).exitCode, 0);
    const FilePair compacted(index, image);
    const FilePair inserted(otherIndex, otherImage);
    for (const IndexRecordSpec& record : records) {
        const AtlasEntry* now = compacted.find(record.name);
        const AtlasEntry* placed = record.entry.width == 0 ? now : inserted.find(record.name);
        ASSERT_TRUE(now && placed) << record.name;
        EXPECT_TRUE(*now ==
                    (AtlasEntry{placed->x, placed->y, record.entry.width, record.entry.height, record.entry.flag}))
            << record.name;
    }
}

// Two images of one area come out of the sort in the opposite order, so the
// places show the order the folder's files were taken in.
TEST_F(PxatoolTest, InsertTakesTheImageFilesOfFoldersInNameOrder) {
    NewPair();
    std::filesystem::create_directories(folder.path("art/sub"));
    Png("art/b.png", 4, 4, 1);
    Png("art/a.png", 4, 4, 2);
    Png("art/sub/c.png", 2, 2, 3);
    writeFileBytes(folder.path("art/notes.txt"), {'h', 'i'});
    const Bytes pairBefore = PairBytes();

    const ProgramRun dryRun = OnPair("insert", {folder.path("art"), "--dry-run"});
    EXPECT_EQ(dryRun.exitCode, 0) << dryRun.err;
    EXPECT_EQ(dryRun.out, "B.PNG\t1\t1\t4\t4\t1\nA.PNG\t7\t1\t4\t4\t1\n");
    EXPECT_EQ(PairBytes(), pairBefore);

    const ProgramRun recursive = OnPair("insert", {folder.path("art"), "--recursive"});
    EXPECT_EQ(recursive.exitCode, 0) << recursive.err;
    EXPECT_EQ(recursive.out, dryRun.out + "C.PNG\t13\t1\t2\t2\t1\n");
    EXPECT_EQ(OnPair("list").out, "A.PNG\t7\t1\t4\t4\t1\nB.PNG\t1\t1\t4\t4\t1\nC.PNG\t13\t1\t2\t2\t1\n");
}

// Files of one entry name are never merged silently: every clash is named,
// unless a rule says which name each file gets.
TEST_F(PxatoolTest, FilesOfOneEntryNameAreRefusedUnlessARuleNamesThem) {
    NewPair();
    std::filesystem::create_directories(folder.path("art/ui"));
    Png("art/x.png", 4, 4, 1);
    Png("art/ui/X.PNG", 6, 6, 2);
    Png("art/ui/y.png", 2, 2, 3);
    // As the tool joins the folders it walks.
    const std::string top = JoinPath(folder.path("art"), "x.png");
    const std::string nested = JoinPath(JoinPath(folder.path("art"), "ui"), "X.PNG");
    const Bytes before = PairBytes();

    const ProgramRun refused = OnPair("insert", {folder.path("art"), "--recursive"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, Error(top, "Same entry name X.PNG as " + nested) +
                               "pxatool: Nothing inserted: files would share entry names (--last-wins keeps the "
                               "later of each, --path-names puts their folders into the names)\n");
    EXPECT_EQ(PairBytes(), before);

    const std::pair<const char*, std::string> rules[] = {
        {"--last-wins", "X.PNG\t1\t1\t4\t4\t1\nY.PNG\t7\t1\t2\t2\t1\n"},
        {"--path-names", "UI.X.PNG\t1\t1\t6\t6\t1\nX.PNG\t9\t1\t4\t4\t1\nUI.Y.PNG\t15\t1\t2\t2\t1\n"},
    };
    for (const auto& [rule, placed] : rules) {
        ASSERT_EQ(Pxatool({"new", index, image, "--force"}).exitCode, 0);
        const ProgramRun run = OnPair("insert", {folder.path("art"), "--recursive", rule});
        EXPECT_EQ(run.exitCode, 0) << rule << run.err;
        EXPECT_EQ(run.out, placed) << rule;
    }
}

// A folder goes in as far as its files can be read; each file left out is
// named with its reason, and the exit status says so. Files named on the
// command line go in all or none (AFailedInsertNamesTheFileAndLeavesThePairAlone).
TEST_F(PxatoolTest, AFolderInsertsWhatCanBeReadAndNamesTheRest) {
    NewPair();
    std::filesystem::create_directories(folder.path("art"));
    Png("art/good.png", 4, 4, 1);
    writeFileBytes(folder.path("art/empty.png"), {});
    writeFileBytes(folder.path("art/text.gif"), {'h', 'e', 'l', 'l', 'o'});
    Png("art/" + std::string(61, 'L') + ".png", 2, 2, 2);
    const auto inArt = [&](const std::string& name) { return JoinPath(folder.path("art"), name); };
    // Names that cannot be entry names first, then files that cannot be read.
    std::string skipped =
        Error(inArt(std::string(61, 'L') + ".png"), "Skipped: The entry name " + std::string(61, 'L') +
                                                        ".PNG is longer than the 64 bytes an index "
                                                        "file keeps");
#ifndef _WIN32
    // Windows has no file of these names to list.
    Png("art/\u017F.png", 3, 3, 3);
    Png("art/con.png", 3, 3, 3);
    skipped += Error(inArt("\u017F.png"), "Skipped: the name has characters that Windows-1252 lacks") +
               Error(inArt("con.png"), "Skipped: The name cannot be a file name on Windows");
#endif
    skipped += Error(inArt("empty.png"), "Skipped: Unable to load image") +
               Error(inArt("text.gif"), "Skipped: Unable to load image");
    const ProgramRun run = OnPair("insert", {folder.path("art")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "GOOD.PNG\t1\t1\t4\t4\t1\n");
    EXPECT_EQ(run.err, skipped);
    EXPECT_EQ(OnPair("list").out, run.out);
}

// Entry names are Windows-1252 bytes on every system: a file name is read as
// the system's text (UTF-8 on POSIX), and export reads every name by that one
// code page, so two names never become one frame.
TEST_F(PxatoolTest, NamesAreWindows1252BytesAndExportReadsThemSo) {
    NewPair();
    // The runner passes arguments as UTF-8; FreeImage takes the file name in
    // the system's 8-bit text, which under Wine is Windows-1252. The names are
    // joined here, not by std::filesystem, which would convert them again.
#ifdef _WIN32
    writePatternPng(folder.path("caf") + "\xE9.png", 2, 2, 1);
#else
    writePatternPng(folder.path("caf") + "\u00E9.png", 2, 2, 1);
#endif
    ASSERT_EQ(OnPair("insert", {folder.path("caf") + "\u00E9.png"}).exitCode, 0);
    const FilePair pair(index, image);
    EXPECT_NE(pair.find("CAF\xE9.PNG"), nullptr);
    WritePair({{"\xC9.TGA", {1, 1, 2, 2, 1}}, {"\xC3\x89.TGA", {5, 1, 2, 2, 1}}, {"\x80.TGA", {9, 1, 2, 2, 1}}});
    const std::string json = folder.path("frames.json");
    ASSERT_EQ(OnPair("export", {json}).exitCode, 0);
    const nlohmann::json frames = nlohmann::json::parse(readFileBytes(json))["frames"];
    EXPECT_EQ(frames.size(), 3u);
    for (const char* name : {"\u00C9.TGA", "\u00C3\u2030.TGA", "\u20AC.TGA"}) {
        EXPECT_TRUE(frames.contains(name)) << name;
    }
}

TEST_F(PxatoolTest, ExportWithAnImageWritesTheAtlasInItsFormatAndNamesIt) {
    const UniqueBitmap pattern = makePatternImage(16, 8, 4);
    ASSERT_TRUE(FreeImage_Save(FIF_TARGA, pattern.get(), image.c_str(), 0));
    writeFileBytes(index, indexBytes({{"A.PNG", {1, 1, 2, 2, 1}}}));
    std::filesystem::create_directory(folder.path("web"));
    const std::string json = folder.path("web/atlas.json");
    const std::string png = folder.path("web/atlas.png");
    const ProgramRun run = OnPair("export", {json, "--image", png});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(readFileBytes(json))["meta"]["image"], "atlas.png");
    EXPECT_EQ(FreeImage_GetFileType(png.c_str(), 0), FIF_PNG);
    EXPECT_TRUE(ImageEquals(loadImage(png).get(), 16, 8, 4));

    const std::string text = folder.path("web/atlas.txt");
    EXPECT_EQ(OnPair("export", {json, "--image", text}).err,
              Error(text, "Unknown image format: the file name needs an image extension such as .png"));
}

// Without --size an atlas takes the smallest size of the growth sequence that
// holds every entry, or keeps its own when that is no larger and holds them.
TEST_F(PxatoolTest, CompactWithoutASizeNeverGrowsAnAtlasThatHoldsItsEntries) {
    const std::pair<std::vector<std::uint32_t>, std::string> cases[] = {
        // atlas width, height, then entry width, height pairs
        {{64, 64, 10, 10, 5, 5}, "size 64x64 -> 32x16\n"},
        {{300, 20, 290, 10}, "size 300x20 -> 300x20\n"},
        {{256, 256, 100, 100, 100, 100}, "size 256x256 -> 256x128\n"},
    };
    for (const auto& [sizes, said] : cases) {
        std::vector<IndexRecordSpec> records;
        std::uint32_t x = 1;
        for (std::size_t at = 2; at + 1 < sizes.size(); at += 2) {
            records.push_back({"E" + std::to_string(at) + ".PNG", {x, 1, sizes[at], sizes[at + 1], 1}});
            x += sizes[at] + 2;
        }
        WritePair(records, sizes[0], sizes[1]);
        const ProgramRun run = OnPair("compact");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), said);
        EXPECT_EQ(OnPair("check").out, "");
    }
}
