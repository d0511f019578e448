// The file dialogs' image types, from a scripted registry of formats and from
// the FreeImage the program is built with.
#include "imagetypes.h"

#include <gtest/gtest.h>

#include "freeimage.h"

namespace {

struct FakeFormat {
    const char* extensions;
    const char* description;
    bool reads;
    bool writes;
    bool exportsBitmaps;  // answers for FIT_BITMAP only
    bool exports32Bits;   // answers for 32 bits per pixel only
};

std::vector<FakeFormat> fakeFormats;
std::vector<std::string> writeQuestions;  // "writing 0", "type 0", "bpp 0", in the order asked

int fakeCount() { return static_cast<int>(fakeFormats.size()); }
const char* fakeExtensions(int format) { return fakeFormats.at(static_cast<std::size_t>(format)).extensions; }
const char* fakeDescription(int format) { return fakeFormats.at(static_cast<std::size_t>(format)).description; }
bool fakeReads(int format) { return fakeFormats.at(static_cast<std::size_t>(format)).reads; }
bool fakeWrites(int format) {
    writeQuestions.push_back("writing " + std::to_string(format));
    return fakeFormats.at(static_cast<std::size_t>(format)).writes;
}
bool fakeExportsType(int format, int imageType) {
    writeQuestions.push_back("type " + std::to_string(format));
    return imageType == FIT_BITMAP && fakeFormats.at(static_cast<std::size_t>(format)).exportsBitmaps;
}
bool fakeExportsBits(int format, int bitsPerPixel) {
    writeQuestions.push_back("bpp " + std::to_string(format));
    return bitsPerPixel == 32 && fakeFormats.at(static_cast<std::size_t>(format)).exports32Bits;
}

const ImageFormatRegistry fakeRegistry = {fakeCount,  fakeExtensions,  fakeDescription, fakeReads,
                                          fakeWrites, fakeExportsType, fakeExportsBits};

struct Lists {
    std::vector<ImageType> readable;
    std::vector<ImageType> writable;
};

Lists listsFor(std::vector<FakeFormat> formats) {
    fakeFormats = std::move(formats);
    writeQuestions.clear();
    Lists lists;
    BuildImageTypeLists(fakeRegistry, lists.readable, lists.writable);
    return lists;
}

const ImageType allFiles = {"All Files (*.*)", "*.*", -1};

}  // namespace

bool operator==(const ImageType& a, const ImageType& b) {
    return a.description == b.description && a.patterns == b.patterns && a.format == b.format;
}

std::ostream& operator<<(std::ostream& out, const ImageType& type) {
    return out << "{\"" << type.description << "\", \"" << type.patterns << "\", " << type.format << "}";
}

TEST(ImageTypeLists, ALibraryWithoutFormatsOffersOnlyAllFiles) {
    const Lists lists = listsFor({});
    EXPECT_EQ(lists.readable, std::vector<ImageType>{allFiles});
    EXPECT_EQ(lists.writable, std::vector<ImageType>{allFiles});
}

TEST(ImageTypeLists, FormatsComeInCodeOrderThenAllImageFilesThenAllFiles) {
    const Lists lists =
        listsFor({{"aaa", "First", true, false, true, true}, {"bbb,ccc", "Second", true, false, true, true}});
    const std::vector<ImageType> expected = {
        {"First (*.aaa)", "*.aaa", 0},
        {"Second (*.bbb, *.ccc)", "*.bbb;*.ccc", 1},
        {"All Image Files (*.aaa,*.bbb, *.ccc)", "*.aaa;*.bbb;*.ccc", -1},
        allFiles,
    };
    EXPECT_EQ(lists.readable, expected);
    EXPECT_EQ(lists.writable, std::vector<ImageType>{allFiles});
}

TEST(ImageTypeLists, EachWriteTestDecidesAloneWhetherAFormatIsWritable) {
    const Lists lists = listsFor({
        {"r", "ReadOnly", true, false, true, true},
        {"t", "NoBitmapExport", true, true, false, true},
        {"b", "No32Bits", true, true, true, false},
        {"w", "WriteOnly", false, true, true, true},
        {"n", "Neither", false, false, false, false},
        {"rw", "Both", true, true, true, true},
    });
    const std::vector<ImageType> readable = {
        {"ReadOnly (*.r)", "*.r", 0},
        {"NoBitmapExport (*.t)", "*.t", 1},
        {"No32Bits (*.b)", "*.b", 2},
        {"Both (*.rw)", "*.rw", 5},
        {"All Image Files (*.r,*.t,*.b,*.rw)", "*.r;*.t;*.b;*.rw", -1},
        allFiles,
    };
    const std::vector<ImageType> writable = {
        {"WriteOnly (*.w)", "*.w", 3},
        {"Both (*.rw)", "*.rw", 5},
        {"All Image Files (*.w,*.rw)", "*.w;*.rw", -1},
        allFiles,
    };
    EXPECT_EQ(lists.readable, readable);
    EXPECT_EQ(lists.writable, writable);
}

TEST(ImageTypeLists, WriteTestsAreAskedInOrderAndOnlyWhileTheyHold) {
    listsFor(
        {{"a", "A", true, false, true, true}, {"b", "B", true, true, false, true}, {"c", "C", true, true, true, true}});
    EXPECT_EQ(writeQuestions,
              (std::vector<std::string>{"writing 0", "writing 1", "type 1", "writing 2", "type 2", "bpp 2"}));
}

TEST(ImageTypeLists, SharedExtensionsStayInEveryFormatAndInTheSummary) {
    const Lists lists =
        listsFor({{"tif,tiff", "One", true, false, true, true}, {"tif", "Other", true, false, true, true}});
    ASSERT_EQ(lists.readable.size(), 4u);
    EXPECT_EQ(lists.readable[0], (ImageType{"One (*.tif, *.tiff)", "*.tif;*.tiff", 0}));
    EXPECT_EQ(lists.readable[1], (ImageType{"Other (*.tif)", "*.tif", 1}));
    EXPECT_EQ(lists.readable[2], (ImageType{"All Image Files (*.tif, *.tiff,*.tif)", "*.tif;*.tiff;*.tif", -1}));
}

TEST(ImageTypeLists, ExtensionPiecesAreTakenExactly) {
    const Lists lists = listsFor({{"", "Empty", true, false, true, true},
                                  {"a, b", "Blank", true, false, true, true},
                                  {"x,", "Trailing", true, false, true, true}});
    const std::vector<ImageType> expected = {
        {"Empty (*.)", "*.", 0},
        {"Blank (*.a, *. b)", "*.a;*. b", 1},
        {"Trailing (*.x, *.)", "*.x;*.", 2},
        {"All Image Files (*.,*.a, *. b,*.x, *.)", "*.;*.a;*. b;*.x;*.", -1},
        allFiles,
    };
    EXPECT_EQ(lists.readable, expected);
}

TEST(ImageTypeLists, AFormatWithoutExtensionsOrDescriptionIsNotOffered) {
    const Lists lists = listsFor({{nullptr, "NoExtensions", true, true, true, true},
                                  {"d", nullptr, true, true, true, true},
                                  {"ok", "Fine", true, true, true, true}});
    const std::vector<ImageType> expected = {
        {"Fine (*.ok)", "*.ok", 2},
        {"All Image Files (*.ok)", "*.ok", -1},
        allFiles,
    };
    EXPECT_EQ(lists.readable, expected);
    EXPECT_EQ(lists.writable, expected);
}

// The library the program runs with: its well-known formats land where their
// abilities say, and both lists end with the two summaries.
TEST(ImageTypeLists, FreeImageFormatsAreOfferedByWhatTheyCanDo) {
    std::vector<ImageType> readable;
    std::vector<ImageType> writable;
    BuildImageTypeLists(readable, writable);

    const auto find = [](const std::vector<ImageType>& types, int format) {
        for (const ImageType& type : types) {
            if (type.format == format) {
                return type;
            }
        }
        return ImageType{"", "", -2};
    };
    EXPECT_EQ(find(readable, FIF_PNG), (ImageType{"Portable Network Graphics (*.png)", "*.png", FIF_PNG}));
    EXPECT_EQ(find(writable, FIF_PNG), find(readable, FIF_PNG));
    EXPECT_EQ(find(writable, FIF_TARGA).patterns, "*.tga;*.targa");
    EXPECT_EQ(find(readable, FIF_PCX).format, FIF_PCX);
    EXPECT_EQ(find(writable, FIF_PCX).format, -2) << "PCX can only be read";

    for (const std::vector<ImageType>* list : {&readable, &writable}) {
        ASSERT_GE(list->size(), 3u);
        EXPECT_EQ(list->back(), allFiles);
        const ImageType& summary = (*list)[list->size() - 2];
        EXPECT_EQ(summary.format, -1);
        std::string patterns;
        int previousFormat = -1;
        for (std::size_t i = 0; i + 2 < list->size(); ++i) {
            EXPECT_GT((*list)[i].format, previousFormat) << (*list)[i];
            previousFormat = (*list)[i].format;
            patterns += (i == 0 ? "" : ";") + (*list)[i].patterns;
        }
        EXPECT_EQ(summary.patterns, patterns);
        EXPECT_EQ(summary.description.rfind("All Image Files (", 0), 0u) << summary;
    }
}

TEST(FilterText, HoldsEachDescriptionAndPatternZeroTerminatedThenOneMoreZero) {
    const std::vector<ImageType> types = {{"Pictures (*.p)", "*.p", 3}, {"All Files (*.*)", "*.*", -1}};
    const char expected[] = "Pictures (*.p)\0*.p\0All Files (*.*)\0*.*\0";  // and the literal's own zero
    const std::vector<char> text = BuildFilterText(types);
    EXPECT_EQ(std::string(text.begin(), text.end()), std::string(expected, sizeof expected));
}

TEST(FilterText, OfAnEmptyListIsASingleZero) { EXPECT_EQ(BuildFilterText({}), std::vector<char>{'\0'}); }
