#include "pictureview.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Floating-point zooms (a fitted one is any quotient) must not move a
// boundary by a rounding error: a screen pixel exactly at a picture pixel's
// edge belongs to that pixel.
const double edgeTolerance = 1e-9;

std::int32_t firstScreenOffset(std::int64_t pictureCoordinate, double zoom) {
    auto offset = static_cast<std::int32_t>(std::ceil(static_cast<double>(pictureCoordinate) * zoom - edgeTolerance));
    while (::pictureCoordinate(offset, zoom) < pictureCoordinate) {
        ++offset;
    }
    return offset;
}

// The picture pixels a run of screen pixels samples: up to four, evenly
// spread over the ones under it.
struct Samples {
    std::int32_t count = 0;
    std::int32_t at[4] = {};
};

std::vector<Samples> samplesAlong(std::int32_t first, std::int32_t count, std::int32_t length, double zoom) {
    std::vector<Samples> samples(static_cast<std::size_t>(std::max(count, 0)));
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t begin = pictureCoordinate(first + i, zoom);
        if (begin < 0 || begin >= length) {
            continue;
        }
        const std::int32_t end = std::clamp(pictureCoordinate(first + i + 1, zoom), begin + 1, length);
        Samples& sample = samples[static_cast<std::size_t>(i)];
        sample.count = std::min(end - begin, 4);
        for (std::int32_t k = 0; k < sample.count; ++k) {
            sample.at[k] = begin + (end - begin) * k / sample.count;
        }
    }
    return samples;
}

}  // namespace

double fitZoom(ViewSize content, ViewSize box) {
    if (content.width <= box.width && content.height <= box.height) {
        return 1;
    }
    const double across = static_cast<double>(std::max(box.width, 0)) / std::max(content.width, 1);
    const double down = static_cast<double>(std::max(box.height, 0)) / std::max(content.height, 1);
    return std::clamp(std::min(across, down), leastZoom, 1.0);
}

double zoomedIn(double zoom) {
    double step = leastZoom;
    while (step <= zoom * (1 + edgeTolerance) && step < mostZoom) {
        step *= 2;
    }
    return step;
}

double zoomedOut(double zoom) {
    double step = mostZoom;
    while (step >= zoom * (1 - edgeTolerance) && step > leastZoom) {
        step /= 2;
    }
    return step;
}

ViewSize scaledSize(ViewSize content, double zoom) {
    const auto scale = [zoom](std::int32_t length) {
        if (length <= 0) {
            return std::int32_t{0};
        }
        return std::max<std::int32_t>(1, firstScreenOffset(length, zoom));
    };
    return {scale(content.width), scale(content.height)};
}

Viewport viewportFor(ViewSize scaled, ViewSize box, ViewSize bars) {
    Viewport port;
    port.horizontalBar = scaled.width > box.width;
    port.verticalBar = scaled.height > box.height;
    if (port.horizontalBar && !port.verticalBar) {
        port.verticalBar = scaled.height > box.height - bars.height;
    }
    if (port.verticalBar && !port.horizontalBar) {
        port.horizontalBar = scaled.width > box.width - bars.width;
    }
    const std::int32_t roomAcross = box.width - (port.verticalBar ? bars.width : 0);
    const std::int32_t roomDown = box.height - (port.horizontalBar ? bars.height : 0);
    port.client = {std::max(std::min(scaled.width, roomAcross), 0), std::max(std::min(scaled.height, roomDown), 0)};
    port.window = {port.client.width + (port.verticalBar ? bars.width : 0),
                   port.client.height + (port.horizontalBar ? bars.height : 0)};
    return port;
}

std::int32_t clampScroll(std::int32_t scroll, std::int32_t scaledLength, std::int32_t clientLength) {
    return std::max(0, std::min(scroll, scaledLength - clientLength));
}

std::int32_t scrollKeeping(std::int32_t anchor, std::int32_t scroll, double before, double after) {
    const double picture = (static_cast<double>(anchor) + scroll) / before;
    return static_cast<std::int32_t>(std::lround(picture * after - anchor));
}

std::int32_t pictureCoordinate(std::int32_t screenOffset, double zoom) {
    return static_cast<std::int32_t>(std::floor(static_cast<double>(screenOffset) / zoom + edgeTolerance));
}

const EntryTable::value_type* entryAt(const EntryTable& entries, std::int32_t clientX, std::int32_t clientY,
                                      double zoom, std::int32_t scrollX, std::int32_t scrollY) {
    const std::int64_t x = pictureCoordinate(clientX + scrollX, zoom);
    const std::int64_t y = pictureCoordinate(clientY + scrollY, zoom);
    for (const auto& named : entries) {
        const AtlasEntry& entry = named.second;
        if (x >= entry.x && y >= entry.y && x < std::int64_t{entry.x} + entry.width &&
            y < std::int64_t{entry.y} + entry.height) {
            return &named;
        }
    }
    return nullptr;
}

ScreenRect screenRectOf(const AtlasEntry& entry, double zoom, std::int32_t scrollX, std::int32_t scrollY) {
    return {firstScreenOffset(entry.x, zoom) - scrollX, firstScreenOffset(entry.y, zoom) - scrollY,
            firstScreenOffset(std::int64_t{entry.x} + entry.width, zoom) - scrollX,
            firstScreenOffset(std::int64_t{entry.y} + entry.height, zoom) - scrollY};
}

std::uint32_t checkerAt(std::int32_t screenX, std::int32_t screenY, std::int32_t square) {
    const std::int32_t side = std::max(square, 1);
    return (screenX / side + screenY / side) % 2 == 0 ? checkerLight : checkerDark;
}

void renderPicture(const PixelSource& source, double zoom, std::int32_t scrollX, std::int32_t scrollY, ViewSize size,
                   std::int32_t square, std::uint32_t background, std::uint32_t* out) {
    const std::vector<Samples> columns = samplesAlong(scrollX, size.width, source.area.width, zoom);
    const std::vector<Samples> rows = samplesAlong(scrollY, size.height, source.area.height, zoom);
    for (std::int32_t oy = 0; oy < size.height; ++oy) {
        const Samples& row = rows[static_cast<std::size_t>(oy)];
        const std::uint8_t* rowStart[4] = {};
        for (std::int32_t k = 0; k < row.count; ++k) {
            const std::int32_t imageRow = source.top + row.at[k];
            const std::int32_t memoryRow = source.bottomUp ? source.imageHeight - 1 - imageRow : imageRow;
            rowStart[k] = source.bits + std::int64_t{memoryRow} * source.pitch + std::int64_t{source.left} * 4;
        }
        std::uint32_t* line = out + std::int64_t{oy} * size.width;
        for (std::int32_t ox = 0; ox < size.width; ++ox) {
            const Samples& column = columns[static_cast<std::size_t>(ox)];
            if (row.count == 0 || column.count == 0) {
                line[ox] = background;
                continue;
            }
            std::uint32_t blue = 0;
            std::uint32_t green = 0;
            std::uint32_t red = 0;
            std::uint32_t alpha = 0;
            for (std::int32_t r = 0; r < row.count; ++r) {
                for (std::int32_t c = 0; c < column.count; ++c) {
                    const std::uint8_t* pixel = rowStart[r] + std::int64_t{column.at[c]} * 4;
                    blue += std::uint32_t{pixel[0]} * pixel[3];
                    green += std::uint32_t{pixel[1]} * pixel[3];
                    red += std::uint32_t{pixel[2]} * pixel[3];
                    alpha += pixel[3];
                }
            }
            // Straight alpha over the checkerboard, averaged over the samples:
            // sum(colour * alpha) + checker * sum(255 - alpha), over 255 * n.
            const std::uint32_t whole = 255u * static_cast<std::uint32_t>(row.count * column.count);
            const std::uint32_t checker = checkerAt(ox + scrollX, oy + scrollY, square);
            const std::uint32_t behind = whole - alpha;
            const auto mix = [&](std::uint32_t sum, int shift) {
                return ((sum + ((checker >> shift) & 0xFFu) * behind + whole / 2) / whole) << shift;
            };
            line[ox] = 0xFF000000u | mix(red, 16) | mix(green, 8) | mix(blue, 0);
        }
    }
}
