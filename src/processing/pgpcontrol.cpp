#include "processing/pgpcontrol.h"

#include "drivers/PathOfF.h"
#include "processing/armour.h"
#include "support/error.h"
#include "support/msgbox.h"

#include <cctype>

const char* const PgpTrayClass = "PGPtray_Hidden_Window";
const char* const PgpVersionBlock = "040904b0";

WindowHandle PgpSearchAnchor = nullptr;

namespace {

struct PgpCommand {
    const char* pgpSwitch;
    unsigned id;
};

const PgpCommand kCommands[] = {
    {"-AutoEncrypt", PgpEncrypt},
    {"-AutoSign", PgpSign},
    {"-AutoEncryptSign", PgpEncryptSign},
    {"-AddKey", PgpAddKey},
    {"-AutoDecryptVerify", PgpDecryptVerify},
    {"-Properties", PgpPreferences},
    {"-Tools", PgpTools},
};

PgpPlatform* installedPlatform = nullptr;

// PgpCommandWindow names PGPtray's window exactly while a command is with it.
class CommandWindowScope {
  public:
    explicit CommandWindowScope(WindowHandle window) { PgpCommandWindow = window; }
    ~CommandWindowScope() { PgpCommandWindow = nullptr; }
    CommandWindowScope(const CommandWindowScope&) = delete;
    CommandWindowScope& operator=(const CommandWindowScope&) = delete;
};

// Starts PGP's main program and waits for its window; nullptr when that failed (reported).
WindowHandle StartPgp(PgpPlatform& sys) {
    const unsigned started = sys.StartProgram(PgpMainExe);
    if (started < WinExecFirstSuccess) {
        FatalError("Winexec returned " + std::to_string(started), PgpMainExe);
        return nullptr;
    }
    const unsigned long long since = sys.NowMs();
    for (;;) {
        if (WindowHandle window = sys.FindTrayWindow())
            return window;
        // A quit request seen here belongs to the whole program: it is ending, so is the wait.
        if (!sys.ProcessMessages())
            return nullptr;
        if (sys.NowMs() - since >= PgpWindowTimeoutMs) {
            FatalError("MainPGPHwnd timed out " + std::to_string(started), PgpMainExe);
            return nullptr;
        }
        sys.WaitForMessages(PgpPollMs);
    }
}

} // namespace

unsigned PgpCommandId(const std::string& pgpSwitch) {
    for (const PgpCommand& c : kCommands)
        if (pgpSwitch == c.pgpSwitch)
            return c.id;
    return PgpOtherCommand;
}

bool IsEncryptingSwitch(const std::string& pgpSwitch) {
    return pgpSwitch.find("Encrypt") != std::string::npos;
}

bool CountsAsFile(unsigned long attributes) {
    const unsigned long kVolumeLabel = 0x08, kDirectory = 0x10;
    return (attributes & (kVolumeLabel | kDirectory)) == 0;
}

PgpHelpKind PgpHelpKindOf(const std::string& fileName) {
    const std::size_t dot = fileName.find_last_of(".\\");
    if (dot == std::string::npos || fileName[dot] != '.')
        return PgpHelpKind::None;
    std::string extension = fileName.substr(dot);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".chm")
        return PgpHelpKind::HtmlHelp;
    if (extension == ".hlp")
        return PgpHelpKind::ShellOpen;
    return PgpHelpKind::None;
}

PgpPlatform& CurrentPgpPlatform() {
    return installedPlatform ? *installedPlatform : SystemPgpPlatform();
}

PgpPlatform* SetPgpPlatform(PgpPlatform* platform) {
    PgpPlatform* before = installedPlatform;
    installedPlatform = platform;
    return before;
}

WINDOW PgpTrayCriteria() {
    WINDOW criteria;
    ClearCriteria(criteria);
    criteria.OwnClass.Exact = PgpTrayClass;
    return criteria;
}

WindowHandle FindPgpTrayWindow() {
    return CurrentPgpPlatform().FindTrayWindow();
}

const char* const ClipboardBusyText =
    "The clipboard stayed busy for two seconds: another program (a clipboard manager, perhaps) "
    "held it, so PGP's result could not be read.\r\n\r\nNothing was changed in your e-mail "
    "program. Try again.";

bool InvokePgp(const std::string& pgpSwitch) {
    PgpPlatform& sys = CurrentPgpPlatform();
    WindowHandle window = sys.FindTrayWindow();
    if (!window)
        window = StartPgp(sys);
    if (!window)
        return false;
    const unsigned id = PgpCommandId(pgpSwitch);
    sys.BringToForeground(window);
    {
        CommandWindowScope scope(window);
        sys.SendCommand(window, id);
    }
    if (IsEncryptingSwitch(pgpSwitch)) {
        std::string after;
        if (!sys.ClipboardTextOrBusy(after)) {
            AskUser(ClipboardBusyText, MsgIcon::Error, mbOK);
            return false;
        }
        if (!ClassifyArmour(after).MessageBlock) {
            ShowError("Message", "PGP failed to encrypt!!!");
            return false;
        }
    }
    return true;
}

std::string PgpFolder() {
    return PathOf(PgpMainExe);
}

void RunPgpItem(const std::string& name) {
    const unsigned started = CurrentPgpPlatform().StartProgram(PgpFolder() + name);
    if (started < WinExecFirstSuccess)
        FatalError("RunPGPItem/Winexec returned " + std::to_string(started), PgpMainExe);
}

bool PgpToolsExists() {
    return !PgpMainExe.empty() && CurrentPgpPlatform().FileExists(PgpFolder() + "PGPTools.Exe");
}

std::string FindPgpHelpFile() {
    if (PgpMainExe.empty())
        return std::string();
    const std::string folder = PgpFolder();
    // A wildcard also matches short names: "PGP*.Hlp" finds "PGP50.Hlpx" through "PGP50~1.HLP".
    for (const char* pattern : {"PGP*.chm", "PGP*.Hlp"})
        for (const FoundFile& f : CurrentPgpPlatform().FindFiles(folder + pattern))
            if (CountsAsFile(f.attributes) && PgpHelpKindOf(f.name) == PgpHelpKindOf(pattern))
                return folder + f.name;
    return std::string();
}

void btnPGPKeysClick() {
    RunPgpItem("PGPKeys.Exe");
}

void btnPAPTrayClick() {
    if (FindPgpTrayWindow()) {
        MsgBoxRequest box;
        box.text = "PGPTray is already running";
        box.caption = "Warning";
        box.icon = MsgIcon::Warning;
        box.buttons = mbOK;
        ShowMessageBox(box);
        return;
    }
    RunPgpItem("PGPTray.Exe");
}

void btnToolsClick() {
    InvokePgp("-Tools");
}

void Button1Click() {
    InvokePgp("-Properties");
}

void btnPGPHelpClick(WindowHandle owner) {
    const std::string helpFile = FindPgpHelpFile();
    if (!helpFile.empty())
        CurrentPgpPlatform().OpenHelpFile(owner, helpFile, PgpHelpKindOf(helpFile));
}
