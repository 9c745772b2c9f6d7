#pragma once
// Backslashes in ANSI paths as Windows reads them: character by character in
// the system's code page, where the second byte of a double-byte character
// may have the backslash's code (0x5C) without being one.

// Bytes of the character at text: 2 for a double-byte character, else 1.
int AnsiCharLength(const char* text);

// The last backslash character of path, or null when it has none.
char* LastBackslash(char* path);
const char* LastBackslash(const char* path);

// Whether the last character of path is a backslash.
bool EndsInBackslash(const char* path);

// path = folder, one backslash unless the folder ends in one, then name.
// False, with path left empty, when that does not fit size bytes with its
// terminator. A folder whose last byte is the second of a double-byte
// character gets its backslash: without it the name would land beside the
// folder instead of in it.
bool JoinFolderAndName(char* path, int size, const char* folder, const char* name);
