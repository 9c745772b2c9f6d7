#pragma once
#include <cstdint>
#include <cstdio>
#include <minizip/ioapi.h>

// Lets minizip read or write a ZIP archive that lies inside a larger file
// (the installer) as if the archive were the whole file: positions count from
// `base`, and the end of a window being read is base + size. The file stays
// open and owned by the caller.
struct ZipWindow {
    FILE* file;
    int64_t base;
    int64_t size;  // for writing: -1, the window ends where the file ends
};

// The functions to pass to unzOpen2_64 or zipOpen2_64, with the window itself
// as the path argument.
zlib_filefunc64_def ZipWindowFunctions();
