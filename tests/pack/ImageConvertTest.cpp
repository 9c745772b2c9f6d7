#include <doctest/doctest.h>

#include <array>
#include <cstring>
#include <png.h>

#include "ImageConvert.h"
#include "PackError.h"
#include "PackFixture.h"
#include "PayloadLayout.h"

namespace {

using Rgb = std::array<uint8_t, 3>;

const uint8_t kRed[3] = {255, 0, 0};
const uint8_t kBlue[3] = {0, 0, 255};

// A raster of one colour with a red top-left and a blue bottom-right pixel.
Raster Marked(int width, int height)
{
    Raster r;
    r.width = width;
    r.height = height;
    r.rgb.assign(static_cast<size_t>(width) * height * 3, 0x40);
    std::memcpy(&r.rgb[0], kRed, 3);
    std::memcpy(&r.rgb[r.rgb.size() - 3], kBlue, 3);
    return r;
}

void WritePng(const std::string& path, const Raster& r)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = r.width;
    image.height = r.height;
    image.format = PNG_FORMAT_RGB;
    REQUIRE(png_image_write_to_file(&image, path.c_str(), 0, r.rgb.data(), 0, nullptr));
}

// A 24-bit BMP stored top row first (negative height), as some editors write.
Bytes TopDownBmp(const Raster& r)
{
    Bytes bmp = EncodeBmp24(r);
    const uint32_t stride = BmpRowBytes(r.width);
    Bytes flipped(bmp.begin(), bmp.begin() + 54);
    int32_t height = -r.height;
    std::memcpy(&flipped[22], &height, 4);
    for (int row = r.height - 1; row >= 0; --row)
        flipped.insert(flipped.end(), bmp.begin() + 54 + row * stride, bmp.begin() + 54 + (row + 1) * stride);
    return flipped;
}

uint32_t U32(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24; }

// The pixel at (x, y) counted from the top of a bottom-up BMP, as R, G, B.
Rgb PixelAt(const Bytes& bmp, int x, int y)
{
    int width = static_cast<int>(U32(bmp, 18)), height = static_cast<int>(U32(bmp, 22));
    size_t at = 54 + static_cast<size_t>(height - 1 - y) * BmpRowBytes(width) + x * 3;
    return {bmp[at + 2], bmp[at + 1], bmp[at]};
}

}  // namespace

TEST_CASE("PNG and BMP artwork become the bottom-up 24-bit BMP the installer draws")
{
    PackFixture f("pack-images");
    Raster art = Marked(495, 60);
    WritePng(f.Path("art.png"), art);
    WriteFileBytes(f.Path("top-down.bmp"), TopDownBmp(art));
    WriteFileBytes(f.Path("bottom-up.bmp"), EncodeBmp24(art));

    for (const char* file : {"art.png", "top-down.bmp", "bottom-up.bmp"}) {
        CAPTURE(file);
        Bytes bmp = MakeRoleImage(f.Path(file), ImageBanner, false);
        const uint32_t pixelBytes = BmpRowBytes(495) * 60;
        CHECK(bmp.size() == 54 + pixelBytes);
        CHECK(U32(bmp, 2) == bmp.size());
        CHECK(U32(bmp, 10) == 54);
        CHECK(U32(bmp, 14) == 40);
        CHECK(U32(bmp, 22) == 60);  // positive height: bottom-up
        CHECK((bmp[28] | bmp[29] << 8) == 24);
        CHECK(U32(bmp, 34) == pixelBytes);
        CHECK(U32(bmp, 46) == 0);  // no colour table
        CHECK(PixelAt(bmp, 0, 0) == Rgb{255, 0, 0});
        CHECK(PixelAt(bmp, 494, 59) == Rgb{0, 0, 255});
    }
}

TEST_CASE("--fit scales artwork of another size and fills the margins with the wizard's grey")
{
    PackFixture f("pack-fit");
    Raster wide;
    wide.width = 200;
    wide.height = 20;
    wide.rgb.assign(200 * 20 * 3, 0);
    for (size_t i = 0; i < wide.rgb.size(); i += 3) wide.rgb[i] = 200;
    WritePng(f.Path("wide.png"), wide);

    CHECK_THROWS_AS(MakeRoleImage(f.Path("wide.png"), ImageStep1Art, false), PackError);
    Bytes bmp = MakeRoleImage(f.Path("wide.png"), ImageStep1Art, true);
    CHECK(U32(bmp, 18) == 438);
    CHECK(U32(bmp, 22) == 155);
    // 200x20 scaled by 2.19 is 438x44, centred: rows 55 to 98 hold the picture.
    CHECK(PixelAt(bmp, 0, 0) == Rgb{235, 235, 235});
    CHECK(PixelAt(bmp, 219, 77) == Rgb{200, 0, 0});
    CHECK(PixelAt(bmp, 437, 154) == Rgb{235, 235, 235});
}

TEST_CASE("artwork that is neither PNG nor uncompressed 24-bit BMP is refused by name")
{
    PackFixture f("pack-image-kinds");
    Bytes deep = MakeBmp(438, 155);
    deep[28] = 32;
    WriteFileBytes(f.Path("deep.bmp"), deep);
    WriteFileBytes(f.Path("text.png"), Bytes{'h', 'e', 'l', 'l', 'o'});
    for (const char* file : {"deep.bmp", "text.png"}) {
        CAPTURE(file);
        try {
            MakeRoleImage(f.Path(file), ImageStep2Art, false);
            FAIL("accepted");
        } catch (const PackError& e) {
            CHECK(std::string(e.what()).find(std::string("images.step2: ") + f.Path(file)) == 0);
        }
    }
}
