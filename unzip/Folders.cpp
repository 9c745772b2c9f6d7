#include "Folders.h"

#include <string.h>
#include <windows.h>

#include "AnsiPath.h"

namespace {

bool IsFolder(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Drops trailing backslashes, which name the same folder, but keeps the one
// of a root such as "C:\" or "\".
void DropTrailingBackslashes(char* path)
{
    size_t length = strlen(path);
    while (length > 1 && EndsInBackslash(path) && path[length - 2] != ':') path[--length] = '\0';
}

// The parent is made first by cutting path in place at its last backslash,
// which is put back before the folder itself is made.
int MakeFolderInPlace(char* path)
{
    if (path[0] == '\0') return 0;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;

    char* separator = LastBackslash(path);
    if (!separator) return 1;
    *separator = '\0';
    int parentMade = MakeFolderInPlace(path);
    *separator = '\\';
    // It may exist by now all the same: made by another thread or process,
    // or named a second time through a doubled backslash.
    return parentMade && (CreateDirectoryA(path, nullptr) || IsFolder(path));
}

// False when path does not fit a path buffer with its terminator.
bool CopyPath(char (&buffer)[MAX_PATH], const char* path)
{
    size_t length = strlen(path);
    if (length >= sizeof buffer) return false;
    memcpy(buffer, path, length + 1);
    return true;
}

}  // namespace

int MakeFolder(const char* path)
{
    char folder[MAX_PATH];
    if (!path || !CopyPath(folder, path)) return 0;
    DropTrailingBackslashes(folder);
    return MakeFolderInPlace(folder);
}

int MakeParentFolders(const char* path)
{
    char folder[MAX_PATH];
    if (!path || !CopyPath(folder, path)) return 0;
    char* separator = LastBackslash(folder);
    if (!separator) return 0;
    *separator = '\0';
    return MakeFolderInPlace(folder);
}
