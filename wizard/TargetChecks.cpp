#include "TargetChecks.h"

#include <windows.h>
#include <tlhelp32.h>
#include <string.h>

#include "AnsiPath.h"
#include "EngineTrace.h"
#include "SetupDlg.h"
#include "WinApp.h"

namespace {

const float kLeastFreeMegabytes = 100.0f;

// The marker an earlier installation of the product leaves in its folder.
const char kMarkerName[] = "exename.ini";

bool MarkerExists(const char* folder)
{
    char marker[MAX_PATH];
    // A folder too long to name the marker in a path buffer cannot be
    // searched for it; the running-program test is then made all the same.
    if (!JoinFolderAndName(marker, sizeof marker, folder, kMarkerName)) return true;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(marker, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

bool ExecutableLiesIn(DWORD processId, const char* folder)
{
    HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (modules == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    bool inFolder = false;
    if (Module32First(modules, &module)) {
        char directory[MAX_PATH];
        ProcessFolder(directory, module.szExePath);
        inFolder = strcmp(directory, folder) == 0;
    }
    CloseHandle(modules);
    return inFolder;
}

}  // namespace

void DriveRoot(char (&root)[4], const char* folder) { lstrcpynA(root, folder, sizeof root); }

float FreeMegabytes(long long freeBytes) { return static_cast<float>(static_cast<double>(freeBytes) / 1048576.0); }

float GetFreeSpaceMB(const char* folder)
{
    char root[4];
    DriveRoot(root, folder);
    if (GetDriveTypeA(root) != DRIVE_FIXED) {
        TraceFormatted(TRACE_LINE_SIZE, "GetDriveType(%s_%s)", folder, root);
        return 0.0f;
    }
    TraceFormatted(TRACE_LINE_SIZE, "GetDriveType_com(%s_%s)", folder, root);
    ULARGE_INTEGER available = {}, total = {}, free = {};
    if (!GetDiskFreeSpaceExA(root, &available, &total, &free)) {
        TraceFormatted(TRACE_LINE_SIZE, "GetDiskFreeSpaceEx(%I64d/%I64d/%I64d)", 0LL, 0LL, 0LL);
        return 0.0f;
    }
    TraceFormatted(TRACE_LINE_SIZE, "GetDiskFreeSpaceEx_com(%I64d/%I64d/%I64d)",
                   static_cast<long long>(available.QuadPart), static_cast<long long>(total.QuadPart),
                   static_cast<long long>(free.QuadPart));
    return FreeMegabytes(static_cast<long long>(free.QuadPart));
}

void ProcessFolder(char (&folder)[260], const char* executable)
{
    lstrcpynA(folder, executable, sizeof folder);
    char* last = LastBackslash(folder);
    if (last)
        *last = '\0';
    else
        folder[0] = '\0';
}

bool CSetupDlg::IsFolderInUse(const char* folder)
{
    HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (processes == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 process = {};
    process.dwSize = sizeof process;
    bool inUse = false;
    for (bool more = Process32First(processes, &process); more && !inUse; more = Process32Next(processes, &process))
        inUse = ExecutableLiesIn(process.th32ProcessID, folder);
    CloseHandle(processes);
    return inUse;
}

bool CSetupDlg::CheckTargetFolder(const char* folder)
{
    if (GetFreeSpaceMB(folder) < kLeastFreeMegabytes) {
        AfxMessageBox("该盘符硬盘容量小于100MB，请更换盘符安装");
        return false;
    }
    if (!MarkerExists(folder)) return true;
    if (IsFolderInUse(folder)) {
        AfxMessageBox("该程序正在运行，无法安装!");
        return false;
    }
    return true;
}
