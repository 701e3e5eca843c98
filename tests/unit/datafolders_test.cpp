#include "app/datafolders.h"

#include <gtest/gtest.h>

namespace {
const char* const kProgram = "C:\\Program Files\\Wextor 5\\";
const char* const kLocal = "C:\\Users\\ann\\AppData\\Local";
const char* const kRoaming = "C:\\Users\\ann\\AppData\\Roaming";
const char* const kPerUserDir = "C:\\Users\\ann\\AppData\\Local\\Wextor 5\\";
const char* const kPerUserIni = "C:\\Users\\ann\\AppData\\Roaming\\Wextor 5\\Wextor5.INI";

DataPlaceFacts Facts(bool programWritable, bool windowsWritable) {
    DataPlaceFacts f;
    f.programDir = kProgram;
    f.windowsDir = "C:\\Windows\\";
    f.localAppData = kLocal;
    f.roamingAppData = kRoaming;
    f.programDirWritable = programWritable;
    f.windowsDirWritable = windowsWritable;
    return f;
}
} // namespace

TEST(DataPlaces, EachFolderThatRefusesWritesIsReplacedAlone) {
    struct Case {
        bool programWritable, windowsWritable, filesBefore, settingsBefore;
        const char* dataDir;
        const char* settings;
    } cases[] = {
        // Where the old folders take writes nothing moves: every copied install and test.
        {true, true, false, false, kProgram, "Wextor5.INI"},
        // Standard user with Program Files and the Windows folder closed.
        {false, false, false, false, kPerUserDir, kPerUserIni},
        {false, true, false, false, kPerUserDir, "Wextor5.INI"},
        {true, false, false, false, kProgram, kPerUserIni},
        // Once moved, a start with more rights (elevated) keeps using the user's files.
        {true, true, true, false, kPerUserDir, "Wextor5.INI"},
        {true, true, false, true, kProgram, kPerUserIni},
        {true, true, true, true, kPerUserDir, kPerUserIni},
    };
    for (const Case& c : cases) {
        DataPlaceFacts f = Facts(c.programWritable, c.windowsWritable);
        f.perUserFilesExist = c.filesBefore;
        f.perUserSettingsExist = c.settingsBefore;
        const DataPlaces p = ChooseDataPlaces(f);
        const std::string what = std::string("program ") + (c.programWritable ? "rw" : "ro") +
                                 ", windows " + (c.windowsWritable ? "rw" : "ro") +
                                 (c.filesBefore ? ", files before" : "") +
                                 (c.settingsBefore ? ", settings before" : "");
        EXPECT_EQ(p.dataDir, c.dataDir) << what;
        EXPECT_EQ(p.settingsFile, c.settings) << what;
        EXPECT_EQ(p.filesMoved, p.dataDir != kProgram) << what;
        EXPECT_EQ(p.settingsMoved, p.settingsFile != "Wextor5.INI") << what;
    }
}

TEST(DataPlaces, PerUserFoldersFromWhatTheShellNamed) {
    struct Case {
        const char* local;
        const char* roaming;
        const char* dataDir;
        const char* settings;
    } cases[] = {
        {"C:\\L", "C:\\R", "C:\\L\\Wextor 5\\", "C:\\R\\Wextor 5\\Wextor5.INI"},
        {"C:\\L\\", "C:\\R\\", "C:\\L\\Wextor 5\\", "C:\\R\\Wextor 5\\Wextor5.INI"},
        {"", "C:\\R", "C:\\R\\Wextor 5\\", "C:\\R\\Wextor 5\\Wextor5.INI"},
        // No per-user folder at all: the old places are all there is.
        {"", "", kProgram, "Wextor5.INI"},
        {"C:\\L", "", "C:\\L\\Wextor 5\\", "Wextor5.INI"},
    };
    for (const Case& c : cases) {
        DataPlaceFacts f = Facts(false, false);
        f.localAppData = c.local;
        f.roamingAppData = c.roaming;
        const DataPlaces p = ChooseDataPlaces(f);
        EXPECT_EQ(p.dataDir, c.dataDir) << c.local << " | " << c.roaming;
        EXPECT_EQ(p.settingsFile, c.settings) << c.local << " | " << c.roaming;
    }
}

TEST(DataPlaces, CarriedOverFilesOnlyForWhatMoved) {
    using Carries = std::vector<std::pair<std::string, std::string>>;
    const std::string dir = kPerUserDir, prog = kProgram;
    struct Case {
        bool programWritable, windowsWritable;
        Carries carries;
    } cases[] = {
        {true, true, {}},
        {true, false, {{"C:\\Windows\\Wextor5.INI", kPerUserIni}}},
        {false,
         true,
         {{prog + "MailingList.dat", dir + "MailingList.dat"},
          {prog + "ActiveMailers.dat", dir + "ActiveMailers.dat"}}},
        {false,
         false,
         {{"C:\\Windows\\Wextor5.INI", kPerUserIni},
          {prog + "MailingList.dat", dir + "MailingList.dat"},
          {prog + "ActiveMailers.dat", dir + "ActiveMailers.dat"}}},
    };
    for (const Case& c : cases) {
        const DataPlaceFacts f = Facts(c.programWritable, c.windowsWritable);
        Carries got;
        for (const FileCarry& carry : CarriedOverFiles(f, ChooseDataPlaces(f)))
            got.emplace_back(carry.from, carry.to);
        EXPECT_EQ(got, c.carries) << c.programWritable << c.windowsWritable;
    }
}

TEST(DataPlaces, WindowsFolderWithoutBackslashStillNamesTheFile) {
    DataPlaceFacts f = Facts(true, false);
    f.windowsDir = "C:\\WINNT";
    const std::vector<FileCarry> carries = CarriedOverFiles(f, ChooseDataPlaces(f));
    ASSERT_EQ(carries.size(), 1u);
    EXPECT_EQ(carries[0].from, "C:\\WINNT\\Wextor5.INI");
}

// The user's own local folder first, for every install: no other user may read the message
// while it is there. The program's folder (readable by others in a copy in C:\\Tools) comes last.
TEST(ExchangePlace, FirstPlainFolderWinsAndLaterOnesAreNotAsked) {
    const char* const dataShort = "C:\\PROGRA~1\\WEXTOR~1\\";
    const char* const localShort = "C:\\Users\\LUCJA~1\\AppData\\Local\\WEXTOR~1\\";
    const char* const shared = "C:\\ProgramData\\WEXTOR~1\\S-1-5-21-7-1001\\";
    struct Case {
        const char* what;
        std::vector<std::string> folders; // per-user, shared, data: in the order they are asked
        std::string file;
        bool plain;
        int asked;
    } cases[] = {
        {"all plain: the user's own folder",
         {localShort, shared, dataShort},
         std::string(localShort) + "tmpmfd.tmp",
         true,
         1},
        {"a blank in the user's folder (8.3 names off)",
         {"C:\\Users\\Lucja Z\\AppData\\Local\\Wextor 5\\", shared, dataShort},
         std::string(shared) + "tmpmfd.tmp",
         true,
         2},
        {"non-ASCII short name",
         {"C:\\Users\\\xC5\x81UCJ~1\\Local\\WEXTOR~1\\", shared, dataShort},
         std::string(shared) + "tmpmfd.tmp",
         true,
         2},
        {"only the program's folder",
         {"", "", dataShort},
         std::string(dataShort) + "tmpmfd.tmp",
         true,
         3},
        {"no trailing backslash", {"C:\\WX", "", ""}, "C:\\WX\\tmpmfd.tmp", true, 1},
        {"a tab is no plain character",
         {"C:\\A\tB\\", "C:\\S\\", ""},
         "C:\\S\\tmpmfd.tmp",
         true,
         2},
        {"none plain: the first one, flagged",
         {"C:\\Users\\\xE6\x9D\x8E\\L\\", "", "C:\\Users\\\xE6\x9D\x8E\\Wextor 5\\"},
         "C:\\Users\\\xE6\x9D\x8E\\L\\tmpmfd.tmp",
         false,
         3},
        {"nothing at all", {"", "", ""}, "", false, 3},
    };
    for (const Case& c : cases) {
        int asked = 0;
        const auto source = [&](std::size_t i) {
            return [&, i] {
                ++asked;
                EXPECT_EQ(asked, static_cast<int>(i) + 1) << c.what << ": asked out of order";
                return c.folders[i];
            };
        };
        ExchangeFolders folders;
        folders.perUserFolder = source(0);
        folders.sharedFolder = source(1);
        folders.dataFolder = source(2);
        const ExchangePlace place = ChooseExchangeFile(folders);
        EXPECT_EQ(place.file, c.file) << c.what;
        EXPECT_EQ(place.plain, c.plain) << c.what;
        EXPECT_EQ(asked, c.asked) << c.what;
    }
}

TEST(ExchangePlace, PlainMeansPrintableAsciiWithoutBlanks) {
    const struct {
        std::string path;
        bool plain;
    } cases[] = {
        {"C:\\PROGRA~1\\WEXTOR~1\\tmpmfd.tmp", true},
        {"\\\\server\\share$\\~x!{}.tmp", true},
        {"", false},
        {"C:\\Program Files\\tmpmfd.tmp", false},
        {"C:\\Zo\xC3\xAB\\tmpmfd.tmp", false}, // UTF-8 "ë": not even in code page 1252
        {"C:\\\x7F", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsPlainPath(c.path), c.plain) << c.path;
}
