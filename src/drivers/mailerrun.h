// What a processing run holds of the mail client it works with: the driver chosen, the lines of
// its last scan, and what shows the run's progress. The processing run makes one and hands it to
// every driver run and to the chooser; nothing of it outlives the run.
#pragma once

#include "support/runstate.h"

#include <string>
#include <vector>

// What a driver run shows while the processing run waits for it. The processing run's window
// implements it; drivers know no window.
class RunProgress {
  public:
    virtual ~RunProgress() = default;
    virtual void SetProgress(int position) = 0;
    virtual void SetWaiting(const std::string& text) = 0;
    // The window that owns the boxes and the chooser of the run.
    virtual WindowHandle Window() const = 0;
};

struct MailerRun {
    std::string CurrentDriver;             // driver file of the mail client chosen for this run
    std::vector<std::string> ChooserLines; // of the last scan, in the order it added them
    RunProgress* Progress = nullptr;       // nullptr: nothing shows the run
};
