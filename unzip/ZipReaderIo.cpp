#ifndef _FILE_OFFSET_BITS
#define _FILE_OFFSET_BITS 64
#endif

#include "ZipReaderInternal.h"

namespace zipreader {

namespace {

const ZipPos kLargestSeekablePos = 0x7FFFFFFFFFFFFFFFULL;

int SeekFile(FILE* file, long long offset, int origin)
{
#ifdef _WIN32
    return _fseeki64(file, offset, origin);
#else
    return fseeko(file, (off_t)offset, origin);
#endif
}

long long TellFile(FILE* file)
{
#ifdef _WIN32
    return _ftelli64(file);
#else
    return (long long)ftello(file);
#endif
}

}  // namespace

FILE* OpenArchiveFile(const char* path)
{
    return fopen(path, "rb");
}

bool SeekTo(FILE* file, ZipPos pos)
{
    if (pos > kLargestSeekablePos)
        return false;
    return SeekFile(file, (long long)pos, SEEK_SET) == 0;
}

bool SeekBy(FILE* file, long delta)
{
    return SeekFile(file, delta, SEEK_CUR) == 0;
}

bool SeekToEnd(FILE* file, ZipPos* size)
{
    if (SeekFile(file, 0, SEEK_END) != 0)
        return false;
    long long end = TellFile(file);
    if (end < 0)
        return false;
    *size = (ZipPos)end;
    return true;
}

bool ReadExact(FILE* file, void* buffer, uLong size)
{
    return fread(buffer, 1, size, file) == size;
}

int ReadNumber(FILE* file, unsigned bytes, ZipPos* value)
{
    unsigned char raw[8];
    if (bytes > sizeof(raw))
        bytes = sizeof(raw);
    size_t got = fread(raw, 1, bytes, file);
    if (got < bytes && ferror(file)) {
        *value = 0;
        return UNZ_ERRNO;
    }
    unsigned char last = 0;
    ZipPos result = 0;
    for (unsigned i = 0; i < bytes; ++i) {
        if (i < got)
            last = raw[i];
        result |= (ZipPos)last << (8 * i);
    }
    *value = result;
    return UNZ_OK;
}

int ReadNumber(FILE* file, unsigned bytes, uLong* value)
{
    ZipPos wide = 0;
    int err = ReadNumber(file, bytes, &wide);
    *value = (uLong)wide;
    return err;
}

}  // namespace zipreader
