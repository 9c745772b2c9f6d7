#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "InstallHeader.h"
#include "PayloadLayout.h"
#include "ZipListing.h"

struct ImageReport {
    int packedSize = 0;
    Bytes bmp;  // the decoded image; empty when absent
    std::optional<BmpInfo> info;
};

struct PartReport {
    int64_t position = 0;
    int64_t size = 0;
};

// What an installer file carries, read with the installer's own header reader.
struct InstallerReport {
    std::string path;
    int64_t fileSize = 0;
    std::optional<std::string> executionLevel;  // as the stub's application manifest states it
    InstallHeader header;  // GBK texts, as stored
    int32_t linkCount = 0;
    std::array<ImageReport, IMAGE_COUNT> images;
    std::array<PartReport, ARCHIVE_COUNT> archives;
    std::array<std::vector<ZipEntry>, ARCHIVE_COUNT> entries;
    PartReport uninstaller;
    int64_t uninstallerDecoded = 0;
    int64_t payloadEnd = 0;
    bool verified = false;
};

// Reads the payload of the installer at path, and the execution level from
// the stub's part of the file (none when the stub states none). Refuses, naming the part, a file
// too short to hold a payload, a header that runs past the end of the file, a
// text or shortcut table that does not fit the installer's buffers, a damaged
// image stream and an archive that is no readable ZIP. With verify it also
// checks the images' form, every archive entry's CRC-32 and the uninstaller's
// block stream.
InstallerReport ReadInstaller(const std::string& path, bool verify);

// The uninstaller decoded into a new file; refuses a damaged stream.
void DecodeUninstaller(const InstallerReport& report, const std::string& outPath);

// Names of parts, for messages and listings.
std::string ImageName(int index);
std::string ArchiveName(int index);
