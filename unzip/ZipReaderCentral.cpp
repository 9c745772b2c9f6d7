// Decoding of one central directory entry, with minizip's rules for what
// lands in the caller's buffers and where the file position goes on the way.

#include "ZipReaderInternal.h"

namespace zipreader {

namespace {

const uLong kCentralSignature = 0x02014b50;
const uLong kZip64ExtraId = 0x0001;
// A size or offset that does not fit is saturated in the fixed part and
// given in a ZIP64 extra block. minizip 1.1 tests for saturation against
// (unsigned long)-1 widened to 64 bits, so it takes ZIP64 values where
// unsigned long has 32 bits (Windows) and never where it has 64 (Linux);
// the reader keeps that, so that it answers as minizip on each platform.
const ZipPos kNeedsZip64 = (ZipPos)(uLong)-1;

// The fixed part after the signature; widths in bytes, in file order.
int ReadFixedFields(FILE* file, EntryHeader* h)
{
    struct Field {
        unsigned bytes;
        uLong* value;
    };
    uLong compressed = 0;
    uLong uncompressed = 0;
    uLong offset = 0;
    const Field fields[] = {
        {2, &h->version},       {2, &h->versionNeeded},     {2, &h->flag},
        {2, &h->method},        {4, &h->dosDate},           {4, &h->crc},
        {4, &compressed},       {4, &uncompressed},         {2, &h->nameSize},
        {2, &h->extraSize},     {2, &h->commentSize},       {2, &h->diskNumStart},
        {2, &h->internalAttributes}, {4, &h->externalAttributes}, {4, &offset},
    };
    int err = UNZ_OK;
    for (unsigned i = 0; i < sizeof(fields) / sizeof(fields[0]); ++i)
        if (ReadNumber(file, fields[i].bytes, fields[i].value) != UNZ_OK)
            err = UNZ_ERRNO;
    h->compressedSize = compressed;
    h->uncompressedSize = uncompressed;
    h->localHeaderOffset = offset;
    return err;
}

// Copies up to bufferSize bytes of a field of fieldSize bytes that starts
// skip bytes ahead; the text is terminated only when the buffer has room.
// Returns how many bytes of the field remain unread after the copy.
long CopyText(FILE* file, long skip, uLong fieldSize, char* buffer, uLong bufferSize, int* err)
{
    uLong copy = bufferSize;
    if (fieldSize < bufferSize) {
        buffer[fieldSize] = '\0';
        copy = fieldSize;
    }
    if (skip != 0 && !SeekBy(file, skip))
        *err = UNZ_ERRNO;
    if (fieldSize > 0 && bufferSize > 0 && !ReadExact(file, buffer, copy))
        *err = UNZ_ERRNO;
    return (long)(fieldSize - copy);
}

// Walks the extra field blocks from the current position. A ZIP64 block
// replaces the sizes and the offset that are saturated in the fixed part, in
// that order, and the walk goes on right after the numbers it consumed: the
// rest of such a block is not skipped.
int ApplyZip64Extra(FILE* file, EntryHeader* h)
{
    int err = UNZ_OK;
    uLong walked = 0;
    while (walked < h->extraSize) {
        uLong id = 0;
        uLong dataSize = 0;
        if (ReadNumber(file, 2, &id) != UNZ_OK)
            err = UNZ_ERRNO;
        if (ReadNumber(file, 2, &dataSize) != UNZ_OK)
            err = UNZ_ERRNO;
        if (id == kZip64ExtraId) {
            ZipPos* const widened[] = {&h->uncompressedSize, &h->compressedSize,
                                       &h->localHeaderOffset};
            for (unsigned i = 0; i < sizeof(widened) / sizeof(widened[0]); ++i)
                if (*widened[i] == kNeedsZip64 && ReadNumber(file, 8, widened[i]) != UNZ_OK)
                    err = UNZ_ERRNO;
        } else if (!SeekBy(file, (long)dataSize)) {
            err = UNZ_ERRNO;
        }
        walked += 4 + dataSize;
    }
    return err;
}

}  // namespace

int ReadCentralEntry(ZipReaderArchive* archive, EntryHeader* header,
                     char* name, uLong nameBufferSize,
                     void* extra, uLong extraBufferSize,
                     char* comment, uLong commentBufferSize)
{
    FILE* file = archive->file;
    if (!SeekTo(file, archive->entryPos + archive->bytesBefore))
        return UNZ_ERRNO;

    int err = UNZ_OK;
    uLong magic = 0;
    if (ReadNumber(file, 4, &magic) != UNZ_OK)
        err = UNZ_ERRNO;
    else if (magic != kCentralSignature)
        err = UNZ_BADZIPFILE;

    EntryHeader h;
    if (ReadFixedFields(file, &h) != UNZ_OK)
        err = UNZ_ERRNO;

    // Bytes between the file position and where the next wanted field starts.
    long skip = (long)h.nameSize;
    if (err == UNZ_OK && name != NULL)
        skip = CopyText(file, 0, h.nameSize, name, nameBufferSize, &err);

    if (err == UNZ_OK && extra != NULL) {
        uLong copy = h.extraSize < extraBufferSize ? h.extraSize : extraBufferSize;
        if (skip != 0) {
            if (SeekBy(file, skip))
                skip = 0;
            else
                err = UNZ_ERRNO;
        }
        if (h.extraSize > 0 && extraBufferSize > 0 && !ReadExact(file, extra, copy))
            err = UNZ_ERRNO;
        skip += (long)(h.extraSize - copy);
    } else {
        skip += (long)h.extraSize;
    }

    if (err == UNZ_OK && h.extraSize != 0) {
        // Back to the start of the extra field.
        skip -= (long)h.extraSize;
        if (skip != 0) {
            if (SeekBy(file, skip))
                skip = 0;
            else
                err = UNZ_ERRNO;
        }
        if (ApplyZip64Extra(file, &h) != UNZ_OK)
            err = UNZ_ERRNO;
    }

    if (err == UNZ_OK && comment != NULL)
        CopyText(file, skip, h.commentSize, comment, commentBufferSize, &err);

    if (err == UNZ_OK && header != NULL)
        *header = h;
    return err;
}

}  // namespace zipreader
