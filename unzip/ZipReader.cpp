// Opening an archive and walking its central directory.

#include <stdlib.h>
#include <string.h>

#include "ZipReaderInternal.h"

namespace zipreader {

namespace {

const unsigned char kEndSignature[4] = {0x50, 0x4b, 0x05, 0x06};
const unsigned char kZip64LocatorSignature[4] = {0x50, 0x4b, 0x06, 0x07};
const uLong kZip64EndSignature = 0x06064b50;
const ZipPos kCentralEntryFixedSize = 46;
// An end record is looked for this far back from the end of the file.
const ZipPos kSearchRange = 0xffff;
const unsigned kSearchBlock = 0x400;
// An entry count of 0xffff does not end the walk: archives with more entries
// than the 16-bit field holds say that.
const ZipPos kSaturatedEntryCount = 0xffff;

// Position of the last occurrence of the signature within the search range,
// scanning blocks backwards from the end. 0 means none, so a record at the
// very start of the file is not found either.
ZipPos FindLastSignature(FILE* file, const unsigned char* signature)
{
    ZipPos fileSize = 0;
    if (!SeekToEnd(file, &fileSize))
        return 0;
    ZipPos maxBack = fileSize < kSearchRange ? fileSize : kSearchRange;
    unsigned char block[kSearchBlock + 4];
    ZipPos back = 4;
    while (back < maxBack) {
        back = back + kSearchBlock > maxBack ? maxBack : back + kSearchBlock;
        ZipPos blockPos = fileSize - back;
        ZipPos left = fileSize - blockPos;
        uLong blockSize = left < sizeof(block) ? (uLong)left : (uLong)sizeof(block);
        if (!SeekTo(file, blockPos) || !ReadExact(file, block, blockSize))
            return 0;
        for (uLong i = blockSize - 3; i-- > 0;)
            if (memcmp(block + i, signature, 4) == 0)
                return blockPos + i;
    }
    return 0;
}

// Position of the ZIP64 end of central directory record named by a locator,
// or 0 when there is no usable locator.
ZipPos FindZip64EndRecord(FILE* file)
{
    ZipPos locator = FindLastSignature(file, kZip64LocatorSignature);
    if (locator == 0 || !SeekTo(file, locator))
        return 0;
    uLong value = 0;
    ZipPos recordPos = 0;
    if (ReadNumber(file, 4, &value) != UNZ_OK)
        return 0;
    if (ReadNumber(file, 4, &value) != UNZ_OK || value != 0)  // disk holding the record
        return 0;
    if (ReadNumber(file, 8, &recordPos) != UNZ_OK)
        return 0;
    if (ReadNumber(file, 4, &value) != UNZ_OK || value != 1)  // number of disks
        return 0;
    if (!SeekTo(file, recordPos))
        return 0;
    if (ReadNumber(file, 4, &value) != UNZ_OK || value != kZip64EndSignature)
        return 0;
    return recordPos;
}

struct EndRecord {
    ZipPos numberEntry;
    ZipPos centralDirSize;
    ZipPos centralDirOffset;
    uLong commentSize;
};

// Both readers go on after a failed field and only report whether all went
// well, as every failure leads to the same result.
bool ReadZip64EndRecord(FILE* file, ZipPos recordPos, EndRecord* end)
{
    bool ok = SeekTo(file, recordPos);
    uLong skipped = 0;
    ZipPos skipped64 = 0;
    uLong disk = 0;
    uLong diskWithCentralDir = 0;
    ZipPos entriesInCentralDir = 0;
    ok &= ReadNumber(file, 4, &skipped) == UNZ_OK;    // signature
    ok &= ReadNumber(file, 8, &skipped64) == UNZ_OK;  // record size
    ok &= ReadNumber(file, 2, &skipped) == UNZ_OK;    // version made by
    ok &= ReadNumber(file, 2, &skipped) == UNZ_OK;    // version needed
    ok &= ReadNumber(file, 4, &disk) == UNZ_OK;
    ok &= ReadNumber(file, 4, &diskWithCentralDir) == UNZ_OK;
    ok &= ReadNumber(file, 8, &end->numberEntry) == UNZ_OK;
    ok &= ReadNumber(file, 8, &entriesInCentralDir) == UNZ_OK;
    ok &= entriesInCentralDir == end->numberEntry && diskWithCentralDir == 0 && disk == 0;
    ok &= ReadNumber(file, 8, &end->centralDirSize) == UNZ_OK;
    ok &= ReadNumber(file, 8, &end->centralDirOffset) == UNZ_OK;
    end->commentSize = 0;
    return ok;
}

bool ReadEndRecord(FILE* file, ZipPos recordPos, EndRecord* end)
{
    bool ok = recordPos != 0 && SeekTo(file, recordPos);
    uLong signature = 0;
    uLong disk = 0;
    uLong diskWithCentralDir = 0;
    uLong entriesOnDisk = 0;
    uLong entriesInCentralDir = 0;
    uLong size = 0;
    uLong offset = 0;
    ok &= ReadNumber(file, 4, &signature) == UNZ_OK;
    ok &= ReadNumber(file, 2, &disk) == UNZ_OK;
    ok &= ReadNumber(file, 2, &diskWithCentralDir) == UNZ_OK;
    ok &= ReadNumber(file, 2, &entriesOnDisk) == UNZ_OK;
    ok &= ReadNumber(file, 2, &entriesInCentralDir) == UNZ_OK;
    ok &= entriesInCentralDir == entriesOnDisk && diskWithCentralDir == 0 && disk == 0;
    ok &= ReadNumber(file, 4, &size) == UNZ_OK;
    ok &= ReadNumber(file, 4, &offset) == UNZ_OK;
    ok &= ReadNumber(file, 2, &end->commentSize) == UNZ_OK;
    end->numberEntry = entriesOnDisk;
    end->centralDirSize = size;
    end->centralDirOffset = offset;
    return ok;
}

}  // namespace

unzFile unzOpen(const char* path)
{
    if (path == NULL)
        return NULL;
    FILE* file = OpenArchiveFile(path);
    if (file == NULL)
        return NULL;

    EndRecord end;
    ZipPos endPos = FindZip64EndRecord(file);
    bool ok;
    if (endPos != 0) {
        ok = ReadZip64EndRecord(file, endPos, &end);
    } else {
        endPos = FindLastSignature(file, kEndSignature);
        ok = ReadEndRecord(file, endPos, &end);
    }
    // The sum wraps like the unsigned arithmetic the offsets are used with.
    ZipPos centralDirEnd = end.centralDirOffset + end.centralDirSize;
    ZipReaderArchive* archive = NULL;
    if (ok && endPos >= centralDirEnd)
        archive = (ZipReaderArchive*)malloc(sizeof(ZipReaderArchive));
    if (archive == NULL) {
        fclose(file);
        return NULL;
    }
    memset(archive, 0, sizeof(*archive));
    archive->file = file;
    archive->numberEntry = end.numberEntry;
    archive->commentSize = end.commentSize;
    archive->bytesBefore = endPos - centralDirEnd;
    archive->centralDirOffset = end.centralDirOffset;
    unzGoToFirstFile(archive);
    return archive;
}

int unzClose(unzFile file)
{
    if (file == NULL)
        return UNZ_PARAMERROR;
    if (file->entry != NULL)
        unzCloseCurrentFile(file);
    fclose(file->file);
    free(file);
    return UNZ_OK;
}

int unzGetGlobalInfo(unzFile file, unz_global_info* pglobal_info)
{
    if (file == NULL || pglobal_info == NULL)
        return UNZ_PARAMERROR;
    pglobal_info->number_entry = (uLong)file->numberEntry;
    pglobal_info->size_comment = file->commentSize;
    return UNZ_OK;
}

int unzGoToFirstFile(unzFile file)
{
    if (file == NULL)
        return UNZ_PARAMERROR;
    file->entryPos = file->centralDirOffset;
    file->entryIndex = 0;
    int err = ReadCentralEntry(file, &file->current, NULL, 0, NULL, 0, NULL, 0);
    file->currentOk = err == UNZ_OK;
    return err;
}

int unzGoToNextFile(unzFile file)
{
    if (file == NULL)
        return UNZ_PARAMERROR;
    if (!file->currentOk)
        return UNZ_END_OF_LIST_OF_FILE;
    if (file->numberEntry != kSaturatedEntryCount && file->entryIndex + 1 == file->numberEntry)
        return UNZ_END_OF_LIST_OF_FILE;
    file->entryPos += kCentralEntryFixedSize + file->current.nameSize +
                      file->current.extraSize + file->current.commentSize;
    file->entryIndex++;
    int err = ReadCentralEntry(file, &file->current, NULL, 0, NULL, 0, NULL, 0);
    file->currentOk = err == UNZ_OK;
    return err;
}

int unzGetCurrentFileInfo(unzFile file, unz_file_info* pfile_info,
                          char* szFileName, uLong fileNameBufferSize,
                          void* extraField, uLong extraFieldBufferSize,
                          char* szComment, uLong commentBufferSize)
{
    if (file == NULL)
        return UNZ_PARAMERROR;
    EntryHeader h;
    int err = ReadCentralEntry(file, &h, szFileName, fileNameBufferSize,
                               extraField, extraFieldBufferSize, szComment, commentBufferSize);
    if (err != UNZ_OK || pfile_info == NULL)
        return err;
    pfile_info->version = h.version;
    pfile_info->version_needed = h.versionNeeded;
    pfile_info->flag = h.flag;
    pfile_info->compression_method = h.method;
    pfile_info->dosDate = h.dosDate;
    pfile_info->crc = h.crc;
    pfile_info->compressed_size = (uLong)h.compressedSize;
    pfile_info->uncompressed_size = (uLong)h.uncompressedSize;
    pfile_info->size_filename = h.nameSize;
    pfile_info->size_file_extra = h.extraSize;
    pfile_info->size_file_comment = h.commentSize;
    pfile_info->disk_num_start = h.diskNumStart;
    pfile_info->internal_fa = h.internalAttributes;
    pfile_info->external_fa = h.externalAttributes;
    // Month 0 gives (uInt)-1, as in minizip.
    uLong date = h.dosDate >> 16;
    pfile_info->tmu_date.tm_mday = (uInt)(date & 0x1f);
    pfile_info->tmu_date.tm_mon = (uInt)(((date & 0x1E0) / 0x20) - 1);
    pfile_info->tmu_date.tm_year = (uInt)(((date & 0xFE00) / 0x200) + 1980);
    pfile_info->tmu_date.tm_hour = (uInt)((h.dosDate & 0xF800) / 0x800);
    pfile_info->tmu_date.tm_min = (uInt)((h.dosDate & 0x7E0) / 0x20);
    pfile_info->tmu_date.tm_sec = (uInt)(2 * (h.dosDate & 0x1f));
    return UNZ_OK;
}

}  // namespace zipreader
