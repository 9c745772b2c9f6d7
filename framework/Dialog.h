#pragma once
// Dialogs from templates in the program's resources, modal or as child
// windows of another dialog. One dialog procedure serves them all: it keeps
// the object in DWLP_USER and hands every message to the object's OnMessage,
// where a dialog class names, in one switch, the messages it handles and the
// handler each one calls; the rest go on to CDialog::OnMessage:
//
//     INT_PTR CMyDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
//     {
//         switch (message) {
//         case WM_PAINT: OnPaint(); return TRUE;
//         }
//         return CDialog::OnMessage(message, wParam, lParam);
//     }
//
// Results follow the rules of a dialog procedure: TRUE for a handled message
// (with SetResult for a value), FALSE for the dialog manager's default;
// WM_INITDIALOG, WM_CTLCOLOR* and WM_QUERYDRAGICON return their value itself.
#include <windows.h>

class CDialog {
public:
    explicit CDialog(int templateId);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog and returns the value given to EndDialog, or -1 when
    // its window cannot be made. Without a parent the application's main
    // window owns it.
    INT_PTR DoModal(HWND parent = nullptr);
    // Makes the dialog a child window of parent; false when it cannot.
    bool Create(HWND parent);

    HWND GetSafeHwnd() const { return hwnd_; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(hwnd_, id); }
    void EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

protected:
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // A dialog procedure never sees WM_CREATE: OnCreate runs when the window
    // first reaches it, before OnInitDialog, with the template's controls
    // made. -1 ends the dialog.
    virtual int OnCreate() { return 0; }
    // TRUE lets the dialog manager put the focus on the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    // Sends IDOK to OnOK and IDCANCEL to OnCancel.
    virtual void OnCommand(int id, int code, HWND control);
    // A modal dialog ends with IDOK or IDCANCEL; a child dialog ignores both.
    virtual void OnOK();
    virtual void OnCancel();

    void SetResult(LRESULT result) { SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result); }

    HWND hwnd_;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CenterOverOwner();

    int templateId_;
    bool modal_;
};
