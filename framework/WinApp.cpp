#include "WinApp.h"

#include <windows.h>

namespace {
CWinApp* g_currentApp = nullptr;
}

CWinApp::CWinApp() : appName_() { g_currentApp = this; }

CWinApp::~CWinApp()
{
    if (g_currentApp == this) g_currentApp = nullptr;
}

int CWinApp::InitInstance() { return FALSE; }

const char* CWinApp::AppName()
{
    if (appName_[0] == '\0') {
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return appName_;
        const char* name = path;
        for (const char* p = path; *p; p = CharNextA(p))
            if (*p == '\\' || *p == '/') name = p + 1;
        lstrcpynA(appName_, name, sizeof appName_);
        char* dot = nullptr;
        for (char* p = appName_; *p; p = CharNextA(p))
            if (*p == '.') dot = p;
        if (dot) *dot = '\0';
    }
    return appName_;
}

CWinApp* AfxGetApp() { return g_currentApp; }
