// Running Mail Form Drivers: their command lines, the probe of the active drivers for a running
// mail client, and the lines of the chooser. The launch and the window search are behind
// MailerScanPorts; mfdcaller_win.h gives the real ones.
#pragma once

#include "drivers/mailerrun.h"
#include "winctl/WinExecW.h"

#include <functional>
#include <string>
#include <vector>

// The request texts that follow the driver on its command line.
extern const char* const DataFileRequest;  // "Data File=": probe
extern const char* const ReadFileRequest;  // "read File=": copy the message out
extern const char* const WriteFileRequest; // "Write File=": put the text back
// The first line of every report of a read that brought nothing.
extern const char* const NoDataText; // "Couldn't get data from your e-mail program"

// Show mode and creation flags of a driver run: a normal window, normal priority.
constexpr unsigned DriverShowMode = 1;
constexpr unsigned DriverCreationFlags = 0x20;

// How long a driver may work before the user is offered to end it (and again after each "no").
constexpr unsigned DriverPatienceMs = 30000;

// In the settings file: "<driver file>=ignore" in this section turns the exit-code check off for a
// driver known to return meaningless codes. A crash still fails its request.
extern const char* const DriverExitCodesSection; // "Driver Exit Codes"
extern const char* const IgnoreExitCodeValue;    // "ignore"

using DriverEnd = WaitEnd;

// A Windows exception code (an error status, 0xC0000000 and up): the driver crashed.
bool IsCrashCode(unsigned long exitCode);
// Whether the driver's run failed its request; checkExitCodes false counts only crashes.
bool DriverRunFailed(DriverEnd end, unsigned long exitCode, bool checkExitCodes);
// Only a failed read or write can cost the user's message: a failed probe or Details run is logged.
bool RequestMustSucceed(const std::string& request);
// Whether the driver is told the window the user last worked in: for the probe and the read. A
// write goes back to the window read, which the driver remembers itself; Details reads nothing.
bool RequestNamesWindow(const std::string& request);
// The request's name for reports: "read File=", "Write File=", "Data File=" or "Details".
std::string RequestName(const std::string& request);
// The report of a failed request: names the driver, the request and how it ended.
std::string DriverFailureText(const std::string& driverFile, const std::string& request,
                              DriverEnd end, unsigned long exitCode);
// The line of the "PGP Running" window while a driver works.
std::string DriverWaitingText(const std::string& driverFile, const std::string& request);
// The question after DriverPatienceMs.
std::string DriverPatienceText(const std::string& driverFile, const std::string& request,
                               unsigned seconds);

// Help context of the box shown when no active mail client runs.
constexpr unsigned NoMailersHelpContext = 9003;

// A script when ".mfs" occurs anywhere in the name, letter case ignored.
bool IsMailFormScript(const std::string& driverFile);
// Program drivers for the Details command: the name holds ".EXE" in capitals.
bool IsProgramDriverName(const std::string& driverFile);

// Scripts go to the engine beside the program, named as the catalogue writes them; programs run
// from MfdDirectory. Nothing is quoted; an empty request leaves a trailing blank.
std::string DriverCommandLine(const std::string& driverFile, const std::string& request);
// The program file the command line starts, named exactly: the script engine or the driver.
std::string DriverProgram(const std::string& driverFile);

// Information, " / ", the window title, 200 blanks, the driver file.
std::string ChooserEntry(const std::string& information, const std::string& windowTitle,
                         const std::string& driverFile);

// Position of the progress bar while driver i of n is probed.
int ScanProgressPosition(int i, int n);

// "No mailers in the Wextor 5 "Active" list are running. ..."
std::string NoMailersText();

struct MailerScanPorts {
    std::function<void(const std::string& request)> runDriver; // runs the run's CurrentDriver
    // Title of the first window whose title contains the text; empty when none.
    std::function<std::string(const std::string& text)> findWindowTitle;
    std::function<void(int position)> setProgress;
    // Shows the chooser with the lines; true when the user chose one (the run's CurrentDriver
    // set).
    std::function<bool(const std::vector<std::string>& lines)> choose;
};

// Probes ActiveDriverFiles until a mail client is chosen or the user gives up; true: the run
// must be abandoned. On false the run's CurrentDriver names the driver to work with; its
// ChooserLines hold the lines of the last scan.
bool ScanForRunningMailer(bool showProgress, const MailerScanPorts& ports, MailerRun& run);
