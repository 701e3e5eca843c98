// LoadSettings / SaveSettings against a profile held in memory.
#include "app/global.h"
#include "app/settings.h"
#include "support/platform.h"
#include "support/readastr.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <map>

namespace {
struct MemoryProfile : ProfileStore {
    std::map<std::string, std::string> values; // "Section/Key"
    bool refuse = false;
    std::string ReadString(const std::string& s, const std::string& k,
                           const std::string& d) override {
        auto it = values.find(s + "/" + k);
        return it == values.end() ? d : it->second;
    }
    void WriteString(const std::string& s, const std::string& k, const std::string& v) override {
        if (refuse)
            throw FileError("Unable to write to Wextor5.INI");
        values[s + "/" + k] = v;
    }
};

struct FakeControls : SettingsControls {
    int routine = 9, special = 9;
    bool ignoreWrapped = true, forceKey = true, showTips = false;
    std::vector<std::string> mailing{"stale"}, active;
    int probes = 0;
    HotKey hotKey{HotKeyShift, 'Q'};
    bool hotKeyChosen = false;
    HotKey HotKeyChoice() const override { return hotKey; }
    void SetHotKeyChoice(const HotKey& k, bool chosen) override {
        hotKey = k;
        hotKeyChosen = chosen;
    }
    int RoutineModeIndex() const override { return routine; }
    int SpecialModeIndex() const override { return special; }
    bool IgnoreWrappedKeysChecked() const override { return ignoreWrapped; }
    bool ForceKeyReadChecked() const override { return forceKey; }
    std::vector<std::string> MailingListEntries() const override { return mailing; }
    std::vector<std::string> ActiveEntries() const override { return active; }
    void SetRoutineModeIndex(int i) override { routine = i; }
    void SetSpecialModeIndex(int i) override { special = i; }
    void SetIgnoreWrappedKeysChecked(bool c) override { ignoreWrapped = c; }
    void SetForceKeyReadChecked(bool c) override { forceKey = c; }
    void SetMailingListEntries(const std::vector<std::string>& e) override { mailing = e; }
    void StripActiveMarks() override {
        for (std::string& e : active)
            if (!e.empty() && e[0] == '=')
                e.erase(0, 1);
    }
    void SetShowTipsChecked(bool c) override { showTips = c; }
    std::string VersionLabelText() override { return "File Version: 5.0.0.1"; }
    void ProbePgpVersion() override { ++probes; }
};

class Settings : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        StepCode = 0;
    }
    TestDir dir;
    MemoryProfile ini;
    FakeControls controls;
};
} // namespace

TEST_F(Settings, FirstStartGivesTheDefaultsAndWritesTwoKeys) {
    LoadSettings(controls, ini);
    EXPECT_EQ(controls.routine, 0);
    EXPECT_EQ(controls.special, 0);
    EXPECT_FALSE(controls.ignoreWrapped);
    EXPECT_FALSE(controls.forceKey);
    EXPECT_TRUE(controls.mailing.empty());
    EXPECT_EQ(RecentPage, 2);
    EXPECT_EQ(TipNumber, 0);
    EXPECT_TRUE(TipEnabled);
    EXPECT_EQ(PgpMainExe, "");
    EXPECT_EQ(controls.probes, 1);
    EXPECT_EQ(StepCode, 1013);
    EXPECT_EQ(ini.values["General/LocalRoot"], ProgramDir);
    EXPECT_EQ(ini.values["General/Version"], "File Version: 5.0.0.1");
    EXPECT_EQ(ini.values.size(), 2u);
    EXPECT_EQ(FormatHotKey(controls.hotKey), "Ctrl+Shift+F9");
    EXPECT_FALSE(controls.hotKeyChosen); // the default, not the user's choice
    const std::string log = ReadFileString(ProgramDir + "DebugLog.Txt");
    EXPECT_NE(log.find(": Loaded Mailing List File\r\n"), std::string::npos);
}

TEST_F(Settings, EncodingsReadAndWrittenBack) {
    ini.values = {{"General/optProcessing", "7"},       {"General/optOutward", "-5"},
                  {"General/TipNumber", "0x1A"},        {"General/TipEnabled", "0"},
                  {"General/chkForceKeyRead", "2"},     {"General/RecentPage", "abc"},
                  {"PGP/Mainexe", "C:\\PGP\\PGP50.exe"}};
    LoadSettings(controls, ini);
    EXPECT_EQ(controls.routine, 2);
    EXPECT_EQ(controls.special, -1);
    EXPECT_EQ(TipNumber, 26);
    EXPECT_FALSE(TipEnabled);
    EXPECT_TRUE(controls.forceKey);
    EXPECT_EQ(RecentPage, 2);
    EXPECT_EQ(PgpMainExe, "C:\\PGP\\PGP50.exe");

    controls.mailing = {" list@example.org ", "news.group"};
    controls.active = {"=Demo Mail" + std::string(200, ' ') + "DEMOMFD.EXE"};
    SaveSettings(controls, ini);
    EXPECT_EQ(ini.values["General/optProcessing"], "2");
    EXPECT_EQ(ini.values["General/optOutward"], "-1");
    EXPECT_EQ(ini.values["General/chkForceKeyRead"], "1");
    EXPECT_EQ(ini.values["General/chkIgnoreWrappedKeys"], "0");
    EXPECT_EQ(ini.values["General/RecentPage"], "2");
    EXPECT_EQ(StepCode, 1199);
    EXPECT_EQ(ReadFileString(ProgramDir + "MailingList.dat"),
              " list@example.org \r\nnews.group\r\n");
    EXPECT_EQ(ReadFileString(ProgramDir + "ActiveMailers.dat"),
              "Demo Mail" + std::string(200, ' ') + "DEMOMFD.EXE\r\n");

    controls.mailing.clear();
    LoadSettings(controls, ini); // Cancel: the file's addresses come back exactly
    EXPECT_EQ(controls.mailing, (std::vector<std::string>{" list@example.org ", "news.group"}));
}

TEST_F(Settings, TipSettingsAndRefusedWrites) {
    TipNumber = 4;
    TipEnabled = false;
    controls.showTips = true;
    SaveTipSettings(controls, ini);
    EXPECT_EQ(ini.values["General/TipNumber"], "4");
    EXPECT_EQ(ini.values["General/TipEnabled"], "0");
    EXPECT_FALSE(controls.showTips);

    ini.refuse = true;
    try {
        LoadSettings(controls, ini);
        FAIL() << "no error raised";
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "Unable to write to Wextor5.INI");
        EXPECT_EQ(StepCode, 1012);
    }
}

TEST_F(Settings, KeyboardShortcutNamedInTheFile) {
    struct Case {
        const char* value;
        const char* shown;
    };
    const Case cases[] = {
        {"Shift+Ctrl+F11", "Ctrl+Shift+F11"}, {"None", "None"}, {"", "None"}, {"nonsense", "None"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        ini.values["General/Hotkey"] = c.value;
        LoadSettings(controls, ini);
        EXPECT_EQ(FormatHotKey(controls.hotKey), c.shown);
        EXPECT_TRUE(controls.hotKeyChosen);
    }
    controls.hotKey = ParseHotKey("alt+ctrl+e");
    SaveSettings(controls, ini);
    EXPECT_EQ(ini.values["General/Hotkey"], "Ctrl+Alt+E");
}
