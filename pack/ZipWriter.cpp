#include "ZipWriter.h"

#include <minizip/zip.h>
#include <zlib.h>

#include "FileBytes.h"
#include "PackError.h"
#include "Progress.h"
#include "ZipWindow.h"

namespace {

const uLong kMadeByDos = 0;             // attributes below are DOS attributes
const uLong kDosFolderAttribute = 0x10;

// Raw deflate at level 9; empty when it would not be smaller than the data.
Bytes Deflate(const Bytes& data, const std::string& what)
{
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw PackError(what + ": cannot start deflate");
    Bytes packed(deflateBound(&z, static_cast<uLong>(data.size())));
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = packed.data();
    z.avail_out = static_cast<uInt>(packed.size());
    int result = deflate(&z, Z_FINISH);
    packed.resize(z.total_out);
    deflateEnd(&z);
    if (result != Z_STREAM_END) throw PackError(what + ": deflate failed");
    if (packed.size() >= data.size()) packed.clear();
    return packed;
}

class ZipOutput {
public:
    ZipOutput(FILE* out, const std::string& what) : window_{out, ftello(out), -1}, what_(what)
    {
        zlib_filefunc64_def functions = ZipWindowFunctions();
        zip_ = zipOpen2_64(&window_, APPEND_STATUS_CREATE, nullptr, &functions);
        if (!zip_) throw PackError(what_ + ": cannot start the ZIP archive");
    }
    ~ZipOutput()
    {
        if (zip_) zipClose(zip_, nullptr);
    }

    int64_t Written() const { return ftello(window_.file) - window_.base; }

    void Add(const ArchiveItem& item, const Bytes& data)
    {
        Bytes packed = item.folder ? Bytes() : Deflate(data, item.source.string());
        bool deflated = !packed.empty();
        zip_fileinfo info{};
        info.dosDate = item.dosTime;
        info.external_fa = item.folder ? kDosFolderAttribute : 0;
        if (zipOpenNewFileInZip4_64(zip_, item.zipName.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                    deflated ? Z_DEFLATED : 0, deflated ? 9 : 0, 1, -MAX_WBITS, 8,
                                    Z_DEFAULT_STRATEGY, nullptr, 0, kMadeByDos, 0, 0) != ZIP_OK)
            Fail(item);
        const Bytes& stored = deflated ? packed : data;
        if (!stored.empty() && zipWriteInFileInZip(zip_, stored.data(), static_cast<unsigned>(stored.size())) != ZIP_OK)
            Fail(item);
        uLong crc = crc32(0, data.data(), static_cast<uInt>(data.size()));
        if (zipCloseFileInZipRaw(zip_, static_cast<uLong>(data.size()), crc) != ZIP_OK) Fail(item);
    }

    void Close()
    {
        int result = zipClose(zip_, nullptr);
        zip_ = nullptr;
        if (result != ZIP_OK) throw PackError(what_ + ": writing the ZIP directory failed");
        fseeko(window_.file, 0, SEEK_END);
    }

private:
    [[noreturn]] void Fail(const ArchiveItem& item)
    {
        throw PackError(what_ + ": writing " + item.source.string() + " into the archive failed");
    }

    ZipWindow window_;
    std::string what_;
    zipFile zip_;
};

}  // namespace

int64_t WriteZip(FILE* out, const std::vector<ArchiveItem>& items, int64_t limit, const std::string& what,
                 Progress& progress)
{
    ZipOutput zip(out, what);
    uint64_t done = 0, total = 0;
    for (const ArchiveItem& item : items) total += item.size;
    for (size_t i = 0; i < items.size(); ++i) {
        const ArchiveItem& item = items[i];
        Bytes data = item.folder ? Bytes() : ReadFileBytes(item.source, item.size);
        if (data.size() != item.size) throw PackError(item.source.string() + ": changed while being packed");
        zip.Add(item, data);
        if (zip.Written() > limit)
            throw PackError(what + ": the archive grows past " + std::to_string(limit) + " bytes at " +
                            item.source.string() + "; the installer must stay below 2 GiB");
        done += item.size;
        progress.Update(what + ": " + std::to_string(i + 1) + "/" + std::to_string(items.size()) + " files, " +
                        std::to_string(done >> 20) + "/" + std::to_string(total >> 20) + " MiB");
    }
    zip.Close();
    int64_t size = zip.Written();
    if (size > limit) throw PackError(what + ": the archive's directory takes it past the 2 GiB that the installer can hold");
    return size;
}
