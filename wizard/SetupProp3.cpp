#include "SetupProp3.h"

#include <commctrl.h>
#include <string.h>
#include <time.h>

#include "FileStream.h"
#include "Gdi.h"
#include "InstallLog.h"
#include "Progress.h"
#include "SetupApp.h"
#include "SetupDlg.h"
#include "WizardIds.h"
#include "WizardLook.h"

namespace {

const UINT_PTR kPollTimer = 1;
const UINT_PTR kNextTimer = 2;
const UINT kTimerPeriod = 100;  // ms

// From the worker to the page, sent so that the worker waits for each.
const UINT kShowBar = WM_APP + 1;        // wParam: show (1) or hide (0)
const UINT kShowFailure = WM_APP + 2;    // stop the poll, hide the bar, say so
const UINT kStartAutomaticEnd = WM_APP + 3;

}  // namespace

CSetupProp3::CSetupProp3(CSetupDlg& frame)
    : CDialog(IDD_PROGRESS_PAGE), frame_(frame), art_(ImageStep3Art), succeeded_(false), completed_(false),
      launched_(false), finishReady_(false)
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
    case kShowBar:
        ShowWindow(g_progressBar, wParam ? SW_SHOW : SW_HIDE);
        return TRUE;
    case kShowFailure:
        OnShowFailure();
        return TRUE;
    case kStartAutomaticEnd:
        StartAutomaticNext();
        return TRUE;
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

int CSetupProp3::ArtFor(int position, int current)
{
    if (position >= 0 && position < 50) return ImageStep3Art;
    if (position >= 50 && position <= 100) return ImageStep3LateArt;
    return current;
}

void CSetupProp3::StartAutomaticNext() { SetTimer(hwnd_, kNextTimer, kTimerPeriod, nullptr); }

void CSetupProp3::OnTimer(UINT_PTR id)
{
    if (id == kPollTimer) OnPoll();
    if (id == kNextTimer) {
        KillTimer(hwnd_, kNextTimer);
        PostMessageA(frame_.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_NEXT, 0),
                     reinterpret_cast<LPARAM>(frame_.GetDlgItem(IDC_NEXT)));
    }
}

void CSetupProp3::OnPoll()
{
    // Success needs the worker's own word, not only a full bar: an install
    // that fails after the last archive entry leaves the bar at 100. One that
    // succeeds with the bar below (archives without entries) shows it full.
    bool succeeded = Succeeded();
    if (succeeded) SendMessageA(g_progressBar, PBM_SETPOS, 100, 0);
    int position = static_cast<int>(SendMessageA(g_progressBar, PBM_GETPOS, 0, 0));
    int art = ArtFor(position, art_);
    if (art != art_) {
        art_ = art;
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    if (succeeded) {
        KillTimer(hwnd_, kPollTimer);
        ShowWindow(g_progressBar, SW_HIDE);
        SetDlgItemTextA(hwnd_, IDC_STEP3_STATUS, "安装成功　　　　");
        finishReady_ = true;
        frame_.UpdateStep();
    }
}

int CSetupProp3::OnNext()
{
    launched_ = true;
    InstallLog("Prop3 Next begin");
    // A click on Next came before the automatic command; it is not needed now.
    KillTimer(hwnd_, kNextTimer);
    EnableWindow(frame_.GetDlgItem(IDC_BACK), FALSE);
    EnableWindow(frame_.GetDlgItem(IDC_NEXT), FALSE);
    EnableWindow(frame_.GetDlgItem(IDCANCEL), FALSE);

    CSetupInfo& info = TheSetupInfo();
    char oldFolder[PATH_BUF_SIZE];
    lstrcpynA(oldFolder, info.installdir, sizeof oldFolder);
    GetDlgItemTextA(frame_.DirectoryPage().GetSafeHwnd(), IDC_FOLDER, info.installdir, PATH_BUF_SIZE);
    if (strcmp(info.installdir, oldFolder) != 0) {
        RemoveOrCreateFolder(info.installdir);
        MoveDayLog(oldFolder, info.installdir);
        InstallLog("MoveLogFile");
        RemoveDirectoryA(oldFolder);
        InstallLog("Remove old Folder Path");
    }

    if (!frame_.CheckTargetFolder(info.installdir)) {
        frame_.EndDialog(IDOK);
        return 0;
    }
    frame_.EnableCloseCommand(false);
    g_installInfo = &info;
    HANDLE worker = CreateThread(nullptr, 0, InstallThreadProc, this, 0, nullptr);
    if (!worker) {
        SetCompleted(false);
        ExitDialog();
        return 0;
    }
    CloseHandle(worker);
    InstallLog("Prop3 Next end");
    return 1;
}

// The lines written so far follow the folder.
void CSetupProp3::MoveDayLog(const char* oldFolder, const char* newFolder)
{
    time_t now = time(nullptr);
    struct tm date;
    if (localtime_s(&date, &now) != 0) return;
    char oldLog[MAX_PATH], newLog[MAX_PATH];
    if (DayLogPath(oldLog, oldFolder, date) && DayLogPath(newLog, newFolder, date)) MoveFileA(oldLog, newLog);
}

void CSetupProp3::SetCompleted(bool succeeded)
{
    succeeded_ = succeeded;
    completed_.store(true, std::memory_order_release);
}

DWORD WINAPI CSetupProp3::InstallThreadProc(void* parameter)
{
    CSetupProp3* page = static_cast<CSetupProp3*>(parameter);
    SendMessageA(page->hwnd_, kShowBar, 1, 0);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    CInFileStream input(path);
    int result = g_installInfo->ExtraFileFromInfo(input);
    input.Close();
    if (result != 0) {
        page->SetCompleted(true);
        return 0;
    }
    InstallLog("Thread ExtraFileFromInfo Error");
    page->SetCompleted(false);
    page->ExitDialog();
    return static_cast<DWORD>(-1);
}

void CSetupProp3::ExitDialog()
{
    InstallLog("ExitDialog_Install failed");
    SendMessageA(hwnd_, kShowFailure, 0, 0);
    AfxMessageBox("安装失败!");
    // About 100 ms after the message the frame takes its finish branch and ends.
    SendMessageA(hwnd_, kStartAutomaticEnd, 0, 0);
}

void CSetupProp3::OnShowFailure()
{
    KillTimer(hwnd_, kPollTimer);
    ShowWindow(g_progressBar, SW_HIDE);
    SetDlgItemTextA(hwnd_, IDC_STEP3_STATUS, "安装失败　　　　");
    finishReady_ = true;
}
