#pragma once

// The file that the uninstaller stage writes into the install folder, and
// that a shortcut with no target starts.
const char UNINSTALLER_NAME[] = "卸载.exe";

// path = folder, a backslash unless the folder ends in one, then name. When
// the result would not fit a PATH_BUF_SIZE buffer, path is left empty, the
// line "path too long: ..." is logged and the result is 0.
int ComposePath(char* path, const char* folder, const char* name);
