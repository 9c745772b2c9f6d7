#include "BlockStream.h"

#include "FileStream.h"
#include "LzUnpacker.h"

std::optional<int64_t> BlockStreamDecodedSize(CInFileStream& in, int length)
{
    int64_t decoded = 0;
    int64_t left = length;
    while (left > 0) {
        unsigned char header[4];
        if (in.Read(header, 4) != 4) return std::nullopt;
        int raw = header[0] | header[1] << 8;
        int stored = header[2] | header[3] << 8;
        if (raw == 0) raw = LZ_BLOCK_SIZE;
        int data = raw == stored || stored == 0 ? raw : stored;
        left -= 4 + data;
        if (left < 0) return std::nullopt;
        in.SeekFromCurrent(data);
        decoded += raw;
    }
    return decoded;
}

bool DecodeBlockStreamToFile(CInFileStream& in, int length, const std::string& outPath)
{
    StreamPos start = in.Tell();
    std::optional<int64_t> expected = BlockStreamDecodedSize(in, length);
    if (!expected || !in.SeekFromStart(start)) return false;
    COutFileStream out(outPath.c_str());
    if (!out.IsOpen()) return false;
    return CLzUnpacker().UnpackStream(in, out, length) == *expected && !out.Failed();
}
