#pragma once
// Shows the wizard, modal, as the application's main window, and returns
// when it has closed.
void RunSetupWizard();
