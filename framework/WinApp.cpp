#include "WinApp.h"

namespace {
CWinApp* g_currentApp = nullptr;
}

CWinApp::CWinApp() { g_currentApp = this; }

CWinApp::~CWinApp()
{
    if (g_currentApp == this) g_currentApp = nullptr;
}

int CWinApp::InitInstance() { return 0; }

CWinApp* AfxGetApp() { return g_currentApp; }
