#include "PackedBmp.h"

namespace {

const size_t kFileHeaderSize = 14;
const unsigned int kInfoHeaderSize = 40;
const unsigned int kBitsPerPixel = 24;
const unsigned int kUncompressed = 0;  // BI_RGB

unsigned int U32At(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<unsigned int>(p[3]) << 24);
}

unsigned int U16At(const unsigned char* p) { return p[0] | (p[1] << 8); }

}  // namespace

bool ParsePackedBmp(const unsigned char* file, size_t size, PackedBmp* bmp)
{
    if (!file || size < kFileHeaderSize + kInfoHeaderSize) return false;
    if (file[0] != 'B' || file[1] != 'M') return false;
    const unsigned char* info = file + kFileHeaderSize;
    unsigned int offBits = U32At(file + 10);
    int width = static_cast<int>(U32At(info + 4));
    int height = static_cast<int>(U32At(info + 8));
    unsigned int sizeImage = U32At(info + 20);
    if (U32At(info) != kInfoHeaderSize || U16At(info + 14) != kBitsPerPixel || U32At(info + 16) != kUncompressed)
        return false;
    if (width <= 0 || height <= 0) return false;
    if (offBits < kFileHeaderSize + kInfoHeaderSize || offBits > size) return false;
    if (sizeImage > static_cast<unsigned int>(IMAGE_BUF_SIZE) || sizeImage > size - offBits) return false;
    // 64-bit arithmetic: width and height come from the file.
    unsigned long long stride = (static_cast<unsigned long long>(width) * 3 + 3) / 4 * 4;
    if (stride * static_cast<unsigned long long>(height) > sizeImage) return false;
    bmp->info = info;
    bmp->pixels = file + offBits;
    bmp->width = width;
    bmp->height = height;
    return true;
}
