#include "dialogtemplate.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kSetFontStyle = 0x40;  // DS_SETFONT, also part of DS_SHELLFONT
// dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy.
constexpr std::size_t kHeaderSize = 26;
constexpr std::size_t kStyleOffset = 12;

class Reader {
public:
    Reader(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    std::size_t position() const { return position_; }
    bool ok() const { return ok_; }
    void seek(std::size_t position) { position_ = position; }

    std::uint16_t word() {
        if (position_ + 2 > size_) {
            ok_ = false;
            return 0;
        }
        const std::uint16_t value = static_cast<std::uint16_t>(bytes_[position_] | bytes_[position_ + 1] << 8);
        position_ += 2;
        return value;
    }
    std::uint32_t dword() {
        const std::uint32_t low = word();
        return low | static_cast<std::uint32_t>(word()) << 16;
    }
    // A zero-terminated UTF-16 string.
    void skipString() {
        while (ok_ && word() != 0) {
        }
    }
    // A menu or class: none (0), an ordinal (0xFFFF and a number) or a name.
    void skipNameOrOrdinal() {
        const std::uint16_t first = word();
        if (first == 0xFFFF) {
            word();
        } else if (first != 0) {
            skipString();
        }
    }

private:
    const unsigned char* bytes_;
    std::size_t size_;
    std::size_t position_ = 0;
    bool ok_ = true;
};

void AppendWord(std::vector<unsigned char>& out, unsigned value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>(value >> 8 & 0xFF));
}

std::size_t AlignedToFour(std::size_t position) { return (position + 3) & ~static_cast<std::size_t>(3); }

}  // namespace

std::optional<std::vector<unsigned char>> DialogTemplateWithFont(const unsigned char* bytes, std::size_t size,
                                                                 const DialogFont& font) {
    Reader reader(bytes, size);
    const std::uint16_t version = reader.word();
    const std::uint16_t signature = reader.word();
    reader.seek(kStyleOffset);
    const std::uint32_t style = reader.dword();
    if (!reader.ok() || size < kHeaderSize || version != 1 || signature != 0xFFFF || (style & kSetFontStyle) == 0) {
        return std::nullopt;
    }
    reader.seek(kHeaderSize);
    reader.skipNameOrOrdinal();  // menu
    reader.skipNameOrOrdinal();  // window class
    reader.skipString();         // title
    const std::size_t fontStart = reader.position();
    reader.dword();  // point size and weight
    reader.word();   // italic and character set
    reader.skipString();
    if (!reader.ok()) {
        return std::nullopt;
    }
    const std::size_t controlsStart = AlignedToFour(reader.position());

    std::vector<unsigned char> result(bytes, bytes + fontStart);
    AppendWord(result, static_cast<unsigned>(font.pointSize));
    AppendWord(result, static_cast<unsigned>(font.weight));
    result.push_back(font.italic ? 1 : 0);
    result.push_back(static_cast<unsigned char>(font.charset));
    for (char16_t unit : font.face) {
        AppendWord(result, unit);
    }
    AppendWord(result, 0);
    result.resize(AlignedToFour(result.size()), 0);
    if (controlsStart < size) {
        result.insert(result.end(), bytes + controlsStart, bytes + size);
    }
    return result;
}
