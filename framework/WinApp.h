#pragma once
// The application object: exactly one instance exists, constructed before the
// program's entry runs; the entry calls its start-up hook once and ends the
// process when the hook returns.
#include <windows.h>

class CDialog;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up hook. Returning false ends the process without a message
    // loop, with exitCode as the process's exit code.
    virtual int InitInstance();

    // The running executable's file name without its extension: the caption
    // of the program's message boxes.
    const char* AppName();

    // The dialog that owns message boxes and the modal dialogs opened
    // without a parent; null until the program names one.
    CDialog* mainWindow;
    int exitCode;

private:
    char appName_[MAX_PATH];
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();

// A message box captioned with the application's name and owned by its main
// window. A type that asks for no icon gets the exclamation mark.
int AfxMessageBox(const char* text, UINT type = MB_OK);
