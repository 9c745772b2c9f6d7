#pragma once
// Folder making shared by the extractor and the install engine. Paths are
// ANSI byte strings of at most 259 bytes (longer ones fail). Backslashes are
// found as Windows finds them, character by character in the system's code
// page: the second byte of a double-byte character is never one.

// Makes path exist as a folder, making missing parents first. Trailing
// backslashes are dropped first (a root such as "C:\" keeps its own). 1 when
// the folder exists afterwards, 0 otherwise (empty path, a file in the way, a
// parent that cannot be made). A path without a backslash that names nothing
// counts as a root: 1, and nothing is made.
int MakeFolder(const char* path);

// Makes the folder that contains the file named by path. 0 when path holds no
// backslash or the folder cannot be made.
int MakeParentFolders(const char* path);
