#pragma once
#include <windows.h>

#include <atomic>

#include "Dialog.h"

class CSetupDlg;

// The progress page (step 2): launches the install on a worker thread and
// follows it by polling the progress bar and the completion flag every
// 100 ms. The worker touches the page's windows only through messages, so
// that every window operation runs on the thread that owns the windows.
class CSetupProp3 : public CDialog {
public:
    explicit CSetupProp3(CSetupDlg& frame);

    bool CanLeave() const { return true; }

    // Takes the folder from the directory page, moves the day's log when it
    // changed, runs the checks and starts the worker. 1 when the worker
    // runs; 0 when the checks refused and the wizard is ending.
    int OnNext();
    // Whether OnNext has run: exactly one launch per wizard.
    bool Launched() const { return launched_; }
    // Set once, by the worker, when the engine has returned; its result is
    // stored before.
    bool Completed() const { return completed_.load(std::memory_order_acquire); }
    bool Succeeded() const { return Completed() && succeeded_; }
    // Whether the page has shown how the install ended (the success screen,
    // or the failure and its automatic end): only then may Next finish.
    bool FinishReady() const { return finishReady_; }

    // Timer 2: posts Next to the frame 100 ms from now.
    void StartAutomaticNext();

    // The artwork for a bar position: below 50 % the early one, from 50 %
    // the late one; current for a position outside 0 to 100.
    static int ArtFor(int position, int current);

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate() override;
    BOOL OnInitDialog() override;

private:
    static DWORD WINAPI InstallThreadProc(void* page);
    // Worker thread: the install failed.
    void ExitDialog();
    void SetCompleted(bool succeeded);

    void OnTimer(UINT_PTR id);
    void OnPoll();
    void OnPaint();
    void OnShowFailure();
    void MoveDayLog(const char* oldFolder, const char* newFolder);

    CSetupDlg& frame_;
    int art_;  // the image drawn: ImageStep3Art, from 50 % on ImageStep3LateArt
    bool succeeded_;
    std::atomic<bool> completed_;
    bool launched_;
    bool finishReady_;
};
