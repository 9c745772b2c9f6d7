// Reading the data of the current entry.

#include <stdlib.h>
#include <string.h>

#include "ZipReaderInternal.h"

namespace zipreader {

namespace {

const uLong kLocalSignature = 0x04034b50;
const ZipPos kLocalHeaderFixedSize = 30;
const uLong kStored = 0;
const uLong kBzip2 = 12;
const uLong kDataDescriptorFlag = 8;
const uLong kSaturated32 = 0xFFFFFFFFu;

bool IsKnownMethod(uLong method)
{
    return method == kStored || method == Z_DEFLATED || method == kBzip2;
}

// Checks the local header against the central directory entry and returns
// the archive-relative position of the entry's data. CRC and sizes are only
// compared when the local header does not defer them to a data descriptor.
bool CheckLocalHeader(ZipReaderArchive* archive, ZipPos* dataPos)
{
    const EntryHeader& c = archive->current;
    FILE* file = archive->file;
    if (!SeekTo(file, c.localHeaderOffset + archive->bytesBefore))
        return false;
    uLong signature = 0, version = 0, flags = 0, method = 0, dosDate = 0, crc = 0;
    uLong compressed = 0, uncompressed = 0, nameSize = 0, extraSize = 0;
    bool ok = ReadNumber(file, 4, &signature) == UNZ_OK && signature == kLocalSignature;
    ok &= ReadNumber(file, 2, &version) == UNZ_OK;
    ok &= ReadNumber(file, 2, &flags) == UNZ_OK;
    ok &= ReadNumber(file, 2, &method) == UNZ_OK;
    ok &= method == c.method && IsKnownMethod(c.method);
    ok &= ReadNumber(file, 4, &dosDate) == UNZ_OK;
    ok &= ReadNumber(file, 4, &crc) == UNZ_OK;
    ok &= ReadNumber(file, 4, &compressed) == UNZ_OK;
    ok &= ReadNumber(file, 4, &uncompressed) == UNZ_OK;
    if ((flags & kDataDescriptorFlag) == 0) {
        ok &= crc == c.crc;
        ok &= compressed == kSaturated32 || compressed == c.compressedSize;
        ok &= uncompressed == kSaturated32 || uncompressed == c.uncompressedSize;
    }
    ok &= ReadNumber(file, 2, &nameSize) == UNZ_OK && nameSize == c.nameSize;
    ok &= ReadNumber(file, 2, &extraSize) == UNZ_OK;
    *dataPos = c.localHeaderOffset + kLocalHeaderFixedSize + nameSize + extraSize;
    return ok;
}

// Refills the input buffer from the archive when it is empty.
int FillInput(ZipReaderArchive* archive, OpenEntry* e)
{
    if (e->stream.avail_in != 0 || e->restCompressed == 0)
        return UNZ_OK;
    uInt size = e->restCompressed < kReadBufferSize ? (uInt)e->restCompressed
                                                    : (uInt)kReadBufferSize;
    if (!SeekTo(archive->file, e->dataPos + archive->bytesBefore) ||
        !ReadExact(archive->file, e->buffer, size))
        return UNZ_ERRNO;
    e->dataPos += size;
    e->restCompressed -= size;
    e->stream.next_in = e->buffer;
    e->stream.avail_in = size;
    return UNZ_OK;
}

void Produced(OpenEntry* e, const Bytef* out, uInt count)
{
    e->crc = crc32(e->crc, out, count);
    e->restUncompressed -= count;
}

}  // namespace

int unzOpenCurrentFile(unzFile file)
{
    if (file == NULL || !file->currentOk)
        return UNZ_PARAMERROR;
    if (file->entry != NULL)
        unzCloseCurrentFile(file);

    ZipPos dataPos = 0;
    if (!CheckLocalHeader(file, &dataPos))
        return UNZ_BADZIPFILE;

    OpenEntry* e = (OpenEntry*)malloc(sizeof(OpenEntry));
    if (e == NULL)
        return UNZ_INTERNALERROR;
    memset(e, 0, sizeof(*e));
    // Without a bzip2 decoder such entries are handed out as stored, as
    // minizip built without one does.
    e->raw = file->current.method == kBzip2;
    if (file->current.method == Z_DEFLATED) {
        int err = inflateInit2(&e->stream, -MAX_WBITS);
        if (err != Z_OK) {
            free(e);
            return err;
        }
        e->inflating = true;
    }
    e->dataPos = dataPos;
    e->restCompressed = file->current.compressedSize;
    e->restUncompressed = file->current.uncompressedSize;
    e->crc = crc32(0L, Z_NULL, 0);
    e->expectedCrc = file->current.crc;
    file->entry = e;
    return UNZ_OK;
}

int unzReadCurrentFile(unzFile file, voidp buf, unsigned len)
{
    if (file == NULL || file->entry == NULL)
        return UNZ_PARAMERROR;
    if (len == 0)
        return 0;
    if (buf == NULL)
        return UNZ_PARAMERROR;
    OpenEntry* e = file->entry;
    e->stream.next_out = (Bytef*)buf;
    e->stream.avail_out = len;
    if (!e->raw && len > e->restUncompressed)
        e->stream.avail_out = (uInt)e->restUncompressed;
    if (e->raw && len > e->restCompressed + e->stream.avail_in)
        e->stream.avail_out = (uInt)(e->restCompressed + e->stream.avail_in);

    uInt produced = 0;
    int err = Z_OK;
    while (e->stream.avail_out > 0) {
        if (FillInput(file, e) != UNZ_OK)
            return UNZ_ERRNO;
        if (!e->inflating) {
            if (e->stream.avail_in == 0)
                return (int)produced;
            uInt count = e->stream.avail_out < e->stream.avail_in ? e->stream.avail_out
                                                                  : e->stream.avail_in;
            memcpy(e->stream.next_out, e->stream.next_in, count);
            Produced(e, e->stream.next_out, count);
            e->stream.next_in += count;
            e->stream.avail_in -= count;
            e->stream.next_out += count;
            e->stream.avail_out -= count;
            produced += count;
            continue;
        }
        Bytef* before = e->stream.next_out;
        err = inflate(&e->stream, Z_SYNC_FLUSH);
        uInt count = (uInt)(e->stream.next_out - before);
        Produced(e, before, count);
        produced += count;
        if (err == Z_STREAM_END)
            return (int)produced;
        if (err != Z_OK)
            break;
    }
    return err == Z_OK ? (int)produced : err;
}

int unzCloseCurrentFile(unzFile file)
{
    if (file == NULL || file->entry == NULL)
        return UNZ_PARAMERROR;
    OpenEntry* e = file->entry;
    int err = UNZ_OK;
    if (e->restUncompressed == 0 && !e->raw && e->crc != e->expectedCrc)
        err = UNZ_CRCERROR;
    if (e->inflating)
        inflateEnd(&e->stream);
    free(e);
    file->entry = NULL;
    return err;
}

}  // namespace zipreader
