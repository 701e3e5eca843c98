// What a driver run shows while the processing run waits for it: the run's progress and the line
// that names the driver. The processing run's window implements it; drivers know no window.
#pragma once

#include "support/runstate.h"

#include <string>

class RunProgress {
  public:
    virtual ~RunProgress() = default;
    virtual void SetProgress(int position) = 0;
    virtual void SetWaiting(const std::string& text) = 0;
    // The window that owns the boxes and the chooser of the run.
    virtual WindowHandle Window() const = 0;
};

// The progress of the run in progress; nullptr between runs.
extern RunProgress* ActiveRunProgress;
