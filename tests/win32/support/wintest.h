// Helpers shared by the Win32 tests that run under Wine.
#pragma once

#include "support/msgbox.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace wintest {

// Processes window messages until cond() holds or timeoutMs pass; returns cond().
bool PollUntil(const std::function<bool()>& cond, DWORD timeoutMs = 10000);
// Processes the window messages already queued.
void PumpMessages();

// A fresh folder under %TEMP%, removed with its files afterwards. Ends with a backslash.
class TempDir {
  public:
    explicit TempDir(const std::string& prefix = "wxt");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

// Answers every message box from a queue of results (mrOk when the queue is empty) and keeps
// what was asked. Restores the previous handler when it goes.
class BoxAnswerer {
  public:
    BoxAnswerer();
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    void Queue(int result) { answers_.push_back(result); }
    const std::vector<MsgBoxRequest>& asked() const { return asked_; }

  private:
    std::deque<int> answers_;
    std::vector<MsgBoxRequest> asked_;
    MsgBoxHandler previous_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& data);
bool FileExists(const std::string& path);
// Sets or clears the read-only attribute. Under Wine as root the attribute alone does not stop
// a write (root ignores permissions), so the Linux file is made immutable as well.
void SetReadOnly(const std::string& path, bool readOnly);
bool RunningUnderWine();
// Folder of the running test executable, with trailing backslash.
std::string ExeDir();
// Full path of the running test executable.
std::string ExePath();
// The window's class name.
std::string ClassOf(HWND w);

// What a user had on the clipboard before a run: a text and a format of another program's.
void SetUsersClipboard();
// Whether exactly that is on the clipboard again (both formats, byte for byte).
bool UsersClipboardIsBack();

// A test binary started again with "--child NAME args..." runs the child mode registered under
// NAME instead of its tests; the mode's result is the exit code. Register at namespace scope:
//   static wintest::ChildMode exitMode("exit", [](const std::vector<std::string>& args) {...});
using ChildMain = int (*)(const std::vector<std::string>& args);
struct ChildMode {
    ChildMode(const std::string& name, ChildMain main);
};

} // namespace wintest
