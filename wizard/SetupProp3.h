#pragma once
#include <atomic>

#include "Dialog.h"

class CSetupDlg;

// The progress page (step 2): launches the install and follows it by polling
// the progress bar and the completion flag every 100 ms.
class CSetupProp3 : public CDialog {
public:
    explicit CSetupProp3(CSetupDlg& frame);

    bool CanLeave() const { return true; }

    // Starts the install. 1 when the worker runs, 0 otherwise.
    int OnNext();
    // Whether OnNext has run: exactly one launch per wizard.
    bool Launched() const { return launched_; }
    // Set once, by the worker, when the engine has returned.
    bool Completed() const { return completed_.load(std::memory_order_acquire); }

    // Timer 2: posts Next to the frame 100 ms from now.
    void StartAutomaticNext();

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate() override;
    BOOL OnInitDialog() override;

private:
    void OnTimer(UINT_PTR id);
    void OnPoll();
    void OnPaint();

    CSetupDlg& frame_;
    int art_;  // the image drawn: ImageStep3Art, from 50 % on ImageStep3LateArt
    std::atomic<bool> completed_;
    bool launched_;
};
