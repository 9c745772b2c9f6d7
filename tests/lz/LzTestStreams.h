#pragma once
// Block streams written by hand for the decoder tests, and decoding them the
// two ways the installer does.
#include <string>

#include "TestFiles.h"

// Bits given as text of '0' and '1' (anything else is ignored for reading),
// packed most significant first and filled up with 0 bits to a whole byte.
Bytes PackBits(const std::string& text);

// value as a width-bit field in the text form PackBits reads.
std::string BitField(unsigned value, int width);

// A compressed block: R16 from rawLength, S16 from the bit stream's size.
Bytes CompressedBlock(int rawLength, const Bytes& bitStream);
Bytes StoredBlock(const std::string& data);
Bytes Join(std::initializer_list<Bytes> parts);

// UnpackBuffer into a destination of the given capacity between guard bytes;
// the destination and the guards are kept for inspection.
struct BufferDecode {
    int result;
    Bytes dest;
    bool guardsIntact;
};
BufferDecode DecodeBuffer(const Bytes& stream, int capacity);

// UnpackStream from a file holding the stream to a new file.
struct StreamDecode {
    long long result;
    Bytes written;
};
StreamDecode DecodeFile(const Bytes& stream);
