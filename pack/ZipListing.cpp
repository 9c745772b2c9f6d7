#include "ZipListing.h"

#include <cstdio>
#include <memory>
#include <minizip/unzip.h>
#include <vector>

#include "GbkText.h"
#include "PackError.h"
#include "ZipWindow.h"

namespace {

const uLong kUtf8NameFlag = 1u << 11;

class ZipInput {
public:
    ZipInput(const std::string& path, int64_t offset, int64_t size, const std::string& what)
        : file_(fopen(path.c_str(), "rb"), fclose), window_{file_.get(), offset, size}
    {
        if (!file_) throw PackError(what + ": cannot open " + path);
        zlib_filefunc64_def functions = ZipWindowFunctions();
        zip_ = unzOpen2_64(&window_, &functions);
        if (!zip_) throw PackError(what + ": not a readable ZIP archive");
    }
    ~ZipInput() { unzClose(zip_); }

    unzFile Handle() const { return zip_; }

private:
    std::unique_ptr<FILE, int (*)(FILE*)> file_;
    ZipWindow window_;
    unzFile zip_;
};

// Reads the current entry's data to its end; false on a read, inflate or
// CRC-32 error.
bool ReadThrough(unzFile zip)
{
    if (unzOpenCurrentFile(zip) != UNZ_OK) return false;
    std::vector<char> chunk(65536);
    int got;
    while ((got = unzReadCurrentFile(zip, chunk.data(), static_cast<unsigned>(chunk.size()))) > 0) {
    }
    int closed = unzCloseCurrentFile(zip);
    return got == 0 && closed == UNZ_OK;
}

}  // namespace

std::vector<ZipEntry> ListZip(const std::string& path, int64_t offset, int64_t size, bool verify,
                              const std::string& what)
{
    ZipInput input(path, offset, size, what);
    std::vector<ZipEntry> entries;
    int step = unzGoToFirstFile(input.Handle());
    while (step == UNZ_OK) {
        unz_file_info64 info;
        std::vector<char> name(65536);
        if (unzGetCurrentFileInfo64(input.Handle(), &info, name.data(), name.size(), nullptr, 0, nullptr, 0) != UNZ_OK)
            throw PackError(what + ": damaged directory after " + std::to_string(entries.size()) + " entries");
        ZipEntry entry;
        entry.name.assign(name.data(), info.size_filename);
        entry.size = info.uncompressed_size;
        entry.packedSize = info.compressed_size;
        entry.dosTime = static_cast<uint32_t>(info.dosDate);
        entry.method = static_cast<int>(info.compression_method);
        entry.folder = !entry.name.empty() && (entry.name.back() == '/' || entry.name.back() == '\\');
        entry.encrypted = (info.flag & 1) != 0;
        entry.utf8Name = (info.flag & kUtf8NameFlag) != 0;
        if (verify && !entry.folder && !ReadThrough(input.Handle()))
            throw PackError(what + ": entry \"" + GbkToUtf8(entry.name) + "\" is damaged (read or CRC-32 error)");
        entries.push_back(entry);
        step = unzGoToNextFile(input.Handle());
    }
    if (step != UNZ_END_OF_LIST_OF_FILE)
        throw PackError(what + ": damaged directory after " + std::to_string(entries.size()) + " entries");
    return entries;
}
