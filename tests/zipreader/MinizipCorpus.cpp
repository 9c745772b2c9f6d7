#include "MinizipCorpus.h"

#include <zip.h>

#include <cstring>
#include <vector>

namespace {

struct EntrySpec {
    const char* name;
    std::string data;
    int method;
    int level;
    std::string localExtra;
    std::string centralExtra;
    const char* comment;
    uLong dosDate;
    int zip64;
    const char* password;
};

std::string Text(size_t size)
{
    static const char* const words[] = {"payload ", "setup ", "wizard ", "stub\n", "zip "};
    std::string out;
    for (size_t i = 0; out.size() < size; ++i)
        out += words[(i * 7 + i / 3) % 5];
    out.resize(size);
    return out;
}

std::string Extra(unsigned id, const std::string& body)
{
    std::string out;
    out += char(id & 0xff);
    out += char(id >> 8);
    out += char(body.size() & 0xff);
    out += char(body.size() >> 8);
    return out + body;
}

bool WriteArchive(const std::string& path, const std::vector<EntrySpec>& entries, const char* comment)
{
    zipFile zf = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    if (zf == nullptr)
        return false;
    bool ok = true;
    for (const EntrySpec& e : entries) {
        zip_fileinfo info;
        std::memset(&info, 0, sizeof(info));
        info.dosDate = e.dosDate;
        info.external_fa = 0x81a40000;
        uLong crc = crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), uInt(e.data.size()));
        ok &= zipOpenNewFileInZip3_64(zf, e.name, &info,
                                      e.localExtra.empty() ? nullptr : e.localExtra.data(),
                                      uInt(e.localExtra.size()),
                                      e.centralExtra.empty() ? nullptr : e.centralExtra.data(),
                                      uInt(e.centralExtra.size()), e.comment, e.method, e.level,
                                      0, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, e.password,
                                      crc, e.zip64) == ZIP_OK;
        if (!e.data.empty())
            ok &= zipWriteInFileInZip(zf, e.data.data(), unsigned(e.data.size())) == ZIP_OK;
        ok &= zipCloseFileInZip(zf) == ZIP_OK;
    }
    ok &= zipClose(zf, comment) == ZIP_OK;
    return ok;
}

}  // namespace

bool WriteMinizipArchives(const std::string& folder)
{
    const uLong date = 0x5A4E6D3A;
    std::vector<EntrySpec> mixed = {
        {"stored.txt", Text(5000), 0, 0, "", "", nullptr, date, 0, nullptr},
        {"deflated-9.txt", Text(70000), Z_DEFLATED, 9, "", "", "best compression", date, 0, nullptr},
        {"deflated-1.txt", Text(3000), Z_DEFLATED, 1, "", "", nullptr, date, 0, nullptr},
        {"empty", "", Z_DEFLATED, 6, "", "", nullptr, date, 0, nullptr},
        {"extras.txt", Text(100), Z_DEFLATED, 6, Extra(0xCAFE, "local"), Extra(0xBEEF, "central!"),
         "has extra fields", date, 0, nullptr},
        {"encrypted.txt", Text(2000), Z_DEFLATED, 6, "", "", nullptr, date, 0, "pw"},
        {"encrypted-stored.txt", Text(500), 0, 0, "", "", nullptr, date, 0, "pw"},
    };
    std::vector<EntrySpec> zip64 = {
        {"zip64-stored.txt", Text(4000), 0, 0, "", "", nullptr, date, 1, nullptr},
        {"zip64-deflated.txt", Text(40000), Z_DEFLATED, 6, "", "", "zip64 local header", date, 1,
         nullptr},
    };
    return WriteArchive(folder + "/mz_mixed.zip", mixed, "written by minizip") &&
           WriteArchive(folder + "/mz_zip64.zip", zip64, nullptr) &&
           WriteArchive(folder + "/mz_empty.zip", {}, "an empty archive with a comment");
}
