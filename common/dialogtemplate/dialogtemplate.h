// A dialog resource shown in another font: the font fields of an extended
// dialog template (DLGTEMPLATEEX, which resource compilers make of DIALOGEX)
// replaced, so that a dialog takes the system's message font while its
// layout stays in dialog units. Portable, so that it is tested on the host.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct DialogFont {
    int pointSize = 8;
    int weight = 400;
    bool italic = false;
    int charset = 1;  // DEFAULT_CHARSET
    std::u16string face;
};

// The template `bytes` with `font` in place of its own, or nothing when the
// bytes are not an extended template that names a font (DS_SETFONT) or end
// before its font does. Everything after the font (the controls) is copied
// unchanged, on the four-byte boundary templates require.
std::optional<std::vector<unsigned char>> DialogTemplateWithFont(const unsigned char* bytes, std::size_t size,
                                                                 const DialogFont& font);
