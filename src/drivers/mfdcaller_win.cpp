#include "drivers/mfdcaller_win.h"

#include "support/runstate.h"
#include "drivers/ChooseMailer_win.h"
#include "drivers/ScriptInfo_win.h"
#include "drivers/mfdcaller.h"
#include "support/deblog.h"
#include "support/msgbox.h"
#include "common/pump_win.h"
#include "common/unicode_win.h"
#include "winctl/WinExecW_win.h"
#include "winctl/lastwindow_win.h"
#include "winctl/winop_win.h"

#include <windows.h>

#include <cstdint>

unsigned DriverPatience = DriverPatienceMs;

namespace {

// Whether the driver's exit codes count; "<driver>=ignore" in the settings turns that off.
bool ChecksExitCodes(const std::string& driverFile) {
    wchar_t value[64] = L"";
    GetPrivateProfileStringW(Widen(DriverExitCodesSection).c_str(), Widen(driverFile).c_str(), L"",
                             value, 64, Widen(SettingsFile).c_str());
    return lstrcmpiW(value, Widen(IgnoreExitCodeValue).c_str()) != 0;
}

bool AskToEndDriver(const std::string& driverFile, const std::string& request) {
    return AskUser(DriverPatienceText(driverFile, request, DriverPatience / 1000),
                   MsgIcon::Confirmation, mbYes | mbNo) == mrYes;
}

void ReportDriverFailure(const std::string& driverFile, const std::string& request,
                         const WaitResult& result) {
    const std::string text = DriverFailureText(driverFile, request, result.end, result.exitCode);
    DebugLog("Driver failed: " + driverFile + " " + RequestName(request) + " end " +
             std::to_string(static_cast<int>(result.end)) + " code " +
             std::to_string(result.exitCode));
    // A probe or Details puts nothing of the message at stake; a failed launch was reported; a
    // program that is ending (Windows shutting down) shows no more boxes.
    if (!RequestMustSucceed(request) || result.end == DriverEnd::NotStarted ||
        result.end == DriverEnd::Abandoned)
        return;
    AskUser(text, MsgIcon::Error, mbOK);
}

} // namespace

bool RunDriver(MailerRun& run, const std::string& request) {
    const std::string& driver = run.CurrentDriver;
    if (run.Progress)
        run.Progress->SetWaiting(DriverWaitingText(driver, request));
    // The driver's keys and boxes need the foreground; the window the user was in before the
    // click is the one to read, whatever is in front now.
    ChildSetup setup;
    setup.lendForeground = true;
    if (RequestNamesWindow(request))
        if (HWND user = LastUserWindow()) {
            setup.variable = TargetWindowVariable;
            setup.value = TargetWindowValue(reinterpret_cast<std::uintptr_t>(user));
        }
    const WaitResult result = WinExecAndWaitPumped(
        DriverCommandLine(driver, request), DriverShowMode, DriverCreationFlags, DriverPatience,
        [&] { return AskToEndDriver(driver, request); }, DriverProgram(driver), setup);
    if (run.Progress)
        run.Progress->SetWaiting("");
    if (DriverRunFailed(result.end, result.exitCode, ChecksExitCodes(driver))) {
        ReportDriverFailure(driver, request, result);
        return false;
    }
    return true;
}

bool FindRunningMailer(MailerRun& run, bool showProgress) {
    TfrmChooseMailer chooser(run);
    MailerScanPorts ports;
    ports.runDriver = [&run](const std::string& request) { RunDriver(run, request); };
    ports.findWindowTitle = [](const std::string& text) {
        return FindWindowTitle(text, GetActiveWindow());
    };
    ports.setProgress = [&run](int position) {
        if (run.Progress)
            run.Progress->SetProgress(position);
    };
    ports.choose = [&run, &chooser](const std::vector<std::string>&) {
        return chooser.ShowModal(run.Progress ? static_cast<HWND>(run.Progress->Window())
                                              : GetActiveWindow());
    };
    return ScanForRunningMailer(showProgress, ports, run);
}

void ShowDriverDetails(const std::string& driverFile) {
    if (IsProgramDriverName(driverFile)) {
        MailerRun details; // outside any processing run: nothing shows its progress
        details.CurrentDriver = driverFile;
        RunDriver(details, "");
    } else {
        ShowScriptInfo(driverFile);
    }
}
