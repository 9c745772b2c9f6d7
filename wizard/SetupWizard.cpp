#include "SetupWizard.h"

#include <windows.h>
#include <commctrl.h>

#include "SetupDlg.h"
#include "WinApp.h"

void RunSetupWizard()
{
    // The progress page's bar needs its window class before the page exists.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    CSetupDlg wizard;
    CWinApp* app = AfxGetApp();
    app->mainWindow = &wizard;
    wizard.DoModal();
    app->mainWindow = nullptr;
}
