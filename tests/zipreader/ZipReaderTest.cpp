// The reader behind UnzipApi.h on archives this test writes itself. It runs
// in both trees; under Wine it is the check of the Windows build, where
// unsigned long has 32 bits and ZIP64 extra blocks give the sizes.

#include "UnzipApi.h"

#include <doctest/doctest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Entry {
    std::string name;
    std::string data;
    uLong method;        // 8 deflates the data; any other is stored as given
    uLong crcXor;        // damages the recorded CRC
    bool zip64Extra;     // sizes and offset saturated, the real ones in a ZIP64 extra block
    bool givenAsStored = false;  // data is written as is, whatever the method
};

struct Layout {
    std::string prefix;  // bytes in front of the archive, as a program stub
    bool zip64End;       // ZIP64 end record and locator before the end record
    std::string comment;
};

std::string Le(unsigned long long value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xff);
    return out;
}

std::string Deflate(const std::string& data)
{
    z_stream s;
    std::memset(&s, 0, sizeof(s));
    REQUIRE(deflateInit2(&s, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK);
    std::string out(deflateBound(&s, uLong(data.size())), '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    s.avail_in = uInt(data.size());
    s.next_out = reinterpret_cast<Bytef*>(&out[0]);
    s.avail_out = uInt(out.size());
    REQUIRE(deflate(&s, Z_FINISH) == Z_STREAM_END);
    out.resize(s.total_out);
    deflateEnd(&s);
    return out;
}

const unsigned kDosTime = 0x6D3A;  // 13:41:52
const unsigned kDosDate = 0x5A4E;  // 2025-02-14

std::string BuildArchive(const std::vector<Entry>& entries, const Layout& layout)
{
    std::string local;
    std::string central;
    for (const Entry& e : entries) {
        std::string stored = e.method == Z_DEFLATED && !e.givenAsStored ? Deflate(e.data) : e.data;
        uLong crc = crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), uInt(e.data.size())) ^ e.crcXor;
        std::string common = Le(e.method, 2) + Le(kDosTime, 2) + Le(kDosDate, 2) + Le(crc, 4);
        std::string extra = e.zip64Extra ? Le(1, 2) + Le(24, 2) + Le(e.data.size(), 8) +
                                               Le(stored.size(), 8) + Le(local.size(), 8)
                                         : "";
        unsigned long long savedSize = e.zip64Extra ? 0xFFFFFFFF : stored.size();
        unsigned long long plainSize = e.zip64Extra ? 0xFFFFFFFF : e.data.size();
        unsigned long long offset = e.zip64Extra ? 0xFFFFFFFF : local.size();
        central += Le(0x02014b50, 4) + Le(20, 2) + Le(20, 2) + Le(0, 2) + common + Le(savedSize, 4) +
                   Le(plainSize, 4) + Le(e.name.size(), 2) + Le(extra.size(), 2) + Le(0, 2) +
                   Le(0, 2) + Le(0, 2) + Le(0, 4) + Le(offset, 4) + e.name + extra;
        local += Le(0x04034b50, 4) + Le(20, 2) + Le(0, 2) + common + Le(savedSize, 4) +
                 Le(plainSize, 4) + Le(e.name.size(), 2) + Le(0, 2) + e.name + stored;
    }
    std::string out = local + central;
    unsigned long long count = entries.size();
    if (layout.zip64End) {
        unsigned long long recordPos = out.size();
        out += Le(0x06064b50, 4) + Le(44, 8) + Le(45, 2) + Le(45, 2) + Le(0, 4) + Le(0, 4) +
               Le(count, 8) + Le(count, 8) + Le(central.size(), 8) + Le(local.size(), 8);
        out += Le(0x07064b50, 4) + Le(0, 4) + Le(recordPos, 8) + Le(1, 4);
        count = 0xFFFF;
    }
    out += Le(0x06054b50, 4) + Le(0, 2) + Le(0, 2) + Le(count, 2) + Le(count, 2) +
           Le(central.size(), 4) + Le(local.size(), 4) + Le(layout.comment.size(), 2) + layout.comment;
    return layout.prefix + out;
}

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

std::string Text(size_t size)
{
    std::string out;
    while (out.size() < size)
        out += "line " + std::to_string(out.size()) + " of the payload\n";
    out.resize(size);
    return out;
}

}  // namespace

TEST_CASE("entries are listed and read back, also behind a program stub")
{
    const std::vector<Entry> entries = {
        {"readme.txt", "stored text", 0, 0, false},
        {"dir/big.txt", Text(100000), Z_DEFLATED, 0, false},
        {"empty", "", 0, 0, false},
        {"dir/empty-deflated", "", Z_DEFLATED, 0, false},
    };
    const Layout layouts[] = {
        {"", false, ""},
        {std::string(5000, 'S'), false, "installer payload"},
    };
    for (const Layout& layout : layouts) {
        CAPTURE(layout.prefix.size());
        unzFile zf = unzOpen(WriteArchive("listed", BuildArchive(entries, layout)).c_str());
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
            CHECK(info.tmu_date.tm_year == 2025);
            CHECK(info.tmu_date.tm_mon == 1);
            CHECK(info.tmu_date.tm_mday == 14);
            CHECK(info.tmu_date.tm_hour == 13);
            CHECK(info.tmu_date.tm_min == 41);
            CHECK(info.tmu_date.tm_sec == 52);
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
    const std::string big = Text(50000);
    const std::vector<Entry> entries = {
        {"zip64.txt", big, Z_DEFLATED, 0, true},
        {"plain.txt", "plain", 0, 0, false},
    };
    unzFile zf = unzOpen(WriteArchive("zip64", BuildArchive(entries, {"", true, "ignored"})).c_str());
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
        Entry entry;
        int openRc;
        bool readFails;
        int closeRc;
    };
    const Case cases[] = {
        {"CRC mismatch", {"crc.txt", Text(3000), Z_DEFLATED, 1, false}, UNZ_OK, false, UNZ_CRCERROR},
        {"stored CRC mismatch", {"crc.bin", "abc", 0, 0x100, false}, UNZ_OK, false, UNZ_CRCERROR},
        {"unsupported method", {"m99.bin", "sealed", 99, 0, false}, UNZ_BADZIPFILE, false, UNZ_OK},
        {"invalid deflate data", {"bad.z", std::string(40, '\xff'), Z_DEFLATED, 0, false, true}, UNZ_OK,
         true, UNZ_OK},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        unzFile zf = unzOpen(WriteArchive("damaged", BuildArchive({c.entry}, {"", false, ""})).c_str());
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

    unzFile zf = unzOpen(WriteArchive("calls", BuildArchive({{"a-long-name.txt", "x", 0, 0, false}},
                                                            {"", false, ""})).c_str());
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
