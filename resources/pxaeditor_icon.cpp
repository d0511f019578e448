// Draws the application icon of PXAEditor and writes it as an .ico file with
// every size of icondrawing.h. The build runs it with the output path as its
// only argument; change the drawing here and the icon follows on the next
// build.
//
// The picture is an atlas: a framed sheet filled with small images of
// different sizes packed side by side, each a block of its own colour.
#include "icondrawing.h"

namespace {

const icon::Colour kFrame = {52, 60, 76, 255};
const icon::Colour kSheet = {232, 236, 242, 255};
const icon::Colour kShadow = {128, 128, 136, 160};

struct Block {
    double left, top, right, bottom;
    icon::Colour colour;
};

// Largest first, as the editor packs them, with a gap of one unit.
const Block kBlocks[] = {
    {5, 5, 17, 17, {232, 120, 40, 255}},    // orange
    {18, 5, 27, 11, {64, 168, 88, 255}},    // green
    {18, 12, 27, 17, {48, 112, 200, 255}},  // blue
    {5, 18, 11, 27, {136, 80, 176, 255}},   // purple
    {12, 18, 20, 23, {224, 184, 40, 255}},  // yellow
    {21, 18, 27, 27, {40, 160, 168, 255}},  // teal
    {12, 24, 20, 27, {208, 64, 72, 255}},   // red
};

void draw(icon::Canvas& canvas) {
    canvas.rectangle(4, 4, 31, 31, kShadow);
    canvas.rectangle(2, 2, 30, 30, kFrame);
    canvas.rectangle(4, 4, 28, 28, kSheet);
    for (const Block& block : kBlocks) {
        canvas.rectangle(block.left, block.top, block.right, block.bottom, block.colour);
    }
}

}  // namespace

int main(int argc, char** argv) { return icon::writeIcon(argc, argv, draw); }
