#include "SetupWizard.h"

#include <windows.h>
#include <commctrl.h>

#include "SetupDlg.h"
#include "WinApp.h"

int RunSetupWizard()
{
    // The progress page's bar needs its window class before the page exists.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    CSetupDlg wizard;
    CWinApp* app = AfxGetApp();
    app->mainWindow = &wizard;
    int result = static_cast<int>(wizard.DoModal());
    app->mainWindow = nullptr;
    return result;
}
