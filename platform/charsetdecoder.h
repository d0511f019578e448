// Text in a character set that a file declares by name (a PO header's
// charset), converted to UTF-8 by the system: iconv on POSIX, the code page's
// MultiByteToWideChar on Windows. Reports by its results.
#pragma once

#include <string>

#include "uniquehandle.h"

#ifndef _WIN32
// An iconv conversion descriptor: (iconv_t)-1 when empty, as iconv_open
// returns it.
struct IconvTraits {
    using Value = void*;
    static Value invalid() { return reinterpret_cast<void*>(static_cast<std::intptr_t>(-1)); }
    static bool close(Value converter);
};
#endif

class CharsetDecoder {
public:
    // A decoder from `charset` (a name as gettext writes it, such as EUC-JP,
    // ISO-8859-8 or CP1251; any letter case), or an empty one when this
    // system cannot convert from it.
    explicit CharsetDecoder(const std::string& charset);

    explicit operator bool() const;

    // False when `bytes` is not text of the charset.
    bool toUtf8(const std::string& bytes, std::string& utf8);

private:
#ifdef _WIN32
    unsigned codePage_ = 0;  // 0: none
#else
    UniqueResource<IconvTraits> converter_;
#endif
};
