#include "charsetdecoder.h"

#include <iconv.h>

#include <cerrno>

bool IconvTraits::close(Value converter) { return iconv_close(static_cast<iconv_t>(converter)) == 0; }

CharsetDecoder::CharsetDecoder(const std::string& charset)
    : converter_(static_cast<void*>(iconv_open("UTF-8", charset.c_str()))) {}

CharsetDecoder::operator bool() const { return static_cast<bool>(converter_); }

bool CharsetDecoder::toUtf8(const std::string& bytes, std::string& utf8) {
    if (!converter_) {
        return false;
    }
    const iconv_t converter = static_cast<iconv_t>(converter_.get());
    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
    std::string out(bytes.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* into = &out[0];
    std::size_t outLeft = out.size();
    for (;;) {
        // With no input left, one more call ends a stateful charset's shift.
        char** source = inLeft > 0 ? &in : nullptr;
        if (iconv(converter, source, &inLeft, &into, &outLeft) != static_cast<std::size_t>(-1)) {
            if (source == nullptr) {
                break;
            }
            continue;
        }
        if (errno != E2BIG) {
            return false;  // EILSEQ, or EINVAL for a sequence cut short at the end
        }
        const std::size_t used = static_cast<std::size_t>(into - out.data());
        out.resize(out.size() * 2);
        into = &out[used];
        outLeft = out.size() - used;
    }
    out.resize(static_cast<std::size_t>(into - out.data()));
    utf8 = std::move(out);
    return true;
}
