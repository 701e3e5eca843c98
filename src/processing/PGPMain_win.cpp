#include "processing/PGPMain_win.h"

#include "drivers/ChooseMailer_win.h"
#include "drivers/mfdcaller.h"
#include "drivers/runprogress.h"
#include "common/pump_win.h"
#include "drivers/mfdcaller_win.h"
#include "common/clipsave_win.h"
#include "processing/clipboard_win.h"
#include "processing/armour.h"
#include "processing/pgpcontrol.h"
#include "processing/pgpcontrol_win.h"
#include "processing/textcode.h"
#include "support/deblog.h"
#include "support/error.h"
#include "support/flagscope.h"
#include "support/fileutil.h"
#include "support/msgbox.h"
#include "support/platform.h"

#include <windows.h>

#include <exception>
#include <memory>

TfrmRunning* frmRunning = nullptr;

namespace {

class WindowlessHost : public ProcessingHost {
  public:
    void HidePropsWindow() override {}
    WindowHandle ActiveForm() override { return nullptr; }
    const ProcessingSettingsView& Settings() override { return settings_; }
    void SetClipboardReceiverText(const std::string& text) override { ReturnResultToMailer(text); }

  private:
    ProcessingSettings settings_;
};

WindowlessHost windowlessHost;
ProcessingHost* currentHost = &windowlessHost;

bool runInProgress = false;
// What the user had on the clipboard before an outgoing run borrowed it for PGP.
const SavedClipboard* userClipboard = nullptr;
// Set when the result did not reach the mail client and is left on the clipboard for the user.
bool resultLeftOnClipboard = false;
// Whether the driver of the run declared UTF-8: the result goes back to it the same way.
bool driverTakesUtf8 = false;

// However an outgoing run ends (done, PGP failed or cancelled, a driver failed, an error), the
// clipboard then holds what the user had, and no plaintext of the message; only a result that
// did not reach the mail client stays there. Without a copy (the clipboard was busy), the
// message is at least taken off it.
class UserClipboardScope {
  public:
    explicit UserClipboardScope(const SavedClipboard* saved, bool outgoing) : outgoing_(outgoing) {
        userClipboard = saved;
        resultLeftOnClipboard = false;
    }
    ~UserClipboardScope() {
        const SavedClipboard* saved = userClipboard;
        userClipboard = nullptr;
        if (!outgoing_ || resultLeftOnClipboard)
            return;
        try {
            if (!saved || !saved->Restore(ClipboardOwner()))
                SetClipboardText("");
        } catch (...) {
            // Nothing more to give back; the run's own error is the one to report.
        }
    }
    UserClipboardScope(const UserClipboardScope&) = delete;
    UserClipboardScope& operator=(const UserClipboardScope&) = delete;

  private:
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

void SetProgress(int position) {
    if (frmRunning)
        frmRunning->SetProgress(position);
}

int AskUser(const std::string& text, MsgIcon icon, unsigned buttons, unsigned helpContext = 0) {
    MsgBoxRequest box;
    box.text = text;
    box.caption = ApplicationTitle;
    box.icon = icon;
    box.buttons = buttons;
    box.helpContext = helpContext;
    return ShowMessageBox(box);
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
    explicit RunEnd(std::unique_ptr<TfrmRunning>& running)
        : running_(running), exceptions_(std::uncaught_exceptions()) {}
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
        frmRunning = nullptr;
        ActiveRunProgress = nullptr;
        running_.reset();
        StepCode = 5513;
        SetWaitCursor(false);
        DebugLog("MainPGP-End");
        StepCode = 5599;
    }
    std::unique_ptr<TfrmRunning>& running_;
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
void ReceivedRoad(std::string pgpSwitch, const ProcessingSettingsView& settings) {
    for (;;) {
        const std::string before = GetClipboardText();
        if (!InvokePgp(pgpSwitch))
            return;
        SetProgress(100);
        PumpPendingMessages();
        if (!HoldsWrappedKey(settings.IgnoreWrappedKeys(), before, GetClipboardText()))
            return;
        pgpSwitch = AddKeySwitch;
        DebugLog("(Nested) Invoked PGP with " + pgpSwitch);
    }
}

// Outgoing mail: PGP's output goes back into the mail client through the receiver.
void OutgoingRoad(const std::string& pgpSwitch, ProcessingHost& host) {
    host.SetClipboardReceiverText("");
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
    host.SetClipboardReceiverText(after);
    SetProgress(83);
}

} // namespace

ProcessingHost* SetProcessingHost(ProcessingHost* host) {
    ProcessingHost* before = currentHost == &windowlessHost ? nullptr : currentHost;
    currentHost = host ? host : &windowlessHost;
    return before;
}

bool RunInProgress() {
    return runInProgress;
}

bool RefuseRunWhileBusy() {
    if (!runInProgress)
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
    FlagScope busy(runInProgress);
    ProcessingHost& host = *currentHost;
    StepCode = 5501;
    host.HidePropsWindow();
    if (PgpCommandWindow && !IgnoreStaleCommand())
        return;

    std::unique_ptr<TfrmRunning> running;
    RunEnd end(running);
    running = std::make_unique<TfrmRunning>(static_cast<HWND>(host.ActiveForm()));
    frmRunning = running.get();
    ActiveRunProgress = frmRunning;
    StepCode = 5502;
    SetWaitCursor(true);
    frmChooseMailer = std::make_unique<TfrmChooseMailer>();
    StepCode = 5503;

    const bool abandon = FindRunningMailer(true);
    SetProgress(30);
    StepCode = 5504;
    if (abandon)
        return;

    // An older message left in the exchange file must never pass for this one.
    if (!RemoveExchangeFile()) {
        AskUser(StaleExchangeText(ExchangeFilePath), MsgIcon::Error, mbOK);
        return;
    }
    ExchangeFileWipe wipe;
    if (!RunDriver(ReadFileRequest + ExchangeFilePath))
        return;
    StepCode = 5505;
    SetProgress(50);
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
    SetProgress(60);

    driverTakesUtf8 = DeclaresUtf8(message);
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

    const PgpChoice choice = ChoosePgpSwitch(message, routine, host.Settings());
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
    UserClipboardScope restoring(kept ? &saved : nullptr, !choice.read);
    // PGP works on whatever the clipboard holds: a body that did not get there must not be
    // stood in for by someone else's text.
    if (!SetClipboardText(message.Body)) {
        ShowError("MainPGP", "the message could not be put on the clipboard");
        return;
    }
    SetProgress(70);
    DebugLog("Invoked PGP with " + choice.pgpSwitch);
    StepCode = 5510;

    if (choice.read)
        ReceivedRoad(choice.pgpSwitch, host.Settings());
    else
        OutgoingRoad(choice.pgpSwitch, host);
}

void ReturnResultToMailer(const std::string& text) {
    StepCode = 5700;
    if (text.empty())
        return;
    TMFDData message = ResultMessage(text);
    const std::string unfit = EncodeForDriver(message, driverTakesUtf8, CurrentDriver);
    if (!unfit.empty()) {
        // Nothing reaches the mail client; the result stays at hand.
        SetClipboardText(text);
        resultLeftOnClipboard = true;
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
    const bool written = RunDriver(WriteFileRequest + ExchangeFilePath);
    StepCode = 5705;
    PumpPendingMessages();
    // The result stays at hand when it did not reach the mail client.
    if (!written) {
        SetClipboardText(text);
        resultLeftOnClipboard = true;
    }
    StepCode = 5707;
    SetWaitCursor(false);
}
