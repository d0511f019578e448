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
class StagedFile;
struct FIBITMAP;

// An image file on its way into the atlas under the entry name the caller
// gives it (upper case, as every entry name).
struct ImageFileToInsert {
    std::string path;
    std::string name;
    // One of many found in a folder: when it cannot be read it is left out
    // and reported, and the others go in.
    bool optional = false;
};

// An optional file left out of an insertion, and why (the message loading it gave).
struct SkippedFile {
    std::string path;
    std::string reason;
};

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
    // Writes the atlas into a staged file (platform/safefile.h) in the format
    // its target's extension names, for a copy that goes in place with other
    // files as one unit; the document keeps its names. Throws FileException.
    void writeImageCopy(const StagedFile& staged) const;

    // What extract does with a file already there.
    enum class ExistingFile { Replace, Keep };
    // Writes one entry's pixels to an image file; an unknown name does
    // nothing. False, with nothing written, when the file exists and
    // `existing` says to keep it.
    bool extract(const std::string& name, const std::string& fileName, int format,
                 ExistingFile existing = ExistingFile::Replace) const;

    // Packs the image files into the atlas under their upper-cased file names,
    // replacing entries of the same name. On return `paths` is in placement
    // order (largest area first). On failure the document is as it was.
    void insertFiles(std::vector<std::string>& paths);
    // insertFiles under the names given. Optional files that cannot be read
    // are left out of `files` and returned; any other failure leaves the
    // document as it was. On return `files` holds the files inserted, in
    // placement order.
    std::vector<SkippedFile> insertNamedFiles(std::vector<ImageFileToInsert>& files);

    // Packs every entry anew, from an empty atlas of width x height, by the
    // rules of insertFiles (the atlas grows as needed), moving its pixels and
    // redrawing its border. Names, sizes, flags and pixels stay; only
    // positions change. Clears the selection. On failure the document is as
    // it was.
    void compact(std::int32_t width, std::int32_t height);
    // compact from the smallest size of the growth sequence 1 x 1, 2 x 1,
    // 2 x 2, 4 x 2, ... that holds every entry without growing, or from the
    // current size when that is no larger and holds them too: an atlas whose
    // entries fit it never grows. Without such a size, from the current one,
    // growing as needed; without entries, nothing changes.
    void compact();

    // False, with nothing changed, for an empty or existing new name or an
    // unknown old name. A selected entry stays selected under its new name.
    bool rename(const std::string& oldName, const std::string& newName);
    // Blanks the entry's cell and frees it; an unknown name does nothing.
    void remove(const std::string& name);

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
