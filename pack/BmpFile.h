#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FileBytes.h"

// Pixels as rows from the top, three bytes (red, green, blue) per pixel.
struct Raster {
    int width = 0;
    int height = 0;
    Bytes rgb;
};

struct BmpInfo {
    int width;
    int height;  // negative for rows stored from the top
    int bitsPerPixel;
    uint32_t compression;  // 0: uncompressed
    uint32_t pixelOffset;
    uint32_t pixelBytes;   // the header's pixel-data size, 0 when not filled in
};

// The headers of a BMP file; nothing when the data does not start with
// complete BMP headers of a sensible size.
std::optional<BmpInfo> ReadBmpInfo(const uint8_t* data, size_t size);

// Bytes per pixel row of a 24-bit image: rows are padded to four bytes.
inline uint32_t BmpRowBytes(int width) { return (static_cast<uint32_t>(width) * 3 + 3) & ~3u; }

// Decodes an uncompressed 24-bit BMP; refuses anything else, naming `what`.
Raster DecodeBmp24(const Bytes& file, const std::string& what);

// A 24-bit bottom-up BMP file with no colour table and its pixel-data size
// filled in: the form the installer draws.
Bytes EncodeBmp24(const Raster& raster);
