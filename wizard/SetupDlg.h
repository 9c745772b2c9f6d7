#pragma once
#include "Dialog.h"
#include "SetupProp2.h"
#include "SetupProp3.h"

// The wizard's frame: banner, buttons and the three steps: 0 confirms, 1
// shows the directory page, 2 the progress page, which installs.
class CSetupDlg : public CDialog {
public:
    CSetupDlg();

    // Lays the controls out for the current step and, at step 2, for the
    // progress page's completion flag.
    void UpdateStep();
    // Greys or enables the Close command of the system menu (and so the
    // caption's close button).
    void EnableCloseCommand(bool enable);

    // Whether the install may go into folder: its drive a fixed disk with
    // 100 MB free and, where an earlier installation left its marker, no
    // program running from it. False after a message box has said why not.
    bool CheckTargetFolder(const char* folder);
    // Whether a running process has its executable directly in folder
    // (compared byte for byte: no change of case, no trailing backslash).
    static bool IsFolderInUse(const char* folder);

    int Step() const { return step_; }
    CSetupProp2& DirectoryPage() { return directoryPage_; }

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate() override;
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnNextButton();
    void OnBackButton();
    void OnPaint();
    INT_PTR OnCtlColor(HDC dc, HWND control);
    bool OnSysCommand(WPARAM command);

    void AddAboutItem();
    void SetCaption();
    void PlacePages();
    void ShowStepOneContent(bool show);

    CSetupProp2 directoryPage_;
    CSetupProp3 progressPage_;
    int step_;
    HICON icon_;
};
