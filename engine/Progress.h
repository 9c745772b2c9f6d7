#pragma once
#include <windows.h>

class CSetupInfo;

// Set by the progress page before it starts the install worker, read by the
// worker: the page's progress bar (range 0 to 100) and the description to
// install from.
extern HWND g_progressBar;
extern CSetupInfo* g_installInfo;

// Moves the bar and waits until its thread has handled the move. Without a
// bar nothing happens.
void SetProgress(int position);
