// The reader behind UnzipApi.h on archives this test writes itself. It runs
// in both trees; under Wine it is the check of the Windows build, where
// unsigned long has 32 bits and ZIP64 extra blocks give the sizes.

#include "UnzipApi.h"

#include "TestZip.h"

#include <doctest/doctest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Written into the test's working folder (the build tree, also under Wine).
std::string WriteArchive(const std::string& name, const std::string& bytes)
{
    std::string path = "zipreader-" + name + ".zip";
    FILE* f = fopen(path.c_str(), "wb");
    REQUIRE(f != nullptr);
    REQUIRE(fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
    fclose(f);
    return path;
}

struct ReadBack {
    int openRc;
    std::string data;
    int readRc;   // the last read's result: 0 at the end, negative on error
    int closeRc;
};

ReadBack ReadCurrent(unzFile zf)
{
    ReadBack r = {unzOpenCurrentFile(zf), "", 0, 0};
    if (r.openRc != UNZ_OK)
        return r;
    char buffer[20480];
    while ((r.readRc = unzReadCurrentFile(zf, buffer, sizeof(buffer))) > 0)
        r.data.append(buffer, size_t(r.readRc));
    r.closeRc = unzCloseCurrentFile(zf);
    return r;
}

}  // namespace

TEST_CASE("entries are listed and read back, also behind a program stub")
{
    const std::vector<ZipEntry> entries = {
        {"readme.txt", "stored text"},
        {"dir/big.txt", SampleText(100000), Z_DEFLATED},
        {"empty", ""},
        {"dir/empty-deflated", "", Z_DEFLATED},
    };
    const ZipLayout layouts[] = {
        {},
        {std::string(5000, 'S'), false, "installer payload"},
    };
    for (const ZipLayout& layout : layouts) {
        CAPTURE(layout.prefix.size());
        unzFile zf = unzOpen(WriteArchive("listed", BuildZip(entries, layout)).c_str());
        REQUIRE(zf != nullptr);
        unz_global_info gi;
        REQUIRE(unzGetGlobalInfo(zf, &gi) == UNZ_OK);
        CHECK(gi.number_entry == entries.size());
        CHECK(gi.size_comment == layout.comment.size());

        REQUIRE(unzGoToFirstFile(zf) == UNZ_OK);
        for (size_t i = 0; i < entries.size(); ++i) {
            CAPTURE(entries[i].name);
            unz_file_info info;
            char name[64];
            REQUIRE(unzGetCurrentFileInfo(zf, &info, name, sizeof(name), nullptr, 0, nullptr, 0) == UNZ_OK);
            CHECK(std::string(name) == entries[i].name);
            CHECK(info.compression_method == entries[i].method);
            CHECK(info.uncompressed_size == entries[i].data.size());
            CHECK(info.tmu_date.tm_year == 2010);
            CHECK(info.tmu_date.tm_mon == 4);
            CHECK(info.tmu_date.tm_mday == 17);
            CHECK(info.tmu_date.tm_hour == 14);
            CHECK(info.tmu_date.tm_min == 30);
            CHECK(info.tmu_date.tm_sec == 22);
            ReadBack r = ReadCurrent(zf);
            CHECK(r.openRc == UNZ_OK);
            CHECK(r.readRc == 0);
            CHECK(r.closeRc == UNZ_OK);
            CHECK(r.data == entries[i].data);
            CHECK(unzGoToNextFile(zf) == (i + 1 < entries.size() ? UNZ_OK : UNZ_END_OF_LIST_OF_FILE));
        }
        CHECK(unzClose(zf) == UNZ_OK);
    }
}

TEST_CASE("ZIP64 end records give the entry count; extra blocks apply where uLong has 32 bits")
{
    const std::string big = SampleText(50000);
    const std::vector<ZipEntry> entries = {
        ZipEntry("zip64.txt", big, Z_DEFLATED).WithZip64Extra(),
        {"plain.txt", "plain"},
    };
    unzFile zf = unzOpen(WriteArchive("zip64", BuildZip(entries, {"", true, "ignored"})).c_str());
    REQUIRE(zf != nullptr);
    unz_global_info gi;
    REQUIRE(unzGetGlobalInfo(zf, &gi) == UNZ_OK);
    CHECK(gi.number_entry == 2);
    CHECK(gi.size_comment == 0);  // not read from a ZIP64 archive

    unz_file_info info;
    REQUIRE(unzGetCurrentFileInfo(zf, &info, nullptr, 0, nullptr, 0, nullptr, 0) == UNZ_OK);
    // minizip compares with (unsigned long)-1: Windows takes the block's
    // sizes and offset, 64-bit Linux keeps the saturated values and finds
    // no local header that far into the file.
    ReadBack r = ReadCurrent(zf);
    if (sizeof(uLong) == 4) {
        CHECK(info.uncompressed_size == big.size());
        CHECK(r.data == big);
        CHECK(r.closeRc == UNZ_OK);
    } else {
        CHECK(info.uncompressed_size == 0xFFFFFFFF);
        CHECK(r.openRc == UNZ_BADZIPFILE);
    }

    REQUIRE(unzGoToNextFile(zf) == UNZ_OK);
    CHECK(ReadCurrent(zf).data == "plain");
    CHECK(unzGoToNextFile(zf) == UNZ_END_OF_LIST_OF_FILE);
    CHECK(unzClose(zf) == UNZ_OK);
}

TEST_CASE("damage is reported by the call minizip reports it from")
{
    struct Case {
        const char* what;
        ZipEntry entry;
        int openRc;
        bool readFails;
        int closeRc;
    };
    const Case cases[] = {
        {"CRC mismatch", ZipEntry("crc.txt", SampleText(3000), Z_DEFLATED).WithCrcXor(1), UNZ_OK, false,
         UNZ_CRCERROR},
        {"stored CRC mismatch", ZipEntry("crc.bin", "abc").WithCrcXor(0x100), UNZ_OK, false, UNZ_CRCERROR},
        {"unsupported method", {"m99.bin", "sealed", 99}, UNZ_BADZIPFILE, false, UNZ_OK},
        {"invalid deflate data", ZipEntry("bad.z", std::string(40, '\xff'), Z_DEFLATED).AsGiven(), UNZ_OK, true,
         UNZ_OK},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        unzFile zf = unzOpen(WriteArchive("damaged", BuildZip({c.entry})).c_str());
        REQUIRE(zf != nullptr);
        ReadBack r = ReadCurrent(zf);
        CHECK(r.openRc == c.openRc);
        CHECK((r.readRc < 0) == c.readFails);
        CHECK(r.closeRc == c.closeRc);
        CHECK(unzClose(zf) == UNZ_OK);
    }
}

TEST_CASE("calls out of turn, unreadable paths and short name buffers")
{
    CHECK(unzOpen("zipreader-missing.zip") == nullptr);
    CHECK(unzOpen(WriteArchive("text", std::string(300, 't')).c_str()) == nullptr);

    unzFile zf = unzOpen(WriteArchive("calls", BuildZip({{"a-long-name.txt", "x"}})).c_str());
    REQUIRE(zf != nullptr);
    char buffer[8];
    CHECK(unzReadCurrentFile(zf, buffer, sizeof(buffer)) == UNZ_PARAMERROR);
    CHECK(unzCloseCurrentFile(zf) == UNZ_PARAMERROR);

    // The first bytes are copied and, with no room left, not terminated.
    std::memset(buffer, '#', sizeof(buffer));
    unz_file_info info;
    CHECK(unzGetCurrentFileInfo(zf, &info, buffer, 6, nullptr, 0, nullptr, 0) == UNZ_OK);
    CHECK(std::string(buffer, 8) == "a-long##");

    CHECK(unzGoToNextFile(zf) == UNZ_END_OF_LIST_OF_FILE);
    CHECK(unzOpenCurrentFile(zf) == UNZ_OK);  // the last entry stays current
    CHECK(unzClose(zf) == UNZ_OK);             // also closes the open entry
}
