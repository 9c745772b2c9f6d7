#pragma once
// The minizip unzip calls for the installer's code: the project's own reader
// by default, or a toolchain's minizip when SETUP_TARGET_MINIZIP is defined.

#ifdef SETUP_TARGET_MINIZIP
#include <unzip.h>
#else
#include "ZipReader.h"

using zipreader::tm_unz;
using zipreader::unz_file_info;
using zipreader::unz_global_info;
using zipreader::unzFile;
using namespace zipreader;
#endif
