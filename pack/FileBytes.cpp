#include "FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

#include "PackError.h"

namespace fs = std::filesystem;

namespace {

std::string Reason() { return std::strerror(errno); }

}  // namespace

uint64_t RegularFileSize(const fs::path& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0) throw PackError(path.string() + ": " + Reason());
    if (!S_ISREG(st.st_mode)) throw PackError(path.string() + ": not a regular file");
    return static_cast<uint64_t>(st.st_size);
}

Bytes ReadFileBytes(const fs::path& path, uint64_t maxSize)
{
    uint64_t size = RegularFileSize(path);
    if (size > maxSize)
        throw PackError(path.string() + ": " + std::to_string(size) + " bytes, more than the " +
                        std::to_string(maxSize) + " that fit");
    std::unique_ptr<FILE, int (*)(FILE*)> in(fopen(path.c_str(), "rb"), fclose);
    if (!in) throw PackError(path.string() + ": " + Reason());
    Bytes bytes(static_cast<size_t>(size));
    size_t got = bytes.empty() ? 0 : fread(bytes.data(), 1, bytes.size(), in.get());
    if (got != bytes.size() || fgetc(in.get()) != EOF)
        throw PackError(path.string() + ": changed while being read");
    return bytes;
}

void WriteAll(FILE* out, const void* data, size_t count, const std::string& what)
{
    if (count != 0 && fwrite(data, 1, count, out) != count) throw PackError(what + ": write failed: " + Reason());
}

void CopyRange(FILE* in, int64_t offset, int64_t count, FILE* out, const std::string& what)
{
    if (fseeko(in, offset, SEEK_SET) != 0) throw PackError(what + ": cannot seek: " + Reason());
    std::vector<char> chunk(1 << 20);
    while (count > 0) {
        size_t want = static_cast<size_t>(std::min<int64_t>(count, static_cast<int64_t>(chunk.size())));
        if (fread(chunk.data(), 1, want, in) != want) throw PackError(what + ": file ends early");
        WriteAll(out, chunk.data(), want, what);
        count -= static_cast<int64_t>(want);
    }
}
