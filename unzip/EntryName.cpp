#include "EntryName.h"

#include <windows.h>

#include "AnsiPath.h"

namespace {

enum class Reading { Bytes, CodePage };

int CharacterLength(const char* p, Reading reading) { return reading == Reading::CodePage ? AnsiCharLength(p) : 1; }

// "..", and to be safe every part of dots and blanks with two dots or more:
// Windows trims trailing dots and blanks from a part, which can leave "..".
bool IsParentReference(const char* begin, const char* end)
{
    int dots = 0;
    for (const char* p = begin; p < end; ++p) {
        if (*p == '.')
            ++dots;
        else if (*p != ' ')
            return false;
    }
    return dots >= 2;
}

bool StaysInside(const char* name, Reading reading)
{
    if (name[0] == '\\') return false;
    const char* part = name;
    for (const char* p = name;; p += CharacterLength(p, reading)) {
        if (*p == ':') return false;
        if (*p == '\\' || *p == '\0') {
            if (IsParentReference(part, p)) return false;
            if (*p == '\0') return true;
            part = p + 1;
        }
    }
}

}  // namespace

bool IsContainedEntryName(const char* name)
{
    return name[0] != '\0' && MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name, -1, nullptr, 0) != 0 &&
           StaysInside(name, Reading::Bytes) && StaysInside(name, Reading::CodePage);
}
