#pragma once
// State of an open archive and the file access shared by the reader's parts.

#include <stdio.h>

#include "ZipReader.h"

namespace zipreader {

typedef unsigned long long ZipPos;

// Compressed data is read from the archive in pieces of this size.
enum { kReadBufferSize = 16384 };

// A central directory entry as the reader keeps it: sizes and the local
// header offset are 64-bit because ZIP64 extra fields can widen them.
struct EntryHeader {
    uLong version;
    uLong versionNeeded;
    uLong flag;
    uLong method;
    uLong dosDate;
    uLong crc;
    ZipPos compressedSize;
    ZipPos uncompressedSize;
    uLong nameSize;
    uLong extraSize;
    uLong commentSize;
    uLong diskNumStart;
    uLong internalAttributes;
    uLong externalAttributes;
    ZipPos localHeaderOffset;
};

struct OpenEntry {
    z_stream stream;
    bool inflating;
    bool raw;  // bytes are handed out as stored in the archive, unchecked
    ZipPos dataPos;  // archive-relative position of the next compressed byte
    ZipPos restCompressed;
    ZipPos restUncompressed;
    uLong crc;
    uLong expectedCrc;
    unsigned char buffer[kReadBufferSize];
};

struct ZipReaderArchive {
    FILE* file;
    ZipPos numberEntry;
    uLong commentSize;
    // Archive offsets are relative to the archive's start, which lies this
    // many bytes into the file when data was put in front of it.
    ZipPos bytesBefore;
    ZipPos centralDirOffset;
    ZipPos entryPos;    // archive-relative position of the current entry
    ZipPos entryIndex;
    bool currentOk;     // the current entry was read without error
    EntryHeader current;
    OpenEntry* entry;
};

// File access with the conventions the reader's results depend on: absolute
// positions are unsigned 64-bit (those past the signed range cannot be
// sought), seeking past the end succeeds and reading there returns less.
FILE* OpenArchiveFile(const char* path);
bool SeekTo(FILE* file, ZipPos pos);
bool SeekBy(FILE* file, long delta);
bool SeekToEnd(FILE* file, ZipPos* size);
bool ReadExact(FILE* file, void* buffer, uLong size);

// Reads a little-endian number of 2, 4 or 8 bytes. Only a read error fails
// (UNZ_ERRNO, value 0). At the end of the file the call still succeeds: each
// missing byte repeats the last byte this call did read, or is 0 when none
// was read. minizip reads numbers this way, and damaged archives decode
// differently without it.
int ReadNumber(FILE* file, unsigned bytes, ZipPos* value);
int ReadNumber(FILE* file, unsigned bytes, uLong* value);

// Reads the central directory entry at the archive's current position and
// fills the caller's buffers as unzGetCurrentFileInfo does. header may be
// NULL; it is written only on success.
int ReadCentralEntry(ZipReaderArchive* archive, EntryHeader* header,
                     char* name, uLong nameBufferSize,
                     void* extra, uLong extraBufferSize,
                     char* comment, uLong commentBufferSize);

}  // namespace zipreader
