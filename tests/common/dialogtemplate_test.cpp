// A dialog template given another font: the font fields replaced, the
// controls copied whole on their four-byte boundary.
#include <gtest/gtest.h>

#include <string>

#include "dialogtemplate.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Word(Bytes& b, unsigned value) {
    b.push_back(static_cast<unsigned char>(value & 0xFF));
    b.push_back(static_cast<unsigned char>(value >> 8));
}
void Text(Bytes& b, const std::u16string& text) {
    for (char16_t c : text) {
        Word(b, c);
    }
    Word(b, 0);
}
void Align(Bytes& b) { b.resize((b.size() + 3) / 4 * 4, 0); }

// An extended template with a title, `face` at 8 points and one control
// (stood for by 24 bytes that must come through unchanged).
Bytes Template(unsigned style, const std::u16string& face, Bytes* control) {
    Bytes b;
    Word(b, 1), Word(b, 0xFFFF), Word(b, 0), Word(b, 0), Word(b, 0), Word(b, 0);  // version, signature, help, ex-style
    Word(b, style & 0xFFFF), Word(b, style >> 16), Word(b, 1);                    // style, one control
    Word(b, 0), Word(b, 0), Word(b, 202), Word(b, 154);
    Word(b, 0), Word(b, 0xFFFF), Word(b, 7);  // no menu, class by ordinal
    Text(b, u"Edit");
    Word(b, 8), Word(b, 400), b.push_back(0), b.push_back(1);
    Text(b, face);
    Align(b);
    control->clear();
    for (unsigned char i = 0; i < 24; ++i) {
        control->push_back(static_cast<unsigned char>(0xA0 + i));
    }
    b.insert(b.end(), control->begin(), control->end());
    return b;
}

TEST(DialogTemplateWithFont, ReplacesTheFontAndKeepsTheControlsAligned) {
    Bytes control;
    const Bytes original = Template(0x40, u"MS Shell Dlg", &control);  // DS_SETFONT
    for (const std::u16string& face : {std::u16string(u"Segoe UI"), std::u16string(u"Tahoma\u00E9")}) {
        DialogFont font{9, 700, true, 0xEE, face};
        const std::optional<Bytes> result = DialogTemplateWithFont(original.data(), original.size(), font);
        Bytes expected(original.begin(), original.begin() + 42);  // header, menu, class, title
        Word(expected, 9), Word(expected, 700), expected.push_back(1), expected.push_back(0xEE);
        Text(expected, face);
        Align(expected);
        expected.insert(expected.end(), control.begin(), control.end());
        EXPECT_EQ(result, expected);
    }
    // Without a font, not an extended template, or cut short: nothing.
    Bytes oldStyle = original;
    oldStyle[2] = 0;
    for (const Bytes& bytes : {Template(0, u"F", &control), oldStyle, Bytes(original.begin(), original.begin() + 50)}) {
        EXPECT_FALSE(DialogTemplateWithFont(bytes.data(), bytes.size(), DialogFont())) << bytes.size();
    }
}

}  // namespace
