#include "FolderText.h"

#include <string.h>
#include <windows.h>

#include "AnsiPath.h"

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsForbidden(unsigned char c) { return c < 0x20 || strchr("<>\"|?*:", c) != nullptr; }

}  // namespace

bool IsUsableInstallFolder(const char* text)
{
    const char* rest;
    if (IsDriveLetter(text[0]) && text[1] == ':' && text[2] == '\\')
        rest = text + 3;
    else if (text[0] == '\\' && text[1] == '\\' && text[2] != '\\' && text[2] != '\0')
        rest = text + 2;
    else
        return false;
    char previous = '\\';
    for (const char* p = rest; *p; p += AnsiCharLength(p)) {
        int length = AnsiCharLength(p);
        // A lead byte with nothing after it is no character.
        if (length == 1 && static_cast<unsigned char>(*p) >= 0x80 && IsDBCSLeadByte(static_cast<unsigned char>(*p)))
            return false;
        if (length == 1 && IsForbidden(static_cast<unsigned char>(*p))) return false;
        if (length == 1 && *p == '\\' && (previous == ' ' || previous == '.')) return false;
        previous = length == 1 ? *p : 'x';
    }
    return previous != ' ' && previous != '.';
}
