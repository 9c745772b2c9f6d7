#include "Progress.h"

#include <commctrl.h>

HWND g_progressBar = nullptr;
CSetupInfo* g_installInfo = nullptr;

void SetProgress(int position)
{
    if (g_progressBar) SendMessageA(g_progressBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}
