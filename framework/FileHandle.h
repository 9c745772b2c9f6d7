#pragma once
// The platform's file handles under the file streams: Win32 handles in the
// stub, POSIX descriptors on the host. The streams keep their own state.

#include "FileStream.h"

namespace filehandle {

typedef long long Handle;
const Handle kNone = -1;

Handle OpenForReading(const char* path);
Handle CreateForWriting(const char* path);  // created, or truncated when it exists
void Close(Handle file);

// Reads up to count bytes; fewer only at the end of the file or on an error.
int Read(Handle file, void* buffer, int count);
// Writes all count bytes; false when that could not be done.
bool Write(Handle file, const void* data, int count);

bool Seek(Handle file, StreamPos offset, bool fromCurrent);
StreamPos Tell(Handle file);  // -1 on an error

}  // namespace filehandle
