#include "filepairstate.h"

#include <utility>

#include "atlasimage.h"

void FilePair::compact(std::int32_t width, std::int32_t height) {
    StepRecording recording(*state_, AtlasEdit::Compact);
    std::vector<NewEntryImage> images;
    images.reserve(state_->entries.size());
    for (const auto& [name, entry] : state_->entries) {
        UniqueBitmap pixels;
        if (entry.width != 0 && entry.height != 0) {
            pixels = copyEntryPixels(entry, state_->bitmap.get());
        }
        images.push_back(NewEntryImage{name, std::move(pixels), entry.width, entry.height, entry.flag});
    }
    // Packed into a document of its own, so that a failure touches nothing here.
    FilePair packed(width, height);
    packed.state_->insertImages(std::move(images));
    state_->selected = nullptr;
    state_->replaceContents(*packed.state_);
    state_->modified = ImageModified | IndexModified;
    recording.finish();
}
