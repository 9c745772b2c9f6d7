#pragma once
// Whether an entry's stored name, with "/" already turned into "\", stays
// below the folder it is extracted into: not absolute, not on a drive, not a
// UNC name, no ":" (a drive or an alternate data stream) and no parent
// reference among its parts. The name is checked twice, byte by byte as the
// extractor's own searches read it, and as text in the system's ANSI code
// page as Windows reads it, where a double-byte character may end in the
// backslash's code; a name that is not valid text there is refused too.
bool IsContainedEntryName(const char* name);
