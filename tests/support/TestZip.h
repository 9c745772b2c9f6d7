#pragma once
// ZIP archives written by the tests themselves, including damaged ones.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// 2010-05-17 14:30:22 in MS-DOS form: date in the high 16 bits.
const uint32_t kSampleDosTime = (((2010 - 1980) << 9 | 5 << 5 | 17) << 16) | (14 << 11 | 30 << 5 | 22 / 2);

struct ZipEntry {
    ZipEntry(std::string name, std::string data, uint16_t method = 0)
        : name(std::move(name)), data(std::move(data)), method(method) {}
    ZipEntry& Dated(uint32_t value) { dosTime = value; return *this; }
    ZipEntry& Commented(std::string text) { comment = std::move(text); return *this; }
    ZipEntry& WithCrcXor(uint32_t value) { crcXor = value; return *this; }
    ZipEntry& WithSizeExcess(uint32_t value) { sizeExcess = value; return *this; }
    ZipEntry& WithZip64Extra() { zip64Extra = true; return *this; }
    ZipEntry& AsGiven() { asGiven = true; return *this; }

    std::string name;  // stored as given (GBK bytes)
    std::string data;
    uint16_t method;  // 8 deflates data; any other value stores it as given
    uint32_t dosTime = kSampleDosTime;
    std::string comment;
    uint32_t crcXor = 0;      // damages the recorded CRC-32
    uint32_t sizeExcess = 0;  // recorded uncompressed size = real size + this
    bool zip64Extra = false;  // sizes and offset saturated, the real ones in a ZIP64 extra block
    bool asGiven = false;     // data written as it is, whatever the method
};

struct ZipLayout {
    std::string prefix;     // bytes in front of the archive, as a program stub
    bool zip64End = false;  // ZIP64 end record and locator before the end record
    std::string comment;    // the archive's comment
};

std::string BuildZip(const std::vector<ZipEntry>& entries, const ZipLayout& layout = ZipLayout());

// Writes the archive to path.
void WriteZip(const std::string& path, const std::vector<ZipEntry>& entries);

// Text of the given size that compresses the way ordinary files do.
std::string SampleText(size_t size, unsigned seed = 1);
