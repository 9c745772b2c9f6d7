// Writing entries to disk with their stored dates and times.

#include <string.h>
#include <windows.h>

#include "AnsiPath.h"
#include "EntryName.h"
#include "Folders.h"
#include "Unziper.h"

namespace {

const unsigned kCopyBufferSize = 20480;

const char* LeafName(const char* name)
{
    const char* lastBackslash = LastBackslash(name);
    return lastBackslash ? lastBackslash + 1 : name;
}

// Copies the open entry into out. True when its data ended normally after
// exactly expectedSize bytes, counted in the 32 bits the directory gives here.
// The library checks the CRC-32 only when the stored size was reached, so an
// entry cut short must be caught by its size.
bool CopyOpenEntry(unzFile archive, HANDLE out, unsigned expectedSize)
{
    char buffer[kCopyBufferSize];
    unsigned copied = 0;
    int read;
    while ((read = unzReadCurrentFile(archive, buffer, kCopyBufferSize)) > 0) {
        DWORD written = 0;
        if (!WriteFile(out, buffer, static_cast<DWORD>(read), &written, nullptr) ||
            written != static_cast<DWORD>(read))
            return false;
        copied += static_cast<unsigned>(read);
    }
    return read == 0 && copied == expectedSize;
}

}  // namespace

int CUnziper::UnzipCurrentFile(const char* folder, int flatten)
{
    if (!archive) return 0;
    if (!folder) folder = outputdir;
    UnzipEntryInfo entry;
    if (!GetEntryInfo(&entry) || !IsContainedEntryName(entry.filename)) return 0;
    char outputPath[MAX_PATH];
    const char* name = flatten ? LeafName(entry.filename) : entry.filename;
    if (!entry.isfolder && !JoinFolderAndName(outputPath, sizeof outputPath, folder, name)) return 0;
    if (!MakeFolder(folder)) return 0;
    // A folder entry makes nothing of its own: its folder comes with the
    // first file below it.
    if (entry.isfolder) return 1;

    if (!MakeParentFolders(outputPath)) return 0;
    HANDLE out = CreateFileA(outputPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 0;
    if (unzOpenCurrentFile(archive) != UNZ_OK) {
        CloseHandle(out);
        return 0;
    }
    bool copied = CopyOpenEntry(archive, out, entry.uncompressedsize);
    CloseHandle(out);
    bool crcMatched = unzCloseCurrentFile(archive) == UNZ_OK;
    if (!copied || !crcMatched) return 0;
    ApplyDosTime(outputPath, entry.dosdatetime);
    return 1;
}

int CUnziper::UnzipFile(int index, const char* folder, int flatten)
{
    return archive && GotoEntry(index) && UnzipCurrentFile(folder, flatten);
}

// Creation and last write take the stored moment; last access keeps what the
// writing left.
int CUnziper::ApplyDosTime(const char* path, unsigned int dosdatetime)
{
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    FILETIME created, accessed, written, local, utc;
    int applied = GetFileTime(file, &created, &accessed, &written) &&
                  DosDateTimeToFileTime(HIWORD(dosdatetime), LOWORD(dosdatetime), &local) &&
                  LocalFileTimeToFileTime(&local, &utc) && SetFileTime(file, &utc, &accessed, &utc);
    CloseHandle(file);
    return applied;
}
