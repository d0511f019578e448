// The atlas image that goes with an index file when only the index is named,
// as "Open with" and file associations name it: the file beside it with the
// same name and an image extension.
#pragma once

#include <string>
#include <vector>

#include "imagetypes.h"

// The extensions tried, in this order: tga, png, bmp, dds, tif, tiff, psd,
// webp, jpg, jpeg, jp2, j2k, gif, then every other extension of
// `readableTypes` in the order of that list (the Open dialog's), each once
// whatever its letter case.
std::vector<std::string> atlasImageExtensions(const std::vector<ImageType>& readableTypes);

// The index's path without its extension, with each extension in turn.
std::vector<std::string> atlasImageCandidates(const std::string& indexPath, const std::vector<std::string>& extensions);

// The first candidate that is a file that can be read; empty when none is.
std::string findAtlasImage(const std::string& indexPath, const std::vector<ImageType>& readableTypes);
