#include "insertfiles.h"

#include <utility>

#include "atlasimage.h"
#include "entryname.h"
#include "entrypacking.h"
#include "exceptions.h"
#include "filepath.h"
#include "safefilename.h"

InsertionResult insertImageFiles(AtlasDocument& document, std::vector<ImageFileToInsert>& files) {
    InsertionResult result;
    std::vector<ImageFileToInsert> loadedFiles;
    std::vector<NewEntryImage> images;
    images.reserve(files.size());
    for (const ImageFileToInsert& file : files) {
        // A name such as CON.PNG is a device on Windows: not even opened.
        if (file.optional && !isSafeFileName(FileNamePart(file.path))) {
            result.skipped.push_back(SkippedFile{file.path, "The name cannot be a file name on Windows"});
            continue;
        }
        UniqueBitmap pixels;
        try {
            pixels = loadEntryImage(file.path);
        } catch (const Exception& failure) {
            if (!file.optional) {
                throw;
            }
            result.skipped.push_back(SkippedFile{file.path, failure.message});
            continue;
        }
        const std::uint32_t width = FreeImage_GetWidth(pixels.get());
        const std::uint32_t height = FreeImage_GetHeight(pixels.get());
        images.push_back(NewEntryImage{file.name, std::move(pixels), width, height, 1, file.path});
        loadedFiles.push_back(file);
    }
    const std::vector<std::size_t> order = placementOrder(images);
    files = reordered(loadedFiles, order);
    if (!images.empty()) {
        result.placed = packImages(document, reordered(images, order));
    }
    return result;
}

std::vector<PlacedEntry> insertImagePaths(AtlasDocument& document, std::vector<std::string>& paths) {
    std::vector<ImageFileToInsert> files;
    files.reserve(paths.size());
    for (const std::string& path : paths) {
        files.push_back(ImageFileToInsert{path, entryNameFromPath(path), false});
    }
    // The caller learns the placement order from its own list, also when the
    // packing fails; a file that cannot be loaded leaves the order as it was.
    const auto takeOrder = [&] {
        for (std::size_t k = 0; k < files.size(); ++k) {
            paths[k] = files[k].path;
        }
    };
    InsertionResult result;
    try {
        result = insertImageFiles(document, files);
    } catch (...) {
        takeOrder();
        throw;
    }
    takeOrder();
    return std::move(result.placed);
}
