#include "EngineTrace.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "InstallLog.h"

void TraceFormatted(int bufferSize, const char* format, ...)
{
    char line[TRACE_LINE_SIZE];
    memset(line, 0, sizeof line);
    if (bufferSize > TRACE_LINE_SIZE || bufferSize < 1) bufferSize = TRACE_LINE_SIZE;
    va_list args;
    va_start(args, format);
    // Stops at bufferSize - 1 bytes; the cleared buffer supplies the terminator.
    _vsnprintf(line, static_cast<size_t>(bufferSize - 1), format, args);
    va_end(args);
    InstallLog(line);
}
