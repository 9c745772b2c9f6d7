#pragma once
// The application object: exactly one instance exists, constructed before the
// program's entry runs; the entry calls its start-up hook once and ends the
// process when the hook returns.

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up hook. Returning false ends the process without a message loop.
    virtual int InitInstance();
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();
