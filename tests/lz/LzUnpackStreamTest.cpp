#include <doctest/doctest.h>

#include "FileStream.h"
#include "LzTestStreams.h"
#include "LzUnpacker.h"

namespace {

// Two blocks: "xyz" stored (7 bytes), then a a a a a compressed (6 bytes).
const Bytes kTwoBlocks = {0x03, 0x00, 0x03, 0x00, 'x', 'y', 'z', 0x05, 0x00, 0x02, 0x00, 0x30, 0xE8};

struct Fixture {
    std::string folder = MakeTestFolder("lz-unpack-stream");
    std::string inPath = JoinPath(folder, "in.bin");
    std::string outPath = JoinPath(folder, "out.bin");
};

}  // namespace

TEST_CASE_FIXTURE(Fixture, "reads from the input's position and writes after what the output holds")
{
    WriteFileBytes(inPath, Join({Bytes{'P', 'R', 'E'}, kTwoBlocks, Bytes{'T', 'A', 'I', 'L'}}));
    long long result;
    {
        CInFileStream in(inPath.c_str());
        COutFileStream out(outPath.c_str());
        REQUIRE(in.SeekFromStart(3));
        REQUIRE(out.Write("HEAD", 4));
        result = CLzUnpacker().UnpackStream(in, out, static_cast<int>(kTwoBlocks.size()));
        CHECK(in.Tell() == 3 + static_cast<long long>(kTwoBlocks.size()));
    }
    CHECK(result == 8);
    CHECK(ReadFileBytes(outPath) == Bytes{'H', 'E', 'A', 'D', 'x', 'y', 'z', 'a', 'a', 'a', 'a', 'a'});
}

TEST_CASE_FIXTURE(Fixture, "a file that ends before the stream fails, keeping the whole blocks before the cut")
{
    const struct {
        size_t fileSize;
        Bytes written;
    } cases[] = {
        {2, {}},                   // inside the first header
        {5, {}},                   // inside the stored data
        {9, {'x', 'y', 'z'}},      // inside the second header
        {12, {'x', 'y', 'z'}},     // inside the bit stream
    };
    for (const auto& c : cases) {
        INFO("file of ", c.fileSize, " bytes");
        WriteFileBytes(inPath, Bytes(kTwoBlocks.begin(), kTwoBlocks.begin() + c.fileSize));
        long long result;
        {
            CInFileStream in(inPath.c_str());
            COutFileStream out(outPath.c_str());
            result = CLzUnpacker().UnpackStream(in, out, static_cast<int>(kTwoBlocks.size()));
        }
        CHECK(result == -1);
        CHECK(ReadFileBytes(outPath) == c.written);
    }
}

TEST_CASE_FIXTURE(Fixture, "an output that cannot be written fails")
{
    WriteFileBytes(inPath, kTwoBlocks);
    CInFileStream in(inPath.c_str());
    COutFileStream closed;
    CHECK(CLzUnpacker().UnpackStream(in, closed, static_cast<int>(kTwoBlocks.size())) == -1);
}
