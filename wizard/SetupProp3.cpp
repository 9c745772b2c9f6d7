#include "SetupProp3.h"

#include <commctrl.h>

#include "Gdi.h"
#include "InstallLog.h"
#include "Progress.h"
#include "SetupApp.h"
#include "SetupDlg.h"
#include "TestSeams.h"
#include "WizardIds.h"
#include "WizardLook.h"

namespace {

const UINT_PTR kPollTimer = 1;
const UINT_PTR kNextTimer = 2;
const UINT kTimerPeriod = 100;  // ms

}  // namespace

CSetupProp3::CSetupProp3(CSetupDlg& frame)
    : CDialog(IDD_PROGRESS_PAGE), frame_(frame), art_(ImageStep3Art), completed_(false), launched_(false)
{
}

INT_PTR CSetupProp3::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_STEP3_STATUS)
            return TransparentOnWizardGrey(reinterpret_cast<HDC>(wParam));
        return FALSE;
    case WM_TIMER:
        OnTimer(wParam);
        return FALSE;
#ifdef SETUP_TEST_SEAMS
    case kTestSetCompletion:
        completed_.store(true, std::memory_order_release);
        return TRUE;
#endif
    }
    return CDialog::OnMessage(message, wParam, lParam);
}

int CSetupProp3::OnCreate()
{
    SetTimer(hwnd_, kPollTimer, kTimerPeriod, nullptr);
    return 0;
}

BOOL CSetupProp3::OnInitDialog()
{
    g_progressBar = GetDlgItem(IDC_PROGRESS);
    SendMessageA(g_progressBar, PBM_SETPOS, 0, 0);
    return TRUE;
}

void CSetupProp3::OnPaint()
{
    CPaintDC dc(hwnd_);
    FillWizardBackground(hwnd_, dc.hdc);
    DrawPackedImage(GetDlgItem(IDC_PAGE_ART), art_);
}

void CSetupProp3::StartAutomaticNext() { SetTimer(hwnd_, kNextTimer, kTimerPeriod, nullptr); }

void CSetupProp3::OnTimer(UINT_PTR id)
{
    if (id == kPollTimer) OnPoll();
    if (id == kNextTimer) {
        KillTimer(hwnd_, kNextTimer);
        HWND frame = GetParent(hwnd_);
        PostMessageA(frame, WM_COMMAND, MAKEWPARAM(IDC_NEXT, 0), reinterpret_cast<LPARAM>(::GetDlgItem(frame, IDC_NEXT)));
    }
}

void CSetupProp3::OnPoll()
{
    int position = static_cast<int>(SendMessageA(g_progressBar, PBM_GETPOS, 0, 0));
    int art = art_;
    if (position >= 0 && position < 50) art = ImageStep3Art;
    if (position >= 50 && position <= 100) art = ImageStep3LateArt;
    if (art != art_) {
        art_ = art;
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    if (position == 100 && Completed()) {
        KillTimer(hwnd_, kPollTimer);
        ShowWindow(g_progressBar, SW_HIDE);
        SetDlgItemTextA(hwnd_, IDC_STEP3_STATUS, "安装成功　　　　");
        frame_.UpdateStep();
    }
}

int CSetupProp3::OnNext()
{
    launched_ = true;
    InstallLog("Prop3 Next begin");
    return 0;
}
