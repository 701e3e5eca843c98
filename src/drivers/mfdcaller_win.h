// Runs of the Mail Form Drivers and the search for the running mail client.
#pragma once

#include <string>

// Lets the program handle the window messages that are waiting (a WM_QUIT is kept for the
// main loop).
void ProcessPendingMessages();

// Runs CurrentDriver with the request and returns when its process has ended.
void RunDriver(const std::string& request);

// Finds the running mail client of the Active list, asking the user when there are several;
// true when the processing run must be abandoned. Uses frmChooseMailer (made when missing) and,
// with showProgress, the run's frmRunning.
bool FindRunningMailer(bool showProgress);

// The Details command: program drivers are run with the empty request, scripts show their
// description.
void ShowDriverDetails(const std::string& driverFile);
