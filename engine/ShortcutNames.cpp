#include "ShortcutNames.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "EngineTrace.h"
#include "SetupInfo.h"
#include "ShellLinks.h"

namespace {

bool PathTaken(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// Removes leading, then trailing spaces.
void TrimBlanks(char* text)
{
    size_t start = strspn(text, " ");
    size_t length = strlen(text + start);
    memmove(text, text + start, length + 1);
    while (length > 0 && text[length - 1] == ' ') text[--length] = '\0';
}

bool PointsAt(const char* link, const char* target)
{
    char existing[SHORTCUT_TEXT_SIZE];
    CSetupInfo::ReadShortcutTarget(link, existing, sizeof existing);
    TrimBlanks(existing);
    if (strcmp(existing, target) != 0) return false;
    TraceFormatted(SHORT_TRACE_LINE_SIZE, "link file right name is : %s", existing);
    return true;
}

int NumberedName(char* candidate, const char* link, int attempt)
{
    char number[16];
    int numberLength = _snprintf(number, sizeof number, "(%d).", attempt);
    size_t length = strlen(link);
    if (length < 4 || length - 4 + numberLength + 3 > static_cast<size_t>(MAX_TEXT_LEN)) {
        TraceFormatted(TRACE_LINE_SIZE, "path too long: %s(%d)", link, attempt);
        return 0;
    }
    memcpy(candidate, link, length - 4);
    memcpy(candidate + length - 4, number, numberLength);
    memcpy(candidate + length - 4 + numberLength, link + length - 3, 4);
    return 1;
}

}  // namespace

int ChooseLinkPath(const char* link, const char* target, char* chosen)
{
    strcpy(chosen, link);
    for (int attempts = 0; PathTaken(chosen) && attempts < MAX_NAME_ATTEMPTS;) {
        TraceFormatted(SHORT_TRACE_LINE_SIZE, "shortfile file exist name is : %s", chosen);
        if (PointsAt(chosen, target)) break;
        ++attempts;
        if (!NumberedName(chosen, link, attempts)) {
            chosen[0] = '\0';
            return 0;
        }
    }
    return 1;
}
