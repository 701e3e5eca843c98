#include "drivers/mfdcaller_win.h"

#include "support/runstate.h"
#include "drivers/ChooseMailer_win.h"
#include "drivers/ScriptInfo_win.h"
#include "drivers/mfdcaller.h"
#include "drivers/runprogress.h"
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
RunProgress* ActiveRunProgress = nullptr;

namespace {

// Whether the driver's exit codes count; "<driver>=ignore" in the settings turns that off.
bool ChecksExitCodes(const std::string& driverFile) {
    wchar_t value[64] = L"";
    GetPrivateProfileStringW(Widen(DriverExitCodesSection).c_str(), Widen(driverFile).c_str(), L"",
                             value, 64, Widen(SettingsFile).c_str());
    return lstrcmpiW(value, Widen(IgnoreExitCodeValue).c_str()) != 0;
}

bool AskToEndDriver(const std::string& request) {
    MsgBoxRequest box;
    box.text = DriverPatienceText(CurrentDriver, request, DriverPatience / 1000);
    box.caption = ApplicationTitle;
    box.icon = MsgIcon::Confirmation;
    box.buttons = mbYes | mbNo;
    return ShowMessageBox(box) == mrYes;
}

void ReportDriverFailure(const std::string& request, const WaitResult& result) {
    const std::string text = DriverFailureText(CurrentDriver, request, result.end, result.exitCode);
    DebugLog("Driver failed: " + CurrentDriver + " " + RequestName(request) + " end " +
             std::to_string(static_cast<int>(result.end)) + " code " +
             std::to_string(result.exitCode));
    // A probe or Details puts nothing of the message at stake; a failed launch was reported; a
    // program that is ending (Windows shutting down) shows no more boxes.
    if (!RequestMustSucceed(request) || result.end == DriverEnd::NotStarted ||
        result.end == DriverEnd::Abandoned)
        return;
    MsgBoxRequest box;
    box.text = text;
    box.caption = ApplicationTitle;
    box.icon = MsgIcon::Error;
    box.buttons = mbOK;
    ShowMessageBox(box);
}

} // namespace

bool RunDriver(const std::string& request) {
    if (ActiveRunProgress)
        ActiveRunProgress->SetWaiting(DriverWaitingText(CurrentDriver, request));
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
        DriverCommandLine(CurrentDriver, request), DriverShowMode, DriverCreationFlags,
        DriverPatience, [&request] { return AskToEndDriver(request); },
        DriverProgram(CurrentDriver), setup);
    if (ActiveRunProgress)
        ActiveRunProgress->SetWaiting("");
    if (DriverRunFailed(result.end, result.exitCode, ChecksExitCodes(CurrentDriver))) {
        ReportDriverFailure(request, result);
        return false;
    }
    return true;
}

bool FindRunningMailer(bool showProgress) {
    if (!frmChooseMailer)
        frmChooseMailer = std::make_unique<TfrmChooseMailer>();
    TfrmChooseMailer& chooser = *frmChooseMailer;
    MailerScanPorts ports;
    ports.runDriver = RunDriver;
    ports.findWindowTitle = [](const std::string& text) {
        return FindWindowTitle(text, GetActiveWindow());
    };
    ports.setProgress = [](int position) {
        if (ActiveRunProgress)
            ActiveRunProgress->SetProgress(position);
    };
    ports.choose = [&chooser](const std::vector<std::string>&) {
        return chooser.ShowModal(ActiveRunProgress ? static_cast<HWND>(ActiveRunProgress->Window())
                                                   : GetActiveWindow());
    };
    return ScanForRunningMailer(showProgress, ports, chooser.Lines());
}

void ShowDriverDetails(const std::string& driverFile) {
    if (IsProgramDriverName(driverFile)) {
        CurrentDriver = driverFile;
        RunDriver("");
    } else {
        ShowScriptInfo(driverFile);
    }
}
