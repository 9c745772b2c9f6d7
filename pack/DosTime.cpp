#include "DosTime.h"

#include <cstdio>

uint32_t ToDosTime(std::time_t time)
{
    std::tm local{};
    localtime_r(&time, &local);
    int year = local.tm_year + 1900;
    if (year < 1980) return (1u << 5 | 1u) << 16;  // 1980-01-01 00:00:00
    if (year > 2107) return ((127u << 9 | 12u << 5 | 31u) << 16) | (23u << 11 | 59u << 5 | 29u);
    uint32_t date = static_cast<uint32_t>((year - 1980) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
    uint32_t clock = static_cast<uint32_t>(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2);
    return date << 16 | clock;
}

std::string FormatDosTime(uint32_t dosTime)
{
    uint32_t date = dosTime >> 16, clock = dosTime & 0xFFFF;
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", 1980 + (date >> 9), (date >> 5) & 15, date & 31,
                  clock >> 11, (clock >> 5) & 63, (clock & 31) * 2);
    return text;
}
