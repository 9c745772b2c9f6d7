#pragma once
// Drives a running installer from another process, the way a user would:
// finds its windows, reads and clicks controls, answers message boxes,
// walks the folder picker's tree and reads pixels off the screen.
#include <windows.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

// Polls until condition holds or timeoutMs pass; whether it held.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

class InstallerProcess {
public:
    InstallerProcess() = default;
    ~InstallerProcess();  // ends the process if it still runs
    InstallerProcess(const InstallerProcess&) = delete;
    InstallerProcess& operator=(const InstallerProcess&) = delete;

    // Starts the program; false when it cannot be started.
    bool Start(const std::string& program);
    DWORD Id() const { return info_.dwProcessId; }
    // The exit code once the process has ended within timeoutMs, else
    // kStillRunning.
    static constexpr int kStillRunning = INT_MIN;
    int WaitForExit(int timeoutMs = 5000);
    bool Running() const;

    // The visible top-level dialog of the process whose owner is owner (null:
    // none), waited for up to timeoutMs; null when none appears.
    HWND WaitForDialog(HWND owner = nullptr, int timeoutMs = 5000) const;
    // The frame of the wizard: its visible top-level dialog without an owner.
    HWND WaitForWizard(int timeoutMs = 5000) const { return WaitForDialog(nullptr, timeoutMs); }

private:
    PROCESS_INFORMATION info_ = {};
};

// Every visible top-level #32770 window of the process.
std::vector<HWND> TopLevelDialogs(DWORD processId);

// A control by its id among the direct children of parent.
HWND Control(HWND parent, int id);
// The child dialog (a page) of frame that holds a control with this id.
HWND PageWith(HWND frame, int controlId);

// The window's text in the ANSI code page, read by message so that it works
// across processes.
std::string Text(HWND window);
bool Shown(HWND window);
// Whether the window and all its ancestors are enabled: what a user can click.
bool Clickable(HWND window);

// Clicks a button as a user would: only when it can be clicked; false when
// it cannot. The click is posted, so a handler that opens a modal window
// does not block the driver.
bool Click(HWND button);

// The text of a message box (its static 65535), or "" for another window.
std::string MessageBoxText(HWND box);
// Presses OK of a message box.
bool DismissMessageBox(HWND box);

// The position of window's top-left corner in the client area of other.
POINT PositionIn(HWND window, HWND other);
// The colour of the screen pixel at client point (x, y) of window.
COLORREF ScreenPixel(HWND window, int x, int y);

// Writes the whole screen as a 24-bit BMP file; false when it cannot.
bool SaveScreen(const std::string& path);

// The folder picker of the process (a #32770 with a SysTreeView32), or null.
HWND FindFolderPicker(DWORD processId, int timeoutMs = 5000);
// Selects the item of the picker's tree reached by following names from the
// root: at each level the first item whose text contains the name,
// expanding as it goes. False when a name is not found.
bool SelectInPicker(HWND picker, const std::vector<std::string>& names);
