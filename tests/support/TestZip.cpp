#include "TestZip.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

std::string Le(uint64_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xff);
    return out;
}

std::string Deflate(const std::string& data)
{
    z_stream s;
    std::memset(&s, 0, sizeof s);
    if (deflateInit2(&s, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&s, uLong(data.size())), '\0');
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    s.avail_in = uInt(data.size());
    s.next_out = reinterpret_cast<Bytef*>(&out[0]);
    s.avail_out = uInt(out.size());
    int rc = deflate(&s, Z_FINISH);
    deflateEnd(&s);
    if (rc != Z_STREAM_END) throw std::runtime_error("deflate");
    out.resize(s.total_out);
    return out;
}

}  // namespace

std::string BuildZip(const std::vector<ZipEntry>& entries, const ZipLayout& layout)
{
    const uint64_t saturated = 0xFFFFFFFF;
    std::string local, central;
    for (const ZipEntry& e : entries) {
        std::string stored = e.method == Z_DEFLATED && !e.asGiven ? Deflate(e.data) : e.data;
        uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), uInt(e.data.size()))) ^ e.crcXor;
        uint64_t plainSize = e.data.size() + e.sizeExcess;
        std::string extra = e.zip64Extra ? Le(1, 2) + Le(24, 2) + Le(plainSize, 8) + Le(stored.size(), 8) +
                                               Le(local.size(), 8)
                                         : "";
        std::string common = Le(e.method, 2) + Le(e.dosTime, 4) + Le(crc, 4) +
                             Le(e.zip64Extra ? saturated : stored.size(), 4) +
                             Le(e.zip64Extra ? saturated : plainSize, 4) + Le(e.name.size(), 2);
        central += Le(0x02014b50, 4) + Le(20, 2) + Le(20, 2) + Le(0, 2) + common + Le(extra.size(), 2) +
                   Le(e.comment.size(), 2) + Le(0, 2) + Le(0, 2) + Le(0, 4) +
                   Le(e.zip64Extra ? saturated : local.size(), 4) + e.name + extra + e.comment;
        local += Le(0x04034b50, 4) + Le(20, 2) + Le(0, 2) + common + Le(0, 2) + e.name + stored;
    }
    std::string out = local + central;
    uint64_t count = entries.size();
    if (layout.zip64End) {
        uint64_t recordPosition = out.size();
        out += Le(0x06064b50, 4) + Le(44, 8) + Le(45, 2) + Le(45, 2) + Le(0, 4) + Le(0, 4) + Le(count, 8) +
               Le(count, 8) + Le(central.size(), 8) + Le(local.size(), 8);
        out += Le(0x07064b50, 4) + Le(0, 4) + Le(recordPosition, 8) + Le(1, 4);
        count = 0xFFFF;
    }
    out += Le(0x06054b50, 4) + Le(0, 2) + Le(0, 2) + Le(count, 2) + Le(count, 2) + Le(central.size(), 4) +
           Le(local.size(), 4) + Le(layout.comment.size(), 2) + layout.comment;
    return layout.prefix + out;
}

void WriteZip(const std::string& path, const std::vector<ZipEntry>& entries)
{
    std::string bytes = BuildZip(entries);
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    size_t written = fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    if (written != bytes.size()) throw std::runtime_error("short write to " + path);
}

std::string SampleText(size_t size, unsigned seed)
{
    static const char* const words[] = {"install ", "folder ", "archive ", "entry ", "setup ", "data ", "\r\n"};
    std::string out;
    uint32_t state = seed * 2654435761u + 1;
    while (out.size() < size) {
        state = state * 1103515245u + 12345u;
        out += words[(state >> 16) % 7];
        if ((state >> 8) % 5 == 0) out += std::to_string(state % 10007);
    }
    out.resize(size);
    return out;
}
