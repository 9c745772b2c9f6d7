#pragma once
// Decoder of the block stream: blocks of at most 65536 decoded bytes, each
// stored or LZ-coded against its own output only.

class CInFileStream;
class COutFileStream;

const int LZ_BLOCK_SIZE = 65536;

class CLzUnpacker {
public:
    // Decodes one compressed block of raw length rawLength from data (dataLength
    // bytes) into out. False when rawLength exceeds LZ_BLOCK_SIZE or the bit
    // stream is malformed (it then never reads past data nor writes past
    // out + rawLength).
    bool UnpackBlock(unsigned char* out, int rawLength, const unsigned char* data, int dataLength);

    // Decodes a whole stream held in memory. Returns the decoded byte count,
    // 0 for a length of 0 or less, -1 when the result would exceed capacity or
    // the stream is malformed; dest then holds what was decoded before the
    // fault, never more than capacity bytes.
    int UnpackBuffer(unsigned char* dest, int capacity, const unsigned char* src, int length);

    // Decodes a stream of length bytes from in to out, block by block. Returns
    // the number of bytes written, or -1 at the first fault (short input,
    // malformed block, failed write); blocks before the fault stay written.
    long long UnpackStream(CInFileStream& in, COutFileStream& out, int length);

    // Bit i of a byte, 0 being the most significant.
    static int GetBit(unsigned char byte, int i);
    // Copies count bits, most significant first, from bit srcBit of src to bit
    // destBit of dest; the other bits of dest keep their values.
    static void CopyBits(unsigned char* dest, int destBit, const unsigned char* src, int srcBit, int count);
    static unsigned int SwapBytes(unsigned int value);
    // Smallest k with 2^k >= a; -1 for a of 0 or less.
    static int CeilLog2(int a);

private:
    void SkipBits(int n);
    bool HasBits(int n) const;
    unsigned int PeekBits() const;
    bool ReadBit(int* bit);
    bool ReadField(int bits, unsigned int* value);
    bool ReadLiteral(unsigned char* out);
    bool ReadMatch(int rawLength);

    const unsigned char* data_;
    int dataLength_;
    unsigned char* window;
    int produced;
    int bytepos;
    int bitpos;
};
