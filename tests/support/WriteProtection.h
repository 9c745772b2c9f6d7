#pragma once
// Whether this system refuses to open a read-only file for writing. Wine run
// as root does not (it leaves the check to Unix permissions, which root
// passes), so tests of read-only files only hold where this is true.
#include <windows.h>

#include <string>

inline bool ReadOnlyFilesRefuseWriting(const std::string& folder)
{
    std::string probe = folder + "\\read-only-probe";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_READONLY, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool refused = file == INVALID_HANDLE_VALUE;
    if (!refused) CloseHandle(file);
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(probe.c_str());
    return refused;
}
