#include "imagetypes.h"

#include "freeimage.h"

namespace {

FREE_IMAGE_FORMAT asFormat(int format) { return static_cast<FREE_IMAGE_FORMAT>(format); }

int freeImageFormatCount() { return FreeImage_GetFIFCount(); }
const char* freeImageExtensionList(int format) { return FreeImage_GetFIFExtensionList(asFormat(format)); }
const char* freeImageDescription(int format) { return FreeImage_GetFIFDescription(asFormat(format)); }
bool freeImageSupportsReading(int format) { return FreeImage_FIFSupportsReading(asFormat(format)) != FALSE; }
bool freeImageSupportsWriting(int format) { return FreeImage_FIFSupportsWriting(asFormat(format)) != FALSE; }
bool freeImageSupportsExportType(int format, int imageType) {
    return FreeImage_FIFSupportsExportType(asFormat(format), static_cast<FREE_IMAGE_TYPE>(imageType)) != FALSE;
}
bool freeImageSupportsExportBitsPerPixel(int format, int bitsPerPixel) {
    return FreeImage_FIFSupportsExportBPP(asFormat(format), bitsPerPixel) != FALSE;
}

// One format's extensions as the dialog's wildcards ("*.aaa;*.bbb") and as
// shown to the user ("*.aaa, *.bbb"). Pieces are taken exactly as listed.
struct FormatWildcards {
    std::string patterns;
    std::string display;
};

FormatWildcards wildcardsOf(const std::string& extensionList) {
    FormatWildcards wildcards;
    std::string::size_type start = 0;
    bool first = true;
    for (;;) {
        const std::string::size_type comma = extensionList.find(',', start);
        const std::string piece =
            extensionList.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!first) {
            wildcards.patterns += ';';
            wildcards.display += ", ";
        }
        wildcards.patterns += "*." + piece;
        wildcards.display += "*." + piece;
        first = false;
        if (comma == std::string::npos) {
            return wildcards;
        }
        start = comma + 1;
    }
}

// The formats of one list, gathered for its "All Image Files" entry; each
// format's wildcards are followed by a separator that the last one drops.
struct ImageTypeList {
    std::vector<ImageType>& types;
    std::string allDisplay;
    std::string allPatterns;

    void add(const std::string& description, const FormatWildcards& wildcards, int format) {
        allDisplay += wildcards.display + ",";
        allPatterns += wildcards.patterns + ";";
        types.push_back({description + " (" + wildcards.display + ")", wildcards.patterns, format});
    }

    void finish() {
        if (!allPatterns.empty()) {
            allDisplay.pop_back();
            allPatterns.pop_back();
            types.push_back({"All Image Files (" + allDisplay + ")", allPatterns, -1});
        }
    }
};

bool canWrite32BitBitmaps(const ImageFormatRegistry& registry, int format) {
    return registry.supportsWriting(format) && registry.supportsExportType(format, FIT_BITMAP) &&
           registry.supportsExportBitsPerPixel(format, 32);
}

}  // namespace

const ImageFormatRegistry& freeImageRegistry() {
    static const ImageFormatRegistry registry = {
        freeImageFormatCount,
        freeImageExtensionList,
        freeImageDescription,
        freeImageSupportsReading,
        freeImageSupportsWriting,
        freeImageSupportsExportType,
        freeImageSupportsExportBitsPerPixel,
    };
    return registry;
}

void BuildImageTypeLists(std::vector<ImageType>& readableTypes, std::vector<ImageType>& writableTypes) {
    BuildImageTypeLists(freeImageRegistry(), readableTypes, writableTypes);
}

void BuildImageTypeLists(const ImageFormatRegistry& registry, std::vector<ImageType>& readableTypes,
                         std::vector<ImageType>& writableTypes) {
    ImageTypeList readable{readableTypes, {}, {}};
    ImageTypeList writable{writableTypes, {}, {}};
    for (int format = 0; format < registry.formatCount(); ++format) {
        const char* extensionList = registry.extensionList(format);
        const char* description = registry.description(format);
        if (extensionList == nullptr || description == nullptr) {
            continue;  // nothing a dialog could show or match
        }
        const FormatWildcards wildcards = wildcardsOf(extensionList);
        if (registry.supportsReading(format)) {
            readable.add(description, wildcards, format);
        }
        if (canWrite32BitBitmaps(registry, format)) {
            writable.add(description, wildcards, format);
        }
    }
    readable.finish();
    writable.finish();
    readableTypes.push_back({"All Files (*.*)", "*.*", -1});
    writableTypes.push_back({"All Files (*.*)", "*.*", -1});
}

std::vector<char> BuildFilterText(const std::vector<ImageType>& types) {
    std::size_t size = 1;
    for (const ImageType& type : types) {
        size += type.description.size() + type.patterns.size() + 2;
    }
    std::vector<char> text;
    text.reserve(size);
    for (const ImageType& type : types) {
        text.insert(text.end(), type.description.begin(), type.description.end());
        text.push_back('\0');
        text.insert(text.end(), type.patterns.begin(), type.patterns.end());
        text.push_back('\0');
    }
    text.push_back('\0');
    return text;
}
