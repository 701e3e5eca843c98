#include "settings.h"

#include <gtest/gtest.h>

using Ids = std::vector<std::string>;

TEST(SplitKeyIds, Table) {
    struct Case {
        const char* text;
        Ids ids;
    } cases[] = {
        {"", {}},
        {" ,\t, ", {}},
        {"9c8341a58a4db149", {"9C8341A58A4DB149"}},
        {"AAAA bbbb,CCCC\r\n", {"AAAA", "BBBB", "CCCC"}},
        {"bbbb AAAA BBBB aaaa", {"BBBB", "AAAA"}}, // first order kept, case-blind duplicates
        {"alice@example.org Alice@example.org", {"alice@example.org", "Alice@example.org"}},
        {"0x9c83", {"0x9c83"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitKeyIds(c.text), c.ids) << c.text;
        EXPECT_EQ(SplitKeyIds(JoinKeyIds(c.ids)), c.ids) << c.text;
    }
    EXPECT_EQ(JoinKeyIds({"AAAA", "", "BBBB"}), "AAAA BBBB");
}

TEST(ParseFlag, Table) {
    struct Case {
        const char* text;
        bool fallback, value;
    } cases[] = {
        {"1", false, true},    {"0", true, false},     {" 1\r\n", false, true},
        {"TRUE", false, true}, {"False", true, false}, {"yes", false, true},
        {"No", true, false},   {"", true, true},       {"", false, false},
        {"2", false, false},   {"10", true, true},     {"y", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseFlag(c.text, c.fallback), c.value) << '"' << c.text << '"';
}

TEST(Candidates, RegistryThenFoldersInOrder) {
    const Ids pf = {"C:\\Program Files", "C:\\Program Files (x86)", "C:\\Program Files"};
    struct Case {
        const char* setting;
        Ids install, folders, gpg;
    } cases[] = {
        // A 32-bit bridge on 64-bit Windows: %ProgramW6432% names the 64-bit folder first.
        {"",
         {},
         pf,
         {"C:\\Program Files\\GnuPG\\bin\\gpg.exe",
          "C:\\Program Files (x86)\\GnuPG\\bin\\gpg.exe"}},
        // The registry's word comes before any folder; the same place twice is tried once.
        {"",
         {"D:\\Apps\\GnuPG", "", "D:\\Apps\\GnuPG\\"},
         pf,
         {"D:\\Apps\\GnuPG\\bin\\gpg.exe", "C:\\Program Files\\GnuPG\\bin\\gpg.exe",
          "C:\\Program Files (x86)\\GnuPG\\bin\\gpg.exe"}},
        {" \"D:\\My Tools\\gpg.exe\" ",
         {"C:\\Program Files\\GnuPG"},
         {"", "", "C:\\P"},
         {"D:\\My Tools\\gpg.exe", "C:\\Program Files\\GnuPG\\bin\\gpg.exe",
          "C:\\P\\GnuPG\\bin\\gpg.exe"}},
        {"", {}, {}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GpgCandidates(c.setting, {c.install, c.folders}), c.gpg) << c.setting;
    EXPECT_EQ(KleopatraCandidates({{"E:\\Gpg4win"}, {"", "C:\\Program Files (x86)"}}),
              (Ids{"E:\\Gpg4win\\bin\\kleopatra.exe",
                   "C:\\Program Files (x86)\\Gpg4win\\bin\\kleopatra.exe"}));
}

TEST(ChooseSettingsPlace, Table) {
    const std::string perUser = "C:\\Users\\ann\\AppData\\Roaming\\GnuPG bridge\\GpgBridge.INI";
    struct Case {
        bool windowsWritable, perUserExists;
        const char* appData;
        std::string file, carryFrom;
    } cases[] = {
        // A Windows folder that takes writes keeps the file where it always was.
        {true, false, "C:\\Users\\ann\\AppData\\Roaming", "GpgBridge.INI", ""},
        {false, false, "C:\\Users\\ann\\AppData\\Roaming", perUser, "C:\\Windows\\GpgBridge.INI"},
        {false, false, "C:\\Users\\ann\\AppData\\Roaming\\", perUser, "C:\\Windows\\GpgBridge.INI"},
        // Once there, the per-user file wins even when the folder takes writes (elevated).
        {true, true, "C:\\Users\\ann\\AppData\\Roaming", perUser, "C:\\Windows\\GpgBridge.INI"},
        // No per-user folder named: the bare name is all there is.
        {false, false, "", "GpgBridge.INI", ""},
    };
    for (const Case& c : cases) {
        const SettingsPlace place =
            ChooseSettingsPlace(c.windowsWritable, c.perUserExists, "C:\\Windows\\", c.appData);
        EXPECT_EQ(place.file, c.file) << c.windowsWritable << c.perUserExists << c.appData;
        EXPECT_EQ(place.carryFrom, c.carryFrom) << c.windowsWritable << c.perUserExists;
    }
    EXPECT_EQ(ChooseSettingsPlace(false, false, "", "C:\\R").carryFrom, "");
}

TEST(PathFolders, OnlyAbsoluteFoldersAreSearched) {
    using V = std::vector<std::string>;
    struct Case {
        const char* path;
        V folders;
    } cases[] = {
        {"", V{}},
        {"C:\\Windows\\system32;C:\\Windows", V{"C:\\Windows\\system32", "C:\\Windows"}},
        {".;;bin;\\tools;C:relative;C:\\GnuPG\\bin", V{"C:\\GnuPG\\bin"}},
        {"\"C:\\Program Files\\GnuPG\\bin\"; \\\\server\\share\\bin ",
         V{"C:\\Program Files\\GnuPG\\bin", "\\\\server\\share\\bin"}},
        {"C:\\Users\\李明\\bin;", V{"C:\\Users\\李明\\bin"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PathFolders(c.path), c.folders) << c.path;
}
