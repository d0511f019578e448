#include "atlasdocument.h"

#include <utility>

#include "atlasimage.h"
#include "exceptions.h"
#include "indexfile.h"

AtlasDocument::AtlasDocument(const std::string& indexFileName, const std::string& imageFileName)
    : bitmap(loadImage(imageFileName)) {
    const std::uint32_t width = FreeImage_GetWidth(bitmap.get());
    const std::uint32_t height = FreeImage_GetHeight(bitmap.get());
    freeSpace.addFree(0, 0, width, height);
    readIndex(indexFileName, width, height, entries, freeSpace);
    this->indexFileName = indexFileName;
    this->imageFileName = imageFileName;
}

AtlasDocument::AtlasDocument(std::int32_t width, std::int32_t height) {
    if (width > 0 && height > 0) {
        bitmap = allocateBitmap(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
    }
    if (!bitmap) {
        THROW_AT_SITE(Exception, "Unable to create bitmap");
    }
    freeSpace.addFree(0, 0, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
}

void AtlasDocument::eraseEntry(EntryTable::iterator entry) {
    if (selected == &entry->second) {
        selected = nullptr;
    }
    EntryTable::node_type node = entries.extract(entry);
    if (recording != nullptr) {
        recording->entryRemoved(std::move(node));
    }
}

void AtlasDocument::pixelsChanging(const AtlasRect& cell) {
    if (recording != nullptr) {
        recording->pixelsChanging(bitmap.get(), cell);
    }
}

void AtlasDocument::entryAdded(const std::string& name) {
    if (recording != nullptr) {
        recording->entryAdded(name);
    }
}

void AtlasDocument::replaceBitmap(UniqueBitmap replacement) {
    UniqueBitmap old = std::move(bitmap);
    bitmap = std::move(replacement);
    if (recording != nullptr) {
        recording->bitmapReplaced(std::move(old), bitmap.get());
    }
}

void AtlasDocument::replaceContents(AtlasDocument& other) {
    std::swap(bitmap, other.bitmap);
    entries.swap(other.entries);
    freeSpace.swap(other.freeSpace);
    if (recording != nullptr) {
        DocumentContents old;
        std::swap(old.bitmap, other.bitmap);
        old.entries.swap(other.entries);
        old.freeSpace.swap(other.freeSpace);
        recording->documentReplaced(std::move(old));
    }
}
