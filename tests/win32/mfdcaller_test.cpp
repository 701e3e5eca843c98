// Driver runs and the search for the running mail client with the testbed's drivers, Demo Mail
// and Notepad; the chooser and the script information window driven as a user would.
#include "runbed.h"

#include "app/global.h"
#include "drivers/ChooseMailer.h"
#include "drivers/ChooseMailer_win.h"
#include "drivers/MFDDirectory.h"
#include "drivers/ScriptInfo.h"
#include "drivers/ScriptInfo_win.h"
#include "drivers/mfdcaller.h"
#include "drivers/mfdcaller_win.h"
#include "res/resource.h"
#include "support/help_win.h"

#include <htmlhelp.h>

using namespace runbed;

namespace {

class MfdCaller : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(InstallDrivers(prog, mfd));
        ChooserIndex = 0;
    }

    TempDir prog{"wxp"}, mfd{"mfd"};
    // The run the search works for; its driver under the name the program gives it.
    MailerRun run;
    std::string& CurrentDriver = run.CurrentDriver;
    BoxAnswerer boxes;
};

TEST_F(MfdCaller, OneRunningMailerAmongMissingAndIdleDrivers) {
    DemoMail demo;
    ActiveDriverFiles = {"DEMOMFD.EXE", "GONE.EXE", "NOTEMFD.EXE"};
    EXPECT_FALSE(FindRunningMailer(run, false));
    EXPECT_EQ(CurrentDriver, "DEMOMFD.EXE"); // the scan went on to NOTEMFD.EXE meanwhile
    ASSERT_EQ(run.ChooserLines.size(), 1u);
    EXPECT_EQ(run.ChooserLines[0], ChooserEntry("Demo Mail driver DEMOMFD.EXE 1.0 (testbed)",
                                                "Demo Mail - Inbox", "DEMOMFD.EXE"));
    EXPECT_FALSE(FileExists(ExchangeFilePath)); // no probe data left behind
    EXPECT_TRUE(boxes.asked().empty());
}

TEST_F(MfdCaller, CapitalMfsRunsThroughTheEngine) {
    DriverFolder folder(MfdDirectory);
    DemoMail demo;
    ActiveDriverFiles = {"DEMOMAIL.MFS"};
    EXPECT_FALSE(FindRunningMailer(run, false));
    ASSERT_EQ(run.ChooserLines.size(), 1u);
    EXPECT_EQ(run.ChooserLines[0].substr(0, 46), "Demo Mail script DEMOMAIL.MFS 1.0 (testbed) / ");
}

TEST_F(MfdCaller, NoMailerRunningAbortOrRetryAfterTheClientStarted) {
    ActiveDriverFiles = {"DEMOMFD.EXE"};
    boxes.Queue(mrAbort);
    EXPECT_TRUE(FindRunningMailer(run, false));
    ASSERT_EQ(boxes.asked().size(), 1u);
    EXPECT_EQ(boxes.asked()[0].text, NoMailersText());
    EXPECT_EQ(boxes.asked()[0].helpContext, 9003u);

    std::unique_ptr<DemoMail> demo;
    MsgBoxHandler previous = SetMsgBoxHandler([&](const MsgBoxRequest&) {
        demo = std::make_unique<DemoMail>();
        return int(mrRetry);
    });
    EXPECT_FALSE(FindRunningMailer(run, false));
    SetMsgBoxHandler(previous);
    EXPECT_TRUE(demo);
    EXPECT_EQ(CurrentDriver, "DEMOMFD.EXE");
}

// Two mail clients: the chooser comes up with the line of ChooserIndex (or line 0) selected.
TEST_F(MfdCaller, ChooserPreselectsChoosesAndCancels) {
    DemoMail demo;
    Notepad pad;
    ActiveDriverFiles = {"DEMOMFD.EXE", "NOTEMFD.EXE"};
    std::vector<std::pair<HWND, UINT_PTR>> help;
    const HelpHook oldHelp = SetHelpHook([&](const HelpCall& call) {
        help.push_back({call.owner, call.context});
        EXPECT_EQ(call.command, UINT(HH_DISPLAY_TOPIC));
        EXPECT_EQ(call.target, ProgramDir + "Wextor5.chm::/ctx9002.htm");
    });
    struct Case {
        int index;       // ChooserIndex before
        int preselected; // line selected on show
        int choose;      // line clicked, -1: Cancel
        bool abandoned;
        const char* driver;
    } cases[] = {{1, 1, 0, false, "DEMOMFD.EXE"},
                 {3, 0, -2, false, "DEMOMFD.EXE"}, // Ok on the preselected line
                 {-1, -1, 1, false, "NOTEMFD.EXE"},
                 {0, 0, -1, true, "NOTEMFD.EXE"}}; // the last one probed
    for (const Case& c : cases) {
        ChooserIndex = c.index;
        CurrentDriver = "unchanged";
        int selected = -5;
        bool okEnabled = false;
        RECT client = {};
        DialogDriver driver(ChooserCaption, [&](HWND d) {
            const HWND list = GetDlgItem(d, IDC_CHOOSER_LIST);
            selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
            okEnabled = IsWindowEnabled(GetDlgItem(d, IDOK));
            GetClientRect(d, &client);
            Click(d, IDC_CHOOSER_HELP);
            if (c.choose == -1) {
                Click(d, IDCANCEL);
                return;
            }
            if (c.choose >= 0) {
                SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(c.choose), 0);
                SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_LIST, LBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(list));
            }
            Click(d, IDOK);
        });
        EXPECT_EQ(FindRunningMailer(run, false), c.abandoned) << c.index;
        EXPECT_EQ(driver.runs(), 1);
        EXPECT_EQ(selected, c.preselected) << c.index;
        EXPECT_EQ(okEnabled, c.preselected >= 0);
        EXPECT_EQ(client.right, 470);
        EXPECT_EQ(client.bottom, 91);
        EXPECT_EQ(CurrentDriver, c.driver) << c.index;
        if (c.choose >= 0) {
            EXPECT_EQ(ChooserIndex, c.choose);
        }
        EXPECT_EQ(run.ChooserLines.size(), 2u);
    }
    ASSERT_EQ(help.size(), 4u);
    EXPECT_EQ(help[0].second, 9002u);
    SetHelpHook(oldHelp);
}

// A double-click with no line selected does nothing; with one it chooses it.
TEST_F(MfdCaller, ChooserDoubleClickOnlyWithASelection) {
    DemoMail demo;
    Notepad pad;
    ActiveDriverFiles = {"DEMOMFD.EXE", "NOTEMFD.EXE"};
    ChooserIndex = -1;
    bool stayedOpen = false;
    DialogDriver driver(ChooserCaption, [&](HWND d) {
        const HWND list = GetDlgItem(d, IDC_CHOOSER_LIST);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_LIST, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list));
        stayedOpen = IsWindowVisible(d) != FALSE;
        SendMessageA(list, LB_SETCURSEL, 1, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_CHOOSER_LIST, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list));
    });
    EXPECT_FALSE(FindRunningMailer(run, false));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(CurrentDriver, "NOTEMFD.EXE");
}

TEST_F(MfdCaller, ScriptInformationWindow) {
    WriteFile(mfd.file("BARE.MFS"), "[Driver]\r\nShort=x\r\n");
    const struct {
        const char* driver;
        std::string firstLines;
    } cases[] = {
        {"DEMOMAIL.MFS", "Demo Mail - Mail Form Script DEMOMAIL.MFS 1.0 (testbed)\r\n\r\nReads"},
        {"BARE.MFS", "\r\n\r\n\r\n"},
        {"demomfd.exe", "\r\n\r\n"}, // small letters: taken for a script
    };
    for (const auto& c : cases) {
        std::string caption, text;
        RECT client = {};
        DialogDriver driver(ScriptInfoCaption(c.driver), [&](HWND d) {
            caption = TextOf(d);
            text = TextOf(GetDlgItem(d, IDC_SCRIPTINFO_TEXT));
            GetClientRect(d, &client);
            Click(d, IDC_SCRIPTINFO_CLOSE);
        });
        ShowDriverDetails(c.driver);
        EXPECT_EQ(driver.runs(), 1) << c.driver;
        EXPECT_EQ(caption, "Mail Form Script - " + MfdDirectory + "\\" + c.driver);
        EXPECT_EQ(text.compare(0, c.firstLines.size(), c.firstLines), 0) << text.substr(0, 80);
        size_t lines = 0;
        for (size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2))
            ++lines;
        EXPECT_EQ(lines, 100u) << c.driver;
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
        EXPECT_EQ(client.right, 618);
        EXPECT_EQ(client.bottom, 297);
    }
}

std::string detailsBoxTitle;

// Closes the driver's about box once it shows, and keeps its title.
void CALLBACK CloseDetailsBox(HWND, UINT, UINT_PTR id, DWORD) {
    if (HWND box = FindWindowA("TestbedMfdInfoBox", nullptr)) {
        detailsBoxTitle = TextOf(box);
        PostMessageA(box, WM_CLOSE, 0, 0);
        KillTimer(nullptr, id);
    }
}

TEST_F(MfdCaller, ProgramDriverDetailsRunItWithTheEmptyRequest) {
    SetEnvironmentVariableA("TESTBED_BOX_MS", "0");
    detailsBoxTitle.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, CloseDetailsBox);
    ShowDriverDetails("DEMOMFD.EXE"); // returns once the driver's about box has gone
    KillTimer(nullptr, timer);
    SetEnvironmentVariableA("TESTBED_BOX_MS", nullptr);
    EXPECT_EQ(detailsBoxTitle, "About DEMOMFD.EXE");
    EXPECT_EQ(FindWindowA("TestbedMfdInfoBox", nullptr), nullptr);
    EXPECT_TRUE(boxes.asked().empty());
}

} // namespace
