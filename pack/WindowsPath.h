#pragma once
#include <string>

// Checks of the names and paths that the installer composes on Windows. Each
// takes UTF-8, refuses with a message that starts with `what` (a manifest
// field or a file), and returns the GBK form with backslash separators.

// An absolute folder: a drive letter, ":\" and at least one folder name,
// without a trailing backslash.
std::string WindowsInstallFolder(const std::string& utf8, const std::string& what);

// A path below some folder: names separated by "\" or "/", no drive, no
// leading separator, no "." or "..".
std::string WindowsRelativePath(const std::string& utf8, const std::string& what);

// One file or folder name.
std::string WindowsFileName(const std::string& utf8, const std::string& what);

// A GBK name with its ASCII letters folded to lower case, for comparing names
// the way Windows does.
std::string FoldCase(std::string name);
