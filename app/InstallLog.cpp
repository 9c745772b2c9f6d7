#include "InstallLog.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "LogClock.h"
#include "SetupApp.h"

namespace {

// Line end included; a longer line is cut and so loses its line end.
const size_t kLineLimit = 2559;

LogClock g_logClock = ReadSystemLogClock;

// Held across open, write and close. Append-only access alone would keep the
// lines of two threads apart on Windows, but Wine finds the end of the file
// and writes there in two steps, so one thread's line could land on the
// other's.
SRWLOCK g_logLock = SRWLOCK_INIT;

size_t AppendCut(char* line, size_t length, const char* text)
{
    size_t room = kLineLimit - length;
    size_t count = strlen(text);
    if (count > room) count = room;
    memcpy(line + length, text, count);
    return length + count;
}

// "%02d:%02d:%02d:%04d  %s\r\n" cut to its first kLineLimit bytes, built
// piece by piece so that the message is copied as it is and the cut does not
// depend on how a printf family function truncates.
size_t FormatLine(char (&line)[kLineLimit], const LogTime& now, const char* message)
{
    char stamp[64];
    _snprintf(stamp, sizeof stamp, "%02d:%02d:%02d:%04d  ", now.local.tm_hour, now.local.tm_min,
              now.local.tm_sec, now.milliseconds);
    stamp[sizeof stamp - 1] = '\0';
    size_t length = AppendCut(line, 0, stamp);
    length = AppendCut(line, length, message);
    return AppendCut(line, length, "\r\n");
}

}  // namespace

bool DayLogPath(char (&path)[MAX_PATH], const char* folder, const struct tm& date)
{
    int length = _snprintf(path, sizeof path, "%s\\install%04d%02d%02d.log", folder, date.tm_year + 1900,
                           date.tm_mon + 1, date.tm_mday);
    return length >= 0 && length < static_cast<int>(sizeof path);
}

bool ReadSystemLogClock(LogTime* now)
{
    SYSTEMTIME system;
    GetLocalTime(&system);
    time_t calendar = time(nullptr);
    if (localtime_s(&now->local, &calendar) != 0) return false;
    now->milliseconds = system.wMilliseconds;
    return true;
}

void SetLogClock(LogClock clock) { g_logClock = clock ? clock : ReadSystemLogClock; }

void InstallLog(const char* message)
{
    LogTime now;
    if (!g_logClock(&now) || !message) return;
    CSetupApp* app = TheSetupApp();
    // Without a folder the path would name the root of the current drive.
    if (!app || app->info.installdir[0] == '\0') return;
    char path[MAX_PATH];
    if (!DayLogPath(path, app->info.installdir, now.local)) return;

    char line[kLineLimit];
    DWORD length = static_cast<DWORD>(FormatLine(line, now, message));

    // Append-only access puts every write at the then end of the file, also
    // when another process appends to it.
    AcquireSRWLockExclusive(&g_logLock);
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(file, line, length, &written, nullptr);
        CloseHandle(file);
    }
    ReleaseSRWLockExclusive(&g_logLock);
}
