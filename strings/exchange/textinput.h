// What every reader of exchange files does with the bytes first: find the
// encoding, and say where input is not what it claims to be.
#pragma once

#include <cstddef>
#include <string>

// The number of the line (from 1) that holds byte `offset`; CR LF, CR and LF
// each end a line.
std::size_t LineAt(const std::string& content, std::size_t offset);

// A byte as messages show it, "\xC9": never the raw byte, which would make
// the message itself invalid UTF-8.
std::string ByteForMessage(unsigned char byte);

// Checks that `content` from `start` on is UTF-8. False, with an error such
// as "line 3: not valid UTF-8 (the byte \xC9 at byte offset 57)", when not.
bool CheckUtf8(const std::string& content, std::size_t start, std::string& error);

// The offset after a UTF-8 byte order mark at the start, or 0.
std::size_t SkipUtf8ByteOrderMark(const std::string& content);
