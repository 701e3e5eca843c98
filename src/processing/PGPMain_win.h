// The processing run and the return of its result to the mail client.
#pragma once

#include "processing/PGPMain.h"
#include "processing/running_win.h"

#include <string>

// The "PGP Running" window while a run is in progress, else nullptr.
extern TfrmRunning* frmRunning;

// The host the next runs use; nullptr stands for a host without a window. Returns the one
// in place before.
ProcessingHost* SetProcessingHost(ProcessingHost* host);

// One processing run on the message open in the mail client.
void MainPGP(bool routine);

// Whether a processing run is in progress.
bool RunInProgress();
// During a run: a beep and a line in the log, true (the trigger must start nothing).
bool RefuseRunWhileBusy();

// The change handler of txtClipboardReceiver: a non-empty text is written to the exchange file
// and put into the mail client by CurrentDriver.
void ReturnResultToMailer(const std::string& text);
