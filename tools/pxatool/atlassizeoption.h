// The --size WxH option of pxatool new.
#pragma once

#include <string>

#include "paircommands.h"

// Reads "WxH" (both positive decimal numbers below 2^31, x or X between).
// Returns an empty string on success, otherwise what is wrong.
std::string ParseAtlasSize(const std::string& text, AtlasSize& size);
