#pragma once
#include <cstdint>
#include <ctime>
#include <string>

// MS-DOS date and time as ZIP archives keep them: the date in the high 16
// bits, the time in the low 16, in local time with two-second steps.

// Times before 1980 or after 2107 are held to the nearest representable one.
uint32_t ToDosTime(std::time_t time);

// "YYYY-MM-DD hh:mm:ss".
std::string FormatDosTime(uint32_t dosTime);
