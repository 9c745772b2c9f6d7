#include "LzEncoder.h"

#include "LzParse.h"

#include <algorithm>

namespace {

// Appends bits most significant first, filling the last byte with 0 bits.
class BitWriter {
public:
    explicit BitWriter(std::vector<unsigned char>& out) : out_(out) {}

    void Put(unsigned int value, int bits)
    {
        for (int b = bits - 1; b >= 0; --b) {
            if (used_ == 0) out_.push_back(0);
            if ((value >> b) & 1) out_.back() |= static_cast<unsigned char>(0x80 >> used_);
            used_ = (used_ + 1) & 7;
        }
    }

private:
    std::vector<unsigned char>& out_;
    int used_ = 0;
};

std::vector<unsigned char> CodeTokens(const unsigned char* block, const std::vector<LzToken>& tokens)
{
    std::vector<unsigned char> coded;
    BitWriter writer(coded);
    int produced = 0;
    for (const LzToken& token : tokens) {
        if (token.length == 1) {
            writer.Put(0, 1);
            writer.Put(block[produced], 8);
        } else {
            int code = LzLengthCode(token.length);
            writer.Put(1, 1);
            writer.Put(((1u << code) - 1) << 1, code + 1);  // code 1 bits, then a 0
            writer.Put(token.length - (1 << code) - 1, code);
            writer.Put(token.index, CLzUnpacker::CeilLog2(produced));
        }
        produced += token.length;
    }
    return coded;
}

void AppendUInt16(std::vector<unsigned char>& out, size_t value)
{
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void AppendBlock(std::vector<unsigned char>& out, const unsigned char* block, int size, LzParse parse)
{
    std::vector<LzToken> tokens = parse == LzParse::Greedy ? LzParseGreedy(block, size) : LzParseOptimal(block, size);
    std::vector<unsigned char> coded = CodeTokens(block, tokens);
    // Storing whatever coding does not shorten also keeps a coded block's
    // stored length below 65536 and different from its raw length.
    bool stored = coded.size() >= static_cast<size_t>(size);
    AppendUInt16(out, static_cast<size_t>(size));
    if (stored) {
        AppendUInt16(out, static_cast<size_t>(size));
        out.insert(out.end(), block, block + size);
    } else {
        AppendUInt16(out, coded.size());
        out.insert(out.end(), coded.begin(), coded.end());
    }
}

}  // namespace

std::vector<unsigned char> LzEncodeStream(const unsigned char* data, size_t size, LzParse parse)
{
    std::vector<unsigned char> out;
    for (size_t offset = 0; offset < size; offset += LZ_BLOCK_SIZE) {
        size_t blockSize = std::min(size - offset, static_cast<size_t>(LZ_BLOCK_SIZE));
        AppendBlock(out, data + offset, static_cast<int>(blockSize), parse);
    }
    return out;
}
