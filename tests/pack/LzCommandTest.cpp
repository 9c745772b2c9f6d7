#include <doctest/doctest.h>

#include <filesystem>
#include <random>

#include "PackFixture.h"

TEST_CASE("lz-encode and lz-decode round trip a file across block boundaries")
{
    PackFixture f("pack-lz-cli");
    std::mt19937 random(3);
    Bytes data;
    for (int i = 0; i < 200000; ++i) data.push_back(i % 3000 < 1500 ? static_cast<uint8_t>(i / 7) : random() & 0xFF);
    WriteFileBytes(f.Path("data.bin"), data);

    CHECK(RunPack("lz-encode '" + f.Path("data.bin") + "' '" + f.Path("out/data.lz") + "'") == 0);
    CHECK(ReadFileBytes(f.Path("out/data.lz")).size() < data.size());
    CHECK(RunPack("lz-decode '" + f.Path("out/data.lz") + "' '" + f.Path("out/data.bin") + "'") == 0);
    CHECK(ReadFileBytes(f.Path("out/data.bin")) == data);
}

TEST_CASE("lz-decode refuses a malformed stream with a message and no output")
{
    struct Malformed {
        const char* what;
        Bytes stream;
    };
    const Malformed cases[] = {
        {"a block cut short", {0x03, 0x00, 0x03, 0x00, 'x', 'y'}},
        {"a header cut short", {0x03, 0x00, 0x03}},
        {"a first token that is a match", {0x05, 0x00, 0x02, 0x00, 0xFF, 0xFF}},
        {"bits that end before the tokens", {0x40, 0x00, 0x01, 0x00, 0x30}},
    };
    PackFixture f("pack-lz-malformed");
    for (const Malformed& m : cases) {
        CAPTURE(m.what);
        WriteFileBytes(f.Path("bad.lz"), m.stream);
        std::string errors;
        CHECK(RunPack("lz-decode '" + f.Path("bad.lz") + "' '" + f.Path("out/bad.bin") + "'", &errors) != 0);
        CHECK(errors.find(f.Path("bad.lz")) != std::string::npos);
        CHECK(std::filesystem::is_empty(f.Path("out")));
    }
}
