#include "LzTestStreams.h"

#include <stdexcept>

#include "FileStream.h"
#include "LzUnpacker.h"

namespace {

const unsigned char kGuard = 0xCD;
const int kGuardSize = 64;

}  // namespace

Bytes PackBits(const std::string& text)
{
    Bytes bytes;
    int used = 0;
    auto put = [&](int bit) {
        if (used == 0) bytes.push_back(0);
        if (bit) bytes.back() |= static_cast<uint8_t>(0x80 >> used);
        used = (used + 1) % 8;
    };
    for (char c : text)
        if (c == '0' || c == '1') put(c == '1');
    while (used != 0) put(0);
    return bytes;
}

std::string BitField(unsigned value, int width)
{
    std::string text;
    for (int b = width - 1; b >= 0; --b) text += (value >> b) & 1 ? '1' : '0';
    return text;
}

Bytes CompressedBlock(int rawLength, const Bytes& bitStream)
{
    if (static_cast<size_t>(rawLength & 0xFFFF) == bitStream.size())
        throw std::logic_error("this block would read as a stored one");
    ByteWriter w;
    w.U32(static_cast<uint32_t>(rawLength & 0xFFFF) | static_cast<uint32_t>(bitStream.size()) << 16);
    return w.Raw(bitStream).bytes();
}

Bytes StoredBlock(const std::string& data)
{
    ByteWriter w;
    uint32_t size16 = static_cast<uint32_t>(data.size() & 0xFFFF);
    return w.U32(size16 | size16 << 16).Raw(data).bytes();
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

BufferDecode DecodeBuffer(const Bytes& stream, int capacity)
{
    // The source is a copy of exactly the stream's size, so that a read past
    // it shows up under the address sanitizer.
    Bytes source(stream);
    Bytes area(kGuardSize + capacity + kGuardSize, kGuard);
    CLzUnpacker unpacker;
    BufferDecode decode;
    decode.result = unpacker.UnpackBuffer(area.data() + kGuardSize, capacity, source.empty() ? nullptr : source.data(),
                                          static_cast<int>(source.size()));
    decode.dest.assign(area.begin() + kGuardSize, area.end() - kGuardSize);
    decode.guardsIntact = true;
    for (int i = 0; i < kGuardSize; ++i)
        if (area[i] != kGuard || area[area.size() - 1 - i] != kGuard) decode.guardsIntact = false;
    return decode;
}

StreamDecode DecodeFile(const Bytes& stream)
{
    std::string folder = MakeTestFolder("lz-stream");
    std::string inPath = JoinPath(folder, "packed.bin");
    std::string outPath = JoinPath(folder, "unpacked.bin");
    WriteFileBytes(inPath, stream);
    StreamDecode decode;
    {
        CInFileStream in(inPath.c_str());
        COutFileStream out(outPath.c_str());
        CLzUnpacker unpacker;
        decode.result = unpacker.UnpackStream(in, out, static_cast<int>(stream.size()));
    }
    decode.written = ReadFileBytes(outPath);
    return decode;
}
