#include "AnsiPath.h"

#include <string.h>
#include <windows.h>

int AnsiCharLength(const char* text)
{
    return IsDBCSLeadByte(static_cast<BYTE>(text[0])) && text[1] != '\0' ? 2 : 1;
}

const char* LastBackslash(const char* path)
{
    const char* last = nullptr;
    for (const char* p = path; *p; p += AnsiCharLength(p))
        if (*p == '\\') last = p;
    return last;
}

char* LastBackslash(char* path) { return const_cast<char*>(LastBackslash(static_cast<const char*>(path))); }

bool EndsInBackslash(const char* path)
{
    const char* last = LastBackslash(path);
    return last && last[1] == '\0';
}

bool JoinFolderAndName(char* path, int size, const char* folder, const char* name)
{
    size_t folderLength = strlen(folder);
    size_t separator = EndsInBackslash(folder) ? 0 : 1;
    size_t nameLength = strlen(name);
    if (size <= 0) return false;
    path[0] = '\0';
    if (folderLength + separator + nameLength >= static_cast<size_t>(size)) return false;
    memcpy(path, folder, folderLength);
    if (separator) path[folderLength] = '\\';
    memcpy(path + folderLength + separator, name, nameLength + 1);
    return true;
}
