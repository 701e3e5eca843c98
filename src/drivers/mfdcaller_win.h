// Runs of the Mail Form Drivers and the search for the running mail client.
#pragma once

#include "drivers/mailerrun.h"

#include <string>

// Runs the run's CurrentDriver with the request and returns when its process has ended; window
// messages go on being handled meanwhile. False when the request failed (a crash, a non-zero exit
// code unless the settings say to ignore this driver's codes, or the user ended it); the failure of
// a read or a write has been reported to the user, that of a probe or Details only logged.
bool RunDriver(MailerRun& run, const std::string& request);
// The patience in use (DriverPatienceMs; tests shorten it).
extern unsigned DriverPatience;

// Finds the running mail client of the Active list, asking the user when there are several;
// true when the processing run must be abandoned. With showProgress the run's progress follows
// the scan.
bool FindRunningMailer(MailerRun& run, bool showProgress);

// The Details command: program drivers are run with the empty request, scripts show their
// description.
void ShowDriverDetails(const std::string& driverFile);
