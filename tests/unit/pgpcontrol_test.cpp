#include "app/global.h"
#include "processing/pgpcontrol.h"
#include "support/msgbox.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const char kMessage[] = "-----BEGIN PGP MESSAGE-----\r\nx\r\n-----END PGP MESSAGE-----\r\n";
const char kSigned[] = "-----BEGIN PGP SIGNED MESSAGE-----\r\nHash: SHA1\r\n\r\nx\r\n"
                       "-----BEGIN PGP SIGNATURE-----\r\ny\r\n-----END PGP SIGNATURE-----\r\n";

WindowHandle const kTray = reinterpret_cast<WindowHandle>(0x1234);

// PGP as the test wants it: the tray window turns up after so many looks (never: -1), the
// clock moves only while the wait sleeps.
class FakePgp : public PgpPlatform {
  public:
    WindowHandle FindTrayWindow() override {
        ++looks;
        return running ? kTray : nullptr;
    }
    unsigned StartProgram(const std::string& commandLine) override {
        started.push_back(commandLine);
        if (startResult >= 32 && appearAfterLooks >= 0)
            pending = true;
        return startResult;
    }
    unsigned long long NowMs() override { return now; }
    bool ProcessMessages() override {
        ++pumps;
        if (pending && looks >= appearAfterLooks)
            running = true;
        return !quit;
    }
    void WaitForMessages(unsigned timeoutMs) override {
        ++waits;
        now += timeoutMs;
    }
    void BringToForeground(WindowHandle w) override { foreground = w; }
    void SendCommand(WindowHandle w, unsigned id) override {
        sent.push_back(id);
        windowDuringSend = PgpCommandWindow;
        EXPECT_EQ(w, kTray);
        clipboard = output;
    }
    std::string ClipboardText() override { return clipboard; }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    std::vector<FoundFile> FindFiles(const std::string& pattern) override {
        patterns.push_back(pattern);
        const auto it = foundBy.find(pattern);
        return it == foundBy.end() ? found : it->second;
    }
    void OpenHelpFile(WindowHandle owner, const std::string& helpFile, PgpHelpKind kind) override {
        helpOwner = owner;
        helpOpened.push_back(helpFile);
        helpKinds.push_back(kind);
    }

    bool running = false, pending = false, quit = false;
    int appearAfterLooks = 0, looks = 0, pumps = 0, waits = 0;
    unsigned startResult = 33;
    unsigned long long now = 1000000;
    std::vector<std::string> started, patterns, helpOpened;
    std::vector<unsigned> sent;
    WindowHandle foreground = nullptr, windowDuringSend = nullptr, helpOwner = nullptr;
    std::string clipboard, output = kMessage;
    std::map<std::string, int> files;
    std::vector<FoundFile> found;
    std::map<std::string, std::vector<FoundFile>> foundBy; // by pattern, before found
    std::vector<PgpHelpKind> helpKinds;
};

class PgpControl : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        PgpMainExe = "C:\\Program Files\\PGP\\PGPtray.exe";
        PgpCommandWindow = nullptr;
        StepCode = 0;
        before = SetPgpPlatform(&pgp);
        previousBox = SetMsgBoxHandler([this](const MsgBoxRequest& r) {
            boxes.push_back(r);
            return static_cast<int>(mrOk);
        });
    }
    void TearDown() override {
        SetPgpPlatform(before);
        SetMsgBoxHandler(previousBox);
        PgpMainExe.clear();
        ProgramDir.clear();
    }

    TestDir dir;
    FakePgp pgp;
    PgpPlatform* before = nullptr;
    MsgBoxHandler previousBox;
    std::vector<MsgBoxRequest> boxes;
};

} // namespace

TEST(PgpCommands, SwitchesAndTheirIdentifiers) {
    struct Case {
        const char* pgpSwitch;
        unsigned id;
        bool encrypting;
    } cases[] = {
        {"-AutoEncrypt", 40017, true},
        {"-AutoSign", 40018, false},
        {"-AutoEncryptSign", 40007, true},
        {"-AddKey", 40006, false},
        {"-AutoDecryptVerify", 40008, false},
        {"-Properties", 40012, false},
        {"-Tools", 40019, false},
        {"", 40016, false},
        {"-autoencrypt", 40016, false},
        {"-AUTOSIGN", 40016, false},
        {"-AutoEncrypt ", 40016, true},
        {"AutoSign", 40016, false},
        {"-Tool", 40016, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PgpCommandId(c.pgpSwitch), c.id) << "'" << c.pgpSwitch << "'";
        EXPECT_EQ(IsEncryptingSwitch(c.pgpSwitch), c.encrypting) << "'" << c.pgpSwitch << "'";
    }
}

TEST(PgpCommands, TrayCriteriaAskForTheClassAlone) {
    const WINDOW w = PgpTrayCriteria();
    EXPECT_EQ(w.OwnClass.Exact, "PGPtray_Hidden_Window");
    EXPECT_EQ(w.OwnClass.Partial, "");
    EXPECT_EQ(w.OwnTitle.Exact + w.OwnTitle.Partial, "");
    EXPECT_EQ(w.Parent.ParentTitle.Exact + w.Parent.ParentClass.Exact, "");
    EXPECT_EQ(w.Parent.Grandparent.GrandparentClass.Exact, "");
}

TEST(PgpCommands, OnlyFoldersAndVolumeLabelsAreNoHelpFiles) {
    EXPECT_TRUE(CountsAsFile(0x00));  // plain
    EXPECT_TRUE(CountsAsFile(0x27));  // read-only, hidden, system, archive
    EXPECT_TRUE(CountsAsFile(0x80));  // "normal"
    EXPECT_FALSE(CountsAsFile(0x10)); // folder
    EXPECT_FALSE(CountsAsFile(0x08)); // volume label
    EXPECT_FALSE(CountsAsFile(0x31));
}

TEST_F(PgpControl, RunningTrayIsUsedAtOnce) {
    pgp.running = true;
    EXPECT_TRUE(InvokePgp("-AutoEncrypt"));
    EXPECT_TRUE(pgp.started.empty());
    EXPECT_EQ(pgp.waits, 0);
    EXPECT_EQ(pgp.pumps, 0);
    EXPECT_EQ(pgp.sent, std::vector<unsigned>{40017});
    EXPECT_EQ(pgp.foreground, kTray);
    EXPECT_EQ(pgp.windowDuringSend, kTray);
    EXPECT_EQ(PgpCommandWindow, nullptr);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PgpControl, MissingTrayIsStartedAndAwaited) {
    pgp.appearAfterLooks = 5;
    EXPECT_TRUE(InvokePgp("-AutoSign"));
    EXPECT_EQ(pgp.started, std::vector<std::string>{PgpMainExe});
    EXPECT_EQ(pgp.sent, std::vector<unsigned>{40018});
    EXPECT_EQ(pgp.looks, 6);
    EXPECT_GE(pgp.waits, 4); // slept between looks instead of spinning
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PgpControl, TrayThatNeverComesIsFatalAfterTenSeconds) {
    pgp.appearAfterLooks = -1;
    EXPECT_FALSE(InvokePgp("-AutoEncrypt"));
    EXPECT_TRUE(pgp.sent.empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].text,
              "Error in MainPGPHwnd timed out 33.0 with C:\\Program Files\\PGP\\PGPtray.exe");
    EXPECT_EQ(pgp.now - 1000000, 10000u);
    EXPECT_EQ(PgpCommandWindow, nullptr);
}

TEST_F(PgpControl, TrayJustInTimeIsUsed) {
    pgp.appearAfterLooks = 200; // the look at 9950 ms finds it
    EXPECT_TRUE(InvokePgp("-AddKey"));
    EXPECT_EQ(pgp.sent, std::vector<unsigned>{40006});
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PgpControl, FailedStartIsFatalAndNothingIsSent) {
    struct Case {
        unsigned result;
        const char* text;
    } cases[] = {
        {0, "Error in Winexec returned 0.0 with C:\\Program Files\\PGP\\PGPtray.exe"},
        {2, "Error in Winexec returned 2.0 with C:\\Program Files\\PGP\\PGPtray.exe"},
        {31, "Error in Winexec returned 31.0 with C:\\Program Files\\PGP\\PGPtray.exe"},
    };
    for (const Case& c : cases) {
        boxes.clear();
        pgp.startResult = c.result;
        EXPECT_FALSE(InvokePgp("-AutoSign"));
        EXPECT_TRUE(pgp.sent.empty());
        EXPECT_EQ(pgp.waits, 0);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.text);
        EXPECT_EQ(boxes[0].caption, "Error");
    }
}

TEST_F(PgpControl, QuitDuringTheWaitEndsItQuietly) {
    pgp.appearAfterLooks = -1;
    pgp.quit = true;
    EXPECT_FALSE(InvokePgp("-AutoSign"));
    EXPECT_TRUE(pgp.sent.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PgpControl, EncryptingSwitchesNeedAnEncryptedBlock) {
    struct Case {
        const char* pgpSwitch;
        std::string output;
        bool result;
    } cases[] = {
        {"-AutoEncrypt", kMessage, true},
        {"-AutoEncryptSign", kMessage, true},
        {"-AutoEncryptSign", kSigned, false},
        {"-AutoEncrypt", "", false},
        {"-AutoEncrypt", " -----BEGIN PGP MESSAGE-----\r\n -----END PGP MESSAGE-----", false},
        {"-AutoSign", kSigned, true},
        {"-AutoSign", "", true},
        {"-AutoDecryptVerify", "plain", true},
        {"-autoencrypt", "", true}, // 40016, and not an encrypting switch
    };
    pgp.running = true;
    for (const Case& c : cases) {
        boxes.clear();
        pgp.output = c.output;
        EXPECT_EQ(InvokePgp(c.pgpSwitch), c.result) << c.pgpSwitch << " / " << c.output;
        EXPECT_EQ(PgpCommandWindow, nullptr);
        if (c.result) {
            EXPECT_TRUE(boxes.empty()) << c.pgpSwitch;
        } else {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].caption, "Warning");
            EXPECT_EQ(boxes[0].text, "Error in Message.0 with PGP failed to encrypt!!!");
        }
    }
}

TEST_F(PgpControl, DirectAccessPrograms) {
    pgp.appearAfterLooks = 0;
    btnPGPKeysClick();
    EXPECT_EQ(pgp.started.back(), "C:\\Program Files\\PGP\\PGPKeys.Exe");
    btnPAPTrayClick();
    EXPECT_EQ(pgp.started.back(), "C:\\Program Files\\PGP\\PGPTray.Exe");
    EXPECT_TRUE(boxes.empty());

    pgp.running = true;
    pgp.started.clear();
    btnPAPTrayClick();
    EXPECT_TRUE(pgp.started.empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "PGPTray is already running");
    EXPECT_EQ(boxes[0].buttons, static_cast<unsigned>(mbOK));
    EXPECT_EQ(boxes[0].icon, MsgIcon::Warning);

    btnToolsClick();
    Button1Click();
    EXPECT_EQ(pgp.sent, (std::vector<unsigned>{40019, 40012}));
}

TEST_F(PgpControl, ProgramThatWillNotStartIsFatal) {
    pgp.startResult = 2;
    RunPgpItem("PGPKeys.Exe");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error in RunPGPItem/Winexec returned 2.0 with "
                             "C:\\Program Files\\PGP\\PGPtray.exe");
}

TEST_F(PgpControl, ToolsButtonFollowsTheFile) {
    EXPECT_FALSE(PgpToolsExists());
    pgp.files["C:\\Program Files\\PGP\\PGPTools.Exe"] = 1;
    EXPECT_TRUE(PgpToolsExists());
    PgpMainExe.clear();
    pgp.files["PGPTools.Exe"] = 1;
    EXPECT_FALSE(PgpToolsExists());
}

TEST_F(PgpControl, HelpOpensTheFirstFileThatCounts) {
    WindowHandle const owner = reinterpret_cast<WindowHandle>(0x99);
    btnPGPHelpClick(owner);
    EXPECT_TRUE(pgp.helpOpened.empty());
    EXPECT_EQ(pgp.patterns, (std::vector<std::string>{"C:\\Program Files\\PGP\\PGP*.chm",
                                                      "C:\\Program Files\\PGP\\PGP*.Hlp"}));

    pgp.found = {{"PGPdir.Hlp", 0x10}, {"PGP50.Hlp", 0x27}, {"PGP60.Hlp", 0}};
    btnPGPHelpClick(owner);
    EXPECT_EQ(pgp.helpOpened, std::vector<std::string>{"C:\\Program Files\\PGP\\PGP50.Hlp"});
    EXPECT_EQ(pgp.helpKinds, std::vector<PgpHelpKind>{PgpHelpKind::ShellOpen});
    EXPECT_EQ(pgp.helpOwner, owner);
}

TEST_F(PgpControl, HtmlHelpIsPreferredAndOnlyTrueExtensionsCount) {
    using Found = std::vector<FoundFile>;
    const std::string chm = "C:\\Program Files\\PGP\\PGP*.chm";
    const std::string hlp = "C:\\Program Files\\PGP\\PGP*.Hlp";
    struct Case {
        Found chms, hlps;
        const char* opened; // "" for none
        PgpHelpKind kind;
    } cases[] = {
        {{{"PGPBridge.chm", 0x20}}, {{"PGP50.Hlp", 0x20}}, "PGPBridge.chm", PgpHelpKind::HtmlHelp},
        {{{"PGPBRIDGE.CHM", 0}}, {}, "PGPBRIDGE.CHM", PgpHelpKind::HtmlHelp},
        {{{"PGPdir.chm", 0x10}}, {{"PGP50.Hlp", 0}}, "PGP50.Hlp", PgpHelpKind::ShellOpen},
        // Matched through their short names only.
        {{{"PGPold.chmx", 0}},
         {{"PGP50.Hlp~", 0}, {"PGP51.hlp", 0}},
         "PGP51.hlp",
         PgpHelpKind::ShellOpen},
        {{{"PGP.chm.txt", 0}}, {{"PGP50.HlpBak", 0}}, "", PgpHelpKind::None},
    };
    for (const Case& c : cases) {
        pgp.foundBy = {{chm, c.chms}, {hlp, c.hlps}};
        pgp.helpOpened.clear();
        pgp.helpKinds.clear();
        btnPGPHelpClick(nullptr);
        if (*c.opened == 0) {
            EXPECT_TRUE(pgp.helpOpened.empty()) << pgp.helpOpened[0];
            continue;
        }
        ASSERT_EQ(pgp.helpOpened.size(), 1u) << c.opened;
        EXPECT_EQ(pgp.helpOpened[0], "C:\\Program Files\\PGP\\" + std::string(c.opened));
        EXPECT_EQ(pgp.helpKinds[0], c.kind) << c.opened;
    }
}

namespace {
// The label as far as the probe uses it: a new key becomes the prefix too.
struct FakeLabel {
    std::string key = "FileVersion", prefix = "File Version:";
    std::map<std::string, std::string> values;
    std::vector<std::string> asked;
    void SetInfoPrefix(const std::string& p) { prefix = p; }
    bool ShowInfoPrefix() const { return true; }
    const std::string& InfoPrefix() const { return prefix; }
    void SetVersionResourceKey(const std::string& k) {
        if (k != key)
            prefix = key = k;
    }
    std::string GetInfoGeneral(const std::string& file, const std::string& block) {
        asked.push_back(file + "|" + block + "|" + key);
        return prefix + " " + values[key];
    }
};
} // namespace

TEST_F(PgpControl, VersionProbeReadsBothStringsBehindAnEmptyPrefix) {
    FakeLabel label;
    label.values = {{"FileVersion", "5.0.3"}, {"ProductName", "PGP"}};
    ProbePgpVersion(label);
    EXPECT_EQ(PgpFileVersion, " 5.0.3");
    EXPECT_EQ(PgpProductName, " PGP");
    EXPECT_EQ(label.key, "FileVersion");
    EXPECT_EQ(label.prefix, "");
    const std::string exe = PgpMainExe + "|040904b0|";
    EXPECT_EQ(label.asked, (std::vector<std::string>{exe + "FileVersion", exe + "ProductName"}));
}

TEST_F(PgpControl, VersionProbeWithoutPgpDoesNotReadThisProgram) {
    FakeLabel label;
    PgpMainExe.clear();
    ProbePgpVersion(label);
    EXPECT_EQ(PgpFileVersion, " < No Data Available >");
    EXPECT_EQ(PgpProductName, " < No Data Available >");
    EXPECT_TRUE(label.asked.empty());
    EXPECT_EQ(label.key, "FileVersion");
}
