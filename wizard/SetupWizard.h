#pragma once
// Shows the wizard, modal, as the application's main window, and returns
// its result when it has closed: IDOK after Finish (or a refused or failed
// install), IDCANCEL when the user quit.
int RunSetupWizard();
