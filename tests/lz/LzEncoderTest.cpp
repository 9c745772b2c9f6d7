#include <doctest/doctest.h>

#include <functional>
#include <string>

#include "LzEncoder.h"
#include "LzUnpacker.h"
#include "SampleData.h"

namespace {

class BitReader {
public:
    BitReader(const unsigned char* data, int size) : data_(data), size_(size) {}

    bool Read(int bits, unsigned* value)
    {
        if (bits > size_ * 8 - used_) return false;
        *value = 0;
        for (int i = 0; i < bits; ++i, ++used_) *value = *value << 1 | ((data_[used_ / 8] >> (7 - used_ % 8)) & 1);
        return true;
    }
    int BytesTouched() const { return (used_ + 7) / 8; }

private:
    const unsigned char* data_;
    int size_;
    int used_ = 0;
};

// What is wrong with the tokens of a compressed block; empty when nothing is.
std::string TokenFault(const unsigned char* data, int size, int rawLength)
{
    BitReader bits(data, size);
    int produced = 0;
    while (produced < rawLength) {
        unsigned flag, value;
        if (!bits.Read(1, &flag)) return "the bit stream ends early";
        if (flag == 0) {
            if (!bits.Read(8, &value)) return "the bit stream ends in a literal";
            ++produced;
            continue;
        }
        if (produced == 0) return "the block opens with a match";
        int code = 0;
        for (;;) {
            if (!bits.Read(1, &flag)) return "the bit stream ends in a length code";
            if (!flag) break;
            ++code;
        }
        unsigned extra, index;
        if (code > 15 || !bits.Read(code, &extra)) return "a bad length code";
        if (!bits.Read(CLzUnpacker::CeilLog2(produced), &index)) return "the bit stream ends in a position";
        int length = (1 << code) + static_cast<int>(extra) + 1;
        if (static_cast<int>(index) >= produced) return "an index not below the bytes produced";
        if (produced + length > rawLength) return "a match running past the block";
        produced += length;
    }
    if (bits.BytesTouched() != size) return "data bytes after the bit stream";
    return "";
}

// Walks a block stream of data of decodedSize bytes and names the first rule
// it breaks; empty when it keeps them all.
std::string StreamFault(const std::vector<unsigned char>& stream, size_t decodedSize)
{
    size_t at = 0, decoded = 0;
    while (at < stream.size()) {
        if (stream.size() - at < 4) return "a block header cut short";
        int raw16 = stream[at] | stream[at + 1] << 8, stored16 = stream[at + 2] | stream[at + 3] << 8;
        int rawLength = raw16 == 0 ? LZ_BLOCK_SIZE : raw16;
        if (decoded + static_cast<size_t>(LZ_BLOCK_SIZE) < decodedSize ? rawLength != LZ_BLOCK_SIZE
                                                                      : decoded + rawLength != decodedSize)
            return "a block of the wrong length at " + std::to_string(at);
        at += 4;
        size_t dataLength = raw16 == stored16 ? rawLength : stored16;
        if (dataLength == 0) return "a compressed block with S16 = 0";
        if (stream.size() - at < dataLength) return "block data cut short";
        if (raw16 != stored16) {
            std::string fault = TokenFault(&stream[at], stored16, rawLength);
            if (!fault.empty()) return fault + " in the block at " + std::to_string(at - 4);
        }
        at += dataLength;
        decoded += rawLength;
    }
    return decoded == decodedSize ? "" : "blocks missing at the end";
}

struct DataKind {
    const char* name;
    std::function<SampleBytes(size_t)> make;
    bool compressible;
};

const DataKind kKinds[] = {
    {"random", [](size_t size) { return RandomBytes(size, 7); }, false},
    {"zeros", [](size_t size) { return SampleBytes(size, 0); }, true},
    {"repetitive text", [](size_t size) { return RepetitiveText(size, 3); }, true},
    {"artwork", [](size_t size) { return ArtworkBytes(size, 5); }, true},
};

}  // namespace

TEST_CASE("encoded streams keep the block format and decode back to their data")
{
    const size_t sizes[] = {0, 1, 65535, 65536, 65537, 3 * 65536 + 5};
    for (const DataKind& kind : kKinds) {
        for (size_t size : sizes) {
            SampleBytes data = kind.make(size);
            for (LzParse parse : {LzParse::Optimal, LzParse::Greedy}) {
                INFO(std::string(kind.name), ", ", size, " bytes, ", parse == LzParse::Optimal ? "optimal" : "greedy");
                std::vector<unsigned char> stream = LzEncodeStream(data.data(), data.size(), parse);
                CHECK(StreamFault(stream, size) == "");
                SampleBytes decoded(size + 1);
                CHECK(CLzUnpacker().UnpackBuffer(decoded.data(), static_cast<int>(size), stream.data(),
                                                 static_cast<int>(stream.size())) == static_cast<int>(size));
                decoded.resize(size);
                CHECK(decoded == data);
            }
        }
    }
}

TEST_CASE("compressible data shrinks, random data is stored, and the optimal parse never loses to greedy")
{
    const size_t size = 3 * 65536 + 5;
    for (const DataKind& kind : kKinds) {
        INFO(std::string(kind.name));
        SampleBytes data = kind.make(size);
        size_t optimal = LzEncodeStream(data.data(), size).size();
        size_t greedy = LzEncodeStream(data.data(), size, LzParse::Greedy).size();
        CHECK(optimal <= greedy);
        if (kind.compressible)
            CHECK(optimal < size);
        else
            CHECK(optimal == size + 4 * 4);
    }
}
