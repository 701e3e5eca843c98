#include "app/settings_win.h"
#include "support/platform.h"
#include "wintest.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {
std::string WindowsFolderFile(const char* name) {
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + name;
}
} // namespace

TEST(PrivateProfile, BareNameLivesInTheWindowsFolder) {
    const std::string path = WindowsFolderFile("WextorTest.INI");
    DeleteFileA(path.c_str());
    PrivateProfile ini("WextorTest.INI");
    EXPECT_EQ(ini.ReadString("General", "TipNumber", "dflt"), "dflt");
    ini.WriteString("General", "TipNumber", "0x1A");
    ini.WriteString("PGP", "Mainexe", "C:\\Program Files\\PGP\\PGP50.exe");
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ini.ReadString("General", "TipNumber", ""), "0x1A");
    EXPECT_EQ(ini.ReadString("PGP", "Mainexe", ""), "C:\\Program Files\\PGP\\PGP50.exe");
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("[General]"), std::string::npos) << text;
    EXPECT_NE(text.find("TipNumber=0x1A"), std::string::npos) << text;

    // A value longer than the 1024-byte buffer comes back as its first 1023 characters.
    ini.WriteString("General", "Long", std::string(1500, 'v'));
    EXPECT_EQ(ini.ReadString("General", "Long", ""), std::string(1023, 'v'));
    DeleteFileA(path.c_str());
}

TEST(PrivateProfile, RefusedWriteRaisesUnableToWrite) {
    TempDir dir;
    const std::string path = dir.file("ro.ini");
    WriteFile(path, "[General]\r\n");
    SetReadOnly(path, true);
    PrivateProfile ini(path);
    try {
        ini.WriteString("General", "LocalRoot", "x");
        ADD_FAILURE() << "write to a read-only profile was not refused";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    SetReadOnly(path, false);
}

// A value the code page cannot carry (the bridge's path under a profile named in another
// script) is kept: the file becomes UTF-16, what it held before kept too. Plain values leave
// an older file as it is.
TEST(PrivateProfile, ValuesInAnyScriptAreKept) {
    TempDir dir;
    const std::string path = dir.file("Wextor5.INI");
    WriteFile(path, "[General]\r\nTipEnabled=0\r\nName=Caf\xE9\r\n");
    PrivateProfile ini(path);
    ini.WriteString("General", "TipNumber", "3");
    EXPECT_EQ(ReadFile(path).substr(0, 9), "[General]") << "still the code page's bytes";
    const std::string exe =
        "C:\\Users\\Łucja 李明\\AppData\\Local\\Programs\\Wextor 5\\GpgBridge.exe";
    ini.WriteString("PGP", "Mainexe", exe);
    EXPECT_EQ(ReadFile(path).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ini.ReadString("PGP", "Mainexe", ""), exe);
    EXPECT_EQ(ini.ReadString("General", "Name", ""), "Café");
    EXPECT_EQ(ini.ReadString("General", "TipNumber", ""), "3");
    PrivateProfile fresh(dir.file("new.ini"));
    fresh.WriteString("PGP", "Mainexe", exe);
    EXPECT_EQ(fresh.ReadString("PGP", "Mainexe", ""), exe);
}
