#pragma once
#include "SetupInfo.h"
#include "WinApp.h"

// The installer's application object: owns the one install description for
// the whole life of the process. Its start-up reads the payload, prepares
// the default install folder and runs the wizard it was given, whose result
// becomes the exit code (-1 for a damaged installer).
class CSetupApp : public CWinApp {
public:
    typedef int (*Wizard)();
    explicit CSetupApp(Wizard wizard = nullptr);

    int InitInstance() override;

    // Fills info from the payload of the installer's own executable. 1 when
    // the payload is whole and sound: read to its end within the file, the
    // header within its limits, and the five images that the wizard shows
    // present and drawable; 0 otherwise.
    int LoadPayloadHeader(CSetupInfo* info);

    CSetupInfo info;

private:
    Wizard wizard_;
};

// The application object, taken as the installer's own; every piece of the
// program reaches the install description through it.
CSetupApp* TheSetupApp();
CSetupInfo& TheSetupInfo();

// Removes the folder when it exists and is empty, otherwise tries to create
// it (one level at most). Neither failure is reported.
void RemoveOrCreateFolder(const char* folder);
