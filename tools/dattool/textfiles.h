// Whole files of the exchange formats. Paths are as the user gave them (UTF-8).
#pragma once

#include <string>

std::string ReadWholeFile(const std::string& path);

// Writes beside the target first and puts the file in its place only when it
// is complete, so a failure leaves an existing file as it was.
void WriteWholeFile(const std::string& path, const std::string& content);
