#pragma once
// Messages that only a test build of the installer understands (built with
// SETUP_TEST_SEAMS): they let a test driver in another process reach state
// that no control shows.
#include <windows.h>

// To the frame: its result is 1 while the Close command of the frame's
// system menu is enabled, 0 while it is greyed, -1 when there is no menu.
const UINT kTestCloseState = WM_APP + 0x52;
