#include <doctest/doctest.h>

#include "FileStream.h"
#include "TestFiles.h"

TEST_CASE("a short read fails the input stream; later reads copy nothing, seeks still work")
{
    std::string path = JoinPath(MakeTestFolder("file-stream"), "ten.bin");
    WriteFileBytes(path, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    CInFileStream in(path.c_str());
    REQUIRE(in.IsOpen());

    unsigned char buffer[8] = {};
    CHECK(in.Read(buffer, 6) == 6);
    CHECK_FALSE(in.Failed());
    CHECK(in.Read(buffer, 8) == 4);
    CHECK(buffer[3] == 9);
    CHECK(in.Failed());

    REQUIRE(in.SeekFromStart(2));
    CHECK(in.Tell() == 2);
    buffer[0] = 0xEE;
    CHECK(in.Read(buffer, 1) == 0);
    CHECK(buffer[0] == 0xEE);
    CHECK(in.SeekFromCurrent(3));
    CHECK(in.Tell() == 5);
}

TEST_CASE("streams without a file read and write nothing")
{
    CInFileStream in;
    unsigned char byte = 0;
    CHECK_FALSE(in.IsOpen());
    CHECK(in.Read(&byte, 1) == 0);
    CHECK(in.Failed());
    CHECK_FALSE(in.SeekFromStart(0));
    CHECK(in.Tell() == -1);

    // A file cannot be made below another file.
    std::string file = JoinPath(MakeTestFolder("file-stream-blocked"), "file");
    WriteFileBytes(file, {1});
    COutFileStream out(JoinPath(file, "below").c_str());
    CHECK_FALSE(out.IsOpen());
    CHECK_FALSE(out.Write(&byte, 1));
    CHECK(out.Failed());
}

TEST_CASE("the output stream creates or truncates, and reports its position")
{
    std::string path = JoinPath(MakeTestFolder("file-stream-out"), "out.bin");
    WriteFileBytes(path, Bytes(100, 0x55));
    {
        COutFileStream out(path.c_str());
        REQUIRE(out.IsOpen());
        CHECK(out.Write("abc", 3));
        CHECK(out.Write("", 0));
        CHECK(out.Tell() == 3);
    }
    CHECK(ReadFileBytes(path) == Bytes{'a', 'b', 'c'});
}
