#include "SetupApp.h"

// The installer's one application object.
CSetupApp theApp;
