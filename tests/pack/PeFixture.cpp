#include "PeFixture.h"

#include <algorithm>

namespace {

constexpr uint32_t kSectionAddress = 0x1000;
constexpr size_t kSectionOffset = 0x200;
// The tree: the types, the names of type 24 and the languages of name 1,
// one entry each, then the data entry and the manifest.
constexpr uint32_t kNames = 0x18, kLanguages = 0x30, kDataEntry = 0x48, kManifest = 0x58;
constexpr uint32_t kSubdirectory = 0x80000000;

size_t RoundUp(size_t value, size_t step) { return (value + step - 1) / step * step; }

}  // namespace

PeFixture::PeFixture(const std::string& manifestText, bool pe32) : manifestSize(manifestText.size())
{
    const size_t optionalSize = pe32 ? 224 : 240;
    optionalHeader = peHeader + 24;
    dataDirectoryCount = optionalHeader + (pe32 ? 92 : 108);
    resourceDirectory = dataDirectoryCount + 4 + 2 * 8;
    section = optionalHeader + optionalSize;
    resources = kSectionOffset;
    names = resources + kNames;
    languages = resources + kLanguages;
    dataEntry = resources + kDataEntry;
    manifest = resources + kManifest;
    const uint32_t treeSize = static_cast<uint32_t>(kManifest + manifestSize);
    file.assign(kSectionOffset + RoundUp(treeSize, 0x200), 0);

    file[0] = 'M';
    file[1] = 'Z';
    Put32(0x3C, static_cast<uint32_t>(peHeader));
    Put32(peHeader, 0x00004550);
    Put16(peHeader + 4, pe32 ? 0x14c : 0x8664);
    Put16(peHeader + 6, 1);
    Put16(peHeader + 20, static_cast<uint16_t>(optionalSize));
    Put16(optionalHeader, pe32 ? 0x10b : 0x20b);
    Put32(dataDirectoryCount, 16);
    Put32(resourceDirectory, kSectionAddress);
    Put32(resourceDirectory + 4, treeSize);

    const char name[] = ".rsrc";
    std::copy(name, name + 5, file.begin() + section);
    Put32(section + 8, treeSize);
    Put32(section + 12, kSectionAddress);
    Put32(section + 16, static_cast<uint32_t>(file.size() - kSectionOffset));
    Put32(section + 20, kSectionOffset);

    const uint32_t directories[][2] = {{0, 24}, {kNames, 1}, {kLanguages, 1033}};
    const uint32_t targets[] = {kSubdirectory | kNames, kSubdirectory | kLanguages, kDataEntry};
    for (int level = 0; level < 3; ++level) {
        size_t directory = resources + directories[level][0];
        Put16(directory + 14, 1);
        Put32(directory + 16, directories[level][1]);
        Put32(directory + 20, targets[level]);
    }
    Put32(dataEntry, kSectionAddress + kManifest);
    Put32(dataEntry + 4, static_cast<uint32_t>(manifestSize));
    std::copy(manifestText.begin(), manifestText.end(), file.begin() + manifest);
}

void PeFixture::Put16(size_t offset, uint16_t value)
{
    file[offset] = static_cast<uint8_t>(value);
    file[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void PeFixture::Put32(size_t offset, uint32_t value)
{
    Put16(offset, static_cast<uint16_t>(value));
    Put16(offset + 2, static_cast<uint16_t>(value >> 16));
}

std::string PeFixture::ManifestText() const
{
    return std::string(file.begin() + manifest, file.begin() + manifest + manifestSize);
}
