#include <windows.h>

#include "WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // No system message boxes for drives that are not ready or files that
    // cannot be opened: the program reports such failures itself.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    CWinApp* app = AfxGetApp();
    return app && app->InitInstance() ? 0 : 1;
}
