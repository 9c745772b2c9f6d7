#include "SetupApp.h"
#include "SetupWizard.h"

// The installer's one application object; its start-up runs the wizard.
CSetupApp theApp(RunSetupWizard);
