#include "app/global.h"
#include "support/deblog.h"
#include "support/error.h"
#include "support/fileutil.h"
#include "support/fileutil_win.h"
#include "support/readastr.h"
#include "support/platform.h"
#include "wintest.h"

#include <gtest/gtest.h>

using namespace wintest;

class Win32Files : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        StepCode = 0;
    }
    TempDir dir;
};

TEST_F(Win32Files, WriteToReadOnlyFileReportsToLogAndBox) {
    BoxAnswerer boxes;
    const std::string path = dir.file("ro.txt");
    WriteFile(path, "keep");
    SetReadOnly(path, true);
    StepCode = 5703;
    WriteFileString(path, "new text");
    SetReadOnly(path, false);

    EXPECT_EQ(ReadFile(path), "keep");
    ASSERT_EQ(boxes.asked().size(), 1u);
    const MsgBoxRequest& box = boxes.asked()[0];
    const std::string prefix = "Error in WriteFileString:" + path + ".5703 with ";
    EXPECT_EQ(box.text.substr(0, prefix.size()), prefix) << box.text;
    EXPECT_GT(box.text.size(), prefix.size()) << "no system message";
    EXPECT_EQ(box.caption, "Warning");
    EXPECT_EQ(box.icon, MsgIcon::Warning);
    const std::string log = ReadFile(DebugLogPath());
    EXPECT_NE(log.find(": " + box.text + "\r\n"), std::string::npos) << log;
}

TEST_F(Win32Files, WipeFileLeavesNoFile) {
    const std::string path = dir.file("secret.tmp");
    WriteFile(path, std::string(100000, 'S'));
    WipeFile(path);
    EXPECT_FALSE(FileExists(path));
    WriteFile(path, "");
    WipeFile(path);
    EXPECT_FALSE(FileExists(path));
    WipeFile(dir.file("missing.tmp"));
    EXPECT_FALSE(FileExists(dir.file("missing.tmp")));
}

// A second name of the same file sees what the wipe did to the file's own bytes: overwritten in
// place, as long as they were, none of the message left (a rewrite through truncation would
// leave the name empty and the old blocks untouched).
TEST_F(Win32Files, WipeOverwritesTheFilesOwnBytes) {
    const std::string path = dir.file("tmpmfd.tmp"), other = dir.file("other-name.tmp");
    const std::string message = std::string(200000, 'S') + "the plans are in the blue folder";
    WriteFile(path, message);
    ASSERT_TRUE(CreateHardLinkA(other.c_str(), path.c_str(), nullptr));
    WipeFile(path);
    EXPECT_FALSE(FileExists(path));
    const std::string left = ReadFile(other);
    EXPECT_EQ(left.size(), message.size());
    EXPECT_EQ(left.find("blue folder"), std::string::npos);
    EXPECT_EQ(left.find(std::string(64, 'S')), std::string::npos);
}

TEST_F(Win32Files, ReadFileStringRaisesOnALockedFile) {
    const std::string path = dir.file("locked.txt");
    WriteFile(path, "x");
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_THROW(ReadFileString(path), FileError);
    CloseHandle(h);
    EXPECT_EQ(ReadFileString(path), "x");
}

TEST_F(Win32Files, ShortPathNameOfPathWithBlanks) {
    const std::string folder = dir.file("Long Folder Name With Blanks");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string file = folder + "\\Some long file.txt";
    WriteFile(file, "x");
    const std::string shortPath = ShortPathName(file);
    ASSERT_FALSE(shortPath.empty());
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
    EXPECT_EQ(ReadFile(shortPath), "x");
    EXPECT_EQ(ShortPathName(dir.file("does not exist")), "");
}

TEST_F(Win32Files, DebugLogUsesTheLocaleFormats) {
    SYSTEMTIME before;
    GetLocalTime(&before);
    DebugLog("hello");
    const std::string log = ReadFile(DebugLogPath());
    char date[128], time[128];
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &before, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &before, nullptr, time, sizeof time);
    // The date is today's; the time is at most a second or two later than 'before'.
    EXPECT_EQ(log.substr(0, strlen(date) + 1), std::string(date) + " ") << log;
    EXPECT_EQ(log.size(), strlen(date) + 1 + strlen(time) + 2 + 5 + 2) << log;
    EXPECT_EQ(log.substr(log.size() - 9), ": hello\r\n");
}

TEST(Win32Version, WindowsVersionTextNamesThePlatform) {
    const std::string text = WindowsVersionText();
    EXPECT_NE(text.find(" WinNT"), std::string::npos) << text;
    EXPECT_EQ(text.find("."), 1u) << text;
}
