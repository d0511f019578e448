// image_seeds FOLDER: writes the seed inputs of image_loader_fuzzer, each an
// extension line and an image: small valid files that FreeImage writes itself
// in every format, pixel type and depth it can write (with the save options
// that switch to another encoding), and hand-made files for the formats it
// only reads.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "bitmap.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string folder;
int written = 0;

void WriteSeed(const std::string& name, const std::string& extension, const Bytes& bytes) {
    std::ofstream file(folder + "/" + name + "." + extension + ".seed", std::ios::binary);
    file << extension << '\n';
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    written += file.good() ? 1 : 0;
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A bitmap of the type and depth (7 x 5 unless given), with a different value
// in every channel of every pixel (and a palette of distinct greys below 16
// bits).
UniqueBitmap PatternBitmap(FREE_IMAGE_TYPE type, int bpp, unsigned width = 7, unsigned height = 5) {
    const bool masks = type == FIT_BITMAP && bpp == 16;
    UniqueBitmap bitmap(FreeImage_AllocateT(type, width, height, bpp, masks ? FI16_565_RED_MASK : 0,
                                            masks ? FI16_565_GREEN_MASK : 0, masks ? FI16_565_BLUE_MASK : 0));
    if (!bitmap) {
        return bitmap;
    }
    const unsigned pitch = FreeImage_GetPitch(bitmap.get());
    for (unsigned y = 0; y < height; ++y) {
        BYTE* line = FreeImage_GetScanLine(bitmap.get(), y);
        for (unsigned i = 0; i < pitch; ++i) {
            line[i] = static_cast<BYTE>(y * 37 + i * 11 + 3);
        }
    }
    if (type == FIT_FLOAT || type == FIT_RGBF || type == FIT_RGBAF) {
        for (unsigned y = 0; y < height; ++y) {
            float* line = reinterpret_cast<float*>(FreeImage_GetScanLine(bitmap.get(), y));
            for (unsigned i = 0; i < FreeImage_GetLine(bitmap.get()) / sizeof(float); ++i) {
                line[i] = static_cast<float>((y * 7 + i) % 13) / 12.0f;
            }
        }
    }
    return bitmap;
}

// Every format FreeImage writes, in every type and depth it takes, at 7 x 5 or,
// for the writers that refuse so small an image (icons from 16 x 16 square,
// JPEG 2000 with its six resolution levels from 32 x 32), at the smallest
// square they take.
void WriteFreeImageSeeds() {
    struct Kind {
        FREE_IMAGE_TYPE type;
        int bpp;
        const char* name;
    };
    const Kind kinds[] = {
        {FIT_BITMAP, 1, "1"},       {FIT_BITMAP, 4, "4"},     {FIT_BITMAP, 8, "8"},       {FIT_BITMAP, 16, "16"},
        {FIT_BITMAP, 24, "24"},     {FIT_BITMAP, 32, "32"},   {FIT_UINT16, 16, "uint16"}, {FIT_RGB16, 48, "rgb16"},
        {FIT_RGBA16, 64, "rgba16"}, {FIT_FLOAT, 32, "float"}, {FIT_RGBF, 96, "rgbf"},     {FIT_RGBAF, 128, "rgbaf"},
    };
    // Save options that choose another encoding than the default one.
    struct Option {
        FREE_IMAGE_FORMAT format;
        int flags;
        const char* name;
    };
    const Option options[] = {
        {FIF_BMP, BMP_SAVE_RLE, "rle"},
        {FIF_TARGA, TARGA_SAVE_RLE, "rle"},
        {FIF_PBM, PNM_SAVE_ASCII, "ascii"},
        {FIF_PGM, PNM_SAVE_ASCII, "ascii"},
        {FIF_PPM, PNM_SAVE_ASCII, "ascii"},
        {FIF_TIFF, TIFF_LZW, "lzw"},
        {FIF_TIFF, TIFF_PACKBITS, "packbits"},
        {FIF_TIFF, TIFF_JPEG, "jpeg"},
        {FIF_TIFF, TIFF_CCITTFAX4, "fax4"},
        {FIF_TIFF, TIFF_LOGLUV, "logluv"},
        {FIF_JPEG, JPEG_PROGRESSIVE, "progressive"},
        {FIF_PSD, PSD_RLE, "rle"},
        {FIF_WEBP, WEBP_LOSSLESS, "lossless"},
        {FIF_EXR, 0, "none"},
    };
    const std::string scratch = folder + "/scratch.image";
    for (int f = 0; f < FreeImage_GetFIFCount(); ++f) {
        const FREE_IMAGE_FORMAT format = static_cast<FREE_IMAGE_FORMAT>(f);
        if (!FreeImage_FIFSupportsWriting(format)) {
            continue;
        }
        std::string suffix(FreeImage_GetFIFExtensionList(format));
        suffix = suffix.substr(0, suffix.find(','));
        const std::string name = FreeImage_GetFormatFromFIF(format);
        for (const Kind& kind : kinds) {
            if (!FreeImage_FIFSupportsExportType(format, kind.type) ||
                (kind.type == FIT_BITMAP && !FreeImage_FIFSupportsExportBPP(format, kind.bpp))) {
                continue;
            }
            std::vector<std::pair<int, std::string>> flags = {{0, ""}};
            for (const Option& option : options) {
                if (option.format == format) {
                    flags.emplace_back(option.flags, std::string("-") + option.name);
                }
            }
            for (const auto& [flag, flagName] : flags) {
                for (const auto& [width, height] : {std::pair{7u, 5u}, {16u, 16u}, {32u, 32u}}) {
                    const UniqueBitmap bitmap = PatternBitmap(kind.type, kind.bpp, width, height);
                    std::remove(scratch.c_str());
                    if (bitmap && FreeImage_Save(format, bitmap.get(), scratch.c_str(), flag)) {
                        WriteSeed(name + "-" + kind.name + flagName, suffix, ReadBytes(scratch));
                        break;
                    }
                }
            }
        }
    }
    std::remove(scratch.c_str());
}

// Little helpers for the hand-made files.
void Put(Bytes& out, std::initializer_list<int> bytes) {
    for (const int b : bytes)
        out.push_back(static_cast<std::uint8_t>(b));
}
void PutText(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }
void Put16le(Bytes& out, unsigned v) { Put(out, {int(v & 255), int(v >> 8 & 255)}); }
void Put32le(Bytes& out, unsigned v) {
    Put16le(out, v & 0xFFFF);
    Put16le(out, v >> 16);
}
void Put16be(Bytes& out, unsigned v) { Put(out, {int(v >> 8 & 255), int(v & 255)}); }
void Put32be(Bytes& out, unsigned v) {
    Put16be(out, v >> 16);
    Put16be(out, v & 0xFFFF);
}
void PutZeros(Bytes& out, std::size_t n) { out.insert(out.end(), n, 0); }
void PutPattern(Bytes& out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        out.push_back(static_cast<std::uint8_t>(i * 29 + 7));
}

std::uint32_t Crc32(const Bytes& bytes, std::size_t from) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}
// A PNG-style chunk: length, type, data, CRC of type and data.
void PutChunk(Bytes& out, const char* type, const Bytes& data) {
    Put32be(out, static_cast<unsigned>(data.size()));
    const std::size_t start = out.size();
    PutText(out, type);
    out.insert(out.end(), data.begin(), data.end());
    Put32be(out, Crc32(out, start));
}

// DDS: a 4 x 4 image uncompressed (32-bit RGBA) or in one DXT block.
Bytes Dds(const char* fourCc, unsigned bitCount, std::size_t dataSize) {
    Bytes out;
    PutText(out, "DDS ");
    Put32le(out, 124);
    Put32le(out, 0x1007 | (fourCc ? 0x80000 : 0x8));
    Put32le(out, 4);
    Put32le(out, 4);
    Put32le(out, fourCc ? static_cast<unsigned>(dataSize) : 16);
    Put32le(out, 0);
    Put32le(out, 1);
    PutZeros(out, 44);
    Put32le(out, 32);
    Put32le(out, fourCc ? 0x4 : 0x41);
    if (fourCc)
        PutText(out, fourCc);
    else
        Put32le(out, 0);
    Put32le(out, bitCount);
    Put32le(out, 0xFF0000);
    Put32le(out, 0xFF00);
    Put32le(out, 0xFF);
    Put32le(out, 0xFF000000);
    Put32le(out, 0x1000);
    PutZeros(out, 16);
    PutPattern(out, dataSize);
    return out;
}

// PCX: 6 x 3, 8-bit run-length lines with a 256-colour palette, or 24-bit in three planes.
Bytes Pcx(int planes) {
    Bytes out;
    Put(out, {10, 5, 1, 8});
    Put16le(out, 0);
    Put16le(out, 0);
    Put16le(out, 5);
    Put16le(out, 2);
    Put16le(out, 72);
    Put16le(out, 72);
    PutPattern(out, 48);
    Put(out, {0, planes});
    Put16le(out, 6);
    Put16le(out, 1);
    PutZeros(out, 58);
    for (int line = 0; line < 3 * planes; ++line)
        Put(out, {0xC3, line * 40, 7, 0xC2, 200});
    if (planes == 1) {
        Put(out, {12});
        PutPattern(out, 768);
    }
    return out;
}

void WriteHandMadeSeeds() {
    WriteSeed("dds-rgba", "dds", Dds(nullptr, 32, 64));
    WriteSeed("dds-dxt1", "dds", Dds("DXT1", 0, 8));
    WriteSeed("dds-dxt3", "dds", Dds("DXT3", 0, 16));
    WriteSeed("dds-dxt5", "dds", Dds("DXT5", 0, 16));
    WriteSeed("pcx-8", "pcx", Pcx(1));
    WriteSeed("pcx-24", "pcx", Pcx(3));
    {  // Sun raster: 4 x 2, 8-bit with a 2-entry colour map, then run-length encoded.
        for (const unsigned type : {1u, 2u}) {
            Bytes out;
            Put32be(out, 0x59a66a95);
            Put32be(out, 4);
            Put32be(out, 2);
            Put32be(out, 8);
            Put32be(out, 8);
            Put32be(out, type);
            Put32be(out, 1);
            Put32be(out, 6);
            Put(out, {0, 255, 10, 200, 20, 100});
            if (type == 1)
                Put(out, {0, 1, 1, 0, 1, 0, 0, 1});
            else
                Put(out, {0x80, 7, 1, 0x80, 0});
            WriteSeed(type == 1 ? "ras-8" : "ras-rle", "ras", out);
        }
    }
    {  // SGI: 3 x 2, 3 channels, verbatim and run-length encoded.
        for (const int rle : {0, 1}) {
            Bytes out;
            Put16be(out, 474);
            Put(out, {rle, 1});
            Put16be(out, 3);
            Put16be(out, 3);
            Put16be(out, 2);
            Put16be(out, 3);
            Put32be(out, 0);
            Put32be(out, 255);
            PutZeros(out, 4);
            PutText(out, "seed");
            PutZeros(out, 76);
            Put32be(out, 0);
            PutZeros(out, 404);
            if (rle) {
                const unsigned base = 512 + 6 * 8;
                for (unsigned i = 0; i < 6; ++i)
                    Put32be(out, base + i * 4);
                for (unsigned i = 0; i < 6; ++i)
                    Put32be(out, 4);
                for (int i = 0; i < 6; ++i)
                    Put(out, {0x03, 9 * i, 40, 0});
            } else {
                PutPattern(out, 18);
            }
            WriteSeed(rle ? "sgi-rle" : "sgi", "sgi", out);
        }
    }
    {  // Dr. Halo CUT: 5 x 2 in run-length lines.
        Bytes out;
        Put16le(out, 5);
        Put16le(out, 2);
        Put16le(out, 0);
        for (int line = 0; line < 2; ++line) {
            Put16le(out, 5);
            Put(out, {0x82, 3, 0x02, 9, 10, 0});
        }
        WriteSeed("cut", "cut", out);
    }
    {  // IFF ILBM: 4 x 2, 2 planes, uncompressed and ByteRun1.
        for (const int packed : {0, 1}) {
            Bytes bmhd, cmap, body, form;
            Put16be(bmhd, 4);
            Put16be(bmhd, 2);
            Put16be(bmhd, 0);
            Put16be(bmhd, 0);
            Put(bmhd, {2, 0, packed, 0});
            Put16be(bmhd, 0);
            Put(bmhd, {10, 11});
            Put16be(bmhd, 4);
            Put16be(bmhd, 2);
            PutPattern(cmap, 12);
            if (packed)
                for (int i = 0; i < 4; ++i)
                    Put(body, {0xFF, 0xA0 + i});
            else
                PutPattern(body, 8);
            PutText(form, "ILBM");
            for (const auto& [id, chunk] :
                 {std::pair<const char*, Bytes*>{"BMHD", &bmhd}, {"CMAP", &cmap}, {"BODY", &body}}) {
                PutText(form, id);
                Put32be(form, static_cast<unsigned>(chunk->size()));
                form.insert(form.end(), chunk->begin(), chunk->end());
            }
            Bytes out;
            PutText(out, "FORM");
            Put32be(out, static_cast<unsigned>(form.size()));
            out.insert(out.end(), form.begin(), form.end());
            WriteSeed(packed ? "iff-byterun" : "iff", "iff", out);
            WriteSeed(packed ? "lbm-byterun" : "lbm", "lbm", out);
        }
    }
    {  // Koala: load address and the C64 multicolour screen.
        Bytes out;
        Put16le(out, 0x6000);
        PutPattern(out, 10001);
        WriteSeed("koala", "koa", out);
    }
    {  // XBM: 8 x 2.
        Bytes out;
        PutText(out, "#define seed_width 8\n#define seed_height 2\nstatic char seed_bits[] = {\n 0x81, 0x7e };\n");
        WriteSeed("xbm", "xbm", out);
    }
    {  // Kodak PhotoCD: the loader reads its base image at a fixed offset.
        Bytes out;
        PutZeros(out, 2048);
        PutText(out, "PCD_IPI");
        PutPattern(out, 4096);
        WriteSeed("pcd", "pcd", out);
    }
    {  // PICT: 512 bytes of application header, a version 2 picture with one packed 8-bit rectangle.
        Bytes out;
        PutZeros(out, 512);
        Put16be(out, 0);
        Put16be(out, 0);
        Put16be(out, 0);
        Put16be(out, 2);
        Put16be(out, 4);
        Put16be(out, 0x0011);
        Put16be(out, 0x02FF);
        Put16be(out, 0x0C00);
        Put32be(out, 0xFFFE0000);
        PutZeros(out, 20);
        Put16be(out, 0x0098);
        Put16be(out, 0x8004);
        Put16be(out, 0);
        Put16be(out, 0);
        Put16be(out, 2);
        Put16be(out, 4);
        Put16be(out, 0);
        Put16be(out, 0);
        Put32be(out, 0);
        Put32be(out, 0x00480000);
        Put32be(out, 0x00480000);
        Put16be(out, 0);
        Put16be(out, 8);
        Put16be(out, 1);
        Put16be(out, 8);
        Put32be(out, 0);
        Put32be(out, 0);
        Put32be(out, 0);
        Put32be(out, 0);
        Put16be(out, 0);
        Put16be(out, 1);
        for (int i = 0; i < 2; ++i) {
            Put16be(out, i);
            Put16be(out, i * 60000);
            Put16be(out, 9000);
            Put16be(out, 30000);
        }
        for (int r = 0; r < 2; ++r) {
            Put16be(out, 0);
            Put16be(out, 0);
            Put16be(out, 2);
            Put16be(out, 4);
        }
        Put16be(out, 0);
        for (int line = 0; line < 2; ++line)
            Put(out, {5, 3, 0, 1, 1, 0});
        Put16be(out, 0x00FF);
        WriteSeed("pict", "pct", out);
    }
    {  // MNG: a one-frame stream whose image is a PNG's own chunks; an icon
        // whose one image is that PNG (as Windows stores large icons).
        const UniqueBitmap bitmap = PatternBitmap(FIT_BITMAP, 24);
        const std::string scratch = folder + "/scratch.png";
        if (bitmap && FreeImage_Save(FIF_PNG, bitmap.get(), scratch.c_str(), 0)) {
            const Bytes png = ReadBytes(scratch);
            Bytes out = {0x8A, 'M', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, mhdr;
            Put32be(mhdr, 7);
            Put32be(mhdr, 5);
            Put32be(mhdr, 1);
            Put32be(mhdr, 1);
            Put32be(mhdr, 1);
            Put32be(mhdr, 1);
            Put32be(mhdr, 0);
            PutChunk(out, "MHDR", mhdr);
            out.insert(out.end(), png.begin() + 8, png.end());
            PutChunk(out, "MEND", {});
            WriteSeed("mng", "mng", out);
            Bytes icon;
            Put16le(icon, 0);
            Put16le(icon, 1);
            Put16le(icon, 1);
            Put(icon, {7, 5, 0, 0});
            Put16le(icon, 1);
            Put16le(icon, 32);
            Put32le(icon, static_cast<unsigned>(png.size()));
            Put32le(icon, 22);
            icon.insert(icon.end(), png.begin(), png.end());
            WriteSeed("ico-png", "ico", icon);
        }
        std::remove(scratch.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: image_seeds FOLDER\n");
        return 2;
    }
    folder = argv[1];
    WriteFreeImageSeeds();
    WriteHandMadeSeeds();
    std::printf("%d image seeds\n", written);
    return written > 0 ? 0 : 1;
}
