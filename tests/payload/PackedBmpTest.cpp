// The check the wizard makes before it draws an image: a table of bitmaps,
// each a well-formed one with one field changed.
#include <doctest/doctest.h>

#include <cstring>
#include <functional>

#include "PackedBmp.h"
#include "PayloadBuilder.h"

namespace {

void PutU32(Bytes& bmp, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutU16(Bytes& bmp, size_t at, uint16_t value)
{
    bmp[at] = static_cast<uint8_t>(value);
    bmp[at + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

TEST_CASE("ParsePackedBmp accepts only whole 24-bit bottom-up bitmaps inside their buffer")
{
    // 5 x 3 pixels: rows of 15 bytes padded to 16, 48 bytes of pixels.
    struct Case {
        const char* what;
        std::function<void(Bytes&)> change;
        bool accepted;
    } cases[] = {
        {"as written", [](Bytes&) {}, true},
        {"pixel data after a gap", [](Bytes& b) { b.insert(b.begin() + 54, 8, 0); PutU32(b, 10, 62); }, true},
        {"bytes after the pixels", [](Bytes& b) { b.resize(b.size() + 7); }, true},
        {"cut before the information header ends", [](Bytes& b) { b.resize(53); }, false},
        {"no BM signature", [](Bytes& b) { b[0] = 'X'; }, false},
        {"a 12-byte core header", [](Bytes& b) { PutU32(b, 14, 12); }, false},
        {"a 124-byte header", [](Bytes& b) { PutU32(b, 14, 124); }, false},
        {"32 bits per pixel", [](Bytes& b) { PutU16(b, 28, 32); }, false},
        {"8 bits per pixel", [](Bytes& b) { PutU16(b, 28, 8); }, false},
        {"run-length compressed", [](Bytes& b) { PutU32(b, 30, 1); }, false},
        {"top-down rows", [](Bytes& b) { PutU32(b, 22, static_cast<uint32_t>(-3)); }, false},
        {"width 0", [](Bytes& b) { PutU32(b, 18, 0); }, false},
        {"height 0", [](Bytes& b) { PutU32(b, 22, 0); }, false},
        {"pixels inside the headers", [](Bytes& b) { PutU32(b, 10, 40); }, false},
        {"pixels past the end", [](Bytes& b) { PutU32(b, 10, static_cast<uint32_t>(b.size() + 1)); }, false},
        {"pixel size past the end", [](Bytes& b) { PutU32(b, 34, 49); }, false},
        {"pixel size 0", [](Bytes& b) { PutU32(b, 34, 0); }, false},
        {"pixel size one byte short of the rows", [](Bytes& b) { PutU32(b, 34, 47); b.pop_back(); }, false},
        {"a width whose rows overflow 32 bits",
         [](Bytes& b) {
             PutU32(b, 18, 0x7FFFFFFF);
             PutU32(b, 22, 0x7FFFFFFF);
         },
         false},
    };
    for (const Case& c : cases) {
        std::string what = c.what;
        CAPTURE(what);
        Bytes bmp = MakeBmp(5, 3);
        c.change(bmp);
        PackedBmp parsed;
        CHECK(ParsePackedBmp(bmp.data(), bmp.size(), &parsed) == c.accepted);
        if (c.accepted) {
            CHECK(parsed.width == 5);
            CHECK(parsed.height == 3);
            CHECK(parsed.info == bmp.data() + 14);
        }
    }
    PackedBmp parsed;
    CHECK_FALSE(ParsePackedBmp(nullptr, 100, &parsed));
}

TEST_CASE("ParsePackedBmp takes pixel data up to 1 MiB, not more")
{
    // Rows of 3,072 bytes: 341 of them (1,047,552 bytes) fit in 1 MiB, 342
    // (1,050,624 bytes) do not.
    Bytes fits = MakeBmp(1024, 341);
    Bytes over = MakeBmp(1024, 342);
    PackedBmp parsed;
    CHECK(ParsePackedBmp(fits.data(), fits.size(), &parsed));
    CHECK_FALSE(ParsePackedBmp(over.data(), over.size(), &parsed));
}
