#include <doctest/doctest.h>

#include "LzTestStreams.h"
#include "LzUnpacker.h"

namespace {

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct DecodeCase {
    const char* name;
    Bytes stream;
    Bytes expected;
};

void CheckDecodesBothWays(const DecodeCase& c)
{
    INFO(std::string(c.name));
    BufferDecode buffer = DecodeBuffer(c.stream, static_cast<int>(c.expected.size()));
    CHECK(buffer.result == static_cast<int>(c.expected.size()));
    CHECK(buffer.dest == c.expected);
    CHECK(buffer.guardsIntact);
    StreamDecode file = DecodeFile(c.stream);
    CHECK(file.result == static_cast<long long>(c.expected.size()));
    CHECK(file.written == c.expected);
}

const std::string kLiteralA = "0 01100001";
const std::string kLiteralB = "0 01100010";
const std::string kLiteralC = "0 01100011";

}  // namespace

TEST_CASE("small streams decode to their bytes, into a destination of exactly their size")
{
    const DecodeCase cases[] = {
        {"a b a b", {0x04, 0x00, 0x03, 0x00, 0x30, 0x98, 0xA0}, Text("abab")},
        {"a a a a a, filled with 0 bits", {0x05, 0x00, 0x02, 0x00, 0x30, 0xE8}, Text("aaaaa")},
        {"a a a a a, filled with 1 bits", {0x05, 0x00, 0x02, 0x00, 0x30, 0xEF}, Text("aaaaa")},
        {"x y z stored", {0x03, 0x00, 0x03, 0x00, 0x78, 0x79, 0x7A}, Text("xyz")},
        {"a match overlapping its source by two bytes",
         CompressedBlock(8, PackBits(kLiteralA + kLiteralB + "1 110 01 0")), Text("abababab")},
        {"positions count from the start of their own block",
         Join({StoredBlock("xyz"), CompressedBlock(4, PackBits(kLiteralA + kLiteralB + "1 0 0"))}), Text("xyzabab")},
        {"a stored block after a compressed one",
         Join({Bytes{0x05, 0x00, 0x02, 0x00, 0x30, 0xE8}, StoredBlock("xyz")}), Text("aaaaaxyz")},
    };
    for (const DecodeCase& c : cases) CheckDecodesBothWays(c);
}

TEST_CASE("blocks of 65536 bytes: stored, one long match, and matches with 16-bit positions")
{
    Bytes pattern(65536);
    for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<uint8_t>(i * 37 + i / 251);
    Bytes stored = Join({Bytes{0x00, 0x00, 0x00, 0x00}, pattern});

    // 'z', then a copy of 65535 bytes from index 0: length code 15, v = 32766.
    Bytes oneRun = CompressedBlock(65536, PackBits("0 01111010 1 111111111111111 0 " + BitField(32766, 15)));

    // 40000 literals, then 25536 bytes from index 1000 (length code 14, v = 9151).
    std::string bits;
    for (int i = 0; i < 40000; ++i) bits += "0" + BitField(pattern[i], 8);
    bits += "1 11111111111111 0 " + BitField(9151, 14) + BitField(1000, 16);
    Bytes farCopy(pattern.begin(), pattern.begin() + 40000);
    farCopy.insert(farCopy.end(), pattern.begin() + 1000, pattern.begin() + 1000 + 25536);

    const DecodeCase cases[] = {
        {"stored, R16 = S16 = 0", stored, pattern},
        {"compressed, one literal and one overlapping copy", oneRun, Bytes(65536, 'z')},
        {"compressed, a copy from far back", CompressedBlock(65536, PackBits(bits)), farCopy},
    };
    for (const DecodeCase& c : cases) CheckDecodesBothWays(c);
}

TEST_CASE("a destination one byte short fails, keeping the blocks that fit and nothing more")
{
    Bytes stream = Join({StoredBlock("xyz"), Bytes{0x05, 0x00, 0x02, 0x00, 0x30, 0xE8}});
    CHECK(DecodeBuffer(stream, 8).result == 8);
    BufferDecode shortBuffer = DecodeBuffer(stream, 7);
    CHECK(shortBuffer.result == -1);
    CHECK(Bytes(shortBuffer.dest.begin(), shortBuffer.dest.begin() + 3) == Text("xyz"));
    CHECK(shortBuffer.guardsIntact);
}

TEST_CASE("an empty stream decodes to nothing")
{
    CHECK(DecodeBuffer(Bytes(), 16).result == 0);
    CHECK(DecodeFile(Bytes()).result == 0);
}

TEST_CASE("malformed streams are refused without reading or writing outside the buffers")
{
    std::string sevenLiterals;
    for (int i = 0; i < 7; ++i) sevenLiterals += kLiteralA;
    const struct {
        const char* name;
        Bytes stream;
    } cases[] = {
        {"a match before any byte", CompressedBlock(2, PackBits("1 0"))},
        {"a second block opening with a match", Join({StoredBlock("xy"), CompressedBlock(2, PackBits("1 0"))})},
        {"an index equal to the bytes produced",
         CompressedBlock(5, PackBits(kLiteralA + kLiteralB + kLiteralC + "1 0 11"))},
        {"a match running past the block", CompressedBlock(4, PackBits(kLiteralA + "1 10 1"))},
        {"a match running past a block of 65536",
         CompressedBlock(65536, PackBits(kLiteralA + "1 111111111111111 0 " + BitField(32767, 15)))},
        {"a length code of 16",
         CompressedBlock(65536, PackBits(kLiteralA + "1" + std::string(16, '1') + "0" + BitField(0, 16)))},
        {"a length code of 40, starting on a byte boundary",
         CompressedBlock(65536, PackBits(sevenLiterals + "1" + std::string(40, '1') + "0" + std::string(40, '0')))},
        {"bits ending on a byte boundary before the last token",
         CompressedBlock(10, PackBits(sevenLiterals + kLiteralA))},
        {"bits ending inside a literal", CompressedBlock(4, PackBits(kLiteralA + kLiteralB))},
        {"bits ending inside a length code", CompressedBlock(10, PackBits(kLiteralA + "1 111111"))},
        {"bits ending inside a position field",
         CompressedBlock(7, PackBits(kLiteralA + kLiteralB + kLiteralC + kLiteralA + kLiteralB + "1 0"))},
        {"a compressed block with S16 = 0", {0x05, 0x00, 0x00, 0x00, 0x30, 0xE8, 0x00, 0x00, 0x00}},
        {"a stored block longer than the stream", {0x05, 0x00, 0x05, 0x00, 0x61, 0x62, 0x63}},
        {"a compressed block longer than the stream", {0x05, 0x00, 0x03, 0x00, 0x30, 0xE8}},
        {"a stream ending inside a block header", Join({StoredBlock("xyz"), Bytes{0x03, 0x00}})},
    };
    for (const auto& c : cases) {
        INFO(std::string(c.name));
        BufferDecode buffer = DecodeBuffer(c.stream, 2 * LZ_BLOCK_SIZE);
        CHECK(buffer.result == -1);
        CHECK(buffer.guardsIntact);
        CHECK(DecodeFile(c.stream).result == -1);
    }
}

TEST_CASE("UnpackBlock refuses raw lengths above 65536 and does nothing for none")
{
    const Bytes bits = {0x30, 0xE8};
    unsigned char out[4] = {1, 2, 3, 4};
    CLzUnpacker unpacker;
    CHECK_FALSE(unpacker.UnpackBlock(out, LZ_BLOCK_SIZE + 1, bits.data(), 2));
    CHECK(unpacker.UnpackBlock(out, 0, bits.data(), 2));
    CHECK(out[0] == 1);
}

TEST_CASE("bit helpers")
{
    SUBCASE("CeilLog2")
    {
        const int cases[][2] = {{-3, -1}, {0, -1},     {1, 0},      {2, 1},      {3, 2},      {4, 2},
                                {5, 3},   {32768, 15}, {32769, 16}, {65535, 16}, {65536, 16}};
        for (const auto& c : cases) {
            INFO(c[0]);
            CHECK(CLzUnpacker::CeilLog2(c[0]) == c[1]);
        }
    }
    SUBCASE("SwapBytes")
    {
        CHECK(CLzUnpacker::SwapBytes(0x12345678u) == 0x78563412u);
        CHECK(CLzUnpacker::SwapBytes(0x000000FFu) == 0xFF000000u);
    }
    SUBCASE("CopyBits changes only the bits it copies, across byte boundaries on both sides")
    {
        const struct {
            uint8_t src[2];
            int srcBit, destBit, count;
            uint8_t expected[3];
        } cases[] = {
            {{0x0F, 0xF0}, 4, 6, 8, {0xA7, 0xFD, 0xA5}},  // eight 1 bits into bits 6..13
            {{0xF0, 0x0F}, 4, 6, 8, {0xA4, 0x01, 0xA5}},  // eight 0 bits
            {{0x5A, 0x00}, 0, 8, 8, {0xA5, 0x5A, 0xA5}},  // whole aligned byte
            {{0x7F, 0x00}, 0, 23, 1, {0xA5, 0xA5, 0xA4}}, // the very last bit
            {{0xFF, 0xFF}, 3, 2, 0, {0xA5, 0xA5, 0xA5}},  // nothing
        };
        for (const auto& c : cases) {
            uint8_t dest[3] = {0xA5, 0xA5, 0xA5};
            CLzUnpacker::CopyBits(dest, c.destBit, c.src, c.srcBit, c.count);
            INFO(c.srcBit, " -> ", c.destBit, " x ", c.count);
            CHECK(Bytes(dest, dest + 3) == Bytes(c.expected, c.expected + 3));
        }
    }
}
