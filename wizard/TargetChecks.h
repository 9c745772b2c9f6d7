#pragma once
// The checks made on the install folder before anything is unpacked into
// it; CSetupDlg::CheckTargetFolder runs them in order.

// The drive root of folder: its first three bytes ("D:\" of "D:\Prog"), or
// the whole folder when it is shorter.
void DriveRoot(char (&root)[4], const char* folder);

// Free bytes as the checks count them: megabytes, rounded to single
// precision, so that 104,857,596 bytes are already 100.0.
float FreeMegabytes(long long freeBytes);

// The free megabytes of folder's drive when it is a fixed disk, else 0.0.
// Writes its findings to the install log.
float GetFreeSpaceMB(const char* folder);

// The folder of an executable's path: everything before its last backslash,
// found character by character; empty when it has none.
void ProcessFolder(char (&folder)[260], const char* executable);
