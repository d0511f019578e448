#include "filepairtestseam.h"

#include "atlasimage.h"
#include "indexfile.h"
#include "safefile.h"

void saveIndex(FilePair& pair, const std::string& fileName) {
    AtlasDocument& document = FilePairTestSeam::document(pair);
    std::string newName = fileName;
    writeIndex(fileName, document.entries);
    document.indexFileName.swap(newName);
    document.modified &= ~std::uint32_t{FilePair::IndexModified};
    document.history.markSaved(FilePair::IndexModified);
}

void saveImage(FilePair& pair, const std::string& fileName, int format) {
    AtlasDocument& document = FilePairTestSeam::document(pair);
    std::string newName = fileName;
    saveBitmapSafely(document.bitmap.get(), fileName, formatForSaving(fileName, format), FlushRule::Always,
                     Journal::Kept);
    document.imageFileName.swap(newName);
    document.modified &= ~std::uint32_t{FilePair::ImageModified};
    document.history.markSaved(FilePair::ImageModified);
}
