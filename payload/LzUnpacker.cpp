#include "LzUnpacker.h"

#include "FileStream.h"

#include <stdlib.h>
#include <string.h>

namespace {

const int kBlockHeaderSize = 4;
const int kLiteralBits = 8;
// Sixteen 1 bits would announce a match of at least 65537 bytes, longer than
// any block.
const int kMaxLengthCode = 15;

struct BlockHeader {
    int rawLength;   // 1 to LZ_BLOCK_SIZE
    int dataLength;  // bytes that follow the header
    bool stored;
};

// Decodes a block header; false when the block runs past the dataLeft bytes
// the stream still has after it. A compressed block with a stored length of 0
// gets no data, so its decoding fails like any bit stream that ends early.
bool ParseBlockHeader(const unsigned char* header, int dataLeft, BlockHeader* block)
{
    int raw16 = header[0] | header[1] << 8;
    int stored16 = header[2] | header[3] << 8;
    block->rawLength = raw16 == 0 ? LZ_BLOCK_SIZE : raw16;
    block->stored = raw16 == stored16;
    block->dataLength = block->stored ? block->rawLength : stored16;
    return block->dataLength <= dataLeft;
}

}  // namespace

int CLzUnpacker::GetBit(unsigned char byte, int i) { return (byte >> (7 - i)) & 1; }

void CLzUnpacker::CopyBits(unsigned char* dest, int destBit, const unsigned char* src, int srcBit, int count)
{
    dest += destBit >> 3;
    destBit &= 7;
    src += srcBit >> 3;
    srcBit &= 7;
    // Up to one destination byte at a time; the second source byte is only
    // touched when the bits actually reach into it.
    while (count > 0) {
        int chunk = 8 - destBit < count ? 8 - destBit : count;
        unsigned int pair = src[0] << 8;
        if (srcBit + chunk > 8) pair |= src[1];
        unsigned int ones = (1u << chunk) - 1;
        unsigned int bits = (pair >> (16 - srcBit - chunk)) & ones;
        int shift = 8 - destBit - chunk;
        *dest = static_cast<unsigned char>((*dest & ~(ones << shift)) | (bits << shift));
        count -= chunk;
        destBit += chunk;
        dest += destBit >> 3;
        destBit &= 7;
        srcBit += chunk;
        src += srcBit >> 3;
        srcBit &= 7;
    }
}

unsigned int CLzUnpacker::SwapBytes(unsigned int value)
{
    return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

int CLzUnpacker::CeilLog2(int a)
{
    if (a <= 0) return -1;
    return a == 1 ? 0 : 32 - __builtin_clz(static_cast<unsigned int>(a - 1));
}

void CLzUnpacker::SkipBits(int n)
{
    bitpos += n;
    bytepos += bitpos >> 3;
    bitpos &= 7;
}

bool CLzUnpacker::HasBits(int n) const
{
    return static_cast<long long>(dataLength_ - bytepos) * 8 - bitpos >= n;
}

bool CLzUnpacker::ReadBit(int* bit)
{
    if (!HasBits(1)) return false;
    *bit = GetBit(data_[bytepos], bitpos);
    SkipBits(1);
    return true;
}

// At least the next 25 bits of the bit stream, the next one as the most
// significant bit; bits past the end of the data read as 0.
unsigned int CLzUnpacker::PeekBits() const
{
    unsigned int bigEndian = 0;
    int available = dataLength_ - bytepos;
    if (available >= 4)
        memcpy(&bigEndian, data_ + bytepos, 4);
    else
        memcpy(&bigEndian, data_ + bytepos, available);
    return SwapBytes(bigEndian) << bitpos;  // both targets are little-endian
}

bool CLzUnpacker::ReadField(int bits, unsigned int* value)
{
    if (!HasBits(bits)) return false;
    *value = bits == 0 ? 0 : PeekBits() >> (32 - bits);
    SkipBits(bits);
    return true;
}

bool CLzUnpacker::ReadLiteral(unsigned char* out)
{
    if (!HasBits(kLiteralBits)) return false;
    CopyBits(out, 0, data_ + bytepos, bitpos, kLiteralBits);
    SkipBits(kLiteralBits);
    ++produced;
    return true;
}

bool CLzUnpacker::ReadMatch(int rawLength)
{
    // The length code's 1 bits, counted at once; "| 1" keeps the count defined
    // when all 32 bits are 1, a code refused just below.
    int code = __builtin_clz(~PeekBits() | 1u);
    if (code > kMaxLengthCode || !HasBits(code + 1)) return false;
    SkipBits(code + 1);
    unsigned int extra;
    if (!ReadField(code, &extra)) return false;
    int length = (1 << code) + static_cast<int>(extra) + 1;  // 2 for code 0

    int positionBits = CeilLog2(produced);
    unsigned int index;
    if (positionBits < 0 || !ReadField(positionBits, &index)) return false;
    if (static_cast<int>(index) >= produced || length > rawLength - produced) return false;

    const unsigned char* from = window + index;
    unsigned char* to = window + produced;
    if (static_cast<int>(index) + length <= produced) {
        memcpy(to, from, length);
    } else {
        // The source runs into the bytes being produced: copy forwards one
        // byte at a time so that they repeat.
        for (int k = 0; k < length; ++k) to[k] = from[k];
    }
    produced += length;
    return true;
}

bool CLzUnpacker::UnpackBlock(unsigned char* out, int rawLength, const unsigned char* data, int dataLength)
{
    if (rawLength > LZ_BLOCK_SIZE) return false;
    data_ = data;
    dataLength_ = dataLength < 0 ? 0 : dataLength;
    window = out;
    produced = 0;
    bytepos = 0;
    bitpos = 0;
    while (produced < rawLength) {
        int isMatch;
        if (!ReadBit(&isMatch)) return false;
        if (!(isMatch ? ReadMatch(rawLength) : ReadLiteral(out + produced))) return false;
    }
    return true;
}

int CLzUnpacker::UnpackBuffer(unsigned char* dest, int capacity, const unsigned char* src, int length)
{
    int total = 0;
    int remaining = length;
    while (remaining > 0) {
        BlockHeader block;
        if (remaining < kBlockHeaderSize || !ParseBlockHeader(src, remaining - kBlockHeaderSize, &block))
            return -1;
        if (block.rawLength > capacity - total) return -1;
        const unsigned char* data = src + kBlockHeaderSize;
        if (block.stored)
            memcpy(dest + total, data, block.rawLength);
        else if (!UnpackBlock(dest + total, block.rawLength, data, block.dataLength))
            return -1;
        src = data + block.dataLength;
        remaining -= kBlockHeaderSize + block.dataLength;
        total += block.rawLength;
    }
    return total;
}

long long CLzUnpacker::UnpackStream(CInFileStream& in, COutFileStream& out, int length)
{
    // Heap buffers: this runs on the install worker while other unpackers may
    // be busy on the main thread.
    unsigned char* buffers = static_cast<unsigned char*>(malloc(2 * LZ_BLOCK_SIZE));
    if (!buffers) return -1;
    unsigned char* decoded = buffers;
    unsigned char* packed = buffers + LZ_BLOCK_SIZE;

    long long written = 0;
    int remaining = length;
    while (remaining > 0) {
        unsigned char header[kBlockHeaderSize];
        BlockHeader block;
        bool ok = remaining >= kBlockHeaderSize && in.Read(header, kBlockHeaderSize) == kBlockHeaderSize &&
                  ParseBlockHeader(header, remaining - kBlockHeaderSize, &block);
        if (ok) {
            unsigned char* data = block.stored ? decoded : packed;
            ok = in.Read(data, block.dataLength) == block.dataLength &&
                 (block.stored || UnpackBlock(decoded, block.rawLength, packed, block.dataLength)) &&
                 out.Write(decoded, block.rawLength);
        }
        if (!ok) {
            written = -1;
            break;
        }
        remaining -= kBlockHeaderSize + block.dataLength;
        written += block.rawLength;
    }
    free(buffers);
    return written;
}
