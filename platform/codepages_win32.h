// Text between Windows code pages, through UTF-16 as the system converts it.
// Shared by the Windows backends of this folder; reports by its results.
#pragma once

#include <string>

// `text` of `codePage` as UTF-16. With `strict`, false when a byte sequence
// is not valid in the code page; otherwise such bytes become what the system
// makes of them, and false means the system could not convert at all.
bool CodePageToWide(unsigned codePage, const std::string& text, bool strict, std::wstring& wide);

// `wide` in `codePage`; false when a character has no place in it (no
// best-fit look-alike is taken).
bool WideToCodePage(const std::wstring& wide, unsigned codePage, std::string& text);

// `text` from one code page to another; false when a character is not valid
// in the first or has no place in the second.
bool RecodeText(const std::string& text, unsigned from, unsigned to, std::string& result);
