// Draws the application icon of StringTableEditor and writes it as an .ico
// file: one 32 x 32 image in 256 colours (8 bits per pixel with a palette and
// a transparency mask). The build runs it with the output path as its only
// argument; change the drawing here and the icon follows on the next build.
//
// The picture is a sheet of paper with a folded corner and rows of two
// columns, short blue names beside longer grey texts, like the editor's list.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 32;
constexpr int kPaletteSize = 256;

enum Colour : std::uint8_t { Clear, Outline, Paper, Fold, Name, Text, Shadow };

struct Rgb {
    std::uint8_t red, green, blue;
};

const Rgb kColours[] = {
    {0, 0, 0},        // Clear (masked out)
    {64, 64, 72},     // Outline
    {255, 255, 255},  // Paper
    {208, 212, 220},  // Fold
    {32, 80, 176},    // Name
    {150, 150, 160},  // Text
    {128, 128, 136},  // Shadow
};

typedef std::vector<std::vector<Colour>> Picture;  // [y][x], y from the top

void FillRect(Picture& picture, int left, int top, int right, int bottom, Colour colour) {
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            picture[y][x] = colour;
        }
    }
}

Picture Draw() {
    Picture picture(kSize, std::vector<Colour>(kSize, Clear));
    const int left = 4, top = 1, right = 26, bottom = 29, fold = 7;
    FillRect(picture, left + 2, top + 2, right + 2, bottom + 2, Shadow);
    FillRect(picture, left, top, right, bottom, Outline);
    FillRect(picture, left + 1, top + 1, right - 1, bottom - 1, Paper);
    // The folded corner: cut away above the diagonal, the flap below it.
    for (int d = 0; d < fold; ++d) {
        const int y = top + d;
        for (int x = right - fold + d + 1; x <= right + 2; ++x) {
            picture[y][x] = Clear;
        }
        picture[y][right - fold + d] = Outline;
        for (int x = right - fold; x < right - fold + d; ++x) {
            picture[y][x] = Fold;
        }
    }
    for (int x = right - fold; x <= right; ++x) {
        picture[top + fold][x] = Outline;
    }
    for (int y = top; y <= top + fold; ++y) {
        picture[y][right - fold] = Outline;
    }
    const int textEnds[] = {22, 19, 23, 17, 21, 20};
    for (int row = 0; row < 6; ++row) {
        const int y = top + 10 + row * 3;
        FillRect(picture, left + 3, y, left + 7, y + 1, Name);
        FillRect(picture, left + 10, y, textEnds[row], y + 1, Text);
    }
    return picture;
}

void Put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::string IconFile(const Picture& picture) {
    const std::uint32_t headerSize = 40;
    const std::uint32_t colourBytes = kSize * kSize;    // rows of 32 bytes need no padding
    const std::uint32_t maskBytes = kSize * kSize / 8;  // rows of 4 bytes need none either
    const std::uint32_t imageBytes = headerSize + kPaletteSize * 4 + colourBytes + maskBytes;
    std::string out;
    // Icon directory with one entry.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out += static_cast<char>(kSize);
    out += static_cast<char>(kSize);
    out += static_cast<char>(0);  // 0 colours in the entry means 256
    out += static_cast<char>(0);
    Put16(out, 1);  // planes
    Put16(out, 8);  // bits per pixel
    Put32(out, imageBytes);
    Put32(out, 6 + 16);
    // The image: a bitmap header whose height counts colour rows and mask rows.
    Put32(out, headerSize);
    Put32(out, kSize);
    Put32(out, kSize * 2);
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);  // no compression
    Put32(out, colourBytes + maskBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, kPaletteSize);
    Put32(out, 0);
    for (int index = 0; index < kPaletteSize; ++index) {
        const Rgb colour =
            index < static_cast<int>(sizeof(kColours) / sizeof(kColours[0])) ? kColours[index] : Rgb{0, 0, 0};
        out += static_cast<char>(colour.blue);
        out += static_cast<char>(colour.green);
        out += static_cast<char>(colour.red);
        out += static_cast<char>(0);
    }
    // Rows bottom-up; in the mask a set bit lets the background show through.
    for (int y = kSize - 1; y >= 0; --y) {
        for (int x = 0; x < kSize; ++x) {
            out += static_cast<char>(picture[y][x]);
        }
    }
    for (int y = kSize - 1; y >= 0; --y) {
        for (int byte = 0; byte < kSize / 8; ++byte) {
            unsigned bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (picture[y][byte * 8 + bit] == Clear) {
                    bits |= 0x80u >> bit;
                }
            }
            out += static_cast<char>(bits);
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
        return 2;
    }
    const std::string icon = IconFile(Draw());
    std::ofstream file(argv[1], std::ios::binary);
    file.write(icon.data(), static_cast<std::streamsize>(icon.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
