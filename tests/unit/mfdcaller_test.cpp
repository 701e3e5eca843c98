#include "app/global.h"
#include "drivers/ChooseMailer.h"
#include "drivers/MFDDirectory.h"
#include "drivers/ScriptInfo.h"
#include "drivers/mfdcaller.h"
#include "drivers/mfdfile.h"
#include "support/msgbox.h"
#include "support/platform.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

struct GlobalsScope {
    std::string programDir = ProgramDir, mfd = MfdDirectory, exchange = ExchangeFilePath;
    std::vector<std::string> active = ActiveDriverFiles;
    int index = ChooserIndex;
    ~GlobalsScope() {
        ProgramDir = programDir;
        MfdDirectory = mfd;
        ExchangeFilePath = exchange;
        ActiveDriverFiles = active;
        ChooserIndex = index;
    }
};

} // namespace

TEST(DriverCommandLine, ScriptsGoToTheEngineProgramsRunFromTheDriverFolder) {
    GlobalsScope keep;
    ProgramDir = "C:\\Wextor 5\\";
    MfdDirectory = "C:\\MFD";
    struct Case {
        const char *driver, *request, *expected, *program;
    } cases[] = {
        {"DEMOMFD.EXE", "read File=C:\\W\\tmpmfd.tmp",
         "C:\\MFD\\DEMOMFD.EXE read File=C:\\W\\tmpmfd.tmp", "C:\\MFD\\DEMOMFD.EXE"},
        {"demo.mfs", "Data File=x", "C:\\Wextor 5\\SBM.EXE demo.mfs Data File=x",
         "C:\\Wextor 5\\SBM.EXE"},
        {"DEMOMAIL.MFS", "Write File=x", "C:\\Wextor 5\\SBM.EXE DEMOMAIL.MFS Write File=x",
         "C:\\Wextor 5\\SBM.EXE"},
        {"sub\\Odd.MfSx.exe", "", "C:\\Wextor 5\\SBM.EXE sub\\Odd.MfSx.exe ",
         "C:\\Wextor 5\\SBM.EXE"},
        {"NOTEMFD.EXE", "", "C:\\MFD\\NOTEMFD.EXE ", "C:\\MFD\\NOTEMFD.EXE"},
        {"mfs.exe", "", "C:\\MFD\\mfs.exe ", "C:\\MFD\\mfs.exe"}, // no dot before mfs
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DriverCommandLine(c.driver, c.request), c.expected) << c.driver;
        // The program is named exactly; the command line still starts with its path.
        EXPECT_EQ(DriverProgram(c.driver), c.program) << c.driver;
    }
}

TEST(DriverRunFailed, CrashesAlwaysCodesUnlessIgnored) {
    const struct {
        DriverEnd end;
        unsigned long code;
        bool check, failed;
    } cases[] = {
        {DriverEnd::Exited, 0, true, false},
        {DriverEnd::Exited, 3, true, true},
        {DriverEnd::Exited, 3, false, false},
        {DriverEnd::Exited, 0xC0000005ul, false, true}, // an access violation
        {DriverEnd::Exited, 0xC000013Aul, true, true},  // ended by Ctrl+C
        {DriverEnd::Exited, 0xBFFFFFFFul, false, false},
        {DriverEnd::EndedByUser, 0, false, true},
        {DriverEnd::Abandoned, 0, true, true},
        {DriverEnd::NotStarted, 0, true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DriverRunFailed(c.end, c.code, c.check), c.failed) << c.code;
}

TEST(DriverFailureText, NamesDriverRequestAndHowItEnded) {
    const struct {
        const char* request;
        DriverEnd end;
        unsigned long code;
        bool mustSucceed;
        std::vector<std::string> parts;
    } cases[] = {
        {"read File=C:\\tmpmfd.tmp",
         DriverEnd::Exited,
         3,
         true,
         {"Couldn't get data from your e-mail program\r\n\r\n", "X.EXE", "\"read File=\"",
          "exit code 3", "Nothing was changed"}},
        {"Write File=C:\\tmpmfd.tmp",
         DriverEnd::Exited,
         0xC0000005ul,
         true,
         {"X.EXE", "\"Write File=\"", "crashed (exception 0xC0000005)", "may be neither"}},
        {"read File=x", DriverEnd::EndedByUser, 0, true, {"stopped responding"}},
        {"Data File=x", DriverEnd::Exited, 1, false, {"\"Data File=\""}},
        {"", DriverEnd::Exited, 1, false, {"\"Details\""}},
    };
    for (const auto& c : cases) {
        const std::string text = DriverFailureText("X.EXE", c.request, c.end, c.code);
        EXPECT_EQ(RequestMustSucceed(c.request), c.mustSucceed) << c.request;
        for (const std::string& part : c.parts)
            EXPECT_NE(text.find(part), std::string::npos) << text << " / " << part;
    }
    EXPECT_EQ(DriverWaitingText("X.EXE", "Write File=C:\\t"), "Waiting for X.EXE (Write File=)");
}

TEST(IsProgramDriverName, CapitalExeOnly) {
    EXPECT_TRUE(IsProgramDriverName("DEMOMFD.EXE"));
    EXPECT_TRUE(IsProgramDriverName("A.EXE.mfs"));
    EXPECT_FALSE(IsProgramDriverName("demomfd.exe"));
    EXPECT_FALSE(IsProgramDriverName("DEMO.Exe"));
}

TEST(ChooserEntry, InformationTitleGapDriver) {
    const std::string e = ChooserEntry("Demo Mail", "Demo Mail - Inbox", "DEMOMFD.EXE");
    EXPECT_EQ(e, "Demo Mail / Demo Mail - Inbox" + std::string(200, ' ') + "DEMOMFD.EXE");
    EXPECT_EQ(DriverFileOf(e), "DEMOMFD.EXE");
    EXPECT_EQ(ChooserEntry("", "T", "D.MFS").substr(0, 4), " / T");
}

TEST(ScanProgressPosition, Table) {
    struct Case {
        int i, n, expected;
    } cases[] = {{0, 1, 5},    {0, 4, 5},   {3, 4, 20}, {1, 3, 11},
                 {19, 20, 24}, {20, 21, 5}, {0, 0, 5}};
    for (const Case& c : cases)
        EXPECT_EQ(ScanProgressPosition(c.i, c.n), c.expected) << c.i << "/" << c.n;
}

TEST(NoMailersText, Exact) {
    EXPECT_EQ(NoMailersText(), "No mailers in the Wextor 5 \"Active\" list are running. Press the "
                               "Help button for tips on how to resolve this");
}

TEST(ChooserPreselection, Table) {
    struct Case {
        int index, count, expected;
    } cases[] = {{0, 2, 0}, {1, 2, 1}, {3, 2, 0}, {2, 2, 0}, {-1, 2, -1}, {-5, 3, -1}, {0, 0, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(ChooserPreselection(c.index, c.count), c.expected) << c.index << "/" << c.count;
}

TEST(ChooseMailerLine, SetsIndexAndDriverOnlyForALine) {
    GlobalsScope keep;
    MailerRun run;
    run.ChooserLines = {ChooserEntry("A", "a", "A.EXE"), ChooserEntry("B", "b", "B.MFS")};
    std::string& CurrentDriver = run.CurrentDriver;
    CurrentDriver = "OLD";
    ChooserIndex = 7;
    EXPECT_FALSE(ChooseMailerLine(run, 2));
    EXPECT_FALSE(ChooseMailerLine(run, -1));
    EXPECT_EQ(CurrentDriver, "OLD");
    EXPECT_EQ(ChooserIndex, 7);
    EXPECT_TRUE(ChooseMailerLine(run, 1));
    EXPECT_EQ(CurrentDriver, "B.MFS");
    EXPECT_EQ(ChooserIndex, 1);
}

TEST(ScriptInfo, HundredLinesEachEndedAndTheCaption) {
    GlobalsScope keep;
    MfdDirectory = "C:\\MFD";
    std::map<std::string, std::string> values = {{"1", "first"}, {"100", "last"}};
    const std::string text =
        ScriptInfoText([&](const std::string& section, const std::string& key) {
            EXPECT_EQ(section, "Information");
            return values.count(key) ? values[key] : std::string();
        });
    EXPECT_EQ(
        text, "first\r\n" + [] {
            std::string s;
            for (int i = 0; i < 98; ++i)
                s += "\r\n";
            return s;
        }() + "last\r\n");
    EXPECT_EQ(ScriptInfoCaption("DEMOMAIL.MFS"), "Mail Form Script - C:\\MFD\\DEMOMAIL.MFS");
    EXPECT_EQ(ScriptInfoFile("X.MFS"), "C:\\MFD\\X.MFS");
}

// The scan against fake drivers: each driver "writes" its probe file when run.
class Scan : public ::testing::Test {
  protected:
    void SetUp() override {
        // A folder on Windows; natively "\\" is part of the file names beside it.
        MfdDirectory = dir.path() + "mfd";
        std::filesystem::create_directory(MfdDirectory);
        ExchangeFilePath = dir.file("tmpmfd.tmp");
        ports.runDriver = [this](const std::string& request) {
            runs.push_back(CurrentDriver + " " + request);
            EXPECT_FALSE(platform::FileExists(ExchangeFilePath)) << "not deleted before the probe";
            auto it = probes.find(CurrentDriver);
            if (it != probes.end())
                platform::WriteWholeFile(ExchangeFilePath, it->second);
        };
        ports.findWindowTitle = [this](const std::string& text) {
            for (const std::string& t : windows)
                if (t.find(text) != std::string::npos)
                    return t;
            return std::string();
        };
        ports.setProgress = [this](int p) { progress.push_back(p); };
        ports.choose = [this](const std::vector<std::string>& lines) {
            shownLines = lines;
            return chooseResult && ChooseMailerLine(run, 1);
        };
    }
    void AddDriver(const std::string& name, const std::string& info, const std::string& shortText) {
        platform::WriteWholeFile(MfdDirectory + "\\" + name, "x");
        probes[name] = "MFD-Protocol-Version: 1\r\nInformation: " + info +
                       "\r\nShort: " + shortText + "\r\n\r\n";
    }

    GlobalsScope keep;
    TestDir dir;
    MailerScanPorts ports;
    // The run the scan works for; its parts under the names the program gives them.
    MailerRun run;
    std::string& CurrentDriver = run.CurrentDriver;
    std::vector<std::string>& lines = run.ChooserLines;
    std::map<std::string, std::string> probes;
    std::vector<std::string> windows, runs, shownLines;
    std::vector<int> progress;
    bool chooseResult = true;
};

TEST_F(Scan, OneRunningMailerIsChosenWithoutAsking) {
    AddDriver("A.EXE", "Alpha", "Alpha Mail");
    AddDriver("B.EXE", "Beta", "Beta Mail");
    platform::WriteWholeFile(MfdDirectory + "\\Z.EXE", "x"); // writes no probe file
    ActiveDriverFiles = {"A.EXE", "B.EXE", "MISSING.EXE"};
    windows = {"Beta Mail - Inbox"};
    EXPECT_FALSE(ScanForRunningMailer(true, ports, run));
    EXPECT_EQ(CurrentDriver, "B.EXE");
    EXPECT_EQ(lines, std::vector<std::string>{ChooserEntry("Beta", "Beta Mail - Inbox", "B.EXE")});
    EXPECT_EQ(runs, (std::vector<std::string>{"A.EXE Data File=" + ExchangeFilePath,
                                              "B.EXE Data File=" + ExchangeFilePath}));
    EXPECT_EQ(progress, (std::vector<int>{5, 11, 17}));
    EXPECT_FALSE(platform::FileExists(ExchangeFilePath));
    EXPECT_TRUE(shownLines.empty());
}

TEST_F(Scan, NoProbeFileMatchesAnyTitledWindow) {
    platform::WriteWholeFile(MfdDirectory + "\\Z.EXE", "x");
    ActiveDriverFiles = {"Z.EXE"};
    windows = {"Some window"};
    EXPECT_FALSE(ScanForRunningMailer(false, ports, run));
    EXPECT_EQ(lines, std::vector<std::string>{ChooserEntry("", "Some window", "Z.EXE")});
    EXPECT_TRUE(progress.empty());
}

TEST_F(Scan, SeveralGoToTheChooser) {
    AddDriver("A.EXE", "Alpha", "Alpha");
    AddDriver("B.MFS", "Beta", "Beta");
    ActiveDriverFiles = {"A.EXE", "B.MFS"};
    windows = {"Beta win", "Alpha win"};
    EXPECT_FALSE(ScanForRunningMailer(true, ports, run));
    EXPECT_EQ(shownLines.size(), 2u);
    EXPECT_EQ(CurrentDriver, "B.MFS");
    chooseResult = false;
    EXPECT_TRUE(ScanForRunningMailer(true, ports, run));
}

TEST_F(Scan, NoneRunningAsksAbortRetryHelpAndRetryScansAgain) {
    AddDriver("A.EXE", "Alpha", "Alpha");
    ActiveDriverFiles = {"A.EXE"};
    std::vector<MsgBoxRequest> asked;
    std::vector<int> answers = {mrRetry, mrAbort};
    MsgBoxHandler previous = SetMsgBoxHandler([&](const MsgBoxRequest& r) {
        asked.push_back(r);
        if (asked.size() == 1)
            windows = {"Alpha started"}; // the user started the mail client meanwhile
        return answers[asked.size() - 1];
    });
    EXPECT_FALSE(ScanForRunningMailer(true, ports, run));
    EXPECT_EQ(CurrentDriver, "A.EXE");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, NoMailersText());
    EXPECT_EQ(asked[0].icon, MsgIcon::Error);
    EXPECT_EQ(asked[0].buttons, unsigned(mbAbort | mbRetry | mbHelp));
    EXPECT_EQ(asked[0].helpContext, 9003u);
    EXPECT_EQ(runs.size(), 2u);

    windows.clear();
    asked.clear();
    answers = {mrAbort};
    EXPECT_TRUE(ScanForRunningMailer(true, ports, run));
    EXPECT_EQ(asked.size(), 1u);
    ActiveDriverFiles.clear();
    asked.clear();
    runs.clear();
    answers = {mrCancel};
    EXPECT_TRUE(ScanForRunningMailer(true, ports, run));
    EXPECT_TRUE(runs.empty());
    SetMsgBoxHandler(previous);
}
