#include "AnsiPath.h"

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
