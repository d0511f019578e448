// An atlas's entries in the formats game engines and web frameworks read,
// and the export files written with them: the text, and optionally the atlas
// image beside it, as pxatool's export and PXAEditor's File > Export write
// them. Entry names are written as UTF-8, read as the Windows-1252 bytes they
// are on every system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "atlasentry.h"

class FilePair;

// The widely read "hash" layout, members in this order: {"frames": {NAME:
// {"frame": {"x", "y", "w", "h"}, ...}}, "meta": {"image": imageName,
// "size": {"w", "h"}, ...}}, frames in table order. Every frame is the
// entry's rectangle, neither rotated nor trimmed. `imageName` is UTF-8.
std::string atlasJson(const EntryTable& entries, const std::string& imageName, std::uint32_t width,
                      std::uint32_t height);

// RFC 4180 CSV: the header "name,x,y,width,height", then one record per
// entry in table order, each ending in CR LF.
std::string atlasCsv(const EntryTable& entries);

enum class ExportFormat { Json, Csv };

// The format a file name's extension (.json or .csv, in any letter case)
// names; nothing for any other.
std::optional<ExportFormat> exportFormatOf(const std::string& fileName);

// The export of the document in that format; `imageName` (UTF-8) is what the
// JSON's meta names as its image.
std::string exportText(const FilePair& pair, ExportFormat format, const std::string& imageName);

// Writes `text` to textFile and, unless imageFile is empty, the atlas image
// to imageFile in the format its extension names, both put in place as one
// unit: a failure leaves files already there as they were. Nothing opens an
// export through the recovery of interrupted saves, so no journal is kept.
// Throws FileException naming the file (as given) that could not be written,
// with "Unable to create file", "Unable to write to file", "Unable to replace
// file" or the image writer's message.
void writeExport(const FilePair& pair, const std::string& textFile, const std::string& text,
                 const std::string& imageFile);
