#pragma once
// Appends one time-stamped line to the day's log file in the current install
// folder. Callable from any thread; never fails its caller.
void InstallLog(const char* message);
