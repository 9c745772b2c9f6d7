#include "SampleData.h"

#include <string>

namespace {

class Lcg {
public:
    explicit Lcg(unsigned seed) : state_(seed * 2654435761u + 1) {}
    unsigned Next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }

private:
    unsigned state_;
};

void AppendUInt(SampleBytes& out, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

unsigned char Clamp(int value) { return static_cast<unsigned char>(value < 0 ? 0 : value > 255 ? 255 : value); }

const int kGlyphWidth = 6;
const int kGlyphHeight = 9;
const int kLineHeight = 16;

}  // namespace

SampleBytes RandomBytes(size_t size, unsigned seed)
{
    Lcg random(seed);
    SampleBytes bytes(size);
    for (unsigned char& b : bytes) b = static_cast<unsigned char>(random.Next());
    return bytes;
}

SampleBytes RepetitiveText(size_t size, unsigned seed)
{
    static const char* const words[] = {"setup ", "install ", "the ", "files ", "folder ", "program ", "will ",
                                        "copy ", "into ", "your ", "computer. ", "Click Next ", "to continue.\r\n"};
    Lcg random(seed);
    SampleBytes bytes;
    while (bytes.size() < size) {
        std::string word = words[random.Next() % (sizeof words / sizeof words[0])];
        bytes.insert(bytes.end(), word.begin(), word.end());
    }
    bytes.resize(size);
    return bytes;
}

SampleBytes MakeArtwork(int width, int height, unsigned seed)
{
    const int stride = (width * 3 + 3) & ~3;
    const unsigned pixelBytes = static_cast<unsigned>(stride * height);
    SampleBytes bmp;
    bmp.push_back('B');
    bmp.push_back('M');
    AppendUInt(bmp, 54 + pixelBytes, 4);
    AppendUInt(bmp, 0, 4);
    AppendUInt(bmp, 54, 4);
    for (unsigned field : {40u, static_cast<unsigned>(width), static_cast<unsigned>(height)}) AppendUInt(bmp, field, 4);
    AppendUInt(bmp, 1, 2);
    AppendUInt(bmp, 24, 2);
    for (unsigned field : {0u, pixelBytes, 2835u, 2835u, 0u, 0u}) AppendUInt(bmp, field, 4);

    Lcg random(seed);
    std::vector<unsigned long long> glyphs(40);  // one bit per pixel of a 6x9 cell
    for (unsigned long long& glyph : glyphs)
        for (int bit = 0; bit < kGlyphWidth * kGlyphHeight; ++bit)
            if (random.Next() % 3 == 0) glyph |= 1ull << bit;
    const int textRight = width * 2 / 3;
    std::vector<int> line((width / (kGlyphWidth + 1)) + 1);

    SampleBytes pixels(pixelBytes, 0);
    for (int y = 0; y < height; ++y) {
        int lineRow = y % kLineHeight - 3;
        if (lineRow == 0)
            for (int& glyph : line)
                glyph = random.Next() % 6 == 0 ? -1 : static_cast<int>(random.Next() % glyphs.size());
        for (int x = 0; x < width; ++x) {
            int r = 40 + 180 * x / width, g = 60 + 150 * y / height, b = 210 - 90 * (x + y) / (width + height);
            if (y < height / 4) {
                r = g = b = 0xEB;
            } else if (x >= textRight) {
                int noise = static_cast<int>(random.Next() % 24) - 12;
                r += noise;
                g += noise / 2;
                b -= noise;
            } else if (lineRow >= 0 && lineRow < kGlyphHeight && x >= 8) {
                int cell = (x - 8) / (kGlyphWidth + 1), column = (x - 8) % (kGlyphWidth + 1);
                int glyph = line[cell];
                if (glyph >= 0 && column < kGlyphWidth && (glyphs[glyph] >> (lineRow * kGlyphWidth + column)) & 1)
                    r = g = b = 24;
            }
            unsigned char* pixel = &pixels[y * stride + x * 3];
            pixel[0] = Clamp(b);
            pixel[1] = Clamp(g);
            pixel[2] = Clamp(r);
        }
    }
    bmp.insert(bmp.end(), pixels.begin(), pixels.end());
    return bmp;
}

SampleBytes ArtworkBytes(size_t size, unsigned seed)
{
    int height = static_cast<int>(size / (640 * 3)) + 1;
    SampleBytes bytes = MakeArtwork(640, height, seed);
    bytes.resize(size);
    return bytes;
}
