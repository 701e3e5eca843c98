// The testbed's mail client and drivers, run as real processes the way Wextor runs them:
// DemoMail.exe, DEMOMFD.EXE, SBM.EXE with DEMOMAIL.MFS, and NOTEMFD.EXE with Wine's Notepad.
#include "runbed.h"
#include "wintest.h"

#include <gtest/gtest.h>

#include <memory>

using namespace wintest;
using runbed::DriverFolder;

namespace {

const char kMainClass[] = "DemoMailMain";
const char* const kMessageClasses[] = {"DemoMailCompose", "DemoMailPost", "DemoMailRead"};
const int kIdTo = 101, kIdSubject = 104, kIdBody = 105;

std::string Backslashed(std::string s) {
    for (char& c : s)
        if (c == '/')
            c = '\\';
    return s;
}

std::string Bin(const std::string& rel) {
    return Backslashed(WEXTOR_BIN_DIR) + "\\" + rel;
}

const std::string kDemoMfd = Bin("testbed\\mfd\\DEMOMFD.EXE");
const std::string kNoteMfd = Bin("testbed\\mfd\\NOTEMFD.EXE");
const std::string kSbm = Bin("testbed\\sbm\\SBM.EXE");
const std::string kMfdDir = Bin("testbed\\mfd");
// Generous: a loaded machine can take seconds to start a Wine process.
const DWORD kStartMs = 30000;

// Header lines joined with CR LF; the body, when given, after an empty line.
std::string Lines(std::initializer_list<const char*> lines, const std::string* body = nullptr) {
    std::string s;
    for (const char* l : lines)
        s += std::string(l) + "\r\n";
    if (body)
        s += "\r\n" + *body;
    return s;
}

// A process this test started; ended when it goes, whatever happened.
class Process {
  public:
    explicit Process(std::string cmd) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOWNORMAL;
        // As Wextor starts a driver: normal priority, a console of its own.
        if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE,
                           NORMAL_PRIORITY_CLASS | CREATE_NEW_CONSOLE, nullptr, nullptr, &si,
                           &pi_)) {
            CloseHandle(pi_.hThread);
        } else {
            ADD_FAILURE() << "cannot start " << cmd << ": " << GetLastError();
            pi_.hProcess = nullptr;
        }
    }
    ~Process() {
        if (pi_.hProcess) {
            if (!Ended())
                TerminateProcess(pi_.hProcess, 99);
            WaitForSingleObject(pi_.hProcess, 5000);
            CloseHandle(pi_.hProcess);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Ended() const { return !pi_.hProcess || WaitForSingleObject(pi_.hProcess, 0) == 0; }
    bool WaitEnd(DWORD ms = kStartMs) const {
        return PollUntil([&] { return Ended(); }, ms);
    }
    int ExitCode() const {
        DWORD code = 0;
        return pi_.hProcess && GetExitCodeProcess(pi_.hProcess, &code) ? static_cast<int>(code)
                                                                       : -1;
    }
    DWORD Id() const { return pi_.hProcess ? pi_.dwProcessId : 0; }

  private:
    PROCESS_INFORMATION pi_ = {};
};

// Runs a program to its end; its exit code, or -1000 when it did not end in time.
int RunToEnd(const std::string& cmd) {
    Process p(cmd);
    if (!p.WaitEnd())
        return -1000;
    return p.ExitCode();
}

struct Found {
    DWORD pid;
    std::vector<std::string> classes;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindows(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (pid == f->pid && IsWindowVisible(w))
        for (const std::string& c : f->classes)
            if (c == cls)
                f->windows.push_back(w);
    return TRUE;
}

std::vector<HWND> WindowsOf(DWORD pid, std::vector<std::string> classes) {
    Found f{pid, std::move(classes), {}};
    EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&f));
    return f.windows;
}

std::string TextOf(HWND w) {
    const LRESULT len = SendMessageA(w, WM_GETTEXTLENGTH, 0, 0);
    std::string s(static_cast<size_t>(len) + 1, '\0');
    const LRESULT got = SendMessageA(w, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(&s[0]));
    s.resize(static_cast<size_t>(got));
    return s;
}

// Demo Mail started with one message window per (kind, file) pair.
class DemoMail {
  public:
    explicit DemoMail(const std::vector<std::pair<std::string, std::string>>& opens) {
        EXPECT_EQ(FindWindowA(kMainClass, nullptr), nullptr) << "a Demo Mail runs already";
        std::string cmd = "\"" + Bin("testbed\\demomail\\DemoMail.exe") + "\"";
        for (const auto& o : opens)
            cmd += " /open " + o.first + " \"" + o.second + "\"";
        proc_.reset(new Process(cmd));
        EXPECT_TRUE(PollUntil([&] { return MessageWindows().size() == opens.size(); }, kStartMs))
            << "Demo Mail did not show its windows: " << MessageWindows().size() << " of "
            << opens.size() << ", ended " << proc_->Ended() << " with " << proc_->ExitCode()
            << ", main window " << FindWindowA(kMainClass, nullptr);
    }
    ~DemoMail() {
        if (HWND main = FindWindowA(kMainClass, nullptr))
            PostMessageA(main, WM_CLOSE, 0, 0);
        proc_->WaitEnd(10000);
    }
    std::vector<HWND> MessageWindows() const {
        return WindowsOf(proc_->Id(), {kMessageClasses[0], kMessageClasses[1], kMessageClasses[2]});
    }
    HWND WithSubject(const std::string& subject) const {
        for (HWND w : MessageWindows())
            if (TextOf(GetDlgItem(w, kIdSubject)) == subject)
                return w;
        return nullptr;
    }
    static std::string Body(HWND w) { return TextOf(GetDlgItem(w, kIdBody)); }
    // Another DemoMail.exe start, which hands its commands to this one.
    static int Command(const std::string& args) {
        return RunToEnd("\"" + Bin("testbed\\demomail\\DemoMail.exe") + "\" " + args);
    }

  private:
    std::unique_ptr<Process> proc_;
};

class MailDrivers : public ::testing::Test {
  protected:
    std::string Message(const std::string& name, const std::string& text) {
        WriteFile(dir.file(name), text);
        return dir.file(name);
    }
    TempDir dir;
    std::string xfile = dir.file("tmpmfd.tmp");
};

const std::string kBody = "Hello Alice,\r\n\r\n\r\nline after two blank lines\r\n  indented\r\n";
const std::string kMessage = "To: alice@example.com\r\nCc: bob@example.org\r\n"
                             "Bcc: carol@example.net\r\nSubject: Figures\r\n\r\n" +
                             kBody;

} // namespace

TEST_F(MailDrivers, ProbeGivesShortAndInformationWithoutAnyClient) {
    DriverFolder folder(kMfdDir);
    const struct {
        std::string cmd;
        std::string expected;
    } cases[] = {
        {kDemoMfd,
         Lines({"MFD-Protocol-Version: 1", "Wrap-Column: 72", "Wtype: 0",
                "Information: Demo Mail driver DEMOMFD.EXE 1.0 (testbed)", "Short: Demo Mail",
                "Command: 0", "Lacking: 0", "MFD-State: ", "Default-Mail-Domain: "})},
        {kSbm + " DEMOMAIL.MFS",
         Lines({"MFD-Protocol-Version: 1", "Wrap-Column: 72", "Wtype: 0",
                "Information: Demo Mail script DEMOMAIL.MFS 1.0 (testbed)", "Short: Demo Mail",
                "Command: 0", "Lacking: 0", "MFD-State: ", "Default-Mail-Domain: "})},
        {kNoteMfd, Lines({"MFD-Protocol-Version: 1", "Wrap-Column: 0", "Wtype: 0",
                          "Information: Notepad driver NOTEMFD.EXE 1.0 (testbed)", "Short: Notepad",
                          "Command: 0", "Lacking: 0", "MFD-State: ", "Default-Mail-Domain: "})},
    };
    for (const auto& c : cases) {
        DeleteFileA(xfile.c_str());
        EXPECT_EQ(RunToEnd(c.cmd + " Data File=" + xfile), 0) << c.cmd;
        EXPECT_EQ(ReadFile(xfile), c.expected) << c.cmd;
    }
}

TEST_F(MailDrivers, ReadWritesEachWindowKindThroughDriverAndScript) {
    DriverFolder folder(kMfdDir);
    const std::string file = Message("msg.txt", kMessage);
    const struct {
        const char* kind;
        const char* wtype;
        const char* title;
    } kinds[] = {{"compose", "Wtype: 1", "Title: Compose Mail - Figures"},
                 {"post", "Wtype: 2", "Title: Compose Posting - Figures"},
                 {"read", "Wtype: 8", "Title: Read Message - Figures"}};
    const struct {
        std::string cmd;
        const char* information;
    } drivers[] = {
        {kDemoMfd, "Information: Demo Mail driver DEMOMFD.EXE 1.0 (testbed)"},
        {kSbm + " DEMOMAIL.MFS", "Information: Demo Mail script DEMOMAIL.MFS 1.0 (testbed)"}};
    for (const auto& k : kinds) {
        DemoMail mail({{k.kind, file}});
        for (const auto& d : drivers) {
            DeleteFileA(xfile.c_str());
            EXPECT_EQ(RunToEnd(d.cmd + " read File=" + xfile), 0) << d.cmd;
            EXPECT_EQ(ReadFile(xfile),
                      Lines({"MFD-Protocol-Version: 1", "Wrap-Column: 72", k.wtype, d.information,
                             k.title, "To: alice@example.com", "Cc: bob@example.org",
                             "Bcc: carol@example.net", "Subject: Figures", "Command: 0",
                             "Lacking: 0", "MFD-State: ", "Default-Mail-Domain: "},
                            &kBody))
                << d.cmd << " " << k.kind;
        }
    }
}

TEST_F(MailDrivers, ReadLeavesOutEmptyFieldsAndAnEmptyBody) {
    DemoMail mail({{"compose", Message("a.txt", "Subject: Only a subject\r\n\r\n")},
                   {"compose", Message("b.txt", "To: x@example.com\r\n\r\nbody")}});
    // The newer window is the active one.
    EXPECT_EQ(RunToEnd(kDemoMfd + " read File=" + xfile), 0);
    const std::string body = "body";
    EXPECT_EQ(ReadFile(xfile),
              Lines({"MFD-Protocol-Version: 1", "Wrap-Column: 72", "Wtype: 1",
                     "Information: Demo Mail driver DEMOMFD.EXE 1.0 (testbed)",
                     "Title: Compose Mail - (no subject)", "To: x@example.com", "Command: 0",
                     "Lacking: 0", "MFD-State: ", "Default-Mail-Domain: "},
                    &body));
    HWND first = mail.WithSubject("Only a subject");
    ASSERT_NE(first, nullptr);
    SetForegroundWindow(first);
    ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == first; }));
    EXPECT_EQ(RunToEnd(kDemoMfd + " read File=" + xfile), 0);
    EXPECT_EQ(ReadFile(xfile),
              Lines({"MFD-Protocol-Version: 1", "Wrap-Column: 72", "Wtype: 1",
                     "Information: Demo Mail driver DEMOMFD.EXE 1.0 (testbed)",
                     "Title: Compose Mail - Only a subject", "Subject: Only a subject",
                     "Command: 0", "Lacking: 0", "MFD-State: ", "Default-Mail-Domain: "}));
}

TEST_F(MailDrivers, WriteGoesBackToTheWindowThatWasRead) {
    DemoMail mail({{"compose", Message("a.txt", "Subject: A\r\n\r\nbody A\r\n")},
                   {"compose", Message("b.txt", "Subject: B\r\n\r\nbody B\r\n")}});
    EXPECT_EQ(RunToEnd(kDemoMfd + " read File=" + xfile), 0);
    EXPECT_NE(ReadFile(xfile).find("Subject: B\r\n"), std::string::npos);
    // A window that comes up after the read does not take the result.
    EXPECT_EQ(
        DemoMail::Command("/open compose \"" + Message("c.txt", "Subject: C\r\n\r\nC") + "\""), 0);
    ASSERT_TRUE(PollUntil([&] { return mail.MessageWindows().size() == 3; }, kStartMs));

    // The exchange file as Wextor writes it back: a cleared record with only a body, here a
    // large one (the edit control's default limit is about 32 KB).
    std::string armour = "-----BEGIN PGP MESSAGE-----\r\nVersion: 5.0\r\n\r\n";
    for (int i = 0; armour.size() < 100000; ++i)
        armour += std::string(64, static_cast<char>('A' + i % 26)) + "\r\n";
    armour += "-----END PGP MESSAGE-----\r\n";
    WriteFile(xfile, Lines({"MFD-Protocol-Version: 0", "Wrap-Column: 0", "Wtype: 0",
                            "Information: ", "Command: 0", "Lacking: 0",
                            "MFD-State: ", "Default-Mail-Domain: "},
                           &armour));
    EXPECT_EQ(RunToEnd(kDemoMfd + " Write File=" + xfile), 0);
    EXPECT_EQ(DemoMail::Body(mail.WithSubject("B")), armour);
    EXPECT_EQ(DemoMail::Body(mail.WithSubject("A")), "body A\r\n");
    EXPECT_EQ(DemoMail::Body(mail.WithSubject("C")), "C");

    // The dump shows it too, byte for byte.
    const std::string dump = dir.file("dump.txt");
    EXPECT_EQ(DemoMail::Command("/dump \"" + dump + "\""), 0);
    const std::string state = ReadFile(dump);
    const std::string b = "Window: 2\r\nKind: compose\r\nTitle: Compose Mail - B\r\nTo: \r\n"
                          "Cc: \r\nBcc: \r\nSubject: B\r\nBody-Length: " +
                          std::to_string(armour.size()) + "\r\n\r\n" + armour + "\r\n";
    EXPECT_EQ(state.substr(0, 24), "Demo Mail windows: 3\r\n\r\n");
    EXPECT_NE(state.find(b), std::string::npos);
}

TEST_F(MailDrivers, WriteWithoutABodyLeavesTheWindowAlone) {
    DriverFolder folder(kMfdDir);
    DemoMail mail({{"compose", Message("a.txt", "Subject: A\r\n\r\nkeep me\r\n")}});
    HWND w = mail.WithSubject("A");
    const struct {
        const char* what;
        bool exists;
        std::string content;
    } cases[] = {{"missing file", false, ""},
                 {"empty file", true, ""},
                 {"header only", true, "MFD-Protocol-Version: 0\r\nWtype: 0\r\n"},
                 {"empty line, no body", true, "Wtype: 0\r\n\r\n"}};
    for (const std::string& driver : {kDemoMfd, kSbm + " DEMOMAIL.MFS"}) {
        for (const auto& c : cases) {
            DeleteFileA(xfile.c_str());
            if (c.exists)
                WriteFile(xfile, c.content);
            EXPECT_EQ(RunToEnd(driver + " Write File=" + xfile), 2) << driver << ": " << c.what;
            EXPECT_EQ(DemoMail::Body(w), "keep me\r\n") << driver << ": " << c.what;
        }
    }
}

TEST_F(MailDrivers, ReadWithoutDemoMailRemovesAStaleFile) {
    WriteFile(xfile, "Wtype: 1\r\n\r\nold message");
    EXPECT_EQ(RunToEnd(kDemoMfd + " read File=" + xfile), 3);
    EXPECT_FALSE(FileExists(xfile));
    EXPECT_EQ(RunToEnd(kDemoMfd + " Write File=" + Message("w.tmp", "Wtype: 0\r\n\r\nx")), 3);
}

TEST_F(MailDrivers, CommandLineFormsFindTheRequest) {
    // Unquoted paths with blanks, as Wextor builds them, and quotes as other callers add them.
    const std::string spaced = dir.path() + "mfd folder\\";
    ASSERT_TRUE(CreateDirectoryA(spaced.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(kDemoMfd.c_str(), (spaced + "DEMOMFD.EXE").c_str(), FALSE));
    const std::string target = dir.file("exchange file.tmp");
    const std::string cmds[] = {
        spaced + "DEMOMFD.EXE Data File=" + target,
        "\"" + spaced + "DEMOMFD.EXE\" Data File=" + target + "  ",
        "\"" + spaced + "DEMOMFD.EXE\" \"Data File=" + target + "\"",
        kDemoMfd + " DATA FILE=" + target,
    };
    for (const std::string& cmd : cmds) {
        DeleteFileA(target.c_str());
        EXPECT_EQ(RunToEnd(cmd), 0) << cmd;
        EXPECT_NE(ReadFile(target).find("\r\nShort: Demo Mail\r\n"), std::string::npos) << cmd;
    }
    EXPECT_EQ(RunToEnd(kDemoMfd + " Data File="), 4);
    EXPECT_EQ(RunToEnd(kDemoMfd + " Data File=" + dir.file("no such folder\\x.tmp")), 4);
}

TEST_F(MailDrivers, EmptyRequestShowsAnAboutBoxThatEnds) {
    {
        Process about(kDemoMfd + " ");
        std::vector<HWND> box;
        ASSERT_TRUE(PollUntil(
            [&] {
                box = WindowsOf(about.Id(), {"TestbedMfdInfoBox"});
                return !box.empty();
            },
            kStartMs));
        char title[100] = "";
        GetWindowTextA(box[0], title, sizeof title);
        EXPECT_STREQ(title, "About DEMOMFD.EXE");
        PostMessageA(box[0], WM_CLOSE, 0, 0);
        ASSERT_TRUE(about.WaitEnd());
        EXPECT_EQ(about.ExitCode(), 0);
    }
    // Nobody answers it: it goes by itself.
    SetEnvironmentVariableA("TESTBED_BOX_MS", "200");
    EXPECT_EQ(RunToEnd(kNoteMfd), 0);
    EXPECT_EQ(RunToEnd(kSbm), 0);
    SetEnvironmentVariableA("TESTBED_BOX_MS", nullptr);
}

TEST_F(MailDrivers, ScriptEngineFindsTheScriptOrSaysWhy) {
    SetEnvironmentVariableA("TESTBED_BOX_MS", "200");
    const std::string probe = "\r\nShort: Demo Mail\r\n";
    {
        // A bare name is looked for in the driver folder that WIN.INI names.
        DriverFolder folder(kMfdDir);
        EXPECT_EQ(RunToEnd(kSbm + " DEMOMAIL.MFS Data File=" + xfile), 0);
        EXPECT_NE(ReadFile(xfile).find(probe), std::string::npos);
        EXPECT_EQ(RunToEnd(kSbm + " demomail.mfs Data File=" + xfile), 0) << "letter case";
    }
    DriverFolder elsewhere(dir.path() + "nowhere");
    DeleteFileA(xfile.c_str());
    EXPECT_EQ(RunToEnd(kSbm + " DEMOMAIL.MFS Data File=" + xfile), 6);
    EXPECT_FALSE(FileExists(xfile));
    EXPECT_EQ(RunToEnd(kSbm + " " + kMfdDir + "\\DEMOMAIL.MFS Data File=" + xfile), 0)
        << "full path";
    EXPECT_NE(ReadFile(xfile).find(probe), std::string::npos);

    const std::string broken =
        Message("BROKEN.MFS", "[Information]\r\n1=No driver section\r\n[Driver]\r\nShort=X\r\n");
    DeleteFileA(xfile.c_str());
    EXPECT_EQ(RunToEnd(kSbm + " " + broken + " read File=" + xfile), 6);
    EXPECT_FALSE(FileExists(xfile));
    EXPECT_EQ(RunToEnd(kSbm + " Data File=" + xfile), 6) << "no script named";
    SetEnvironmentVariableA("TESTBED_BOX_MS", nullptr);
}

TEST_F(MailDrivers, DemoMailOpensMessageAndExchangeFiles) {
    DemoMail mail({{"auto", Message("x.tmp", "Wtype: 2\r\nSubject: Posted\r\n\r\nP\r\n")},
                   {"read", Message("lf.txt", "Subject: LF only\n\nline 1\nline 2\n")},
                   {"compose", Message("nohead.txt", "\r\njust a body\r\n")},
                   {"compose", Bin("testbed\\data\\compose.txt")}});
    const std::string dump = dir.file("dump.txt");
    ASSERT_EQ(DemoMail::Command("/dump \"" + dump + "\""), 0);
    const std::string state = ReadFile(dump);
    for (const char* part :
         {"Window: 1\r\nKind: post\r\nTitle: Compose Posting - Posted\r\n",
          "Window: 2\r\nKind: read\r\nTitle: Read Message - LF only\r\nTo: \r\nCc: \r\nBcc: "
          "\r\nSubject: LF only\r\nBody-Length: 16\r\n\r\nline 1\r\nline 2\r\n\r\n",
          "Window: 3\r\nKind: compose\r\nTitle: Compose Mail - (no subject)\r\n",
          "Body-Length: 13\r\n\r\njust a body\r\n\r\n",
          "Window: 4\r\nKind: compose\r\nTitle: Compose Mail - Quarterly figures\r\n"
          "To: alice@example.com\r\nCc: bob@example.org\r\nBcc: carol@example.net\r\n"})
        EXPECT_NE(state.find(part), std::string::npos) << part << "\n--- in ---\n" << state;
    const std::string body = dir.file("body.txt");
    ASSERT_EQ(DemoMail::Command("/dumpbody \"" + body + "\""), 0);
    EXPECT_EQ(ReadFile(body),
              ReadFile(Bin("testbed\\data\\compose.txt"))
                  .substr(ReadFile(Bin("testbed\\data\\compose.txt")).find("\r\n\r\n") + 4));
    EXPECT_EQ(DemoMail::Command("/open compose \"" + dir.file("missing.txt") + "\""), 1);
}

TEST(DemoMailCommands, DumpWithoutARunningDemoMailFails) {
    ASSERT_EQ(FindWindowA(kMainClass, nullptr), nullptr);
    TempDir dir;
    EXPECT_EQ(DemoMail::Command("/dump \"" + dir.file("d.txt") + "\""), 1);
    EXPECT_FALSE(FileExists(dir.file("d.txt")));
    EXPECT_EQ(DemoMail::Command("/bogus"), 2);
}

namespace {

// Wine's own Notepad, ended when the test is done (it would ask to save the changed text).
class Notepad {
  public:
    Notepad() : proc_("notepad.exe") {
        EXPECT_TRUE(PollUntil(
            [&] {
                const std::vector<HWND> w = WindowsOf(proc_.Id(), {"Notepad"});
                window_ = w.empty() ? nullptr : w[0];
                edit_ = window_ ? FindWindowExA(window_, nullptr, "Edit", nullptr) : nullptr;
                return edit_ != nullptr;
            },
            kStartMs))
            << "no Notepad window";
    }
    void SetText(const std::string& text) {
        SendMessageA(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::string Text() const { return TextOf(edit_); }
    std::string Title() const { return TextOf(window_); }
    bool Modified() const { return SendMessageA(edit_, EM_GETMODIFY, 0, 0) != 0; }

  private:
    Process proc_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

} // namespace

TEST_F(MailDrivers, NotepadDriverSplitsHeaderBlockAndPutsItBack) {
    Notepad pad;
    const std::string title = "Title: " + pad.Title();
    const std::string pgp = "-----BEGIN PGP MESSAGE-----\r\nVersion: 5.0\r\n\r\nqANQR1DB\r\n"
                            "-----END PGP MESSAGE-----\r\n";
    const struct {
        const char* what;
        std::string text;
        std::vector<std::string> headers; // between Title and Command
        std::string wtype;
        std::string body;
        std::string block; // what Write File= keeps
    } cases[] = {
        {"header block",
         "To: alice@example.com\r\ncc:  bob@example.org \r\nSubject: Hi\r\n\r\n"
         "Dear Alice,\r\n\r\nbye\r\n",
         {"To: alice@example.com", "Cc: bob@example.org", "Subject: Hi"},
         "Wtype: 1",
         "Dear Alice,\r\n\r\nbye\r\n",
         "To: alice@example.com\r\ncc:  bob@example.org \r\nSubject: Hi\r\n\r\n"},
        {"received PGP block",
         "Subject: Secret\r\n\r\n" + pgp,
         {"Subject: Secret"},
         "Wtype: 8",
         pgp,
         "Subject: Secret\r\n\r\n"},
        {"no header block",
         "Just text\r\nTo: not a header\r\n\r\nmore",
         {},
         "Wtype: 1",
         "Just text\r\nTo: not a header\r\n\r\nmore",
         ""},
        {"headers without the empty line",
         "To: a@example.com\r\nSubject: s",
         {},
         "Wtype: 1",
         "To: a@example.com\r\nSubject: s",
         ""},
    };
    for (const auto& c : cases) {
        pad.SetText(c.text);
        DeleteFileA(xfile.c_str());
        ASSERT_EQ(RunToEnd(kNoteMfd + " read File=" + xfile), 0) << c.what;
        std::string expected = "MFD-Protocol-Version: 1\r\nWrap-Column: 0\r\n" + c.wtype +
                               "\r\nInformation: Notepad driver NOTEMFD.EXE 1.0 (testbed)\r\n" +
                               title + "\r\n";
        for (const std::string& h : c.headers)
            expected += h + "\r\n";
        expected +=
            "Command: 0\r\nLacking: 0\r\nMFD-State: \r\nDefault-Mail-Domain: \r\n\r\n" + c.body;
        EXPECT_EQ(ReadFile(xfile), expected) << c.what;

        const std::string result = "-----BEGIN PGP SIGNED MESSAGE-----\r\n\r\nnew\r\n";
        WriteFile(xfile, "Wtype: 0\r\n\r\n" + result);
        ASSERT_EQ(RunToEnd(kNoteMfd + " Write File=" + xfile), 0) << c.what;
        EXPECT_EQ(pad.Text(), c.block + result) << c.what;
        EXPECT_TRUE(pad.Modified()) << c.what;
    }
    WriteFile(xfile, "Wtype: 0\r\n");
    EXPECT_EQ(RunToEnd(kNoteMfd + " Write File=" + xfile), 2);
}
