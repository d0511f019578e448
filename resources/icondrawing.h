// What the icon generators of both programs share: drawing in a design square
// of 32 units with smooth edges at any pixel size, and writing the sizes as
// one .ico file of 32-bit images with an alpha channel. Built and run on the
// build machine, so it uses the C++ library alone.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace icon {

// The sizes Windows asks an application icon for, from the small icon of a
// title bar at 100 % to Explorer's largest view.
const int kSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};

constexpr double kDesignSize = 32;

struct Colour {
    std::uint8_t red, green, blue, alpha;
};

struct Point {
    double x, y;
};

class Canvas {
public:
    explicit Canvas(int size) : size_(size), pixels_(static_cast<std::size_t>(size * size), Pixel{}) {}

    int size() const { return size_; }

    // Rectangles and polygons in design units, y downwards. Each pixel takes
    // the colour by the share of it the shape covers (8 x 8 samples).
    void rectangle(double left, double top, double right, double bottom, Colour colour) {
        paint({left, top}, {right, bottom}, colour,
              [&](double x, double y) { return x >= left && x < right && y >= top && y < bottom; });
    }

    // A convex polygon whose corners go round clockwise (as seen with y down).
    void polygon(const std::vector<Point>& corners, Colour colour) {
        Point low = corners[0], high = corners[0];
        for (const Point& corner : corners) {
            low = {std::min(low.x, corner.x), std::min(low.y, corner.y)};
            high = {std::max(high.x, corner.x), std::max(high.y, corner.y)};
        }
        paint(low, high, colour, [&](double x, double y) {
            for (std::size_t i = 0; i < corners.size(); ++i) {
                const Point& a = corners[i];
                const Point& b = corners[(i + 1) % corners.size()];
                if ((b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) < 0) {
                    return false;
                }
            }
            return true;
        });
    }

    // The pixel as straight (not premultiplied) 8-bit colour and alpha.
    Colour pixel(int x, int y) const {
        const Pixel& p = pixels_[static_cast<std::size_t>(y * size_ + x)];
        if (p.alpha <= 0) {
            return {0, 0, 0, 0};
        }
        return {byte(p.red / p.alpha), byte(p.green / p.alpha), byte(p.blue / p.alpha), byte(p.alpha)};
    }

private:
    // Premultiplied, 0..1.
    struct Pixel {
        double red = 0, green = 0, blue = 0, alpha = 0;
    };

    static std::uint8_t byte(double value) {
        return static_cast<std::uint8_t>(std::clamp(value * 255 + 0.5, 0.0, 255.0));
    }

    template <typename Inside>
    void paint(Point low, Point high, Colour colour, Inside inside) {
        const int samples = 8;
        const double scale = size_ / kDesignSize;
        const int firstX = std::max(0, static_cast<int>(low.x * scale));
        const int firstY = std::max(0, static_cast<int>(low.y * scale));
        const int lastX = std::min(size_ - 1, static_cast<int>(high.x * scale));
        const int lastY = std::min(size_ - 1, static_cast<int>(high.y * scale));
        const double alpha = colour.alpha / 255.0;
        for (int py = firstY; py <= lastY; ++py) {
            for (int px = firstX; px <= lastX; ++px) {
                int covered = 0;
                for (int sy = 0; sy < samples; ++sy) {
                    for (int sx = 0; sx < samples; ++sx) {
                        covered += inside((px + (sx + 0.5) / samples) / scale, (py + (sy + 0.5) / samples) / scale);
                    }
                }
                const double a = alpha * covered / (samples * samples);
                Pixel& p = pixels_[static_cast<std::size_t>(py * size_ + px)];
                p.red = colour.red / 255.0 * a + p.red * (1 - a);
                p.green = colour.green / 255.0 * a + p.green * (1 - a);
                p.blue = colour.blue / 255.0 * a + p.blue * (1 - a);
                p.alpha = a + p.alpha * (1 - a);
            }
        }
    }

    int size_;
    std::vector<Pixel> pixels_;
};

inline void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

inline void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// One image of the file: a bitmap header whose height counts colour rows and
// mask rows, the 32-bit rows bottom-up, then the mask (a set bit lets the
// background through), each mask row padded to 4 bytes.
inline std::string iconImage(const Canvas& canvas) {
    const std::uint32_t size = static_cast<std::uint32_t>(canvas.size());
    const std::uint32_t maskRowBytes = (size + 31) / 32 * 4;
    std::string out;
    put32(out, 40);
    put32(out, size);
    put32(out, size * 2);
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);  // no compression
    put32(out, size * size * 4 + maskRowBytes * size);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int y = canvas.size() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.size(); ++x) {
            const Colour c = canvas.pixel(x, y);
            out += static_cast<char>(c.blue);
            out += static_cast<char>(c.green);
            out += static_cast<char>(c.red);
            out += static_cast<char>(c.alpha);
        }
    }
    for (int y = canvas.size() - 1; y >= 0; --y) {
        std::string row(maskRowBytes, '\0');
        for (int x = 0; x < canvas.size(); ++x) {
            if (canvas.pixel(x, y).alpha == 0) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80u >> (x % 8));
            }
        }
        out += row;
    }
    return out;
}

// The .ico file: a directory of one entry per image, then the images.
inline std::string iconFile(const std::vector<Canvas>& canvases) {
    std::vector<std::string> images;
    for (const Canvas& canvas : canvases) {
        images.push_back(iconImage(canvas));
    }
    std::string out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = canvases[i].size();
        out += static_cast<char>(size >= 256 ? 0 : size);  // 0 stands for 256
        out += static_cast<char>(size >= 256 ? 0 : size);
        out += static_cast<char>(0);  // no palette
        out += static_cast<char>(0);
        put16(out, 1);   // planes
        put16(out, 32);  // bits per pixel
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const std::string& image : images) {
        out += image;
    }
    return out;
}

// The generator's main: draws every size and writes the file named by the
// only argument.
inline int writeIcon(int argc, char** argv, void (*draw)(Canvas&)) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
        return 2;
    }
    std::vector<Canvas> canvases;
    for (int size : kSizes) {
        canvases.emplace_back(size);
        draw(canvases.back());
    }
    const std::string icon = iconFile(canvases);
    std::ofstream file(argv[1], std::ios::binary);
    file.write(icon.data(), static_cast<std::streamsize>(icon.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

}  // namespace icon
