#include <windows.h>

#include "WinApp.h"

namespace {

// A DLL that the program or the shell loads later is taken from the system
// folder only, never from the folder the installer was started from (often
// a download folder that holds whatever else was downloaded). Windows 7
// without update KB2533623 lacks the call; there at least the current
// folder is taken out of the search.
void RestrictDllSearchToSystemFolder()
{
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesCall)(DWORD);
    SetDefaultDllDirectoriesCall restrict = reinterpret_cast<SetDefaultDllDirectoriesCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (!restrict || !restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryA("");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RestrictDllSearchToSystemFolder();
    // No system message boxes for drives that are not ready or files that
    // cannot be opened: the program reports such failures itself.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    app->InitInstance();
    return app->exitCode;
}
