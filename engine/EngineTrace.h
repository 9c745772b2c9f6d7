#pragma once

const int TRACE_LINE_SIZE = 256;
const int SHORT_TRACE_LINE_SIZE = 128;  // lines that carry a shortcut path

// Formats a trace line into a cleared buffer of bufferSize bytes (at most
// TRACE_LINE_SIZE), cutting it to bufferSize - 1 bytes, and writes it to the
// install log.
void TraceFormatted(int bufferSize, const char* format, ...);
