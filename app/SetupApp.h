#pragma once
#include "SetupInfo.h"
#include "WinApp.h"

// The installer's application object: owns the one install description for
// the whole life of the process.
class CSetupApp : public CWinApp {
public:
    int InitInstance() override;

    // Fills info from the payload of the installer's own executable; 1.
    int LoadPayloadHeader(CSetupInfo* info);

    CSetupInfo info;
};

// The application object, taken as the installer's own; every piece of the
// program reaches the install description through it.
CSetupApp* TheSetupApp();
CSetupInfo& TheSetupInfo();

// Removes the folder when it exists and is empty, otherwise tries to create
// it (one level at most). Neither failure is reported.
void RemoveOrCreateFolder(const char* folder);
