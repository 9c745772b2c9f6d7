#include "Dialog.h"

#include "WinApp.h"

CDialog::CDialog(int templateId) : hwnd_(nullptr), templateId_(templateId), modal_(false) {}

CDialog::~CDialog()
{
    if (hwnd_) SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
}

INT_PTR CDialog::DoModal(HWND parent)
{
    CWinApp* app = AfxGetApp();
    if (!parent && app && app->mainWindow && app->mainWindow != this) parent = app->mainWindow->GetSafeHwnd();
    modal_ = true;
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent)
{
    modal_ = false;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    }
    return FALSE;
}

void CDialog::OnCommand(int id, int, HWND)
{
    if (id == IDOK) OnOK();
    if (id == IDCANCEL) OnCancel();
}

void CDialog::OnOK()
{
    if (modal_) EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    if (modal_) EndDialog(IDCANCEL);
}

// A dialog that leaves its template's place to the system appears at the
// top left of the screen; like the dialogs of other Windows programs it is
// put in the middle of its owner, or of the screen's work area.
void CDialog::CenterOverOwner()
{
    RECT box, over;
    GetWindowRect(hwnd_, &box);
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &over);
    else
        over = monitor.rcWork;
    int width = box.right - box.left, height = box.bottom - box.top;
    int x = over.left + (over.right - over.left - width) / 2;
    int y = over.top + (over.bottom - over.top - height) / 2;
    const RECT& work = monitor.rcWork;
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->hwnd_ = window;
        if (dialog->OnCreate() == -1) {
            if (dialog->modal_)
                ::EndDialog(window, -1);
            else
                DestroyWindow(window);
            return FALSE;
        }
        INT_PTR focus = dialog->OnMessage(message, wParam, lParam);
        if (dialog->modal_) dialog->CenterOverOwner();
        return focus;
    }
    CDialog* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        dialog->hwnd_ = nullptr;
        return FALSE;
    }
    return dialog->OnMessage(message, wParam, lParam);
}
