#include "drivers/mfdcaller_win.h"

#include "app/global.h"
#include "drivers/ChooseMailer_win.h"
#include "drivers/ScriptInfo_win.h"
#include "drivers/mfdcaller.h"
#include "processing/PGPMain_win.h"
#include "winctl/WinExecW_win.h"
#include "winctl/winop_win.h"

#include <windows.h>

void ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void RunDriver(const std::string& request) {
    ProcessPendingMessages();
    WinExecAndWait32(DriverCommandLine(CurrentDriver, request), DriverShowMode,
                     DriverCreationFlags);
    ProcessPendingMessages();
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
        if (frmRunning)
            frmRunning->SetProgress(position);
    };
    ports.choose = [&chooser](const std::vector<std::string>&) {
        return chooser.ShowModal(frmRunning ? frmRunning->handle() : GetActiveWindow());
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
