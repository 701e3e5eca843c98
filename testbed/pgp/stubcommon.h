// Shared pieces of the PGP stand-in programs: their folder, the control file, the command log,
// the clipboard and windows that close themselves.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace stub {

constexpr const char* kControlFile = "PGPstub.ini";
constexpr const char* kLogFile = "PGPstub.log";
constexpr const char* kKeyringFile = "PGPstub.keys";
constexpr const char* kMainExe = "PGPstub.exe";

// Folder of the running program, with trailing backslash, and its file name.
std::string ExeDir();
std::string ExeName();

// Reads "key=value" from the control file beside the program, fresh at every call; keys are
// compared without regard to case, the last line of a key wins, section headers and ";" / "#"
// comment lines are skipped.
std::string ControlValue(const std::string& key, const std::string& fallback = "");
long ControlInt(const std::string& key, long fallback);
bool ControlFlag(const std::string& key);

// Log values are kept on one line: backslash, tab, CR, LF and other control bytes are escaped
// as \\ \t \r \n and \xHH.
std::string Escape(const std::string& s);

// Appends one record (fields joined by tabs, CR LF at the end) to the log beside the program.
using Fields = std::vector<std::pair<std::string, std::string>>;
void AppendLog(const Fields& fields);

// Clipboard text (CF_TEXT). Opening is retried for a short while: another process may hold it.
struct ClipText {
    bool opened = false;  // the clipboard could be opened at all
    bool hasText = false; // it held CF_TEXT
    std::string text;
};
ClipText ReadClipboard(HWND owner);
bool WriteClipboard(HWND owner, const std::string& text);

// A plain visible window showing text; it destroys itself after closeMs (never when 0). With
// quitOnClose its end also ends the message loop of the program.
HWND ShowTextWindow(const char* className, const std::string& title, const std::string& text,
                    DWORD closeMs, bool quitOnClose = false);

// Starts a program with a plain command line; false when it cannot be started.
bool StartProgram(const std::string& commandLine);

} // namespace stub
