#pragma once
// The record that follows the uninstaller's image in its file: what the
// installation made, for the uninstaller to remove. Integers are 32-bit
// little-endian; texts are counted strings (length, then the bytes).
//   title, version, link count, one link path per shortcut entry, menu folder

#include "PayloadLayout.h"

class COutFileStream;
class CSetupInfo;

// The link count is the header's, held to 0 to MAX_LINKS.
// linkpaths holds one slot per entry, empty for an entry without shortcut.
void WriteUninstallRecord(const CSetupInfo& info, const char (*linkpaths)[PATH_BUF_SIZE], const char* menupath,
                          COutFileStream& out);
