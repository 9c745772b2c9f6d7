#pragma once
#include "Dialog.h"

// The directory page (step 1): the install folder in an edit box, which the
// user may type into or fill through the folder picker. The page never
// writes the folder back; the install launch reads the edit box.
class CSetupProp2 : public CDialog {
public:
    CSetupProp2();

    bool CanLeave() const { return true; }
    // Whether the edit box names a folder to install into; otherwise a
    // message box says so and the user stays on this page to correct it.
    bool AcceptsFolder();

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnCommand(int id, int code, HWND control) override;

private:
    void OnPreView();
    void OnPaint();
};
