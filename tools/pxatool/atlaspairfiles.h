// Opening and saving an atlas pair for a one-shot command, with every failure
// turned into a ToolError that names the file it is about.
#pragma once

#include <string>

#include "filepair.h"

// Finishes or undoes a save of the pair that its process did not live to
// end, as the editor does when it opens a pair, with a warning line on
// standard error for each thing the user should know.
void RecoverPair(const std::string& indexPath, const std::string& imagePath);

// Opens the pair as the editor does, RecoverPair first, without a history.
FilePair OpenPair(const std::string& indexPath, const std::string& imagePath);

// Saves the index and the image (in the format its extension names) as one
// unit, as the editor does: a failure leaves both files as they were. Old
// files that could not be removed afterwards are named in warning lines.
void SavePair(FilePair& pair, const std::string& indexPath, const std::string& imagePath);

// Throws ToolError(file, ...) unless a file or folder of that name exists.
void RequireExisting(const std::string& path);
