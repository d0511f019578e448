// Draws the application icon of StringTableEditor and writes it as an .ico
// file with every size of icondrawing.h. The build runs it with the output
// path as its only argument; change the drawing here and the icon follows on
// the next build.
//
// The picture is a sheet of paper with a folded corner and rows of two
// columns, short blue names beside longer grey texts, like the editor's list.
#include "icondrawing.h"

namespace {

const icon::Colour kOutline = {64, 64, 72, 255};
const icon::Colour kPaper = {255, 255, 255, 255};
const icon::Colour kFold = {208, 212, 220, 255};
const icon::Colour kName = {32, 80, 176, 255};
const icon::Colour kText = {150, 150, 160, 255};
const icon::Colour kShadow = {128, 128, 136, 160};

void draw(icon::Canvas& canvas) {
    const double left = 4, top = 1, right = 27, bottom = 30, fold = 7;
    // The shadow and the sheet without the corner that is folded over.
    const auto sheet = [&](double offset, double inset, icon::Colour colour) {
        canvas.polygon({{left + offset + inset, top + offset + inset},
                        {right - fold + offset, top + offset + inset},
                        {right + offset - inset, top + fold + offset},
                        {right + offset - inset, bottom + offset - inset},
                        {left + offset + inset, bottom + offset - inset}},
                       colour);
    };
    sheet(2, 0, kShadow);
    sheet(0, 0, kOutline);
    sheet(0, 1, kPaper);
    // The flap: a triangle under the cut, outlined on its two inner sides.
    canvas.polygon({{right - fold, top}, {right, top + fold}, {right - fold, top + fold}}, kOutline);
    canvas.polygon({{right - fold + 1, top + 2.4}, {right - 2.4, top + fold - 1}, {right - fold + 1, top + fold - 1}},
                   kFold);
    const double textEnds[] = {23, 20, 24, 18, 22, 21};
    for (int row = 0; row < 6; ++row) {
        const double y = top + 10 + row * 3;
        canvas.rectangle(left + 3, y, left + 8, y + 2, kName);
        canvas.rectangle(left + 10, y, textEnds[row], y + 2, kText);
    }
}

}  // namespace

int main(int argc, char** argv) { return icon::writeIcon(argc, argv, draw); }
