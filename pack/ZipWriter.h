#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FolderScan.h"

class Progress;

// Writes the items as a ZIP archive into out from its current position and
// returns the archive's size; out is left at the archive's end. Each file is
// deflated at level 9, or stored when that is not smaller. Names are written
// as given (GBK) without the UTF-8 flag, times as given, and nothing else that
// could vary between runs. Refuses, naming `what`, an archive that would grow
// past `limit` bytes.
int64_t WriteZip(FILE* out, const std::vector<ArchiveItem>& items, int64_t limit, const std::string& what,
                 Progress& progress);
