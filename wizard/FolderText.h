#pragma once
// Whether text, as the user left it in the directory page's edit box, names
// a folder to install into: a full path with a drive letter ("D:\Games\App",
// a drive root "D:\" too) or a network path ("\\server\share\App"), valid
// text of the code page, with no character that a Windows path cannot hold
// (control characters, < > " | ? *, a ':' past the drive) and no folder
// name ending in a blank or a dot, which Windows would silently drop. The
// text is taken as it is: nothing is normalised.
bool IsUsableInstallFolder(const char* text);
