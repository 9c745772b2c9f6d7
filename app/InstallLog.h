#pragma once
// Appends one time-stamped line to the day's log file in the current install
// folder. Callable from any thread; never fails its caller.
void InstallLog(const char* message);

struct tm;

// The name of the day's log of folder: "folder\installYYYYMMDD.log". False
// when it does not fit a path buffer.
bool DayLogPath(char (&path)[260], const char* folder, const struct tm& date);
