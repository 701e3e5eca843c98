// The outside world of a processing run for the Wine tests: Demo Mail, Wine's Notepad, the
// driver folder and the PGP stand-in, each started from private copies and ended afterwards.
#pragma once

#include "stublog.h"
#include "wintest.h"

#include "app/global.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace runbed {

using namespace wintest;

inline std::string Bin(const std::string& rel) {
    std::string s = std::string(WEXTOR_BIN_DIR) + "\\" + rel;
    for (char& c : s)
        if (c == '/')
            c = '\\';
    return s;
}

// A run's program and driver folders, with the testbed's drivers and SBM.EXE in them; Wextor's
// globals point at them.
inline void InstallDrivers(const TempDir& prog, const TempDir& mfd) {
    ProgramDir = ShortProgramDir = prog.path();
    ExchangeFilePath = prog.file("tmpmfd.tmp");
    MfdDirectory = mfd.path().substr(0, mfd.path().size() - 1);
    for (const char* f : {"DEMOMFD.EXE", "NOTEMFD.EXE", "DEMOMAIL.MFS"})
        ASSERT_TRUE(
            CopyFileA(Bin(std::string("testbed\\mfd\\") + f).c_str(), mfd.file(f).c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(Bin("testbed\\sbm\\SBM.EXE").c_str(), prog.file("SBM.EXE").c_str(), FALSE));
}

const DWORD kStartMs = 30000; // a loaded machine can take seconds to start a Wine process

class Process {
  public:
    explicit Process(std::string cmd) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                           &pi_))
            CloseHandle(pi_.hThread);
        else
            ADD_FAILURE() << "cannot start " << cmd;
    }
    ~Process() {
        if (!pi_.hProcess)
            return;
        if (!PollUntil([&] { return WaitForSingleObject(pi_.hProcess, 0) == 0; }, 10000))
            TerminateProcess(pi_.hProcess, 99);
        WaitForSingleObject(pi_.hProcess, 5000);
        CloseHandle(pi_.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    DWORD Id() const { return pi_.dwProcessId; }
    void Kill() {
        if (pi_.hProcess)
            TerminateProcess(pi_.hProcess, 99);
    }

  private:
    PROCESS_INFORMATION pi_ = {};
};

// WM_GETTEXT, since GetWindowText does not read another process's controls.
inline std::string TextOf(HWND w) {
    std::string s(static_cast<size_t>(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    s.resize(static_cast<size_t>(
        SendMessageA(w, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(&s[0]))));
    return s;
}

struct FoundWindows {
    DWORD pid;
    std::string cls;
    std::vector<HWND> windows;
};
inline BOOL CALLBACK CollectWindow(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<FoundWindows*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (pid == f->pid && f->cls == cls && IsWindowVisible(w))
        f->windows.push_back(w);
    return TRUE;
}
inline HWND WindowOf(DWORD pid, const std::string& cls) {
    FoundWindows f{pid, cls, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&f));
    return f.windows.empty() ? nullptr : f.windows[0];
}

// Demo Mail with one message window of the given kind and file, or none.
class DemoMail {
  public:
    DemoMail(const std::string& kind = "", const std::string& file = "") {
        EXPECT_EQ(FindWindowA("DemoMailMain", nullptr), nullptr) << "a Demo Mail runs already";
        std::string cmd = "\"" + Bin("testbed\\demomail\\DemoMail.exe") + "\"";
        if (!kind.empty())
            cmd += " /open " + kind + " \"" + file + "\"";
        proc_ = std::make_unique<Process>(cmd);
        const std::string cls = kind == "read"   ? "DemoMailRead"
                                : kind == "post" ? "DemoMailPost"
                                                 : "DemoMailCompose";
        EXPECT_TRUE(PollUntil(
            [&] {
                window_ = kind.empty() ? FindWindowA("DemoMailMain", nullptr)
                                       : WindowOf(proc_->Id(), cls);
                return window_ != nullptr;
            },
            kStartMs))
            << "Demo Mail did not come up";
    }
    ~DemoMail() {
        if (HWND main = FindWindowA("DemoMailMain", nullptr))
            PostMessageA(main, WM_CLOSE, 0, 0);
    }
    std::string Body() const { return TextOf(GetDlgItem(window_, 105)); }
    HWND window() const { return window_; }

  private:
    std::unique_ptr<Process> proc_;
    HWND window_ = nullptr;
};

// Wine's Notepad; killed afterwards, since it would ask to save the changed text.
class Notepad {
  public:
    Notepad() : proc_("notepad.exe") {
        EXPECT_TRUE(PollUntil(
            [&] {
                window_ = WindowOf(proc_.Id(), "Notepad");
                edit_ = window_ ? FindWindowExA(window_, nullptr, "Edit", nullptr) : nullptr;
                return edit_ != nullptr;
            },
            kStartMs));
    }
    ~Notepad() { proc_.Kill(); }
    void SetText(const std::string& text) {
        SendMessageA(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::string Text() const { return TextOf(edit_); }
    HWND window() const { return window_; }

  private:
    Process proc_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

// WIN.INI's driver folder, for SBM.EXE; the old value comes back afterwards.
class DriverFolder {
  public:
    explicit DriverFolder(const std::string& dir) {
        char old[MAX_PATH] = "";
        had_ = GetProfileStringA("Mail Form Drivers", "Path", "\x01", old, sizeof old) != 1 ||
               old[0] != '\x01';
        old_ = old;
        WriteProfileStringA("Mail Form Drivers", "Path", dir.c_str());
    }
    ~DriverFolder() {
        WriteProfileStringA("Mail Form Drivers", "Path", had_ ? old_.c_str() : nullptr);
    }
    DriverFolder(const DriverFolder&) = delete;
    DriverFolder& operator=(const DriverFolder&) = delete;

  private:
    bool had_;
    std::string old_;
};

// A field of a stand-in log record, empty when absent.
inline std::string Get(const Record& r, const char* key) {
    const auto it = r.find(key);
    return it == r.end() ? std::string() : it->second;
}

// Private copies of the stand-in's programs; every copy that logged its start is ended.
class PgpStandIn {
  public:
    PgpStandIn() {
        EXPECT_EQ(FindWindowA("PGPtray_Hidden_Window", nullptr), nullptr)
            << "a stand-in is still running";
        for (const char* f :
             {"PGPstub.exe", "PGPKeys.Exe", "PGPTray.Exe", "PGPTools.Exe", "PGP50.Hlp"})
            EXPECT_TRUE(CopyFileA(Bin(std::string("testbed\\pgp\\") + f).c_str(),
                                  dir.file(f).c_str(), FALSE))
                << f;
        Control("");
    }
    ~PgpStandIn() {
        if (HWND w = FindWindowA("PGPtray_Hidden_Window", nullptr))
            PostMessageA(w, WM_CLOSE, 0, 0);
        for (const Record& r : Log()) {
            if (Get(r, "event") != "start")
                continue;
            HANDLE h =
                OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, std::stoul(Get(r, "pid")));
            if (!h)
                continue;
            if (!PollUntil([&] { return WaitForSingleObject(h, 0) == WAIT_OBJECT_0; }, 5000))
                TerminateProcess(h, 1);
            CloseHandle(h);
        }
        EXPECT_TRUE(
            PollUntil([] { return FindWindowA("PGPtray_Hidden_Window", nullptr) == nullptr; }));
    }
    PgpStandIn(const PgpStandIn&) = delete;
    PgpStandIn& operator=(const PgpStandIn&) = delete;

    void Control(const std::string& lines) {
        WriteFile(dir.file("PGPstub.ini"),
                  "[PGPstub]\r\nShowResult=0\r\nSideWindowMs=0\r\n" + lines);
    }
    std::string MainExe() const { return dir.file("PGPstub.exe"); }
    std::vector<Record> Log() const {
        return FileExists(dir.file("PGPstub.log")) ? ParseStubLog(ReadFile(dir.file("PGPstub.log")))
                                                   : std::vector<Record>{};
    }
    std::vector<Record> Commands() const {
        std::vector<Record> c;
        for (const Record& r : Log())
            if (Get(r, "event") == "command")
                c.push_back(r);
        return c;
    }

    TempDir dir{"pgp"};
};

// Runs action on the first visible dialog with this caption, from a timer, so that a modal
// dialog of the code under test can be answered. Tells whether it ran.
class DialogDriver {
  public:
    DialogDriver(std::string caption, std::function<void(HWND)> action)
        : caption_(std::move(caption)), action_(std::move(action)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &Tick);
    }
    ~DialogDriver() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    int runs() const { return runs_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogDriver* self = current_;
        if (!self || self->busy_)
            return;
        HWND dialog = FindWindowA("#32770", self->caption_.c_str());
        if (!dialog || !IsWindowVisible(dialog))
            return;
        self->busy_ = true;
        ++self->runs_;
        self->action_(dialog);
        self->busy_ = false;
    }
    static inline DialogDriver* current_ = nullptr;
    std::string caption_;
    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    int runs_ = 0;
    bool busy_ = false;
};

inline void Click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

} // namespace runbed
