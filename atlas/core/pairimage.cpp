#include "pairimage.h"

#include <algorithm>
#include <cctype>

#include "filepath.h"
#include "rawfile.h"

namespace {

// The formats atlases are kept in most, the editor's own default first.
const char* const preferredExtensions[] = {"tga",  "png", "bmp",  "dds", "tif", "tiff", "psd",
                                           "webp", "jpg", "jpeg", "jp2", "j2k", "gif"};

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The extensions of a pattern list such as "*.tif;*.tiff".
std::vector<std::string> extensionsOf(const std::string& patterns) {
    std::vector<std::string> extensions;
    std::string::size_type start = 0;
    while (start <= patterns.size()) {
        const std::string::size_type end = std::min(patterns.find(';', start), patterns.size());
        const std::string pattern = patterns.substr(start, end - start);
        if (pattern.size() > 2 && pattern.compare(0, 2, "*.") == 0 &&
            pattern.find_first_of("*?", 2) == std::string::npos) {
            extensions.push_back(lowerCase(pattern.substr(2)));
        }
        start = end + 1;
    }
    return extensions;
}

bool isReadableFile(const std::string& path) {
    RawFile file;
    return RawFileOpenForReading(file, path.c_str());
}

}  // namespace

std::vector<std::string> atlasImageExtensions(const std::vector<ImageType>& readableTypes) {
    std::vector<std::string> extensions(std::begin(preferredExtensions), std::end(preferredExtensions));
    for (const ImageType& type : readableTypes) {
        if (type.format < 0) {
            continue;  // the summaries repeat the formats' own patterns
        }
        for (const std::string& extension : extensionsOf(type.patterns)) {
            if (std::find(extensions.begin(), extensions.end(), extension) == extensions.end()) {
                extensions.push_back(extension);
            }
        }
    }
    return extensions;
}

std::vector<std::string> atlasImageCandidates(const std::string& indexPath,
                                              const std::vector<std::string>& extensions) {
    const std::string name = FileNamePart(indexPath);
    const std::string::size_type dot = name.rfind('.');
    const std::string base =
        dot == std::string::npos ? indexPath : indexPath.substr(0, indexPath.size() - (name.size() - dot));
    std::vector<std::string> candidates;
    for (const std::string& extension : extensions) {
        candidates.push_back(base + "." + extension);
    }
    return candidates;
}

std::string findAtlasImage(const std::string& indexPath, const std::vector<ImageType>& readableTypes) {
    for (const std::string& candidate : atlasImageCandidates(indexPath, atlasImageExtensions(readableTypes))) {
        if (isReadableFile(candidate)) {
            return candidate;
        }
    }
    return std::string();
}
