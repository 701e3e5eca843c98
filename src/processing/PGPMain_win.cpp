#include "processing/PGPMain_win.h"

#include "common/clipsave_win.h"
#include "common/pump_win.h"
#include "drivers/mfdcaller.h"
#include "drivers/mfdcaller_win.h"
#include "drivers/mfdfile.h"
#include "processing/armour.h"
#include "processing/clipboard_win.h"
#include "processing/pgpcontrol.h"
#include "processing/pgpcontrol_win.h"
#include "processing/textcode.h"
#include "support/deblog.h"
#include "support/error.h"
#include "support/fileutil.h"
#include "support/flagscope.h"
#include "support/msgbox.h"
#include "support/platform.h"

#include <windows.h>

#include <exception>
#include <memory>

namespace {

class WindowlessHost : public ProcessingHost {
  public:
    void HidePropsWindow() override {}
    WindowHandle ActiveForm() override { return nullptr; }
    const ProcessingSettingsView& Settings() override { return settings_; }
    void SetClipboardReceiverText(ProcessingRun& run, const std::string& text) override {
        ReturnResultToMailer(run, text);
    }

  private:
    ProcessingSettings settings_;
};

WindowlessHost windowlessHost;
ProcessingHost* currentHost = &windowlessHost;

// The run in progress: a trigger while it lasts starts nothing.
ProcessingRun* activeRun = nullptr;

// However an outgoing run ends (done, PGP failed or cancelled, a driver failed, an error), the
// clipboard then holds what the user had, and no plaintext of the message; only a result that
// did not reach the mail client stays there. Without a copy (the clipboard was busy), the
// message is at least taken off it.
class UserClipboardScope {
  public:
    UserClipboardScope(const ProcessingRun& run, const SavedClipboard* saved, bool outgoing)
        : run_(run), saved_(saved), outgoing_(outgoing) {}
    ~UserClipboardScope() {
        if (!outgoing_ || run_.ResultLeftOnClipboard)
            return;
        try {
            if (!saved_ || !saved_->Restore(ClipboardOwner()))
                SetClipboardText("");
        } catch (...) {
            // Nothing more to give back; the run's own error is the one to report.
        }
    }
    UserClipboardScope(const UserClipboardScope&) = delete;
    UserClipboardScope& operator=(const UserClipboardScope&) = delete;

  private:
    const ProcessingRun& run_;
    const SavedClipboard* saved_;
    bool outgoing_;
};

// False when a file is there that cannot be removed.
bool RemoveExchangeFile() {
    platform::DeleteFileAt(ExchangeFilePath);
    return !platform::FileExists(ExchangeFilePath);
}

void SetWaitCursor(bool wait) {
    SetCursor(LoadCursorA(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

void SetProgress(ProcessingRun& run, int position) {
    if (run.frmRunning)
        run.frmRunning->SetProgress(position);
}

// An earlier run is still inside a command to PGP: true when the user lets this one go on.
bool IgnoreStaleCommand() {
    const HWND pgp = static_cast<HWND>(PgpCommandWindow);
    if (IsWindow(pgp))
        BringWindowToTop(pgp);
    PumpPendingMessages();
    if (AskUser(StaleCommandText(), MsgIcon::Warning, mbCancel | mbIgnore) != mrIgnore)
        return false;
    PgpCommandWindow = nullptr;
    return true;
}

// The end of every run that got past the stale-command check: the "PGP Running" window goes,
// the cursor comes back and the end is logged, also when an error is on its way out. The error's
// report then still quotes the step where it happened.
class RunEnd {
  public:
    explicit RunEnd(ProcessingRun& run) : run_(run), exceptions_(std::uncaught_exceptions()) {}
    RunEnd(const RunEnd&) = delete;
    RunEnd& operator=(const RunEnd&) = delete;
    ~RunEnd() noexcept(false) {
        if (std::uncaught_exceptions() == exceptions_) {
            Finish();
            return;
        }
        const int failedAt = StepCode;
        try {
            Finish();
        } catch (...) {
            // The error already on its way out is the one to report.
        }
        StepCode = failedAt;
    }

  private:
    void Finish() {
        StepCode = 5512;
        run_.Mailer.Progress = nullptr;
        run_.frmRunning.reset();
        StepCode = 5513;
        SetWaitCursor(false);
        DebugLog("MainPGP-End");
        StepCode = 5599;
    }
    ProcessingRun& run_;
    int exceptions_;
};

// The exchange file holds the user's message from the driver's read on: it is wiped however
// the run leaves, not only on the way through.
class ExchangeFileWipe {
  public:
    ExchangeFileWipe() = default;
    ExchangeFileWipe(const ExchangeFileWipe&) = delete;
    ExchangeFileWipe& operator=(const ExchangeFileWipe&) = delete;
    ~ExchangeFileWipe() {
        if (done_)
            return;
        try {
            WipeFile(ExchangeFilePath);
        } catch (...) {
            platform::DeleteFileAt(ExchangeFilePath);
        }
    }
    void Now() {
        done_ = true;
        WipeFile(ExchangeFilePath);
    }

  private:
    bool done_ = false;
};

// Received text: PGP decrypts, verifies or imports and shows its own result; a public key in
// its output is imported in turn.
void ReceivedRoad(ProcessingRun& run, std::string pgpSwitch) {
    const ProcessingSettingsView& settings = run.Host.Settings();
    for (;;) {
        const std::string before = GetClipboardText();
        if (!InvokePgp(pgpSwitch))
            return;
        SetProgress(run, 100);
        PumpPendingMessages();
        if (!HoldsWrappedKey(settings.IgnoreWrappedKeys(), before, GetClipboardText()))
            return;
        pgpSwitch = AddKeySwitch;
        DebugLog("(Nested) Invoked PGP with " + pgpSwitch);
    }
}

// Outgoing mail: PGP's output goes back into the mail client through the receiver.
void OutgoingRoad(ProcessingRun& run, const std::string& pgpSwitch) {
    run.Host.SetClipboardReceiverText(run, "");
    const std::string before = GetClipboardText();
    if (!InvokePgp(pgpSwitch))
        return;
    std::string after;
    if (!ReadClipboardForRun(after)) {
        // Another program holds the clipboard: that is no failure of PGP's.
        AskUser(ClipboardBusyText, MsgIcon::Error, mbOK);
        return;
    }
    if (!PgpLeftResult(before, after)) {
        // The mail must not go out believed signed (or encrypted) when it is not.
        if (!IsEncryptingSwitch(pgpSwitch) || ClassifyArmour(after).MessageBlock)
            ShowError("Message", OutgoingFailureText(pgpSwitch));
        return;
    }
    run.Host.SetClipboardReceiverText(run, after);
    SetProgress(run, 83);
}

} // namespace

ProcessingHost* SetProcessingHost(ProcessingHost* host) {
    ProcessingHost* before = currentHost == &windowlessHost ? nullptr : currentHost;
    currentHost = host ? host : &windowlessHost;
    return before;
}

bool RunInProgress() {
    return activeRun != nullptr;
}

TfrmRunning* RunningForm() {
    return activeRun ? activeRun->frmRunning.get() : nullptr;
}

bool RefuseRunWhileBusy() {
    if (!RunInProgress())
        return false;
    MessageBeep(MB_ICONWARNING);
    DebugLog(RunRefusedLogLine);
    return true;
}

void MainPGP(bool routine) {
    // Every trigger (tray click, Run buttons, their keys) comes here; windows stay alive while
    // a driver or PGP works, so a second run must be refused here, not only at the tray icon.
    if (RefuseRunWhileBusy())
        return;
    ProcessingRun run(*currentHost);
    ValueScope<ProcessingRun*> active(activeRun, &run);
    StepCode = 5501;
    run.Host.HidePropsWindow();
    if (PgpCommandWindow && !IgnoreStaleCommand())
        return;

    RunEnd end(run);
    run.frmRunning = std::make_unique<TfrmRunning>(static_cast<HWND>(run.Host.ActiveForm()));
    run.Mailer.Progress = run.frmRunning.get();
    StepCode = 5502;
    SetWaitCursor(true);
    StepCode = 5503;

    const bool abandon = FindRunningMailer(run.Mailer, true);
    SetProgress(run, 30);
    StepCode = 5504;
    if (abandon)
        return;

    // An older message left in the exchange file must never pass for this one.
    if (!RemoveExchangeFile()) {
        AskUser(StaleExchangeText(ExchangeFilePath), MsgIcon::Error, mbOK);
        return;
    }
    ExchangeFileWipe wipe;
    if (!RunDriver(run.Mailer, ReadFileRequest + ExchangeFilePath))
        return;
    StepCode = 5505;
    SetProgress(run, 50);
    // A message too long for the run is refused before the file is read whole.
    const long long fileBytes = platform::FileSize(ExchangeFilePath);
    if (fileBytes > static_cast<long long>(MaxMessageBytes)) {
        const unsigned long long bodyBytes =
            BodyBytesOfFile(static_cast<unsigned long long>(fileBytes),
                            platform::ReadFileHead(ExchangeFilePath, MaxHeaderBytes));
        if (bodyBytes > MaxMessageBytes) {
            AskUser(TooLongText(bodyBytes), MsgIcon::Error, mbOK);
            return;
        }
    }
    TMFDData message;
    ReadMfdFile(ExchangeFilePath, message);
    StepCode = 5506;
    wipe.Now();
    SetProgress(run, 60);

    run.DriverTakesUtf8 = DeclaresUtf8(message);
    MessageToUtf8(message);

    if (LacksMailData(message)) {
        AskUser(NoDataText, MsgIcon::Error, mbOK);
        return;
    }
    const std::string unfit = UnfitBodyText(message.Body);
    if (!unfit.empty()) {
        AskUser(unfit, MsgIcon::Error, mbOK);
        return;
    }

    const PgpChoice choice = ChoosePgpSwitch(message, routine, run.Host.Settings());
    if (choice.postWarning && AskUser(PostWarningText, MsgIcon::Error, mbYes | mbNo | mbHelp,
                                      PostWarningHelpContext) != mrYes) {
        SetWaitCursor(false);
        return;
    }

    // PGP 5.x reads the code page's bytes: what it cannot carry is refused here, unchanged.
    const std::string unfitForPgp = PgpUnfitText(message.Body, PgpTakesUnicode());
    if (!unfitForPgp.empty()) {
        DebugLog("Run refused: " + unfitForPgp.substr(0, unfitForPgp.find('\r')));
        AskUser(unfitForPgp, MsgIcon::Error, mbOK);
        return;
    }

    SavedClipboard saved;
    const bool kept = !choice.read && saved.Save(ClipboardOwner());
    UserClipboardScope restoring(run, kept ? &saved : nullptr, !choice.read);
    // PGP works on whatever the clipboard holds: a body that did not get there must not be
    // stood in for by someone else's text.
    if (!SetClipboardText(message.Body)) {
        ShowError("MainPGP", "the message could not be put on the clipboard");
        return;
    }
    SetProgress(run, 70);
    DebugLog("Invoked PGP with " + choice.pgpSwitch);
    StepCode = 5510;

    if (choice.read)
        ReceivedRoad(run, choice.pgpSwitch);
    else
        OutgoingRoad(run, choice.pgpSwitch);
}

void ReturnResultToMailer(ProcessingRun& run, const std::string& text) {
    StepCode = 5700;
    if (text.empty())
        return;
    TMFDData message = ResultMessage(text);
    const std::string unfit =
        EncodeForDriver(message, run.DriverTakesUtf8, run.Mailer.CurrentDriver);
    if (!unfit.empty()) {
        // Nothing reaches the mail client; the result stays at hand.
        SetClipboardText(text);
        run.ResultLeftOnClipboard = true;
        DebugLog("Result not written back: " + unfit.substr(0, unfit.find('\r')));
        AskUser(unfit, MsgIcon::Error, mbOK);
        return;
    }
    StepCode = 5702;
    ExchangeFileWipe wipe;
    // A failed write has been reported; the driver must not be handed whatever the file holds.
    if (!RemoveExchangeFile()) {
        AskUser(StaleExchangeText(ExchangeFilePath), MsgIcon::Error, mbOK);
        return;
    }
    if (!WriteMfdFile(message, ExchangeFilePath))
        return;
    StepCode = 5703;
    PumpPendingMessages();
    SetClipboardText("");
    StepCode = 5704;
    const bool written = RunDriver(run.Mailer, WriteFileRequest + ExchangeFilePath);
    StepCode = 5705;
    PumpPendingMessages();
    // The result stays at hand when it did not reach the mail client.
    if (!written) {
        SetClipboardText(text);
        run.ResultLeftOnClipboard = true;
    }
    StepCode = 5707;
    SetWaitCursor(false);
}
