#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "TestFiles.h"

// A Windows program image with nothing in it but its headers and a resource
// section holding one application manifest (type 24, id 1, language 1033),
// laid out as the linker lays out the stub's. The positions of the fields
// that tests damage are kept.
struct PeFixture {
    explicit PeFixture(const std::string& manifestText, bool pe32 = false);

    void Put16(size_t offset, uint16_t value);
    void Put32(size_t offset, uint32_t value);
    std::string ManifestText() const;  // as it now is in the file

    Bytes file;
    size_t peHeader = 0x40;
    size_t optionalHeader = 0, dataDirectoryCount = 0;
    size_t resourceDirectory = 0;  // its RVA and size in the optional header
    size_t section = 0;            // the resource section's header
    size_t resources = 0;          // the resource tree in the file: its directory of types,
    size_t names = 0, languages = 0;  // the names of type 24, the languages of name 1
    size_t dataEntry = 0;          // the manifest's data entry
    size_t manifest = 0, manifestSize = 0;
};
