#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ZipEntry {
    std::string name;  // as stored: GBK in this installer's archives
    uint64_t size;
    uint64_t packedSize;
    uint32_t dosTime;
    int method;      // 0 stored, 8 deflated
    bool folder;     // the name ends in a separator
    bool encrypted;
    bool utf8Name;   // flagged as UTF-8, which the installer does not read
};

// Lists the ZIP archive that fills bytes [offset, offset + size) of the file
// at path. With verify, every entry's data is read through and its CRC-32
// checked. Refuses, naming `what` and the entry, what minizip cannot read.
std::vector<ZipEntry> ListZip(const std::string& path, int64_t offset, int64_t size, bool verify,
                              const std::string& what);
