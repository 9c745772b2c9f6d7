#include "WinApp.h"

#include "Dialog.h"

namespace {
CWinApp* g_currentApp = nullptr;
}

CWinApp::CWinApp() : mainWindow(nullptr), exitCode(0)
{
    appName_[0] = '\0';
    g_currentApp = this;
}

CWinApp::~CWinApp()
{
    if (g_currentApp == this) g_currentApp = nullptr;
}

int CWinApp::InitInstance() { return 0; }

const char* CWinApp::AppName()
{
    if (appName_[0] != '\0') return appName_;
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    // The last backslash found character by character: a trail byte 0x5C of
    // a double-byte character is no separator.
    const char* name = path;
    for (const char* p = path; *p; p = CharNextA(p))
        if (*p == '\\') name = p + 1;
    lstrcpynA(appName_, name, MAX_PATH);
    char* dot = nullptr;
    for (char* p = appName_; *p; p = CharNextA(p))
        if (*p == '.') dot = p;
    if (dot) *dot = '\0';
    return appName_;
}

CWinApp* AfxGetApp() { return g_currentApp; }

int AfxMessageBox(const char* text, UINT type)
{
    CWinApp* app = AfxGetApp();
    if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
    HWND main = app && app->mainWindow ? app->mainWindow->GetSafeHwnd() : nullptr;
    HWND owner = main ? GetLastActivePopup(main) : nullptr;
    return MessageBoxA(owner, text, app ? app->AppName() : "", type);
}
