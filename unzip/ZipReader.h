#pragma once
// The installer's own ZIP reader. It offers the subset of minizip 1.1's unzip
// API that the stub uses, with minizip's signatures, structures, return codes
// and results (down to how output buffers are filled and which call reports a
// damaged archive), so that code written against minizip runs unchanged.
// Everything lives in namespace zipreader so that a program can link the
// real minizip beside it; code that only wants the calls includes UnzipApi.h.

#include <zlib.h>

#ifndef UNZ_OK
#define UNZ_OK (0)
#endif
#ifndef UNZ_END_OF_LIST_OF_FILE
#define UNZ_END_OF_LIST_OF_FILE (-100)
#endif
#ifndef UNZ_ERRNO
#define UNZ_ERRNO (Z_ERRNO)
#endif
#ifndef UNZ_EOF
#define UNZ_EOF (0)
#endif
#ifndef UNZ_PARAMERROR
#define UNZ_PARAMERROR (-102)
#endif
#ifndef UNZ_BADZIPFILE
#define UNZ_BADZIPFILE (-103)
#endif
#ifndef UNZ_INTERNALERROR
#define UNZ_INTERNALERROR (-104)
#endif
#ifndef UNZ_CRCERROR
#define UNZ_CRCERROR (-105)
#endif

namespace zipreader {

struct ZipReaderArchive;
typedef ZipReaderArchive* unzFile;

typedef struct tm_unz_s {
    uInt tm_sec;   // 0..59 (DOS time keeps even seconds)
    uInt tm_min;
    uInt tm_hour;
    uInt tm_mday;
    uInt tm_mon;   // 0..11
    uInt tm_year;  // 1980..2107
} tm_unz;

typedef struct unz_global_info_s {
    uLong number_entry;  // entry count from the end of central directory record
    uLong size_comment;  // archive comment length (0 for ZIP64 archives)
} unz_global_info;

typedef struct unz_file_info_s {
    uLong version;
    uLong version_needed;
    uLong flag;
    uLong compression_method;
    uLong dosDate;
    uLong crc;
    uLong compressed_size;
    uLong uncompressed_size;
    uLong size_filename;
    uLong size_file_extra;
    uLong size_file_comment;
    uLong disk_num_start;
    uLong internal_fa;
    uLong external_fa;
    tm_unz tmu_date;
} unz_file_info;

// NULL when the file cannot be opened or has no usable end of central
// directory record. The first entry is made current.
unzFile unzOpen(const char* path);
int unzClose(unzFile file);
int unzGetGlobalInfo(unzFile file, unz_global_info* pglobal_info);

int unzGoToFirstFile(unzFile file);
// UNZ_END_OF_LIST_OF_FILE after the last entry.
int unzGoToNextFile(unzFile file);

// Copies at most the given number of bytes of the name, extra field and
// comment; each is NUL-terminated only when the buffer has room for it.
int unzGetCurrentFileInfo(unzFile file, unz_file_info* pfile_info,
                          char* szFileName, uLong fileNameBufferSize,
                          void* extraField, uLong extraFieldBufferSize,
                          char* szComment, uLong commentBufferSize);

int unzOpenCurrentFile(unzFile file);
// Bytes copied, 0 at the end of the entry, or a negative UNZ_ or zlib code.
int unzReadCurrentFile(unzFile file, voidp buf, unsigned len);
// UNZ_CRCERROR when the whole entry was read and its CRC does not match.
int unzCloseCurrentFile(unzFile file);

}  // namespace zipreader
