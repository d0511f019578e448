// Image files into a document: loading them, and what is left out.
#pragma once

#include <string>
#include <vector>

#include "atlasdocument.h"

// FilePair::insertNamedFiles on the document itself, unrecorded.
InsertionResult insertImageFiles(AtlasDocument& document, std::vector<ImageFileToInsert>& files);

// FilePair::insertFiles on the document itself, unrecorded.
std::vector<PlacedEntry> insertImagePaths(AtlasDocument& document, std::vector<std::string>& paths);
