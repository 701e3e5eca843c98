// Control of PGP through its tray program: the command table, starting PGP and waiting for
// its window, the check of encrypting commands, PGP's other programs and its version. The
// system calls all this goes through are behind PgpPlatform; the Win32 shell gives the real one.
#pragma once

#include "common/pgptray.h"
#include "support/runstate.h"
#include "support/verslab.h"
#include "winctl/winop.h"

#include <string>
#include <vector>

extern const char* const PgpTrayClass; // "PGPtray_Hidden_Window"

// The identifier of a switch; the switch must match case and all, anything else is 40016.
unsigned PgpCommandId(const std::string& pgpSwitch);
// Whether the result of the switch must hold an encrypted block.
bool IsEncryptingSwitch(const std::string& pgpSwitch);

// How long PGP's main program gets to bring up its window, and how long the wait sleeps
// between two looks when nothing else wakes it.
constexpr unsigned PgpWindowTimeoutMs = 10000;
constexpr unsigned PgpPollMs = 50;

// WinExec's results from 32 on mean success.
constexpr unsigned WinExecFirstSuccess = 32;

// One file found by a wildcard search, with its attribute bits as the system gives them.
struct FoundFile {
    std::string name;
    unsigned long attributes = 0;
};
// Directories and volume labels do not count as help files; plain, read-only, hidden, system
// and archive files (and any other file) do.
bool CountsAsFile(unsigned long attributes);

// How PGP's help file is opened, by its extension (any case): ".chm" with HTML Help; ".hlp",
// which only the old Windows Help reads and Windows 10 and 11 lack, by the shell, so that
// Windows explains, or a viewer the user installed opens it; anything else not at all.
enum class PgpHelpKind { None, HtmlHelp, ShellOpen };
PgpHelpKind PgpHelpKindOf(const std::string& fileName);

class PgpPlatform {
  public:
    virtual ~PgpPlatform() = default;
    virtual WindowHandle FindTrayWindow() = 0;
    virtual unsigned StartProgram(const std::string& commandLine) = 0; // WinExec, show normal
    virtual unsigned long long NowMs() = 0;                            // monotonic
    // Runs the messages that are waiting; false once the program has been asked to quit.
    virtual bool ProcessMessages() = 0;
    // Sleeps until a message arrives or timeoutMs pass.
    virtual void WaitForMessages(unsigned timeoutMs) = 0;
    virtual void BringToForeground(WindowHandle window) = 0;
    virtual void SendCommand(WindowHandle window, unsigned id) = 0; // returns when PGP is done
    virtual std::string ClipboardText() = 0;
    // The same, but false when the clipboard stayed busy (another program held it), which must
    // not pass for PGP's failure.
    virtual bool ClipboardTextOrBusy(std::string& text) {
        text = ClipboardText();
        return true;
    }
    virtual bool FileExists(const std::string& path) = 0;
    virtual std::vector<FoundFile> FindFiles(const std::string& pattern) = 0;
    virtual void OpenHelpFile(WindowHandle owner, const std::string& helpFile,
                              PgpHelpKind kind) = 0;
};

// The platform in use: the system's, unless a test has put another in its place.
PgpPlatform& CurrentPgpPlatform();
PgpPlatform& SystemPgpPlatform();
// Returns the one in use before; nullptr puts the system's back.
PgpPlatform* SetPgpPlatform(PgpPlatform* platform);

// The properties window anchors the search for PGPtray's window (any window of the program
// gives the same walk; none starts at the top of the desktop).
extern WindowHandle PgpSearchAnchor;

// Criteria for PGPtray's window: the class name exactly, nothing else.
WINDOW PgpTrayCriteria();
WindowHandle FindPgpTrayWindow();

// PGP's result could not be read: another program held the clipboard.
extern const char* const ClipboardBusyText; // "The clipboard stayed busy ..."

// Sends PGPtray the command of the switch, starting PGP first when its window is missing.
// False: the caller's processing must stop (PGP failed to encrypt, or PGP could not be
// brought up, in which case the program is ending).
bool InvokePgp(const std::string& pgpSwitch);

// PGP's folder: PgpMainExe up to and including its last backslash.
std::string PgpFolder();
// Starts the program of that name in PGP's folder and does not wait for it.
void RunPgpItem(const std::string& name);
// Whether PGPTools.Exe is in PGP's folder (never when PgpMainExe is empty).
bool PgpToolsExists();
// The first file in PGP's folder that matches PGP*.chm and counts, else the first of PGP*.Hlp;
// empty when there is none.
std::string FindPgpHelpFile();

// The Direct access buttons of the properties window.
void btnPGPKeysClick();
void btnPAPTrayClick();
void btnToolsClick();
void Button1Click();
void btnPGPHelpClick(WindowHandle owner);

// The language block of PGP's version strings.
extern const char* const PgpVersionBlock; // "040904b0"

// Reads PGP's file version and product name through the version label, each as the label
// delivers a value behind an empty prefix (after one blank). Afterwards the label's key is
// "FileVersion" again and its prefix stays empty. Without PgpMainExe the label would read this
// program's own version, so both get the label's text for a missing resource instead.
template <class Label> void ProbePgpVersion(Label& label) {
    const auto read = [&label] {
        if (PgpMainExe.empty())
            return (label.ShowInfoPrefix() ? label.InfoPrefix() + " " : std::string()) +
                   kNoVersionData;
        return label.GetInfoGeneral(PgpMainExe, PgpVersionBlock);
    };
    label.SetInfoPrefix("");
    PgpFileVersion = read();
    label.SetVersionResourceKey("ProductName");
    label.SetInfoPrefix(""); // a new key becomes the prefix too
    PgpProductName = read();
    label.SetVersionResourceKey("FileVersion");
    label.SetInfoPrefix("");
}
