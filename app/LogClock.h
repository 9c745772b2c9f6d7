#pragma once
// The clocks behind the install log's time stamps. Tests put their own in
// place to choose the moment of a line.

#include <time.h>

struct LogTime {
    struct tm local;   // the calendar clock in local time: the file's date and the line's hour to second
    int milliseconds;  // 0 to 999, from the system's local time
};

// Fills now; false when the time cannot be read, and the line is dropped.
typedef bool (*LogClock)(LogTime* now);

// The system's clocks: the milliseconds of GetLocalTime, read first, then the
// calendar clock read once and broken down into local time.
bool ReadSystemLogClock(LogTime* now);

// The clock InstallLog reads from now on; null restores the system's clocks.
void SetLogClock(LogClock clock);
