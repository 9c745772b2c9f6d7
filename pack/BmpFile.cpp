#include "BmpFile.h"

#include <cstdlib>

#include "PackError.h"

namespace {

const uint32_t kFileHeaderSize = 14;
const uint32_t kInfoHeaderSize = 40;
const int kLargestSide = 16384;

uint32_t U32At(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t U16At(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void PutU32(Bytes& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutU16(Bytes& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

}  // namespace

std::optional<BmpInfo> ReadBmpInfo(const uint8_t* data, size_t size)
{
    if (size < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const uint8_t* info = data + kFileHeaderSize;
    uint32_t infoSize = U32At(info);
    if (infoSize < kInfoHeaderSize || infoSize > size - kFileHeaderSize) return std::nullopt;
    BmpInfo bmp;
    bmp.width = static_cast<int32_t>(U32At(info + 4));
    bmp.height = static_cast<int32_t>(U32At(info + 8));
    bmp.bitsPerPixel = U16At(info + 14);
    bmp.compression = U32At(info + 16);
    bmp.pixelBytes = U32At(info + 20);
    bmp.pixelOffset = U32At(data + 10);
    if (bmp.width <= 0 || bmp.width > kLargestSide || bmp.height == 0 || std::abs(bmp.height) > kLargestSide)
        return std::nullopt;
    return bmp;
}

Raster DecodeBmp24(const Bytes& file, const std::string& what)
{
    std::optional<BmpInfo> bmp = ReadBmpInfo(file.data(), file.size());
    if (!bmp) throw PackError(what + ": not a BMP image");
    if (bmp->bitsPerPixel != 24 || bmp->compression != 0)
        throw PackError(what + ": a " + std::to_string(bmp->bitsPerPixel) +
                        "-bit or compressed BMP; only uncompressed 24-bit BMP is taken (or PNG)");
    Raster r;
    r.width = bmp->width;
    r.height = std::abs(bmp->height);
    uint64_t stride = BmpRowBytes(r.width);
    if (bmp->pixelOffset > file.size() || stride * r.height > file.size() - bmp->pixelOffset)
        throw PackError(what + ": BMP pixel data runs past the end of the file");
    r.rgb.resize(static_cast<size_t>(r.width) * r.height * 3);
    for (int y = 0; y < r.height; ++y) {
        int stored = bmp->height > 0 ? r.height - 1 - y : y;
        const uint8_t* src = file.data() + bmp->pixelOffset + stored * stride;
        uint8_t* dst = r.rgb.data() + static_cast<size_t>(y) * r.width * 3;
        for (int x = 0; x < r.width; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    return r;
}

Bytes EncodeBmp24(const Raster& r)
{
    const uint32_t stride = BmpRowBytes(r.width);
    const uint32_t pixelBytes = stride * static_cast<uint32_t>(r.height);
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    Bytes out;
    out.reserve(offset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, offset + pixelBytes);
    PutU32(out, 0);
    PutU32(out, offset);
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<uint32_t>(r.width));
    PutU32(out, static_cast<uint32_t>(r.height));
    PutU16(out, 1);
    PutU16(out, 24);
    PutU32(out, 0);
    PutU32(out, pixelBytes);
    PutU32(out, 2835);  // 72 dots per inch
    PutU32(out, 2835);
    PutU32(out, 0);
    PutU32(out, 0);
    for (int y = r.height - 1; y >= 0; --y) {
        const uint8_t* row = r.rgb.data() + static_cast<size_t>(y) * r.width * 3;
        for (int x = 0; x < r.width; ++x) {
            out.push_back(row[3 * x + 2]);
            out.push_back(row[3 * x + 1]);
            out.push_back(row[3 * x]);
        }
        out.resize(out.size() + (stride - static_cast<uint32_t>(r.width) * 3), 0);
    }
    return out;
}
