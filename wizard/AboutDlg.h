#pragma once
#include "Dialog.h"
#include "WizardIds.h"

// The About box of the frame's system menu; its OK button ends it.
class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
