// The small "PGP Running" window shown for the length of a processing run.
#pragma once

#include "drivers/mailerrun.h"

#include <windows.h>

#include <string>

class TfrmRunning : public RunProgress {
  public:
    // Creates the window by the cursor, shows it and lets pending messages run.
    explicit TfrmRunning(HWND owner);
    ~TfrmRunning();
    TfrmRunning(const TfrmRunning&) = delete;
    TfrmRunning& operator=(const TfrmRunning&) = delete;

    HWND handle() const { return window_; }
    void SetProgress(int position) override; // ProgressBar1, 0..100
    int Progress() const;
    // A second line under the panel: what the run waits for; empty takes it away.
    void SetWaiting(const std::string& text) override;
    WindowHandle Window() const override { return window_; }
    const std::string& Waiting() const { return waiting_; }

  private:
    void FormCreate();
    HWND window_ = nullptr;
    HWND progressBar1_ = nullptr;
    std::string waiting_;
    int baseHeight_ = 0;
};
