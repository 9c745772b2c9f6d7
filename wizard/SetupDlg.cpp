#include "SetupDlg.h"

#include "AboutDlg.h"
#include "Gdi.h"
#include "InstallLog.h"
#include "SetupApp.h"
#include "TestSeams.h"
#include "WizardIds.h"
#include "WizardLook.h"

CSetupDlg::CSetupDlg()
    : CDialog(IDD_SETUP_DIALOG), progressPage_(*this), step_(0),
      icon_(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)))
{
}

INT_PTR CSetupDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam);
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(icon_);
#ifdef SETUP_TEST_SEAMS
    case kTestCloseState: {
        HMENU menu = GetSystemMenu(hwnd_, FALSE);
        SetResult(menu ? !(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) : -1);
        return TRUE;
    }
#endif
    }
    return CDialog::OnMessage(message, wParam, lParam);
}

void CSetupDlg::OnCommand(int id, int code, HWND control)
{
    switch (id) {
    case IDC_NEXT:
        OnNextButton();
        return;
    case IDC_BACK:
        OnBackButton();
        return;
    }
    CDialog::OnCommand(id, code, control);
}

int CSetupDlg::OnCreate()
{
    directoryPage_.Create(hwnd_);
    progressPage_.Create(hwnd_);
    // Above the placeholder they cover, and first in the Tab order.
    CDialog* pages[] = {&directoryPage_, &progressPage_};
    for (CDialog* page : pages) {
        SetWindowPos(page->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ShowWindow(page->GetSafeHwnd(), SW_HIDE);
    }
    return 0;
}

BOOL CSetupDlg::OnInitDialog()
{
    AddAboutItem();
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    SetCaption();
    PlacePages();
    return TRUE;
}

void CSetupDlg::AddAboutItem()
{
    HMENU menu = GetSystemMenu(hwnd_, FALSE);
    if (!menu) return;
    char text[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text);
    if (text[0] == '\0') return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

// "title version ", the trailing blank included.
void CSetupDlg::SetCaption()
{
    const CSetupInfo& info = TheSetupInfo();
    char caption[2 * PATH_BUF_SIZE + 2];
    lstrcpyA(caption, info.title);
    lstrcatA(caption, " ");
    lstrcatA(caption, info.version);
    lstrcatA(caption, " ");
    SetWindowTextA(hwnd_, caption);
}

void CSetupDlg::PlacePages()
{
    RECT area;
    GetClientRect(GetDlgItem(IDC_PAGE_AREA), &area);
    CDialog* pages[] = {&directoryPage_, &progressPage_};
    for (CDialog* page : pages)
        MoveWindow(page->GetSafeHwnd(), 0, kPageTop, area.right, area.bottom, TRUE);
}

void CSetupDlg::OnNextButton()
{
    InstallLog("Instal Btn");
    switch (step_) {
    case 0:
        step_ = 1;
        InstallLog("Install Step 1");
        UpdateStep();
        break;
    case 1:
        if (!directoryPage_.CanLeave() || !directoryPage_.AcceptsFolder()) break;
        step_ = 2;
        InstallLog("Install Step 2");
        UpdateStep();
        break;
    case 2:
        if (progressPage_.Completed()) {
            // A command that was already on its way when the install was
            // launched must not skip the success screen.
            if (!progressPage_.FinishReady() || !progressPage_.CanLeave()) break;
            InstallLog("Finish Install");
            CDialog::OnOK();
        } else if (!progressPage_.Launched()) {
            // A click on Next just before the automatic command launches
            // first; the command that follows must not launch again.
            InstallLog("Install Step 3");
            progressPage_.OnNext();
        }
        break;
    }
}

void CSetupDlg::OnBackButton()
{
    switch (step_) {
    case 1:
        if (!directoryPage_.CanLeave()) break;
        step_ = 0;
        InstallLog("Back to Step 1");
        UpdateStep();
        break;
    case 2:
        if (!progressPage_.CanLeave()) break;
        step_ = 1;
        InstallLog("Back to Step 2");
        UpdateStep();
        break;
    }
}

// The frame has no OK button: it ends with IDOK only through Finish.
void CSetupDlg::OnOK() {}

// Esc, Alt+F4, the Close command and WM_CLOSE all arrive as IDCANCEL. While
// the install runs Cancel is disabled, and the wizard must stay open even
// when a system (Wine) or a script delivers them all the same.
void CSetupDlg::OnCancel()
{
    if (IsWindowEnabled(GetDlgItem(IDCANCEL))) CDialog::OnCancel();
}

void CSetupDlg::ShowStepOneContent(bool show)
{
    ShowWindow(GetDlgItem(IDC_STEP1_ART), show ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(IDC_STEP1_HEADING), show ? SW_SHOW : SW_HIDE);
}

void CSetupDlg::UpdateStep()
{
    HWND back = GetDlgItem(IDC_BACK), next = GetDlgItem(IDC_NEXT), cancel = GetDlgItem(IDCANCEL);
    HWND directory = directoryPage_.GetSafeHwnd(), progress = progressPage_.GetSafeHwnd();
    switch (step_) {
    case 0:
        ShowWindow(directory, SW_HIDE);
        ShowWindow(progress, SW_HIDE);
        SetWindowTextA(back, "上一步");
        ShowWindow(back, SW_HIDE);
        SetWindowTextA(next, "开始安装");
        ShowWindow(next, SW_SHOW);
        ShowStepOneContent(true);
        break;
    case 1:
        ShowWindow(directory, SW_SHOW);
        ShowWindow(progress, SW_HIDE);
        SetWindowTextA(back, "上一步");
        ShowWindow(back, SW_SHOW);
        EnableWindow(back, TRUE);
        SetWindowTextA(next, "下一步");
        ShowWindow(next, SW_SHOW);
        EnableWindow(next, TRUE);
        ShowStepOneContent(false);
        break;
    case 2:
        ShowWindow(directory, SW_HIDE);
        ShowWindow(progress, SW_SHOW);
        SetWindowTextA(back, "上一步");
        if (!progressPage_.Completed()) {
            EnableWindow(back, TRUE);
            SetWindowTextA(next, "下一步");
            EnableWindow(next, TRUE);
            progressPage_.StartAutomaticNext();
        } else {
            EnableWindow(back, FALSE);
            SetWindowTextA(next, "完成");
            EnableWindow(next, TRUE);
            ShowWindow(cancel, SW_HIDE);
            EnableWindow(cancel, TRUE);
            EnableCloseCommand(true);
        }
        ShowStepOneContent(false);
        break;
    }
}

// By its command rather than by its place: Wine's system menu, like
// Windows', holds Close at position 6, but a menu that another program or a
// later system extends may not.
void CSetupDlg::EnableCloseCommand(bool enable)
{
    HMENU menu = GetSystemMenu(hwnd_, FALSE);
    if (menu) EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void CSetupDlg::OnPaint()
{
    if (IsIconic(hwnd_)) {
        CPaintDC dc(hwnd_);
        SendMessageA(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.hdc), 0);
        RECT client;
        GetClientRect(hwnd_, &client);
        int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc.hdc, x, y, icon_);
        return;
    }
    CPaintDC dc(hwnd_);
    FillWizardBackground(hwnd_, dc.hdc);
    DrawPackedImage(GetDlgItem(IDC_BANNER), ImageBanner);
    DrawPackedImage(GetDlgItem(IDC_STEP1_ART), ImageStep1Art);
}

INT_PTR CSetupDlg::OnCtlColor(HDC dc, HWND control)
{
    switch (GetDlgCtrlID(control)) {
    case IDC_BANNER:
    case IDC_STEP1_ART:
    case IDC_PAGE_AREA:
    case IDC_STEP1_HEADING:
        return TransparentOnWizardGrey(dc);
    }
    return FALSE;
}

bool CSetupDlg::OnSysCommand(WPARAM command)
{
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    CAboutDlg about;
    about.DoModal();
    return true;
}
