// Conversions between UTF-8, UTF-16 and Windows-1252. Input that is not valid
// in its encoding, or a character the target cannot hold, is reported by the
// result, never guessed at: a tool must not change a text silently.
#pragma once

#include <string>

// False when `utf8` is not well-formed UTF-8 (stray continuation bytes,
// overlong forms, encoded surrogates, values above U+10FFFF, a cut sequence).
bool Utf8ToUtf16(const std::string& utf8, std::u16string& utf16);

// The offset of the first byte from `start` on that does not begin a
// well-formed UTF-8 character (in the sense of Utf8ToUtf16), or
// std::string::npos when all of them do.
std::size_t FirstInvalidUtf8(const std::string& utf8, std::size_t start = 0);

// False when `utf16` holds a surrogate without its partner.
bool Utf16ToUtf8(const std::u16string& utf16, std::string& utf8);

// For display only: a surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8Lossy(const std::u16string& utf16);

// Every byte has a character, so this cannot fail. Bytes 0x80-0x9F follow
// Windows-1252; the five it leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// become the C1 controls of the same value, as Windows itself maps them.
std::string Windows1252ToUtf8(const std::string& bytes);

// The exact inverse: false when `utf8` is not valid UTF-8 or holds a
// character outside the 256 that Windows1252ToUtf8 produces.
bool Utf8ToWindows1252(const std::string& utf8, std::string& bytes);
