// Opening and closing the archive, moving between entries and describing them.

#include "Unziper.h"

#include <limits.h>
#include <string.h>
#include <windows.h>

#include "Folders.h"

namespace {

// Case-insensitive; ext has no dot. A name without a "." has no extension.
bool HasExtension(const char* name, const char* ext)
{
    const char* dot = strrchr(name, '.');
    return dot && lstrcmpiA(ext, dot + 1) == 0;
}

}  // namespace

CUnziper::CUnziper(const char* archivePath) : archive(nullptr), outputdir(), currentIndex(-1)
{
    if (!archivePath) return;
    archive = unzOpen(archivePath);
    if (!archive || strlen(archivePath) >= sizeof outputdir) return;
    strcpy(outputdir, archivePath);
    char* dot = strrchr(outputdir, '.');
    if (dot) *dot = '\0';
}

CUnziper::~CUnziper() { Close(); }

int CUnziper::Close()
{
    if (!archive) return 0;
    unzCloseCurrentFile(archive);
    int closed = unzClose(archive);
    archive = nullptr;
    currentIndex = -1;
    return closed == UNZ_OK;
}

int CUnziper::SetOutputFolder(const char* folder)
{
    if (!folder || strlen(folder) >= sizeof outputdir) return 0;
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    strcpy(outputdir, folder);
    return MakeFolder(folder);
}

int CUnziper::GetEntryCount()
{
    unz_global_info global;
    if (!archive || unzGetGlobalInfo(archive, &global) != UNZ_OK) return 0;
    return global.number_entry > INT_MAX ? INT_MAX : static_cast<int>(global.number_entry);
}

int CUnziper::StepToFirst()
{
    int moved = unzGoToFirstFile(archive) == UNZ_OK;
    currentIndex = moved ? 0 : -1;
    return moved;
}

int CUnziper::StepToNext()
{
    int moved = unzGoToNextFile(archive) == UNZ_OK;
    currentIndex = moved && currentIndex >= 0 ? currentIndex + 1 : -1;
    return moved;
}

// Walking the directory from the first entry is deterministic, so going on
// from a known position reaches the same entry with the same outcome as
// starting over.
int CUnziper::GotoEntry(int index)
{
    if (!archive || index < 0 || index >= GetEntryCount()) return 0;
    if (currentIndex < 0 || currentIndex > index) {
        if (!StepToFirst()) return 0;
    }
    while (currentIndex < index)
        if (!StepToNext()) return 0;
    return 1;
}

int CUnziper::GotoFirstEntry(const char* ext)
{
    if (!archive || !StepToFirst()) return 0;
    if (!ext || !ext[0]) return 1;
    UnzipEntryInfo info;
    if (!GetEntryInfo(&info)) return 0;
    return HasExtension(info.filename, ext) || GotoNextEntry(ext);
}

int CUnziper::GotoNextEntry(const char* ext)
{
    if (!archive) return 0;
    if (!ext || !ext[0]) return StepToNext();
    UnzipEntryInfo info;
    for (;;) {
        if (!StepToNext() || !GetEntryInfo(&info)) return 0;
        if (HasExtension(info.filename, ext)) return 1;
    }
}

int CUnziper::GetEntryInfo(UnzipEntryInfo* info)
{
    if (!archive || !info) return 0;
    memset(info, 0, sizeof *info);
    unz_file_info file;
    if (unzGetCurrentFileInfo(archive, &file, info->filename, sizeof info->filename - 1, nullptr, 0, info->comment,
                              sizeof info->comment - 1) != UNZ_OK)
        return 0;
    info->versionmadeby = file.version;
    info->versionneeded = file.version_needed;
    info->flags = file.flag;
    info->method = file.compression_method;
    info->dosdatetime = file.dosDate;
    info->crc = file.crc;
    info->compressedsize = file.compressed_size;
    info->uncompressedsize = file.uncompressed_size;
    info->internalattr = file.internal_fa;
    info->externalattr = file.external_fa;
    for (char* p = info->filename; *p; ++p)
        if (*p == '/') *p = '\\';
    size_t length = strlen(info->filename);
    info->isfolder = length > 0 && info->filename[length - 1] == '\\';
    return 1;
}
