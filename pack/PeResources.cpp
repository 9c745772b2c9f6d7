#include "PeResources.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "PackError.h"

namespace {

constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr uint16_t kPe32 = 0x10b, kPe32Plus = 0x20b;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kSubdirectory = 0x80000000;  // in a resource directory entry's offset

std::string Hex(uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

[[noreturn]] void Refuse(const std::string& why) { throw PackError(why); }

class PeFile {
public:
    explicit PeFile(const Bytes& file) : file_(file)
    {
        if (file_.size() < 2 || file_[0] != 'M' || file_[1] != 'Z') Refuse("no DOS header");
        uint64_t pe = U32(0x3C, "the PE header's offset");
        if (U32(pe, "the PE header") != kPeSignature) Refuse("no PE signature at " + Hex(pe));
        sectionCount_ = U16(pe + 6, "the section count");
        uint16_t optionalSize = U16(pe + 20, "the optional header's size");
        uint64_t optional = pe + 24;
        sectionTable_ = optional + optionalSize;

        uint16_t magic = U16(optional, "the optional header");
        if (magic != kPe32 && magic != kPe32Plus) Refuse("unknown optional header kind " + Hex(magic));
        uint64_t directories = optional + (magic == kPe32 ? 96 : 112);
        uint64_t resources = directories + 8 * kResourceDirectoryIndex;
        if (resources + 8 > sectionTable_ || U32(directories - 4, "the data directory count") <= kResourceDirectoryIndex)
            Refuse("no resource directory");
        resourceRva_ = U32(resources, "the resource directory's address");
        resourceSize_ = U32(resources + 4, "the resource directory's size");
        if (resourceRva_ == 0 || resourceSize_ == 0) Refuse("no resource directory");
    }

    FileSpan ResourceData(uint32_t type) const
    {
        FileSpan tree = Map(resourceRva_, resourceSize_, "the resource directory");
        std::string what = "the resource of type " + std::to_string(type);
        uint32_t names = Subdirectory(Entry(tree, 0, type, "no resource of type " + std::to_string(type)), "type");
        uint32_t languages = Subdirectory(Entry(tree, names, std::nullopt, what + " has no name"), "name");
        uint32_t data = Entry(tree, languages, std::nullopt, what + " has no language");
        if (data & kSubdirectory) Refuse("the resource directory's language entry points at a directory, not data");
        uint32_t rva = TreeU32(tree, data), size = TreeU32(tree, uint64_t{data} + 4);
        return Map(rva, size, what + "'s data");
    }

private:
    uint64_t Field(uint64_t offset, uint64_t length, const std::string& what) const
    {
        if (offset > file_.size() || file_.size() - offset < length)
            Refuse(what + " at " + Hex(offset) + " lies past the end of the file");
        uint64_t value = 0;
        for (uint64_t i = length; i-- > 0;) value = value << 8 | file_[offset + i];
        return value;
    }
    uint16_t U16(uint64_t offset, const std::string& what) const { return static_cast<uint16_t>(Field(offset, 2, what)); }
    uint32_t U32(uint64_t offset, const std::string& what) const { return static_cast<uint32_t>(Field(offset, 4, what)); }

    // A field of the resource directory, at an offset from its start.
    uint32_t TreeU32(const FileSpan& tree, uint64_t offset) const
    {
        if (offset + 4 > tree.size)
            Refuse("the resource directory (" + std::to_string(tree.size) + " bytes) is cut short at its offset " +
                   Hex(offset));
        return U32(tree.offset + offset, "the resource directory");
    }

    // The file bytes of size bytes at rva, which must lie in one section's data.
    FileSpan Map(uint32_t rva, uint32_t size, const std::string& what) const
    {
        std::string where = what + " (RVA " + Hex(rva) + ", " + std::to_string(size) + " bytes)";
        for (uint32_t i = 0; i < sectionCount_; ++i) {
            uint64_t header = sectionTable_ + 40ull * i;
            uint64_t virtualSize = U32(header + 8, "a section header");
            uint64_t address = U32(header + 12, "a section header");
            uint64_t rawSize = U32(header + 16, "a section header");
            uint64_t rawOffset = U32(header + 20, "a section header");
            uint64_t extent = virtualSize ? virtualSize : rawSize;
            if (rva < address || rva - address >= extent) continue;
            uint64_t start = rva - address;
            if (start + size > std::min(extent, rawSize)) Refuse(where + " runs past its section's data");
            if (rawOffset + start + size > file_.size()) Refuse(where + " lies past the end of the file");
            return {static_cast<size_t>(rawOffset + start), size};
        }
        Refuse(where + " lies in no section");
    }

    // The offset field of a directory's entry: the one with the given id, or
    // its first; refuses with `missing` when there is none.
    uint32_t Entry(const FileSpan& tree, uint32_t directory, std::optional<uint32_t> id,
                   const std::string& missing) const
    {
        uint32_t counts = TreeU32(tree, uint64_t{directory} + 12);
        uint32_t named = counts & 0xFFFF, total = named + (counts >> 16);
        for (uint32_t i = id ? named : 0; i < total; ++i) {
            uint64_t entry = uint64_t{directory} + 16 + 8ull * i;
            if (!id || TreeU32(tree, entry) == *id) return TreeU32(tree, entry + 4);
        }
        Refuse(missing);
    }

    static uint32_t Subdirectory(uint32_t offset, const char* level)
    {
        if (!(offset & kSubdirectory))
            Refuse(std::string("the resource directory's ") + level + " entry points at data, not a directory");
        return offset & ~kSubdirectory;
    }

    const Bytes& file_;
    uint16_t sectionCount_ = 0;
    uint64_t sectionTable_ = 0;
    uint32_t resourceRva_ = 0, resourceSize_ = 0;
};

}  // namespace

FileSpan FindResourceData(const Bytes& program, uint32_t type) { return PeFile(program).ResourceData(type); }
