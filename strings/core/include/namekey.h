#pragma once

#include <cstdint>

// The key of a string-table name: the CRC-32 (zlib's) of the name with only the
// ASCII letters a-z taken as A-Z. Bytes from 0x80 up are never folded, so the
// key does not depend on the code page the name was typed in.
std::uint32_t ComputeNameKey(const char* name);

// Compares two NUL-terminated names with A-Z taken as a-z and every byte as an
// unsigned value: negative, 0 or positive like strcmp.
int CompareNamesIgnoringCase(const char* first, const char* second);
