#include "app/startup_win.h"

#include "support/fileutil.h"

#include "app/datafolders_win.h"
#include "app/global.h"
#include "app/settings_win.h"
#include "app/startup.h"
#include "drivers/MFDDirectory.h"
#include "drivers/MFDDirectory_win.h"
#include "common/pump_win.h"
#include "drivers/mfdcaller_win.h"
#include "processing/pgpcontrol.h"
#include "support/command.h"
#include "support/deblog.h"
#include "support/error.h"
#include "support/msgbox.h"
#include "support/platform.h"
#include "support/readastr.h"
#include "app/settings.h"

PropsActions ProgramActions(TfrmProps*& form) {
    PropsActions actions; // the window's own defaults serve for the rest
    actions.timer1Timer = [&form] {
        if (form)
            Timer1Timer(*form);
    };
    return actions;
}

void FormCreate(TfrmProps& form) {
    PrivateProfile distInfo(ProgramDir + "DistInfo.Dat");
    DistributionText = ReadDistributionText(distInfo);

    TrayClickBusy = false;
    SuperDebug = false;
    TimerTicks = 0;
    ChooserIndex = 0;
    PgpCommandWindow = nullptr;

    const std::string commandLine = CommandLineText();
    DebugLog("Cmd: <" + commandLine + ">");
    SilentStart = HasSilentSwitch(commandLine);

    PumpPendingMessages();
    TrimDebugLog(ShowError);

    MfdDirectory = ChooseMfdDirectory(ReadMfdDirectory(), ProgramDir);
    const ExchangePlace exchange = ExchangePlaceOfThisUser();
    ExchangeFilePath = exchange.file;
    DebugLog("Exchange file: " + ExchangeFilePath);
    // A message left by a run that never ended (a crash, a kill, a logoff) goes now, here and
    // where earlier versions kept the file.
    for (const std::string& leftover : {ExchangeFilePath, DataFolder() + ExchangeFileName})
        if (platform::FileExists(leftover)) {
            DebugLog("Wiped an exchange file left over: " + leftover);
            WipeFile(leftover);
        }
    if (!exchange.plain)
        AskUser(NoPlainExchangeText(ExchangeFilePath), MsgIcon::Warning, mbOK);

    const std::string activeMailers = DataFolder() + "ActiveMailers.dat";
    form.FillMailerLists(platform::FileExists(activeMailers)
                             ? SplitListLines(ReadFileString(activeMailers))
                             : std::vector<std::string>());

    form.HidePropsWindow();
    StepCode = 4400;
    form.LoadSettings();
    form.ShowToolsButton(PgpToolsExists());
    StepCode = 4401;
    if (TipEnabled)
        form.SetShowTipsChecked(true);
    StepCode = 4403;
    form.RefreshControls();
    StepCode = 4404;
    if (HasInvisibleSwitch(commandLine))
        form.HidePropsWindow();
    StepCode = 4405;
    form.HidePropsWindow();
    StepCode = 4406;
    if (TipEnabled && !SilentStart)
        form.Actions().showTipOfTheDay();
    StepCode = 4407;
    form.FillAboutText();
    PumpPendingMessages();
    StepCode = 4408;
    DebugLog(form.AboutText());
    form.TaskIcon1().SetActive(true);
    StepCode = 4409;
    PrivateProfile settings(SettingsFile);
    try {
        if (TrayHintDue(settings.ReadString("General", TrayHintKey, "")) &&
            form.TaskIcon1().ShowBalloon(TrayHintTitle, TrayHintText)) {
            settings.WriteString("General", TrayHintKey, "1");
            DebugLog("Showed where the tray icon is");
        }
    } catch (const FileError&) {
        // Shown again next time: a hint is no reason for an error box.
    }
}

void Timer1Timer(TfrmProps& form) {
    const std::string flag = ProgramDir + "Installer.Flg";
    if (platform::FileExists(flag)) {
        platform::DeleteFileAt(flag);
        PostQuitMessage(0);
    }
    if (TimerTickIsDaily(TimerTicks)) {
        TrimDebugLog(ShowError);
        if (TipEnabled)
            form.Actions().showTipOfTheDay();
    }
}

int RunMessageLoop(TfrmProps& form) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (form.PreTranslateMessage(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
