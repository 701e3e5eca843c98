// The processing run and the return of its result to the mail client.
#pragma once

#include "drivers/mailerrun.h"
#include "processing/PGPMain.h"
#include "processing/running_win.h"

#include <memory>
#include <string>

// One processing run, made by MainPGP and handed to each of its steps: the mail client and its
// driver, the "PGP Running" window, and what the write-back must know. Gone when the run ends.
struct ProcessingRun {
    explicit ProcessingRun(ProcessingHost& host) : Host(host) {}
    ProcessingRun(const ProcessingRun&) = delete;
    ProcessingRun& operator=(const ProcessingRun&) = delete;

    ProcessingHost& Host;
    MailerRun Mailer;
    std::unique_ptr<TfrmRunning> frmRunning; // "PGP Running" while the run shows it
    // The driver declared UTF-8: the result goes back to it the same way.
    bool DriverTakesUtf8 = false;
    // The result did not reach the mail client and is left on the clipboard for the user.
    bool ResultLeftOnClipboard = false;
};

// The host the next runs use; nullptr stands for a host without a window. Returns the one
// in place before.
ProcessingHost* SetProcessingHost(ProcessingHost* host);

// One processing run on the message open in the mail client.
void MainPGP(bool routine);

// Whether a processing run is in progress.
bool RunInProgress();
// The "PGP Running" window of the run in progress, else nullptr.
TfrmRunning* RunningForm();
// During a run: a beep and a line in the log, true (the trigger must start nothing).
bool RefuseRunWhileBusy();

// The change handler of txtClipboardReceiver: a non-empty text is written to the exchange file
// and put into the mail client by the run's CurrentDriver.
void ReturnResultToMailer(ProcessingRun& run, const std::string& text);
