// The atlas document: an atlas image, its named entries and its index file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "atlasentry.h"
#include "previewarea.h"

class FreeSpaceMap;
struct FIBITMAP;

// A handle on a separately allocated document state. Every failure is thrown
// as an Exception (exceptions.h). A moved-from FilePair may only be destroyed
// or assigned to.
class FilePair {
public:
    enum ModifiedBits : std::uint32_t {
        ImageModified = 1,  // the atlas differs from its file
        IndexModified = 2,  // the entries differ from the index file
    };

    // Opens an existing pair: the image first, then the index.
    FilePair(const std::string& indexFileName, const std::string& imageFileName);
    // A new, untitled document with a transparent black atlas.
    FilePair(std::int32_t width, std::int32_t height);
    ~FilePair();
    FilePair(FilePair&&) noexcept;
    FilePair& operator=(FilePair&&) noexcept;

    // savePair under the current names (format -1: from the file name).
    void save(int format);
    // Writes the index and the image beside their targets and puts both in
    // place as one unit, then adopts both names. On failure both files on
    // disk, the names and the modified bits are as they were, and the
    // FileException names the file that could not be saved.
    void savePair(const std::string& indexFileName, const std::string& imageFileName, int format);
    // One file alone, adopting its name; failures leave the old file as it was.
    void saveIndex(const std::string& fileName);
    void saveImage(const std::string& fileName, int format);

    // Writes one entry's pixels to an image file; an unknown name does nothing.
    void extract(const std::string& name, const std::string& fileName, int format) const;

    // Packs the image files into the atlas under their upper-cased file names,
    // replacing entries of the same name. On return `paths` is in placement
    // order (largest area first). On failure (an Exception, or std::bad_alloc
    // when memory runs out) the document is as it was.
    void insertFiles(std::vector<std::string>& paths);

    // Packs every entry anew, from an empty atlas of width x height, by the
    // rules of insertFiles (the atlas grows as needed), moving its pixels and
    // redrawing its border. Names, sizes, flags and pixels stay; only
    // positions change. Clears the selection. On failure the document is as
    // it was.
    void compact(std::int32_t width, std::int32_t height);

    // False, with nothing changed, for an empty or existing new name or an
    // unknown old name. A selected entry stays selected under its new name.
    // Running out of memory throws std::bad_alloc with nothing changed.
    bool rename(const std::string& oldName, const std::string& newName);
    // Blanks the entry's cell and frees it; an unknown name does nothing.
    void remove(const std::string& name);
    // remove for each name in turn, as one step: running out of memory throws
    // std::bad_alloc with nothing removed.
    void removeEntries(const std::vector<std::string>& names);

    const AtlasEntry* find(const std::string& name) const;
    // Selects the entry of that name, or nothing; true if the selection changed.
    bool select(const std::string& name);
    const AtlasEntry* selected() const;
    // Where the selected entry's pixels are in the atlas; nothing when no
    // entry is selected or it does not lie inside the atlas.
    std::optional<PreviewArea> selectedPreviewArea() const;

    bool isModified() const;
    std::uint32_t modifiedBits() const;
    bool isUntitled() const;
    const std::string& indexFileName() const;
    const std::string& imageFileName() const;
    const EntryTable& entries() const;

    // The atlas's size in pixels.
    std::uint32_t width() const;
    std::uint32_t height() const;
    // The free rectangles that hold space (the map keeps used-up ones for reuse).
    std::size_t freeRectangleCount() const;

    FIBITMAP* bitmap() const;
    const FreeSpaceMap& freeSpace() const;

    struct State;

private:
    std::unique_ptr<State> state_;
};
