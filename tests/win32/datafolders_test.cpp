#include "app/datafolders_win.h"
#include "common/unicode_win.h"
#include "support/platform.h"
#include "wintest.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace wintest;

namespace {
int FilesIn(const std::string& folder) {
    int n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do
        n += (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}
} // namespace

TEST(Win32DataFolders, TheProbeTriesAndLeavesNothingBehind) {
    TempDir dir;
    EXPECT_TRUE(FolderTakesWrites(dir.path()));
    EXPECT_TRUE(FolderTakesWrites(dir.path())); // a second probe is not refused by the first
    EXPECT_EQ(FilesIn(dir.path()), 0);
    EXPECT_FALSE(FolderTakesWrites(dir.path() + "missing\\"));
}

TEST(Win32DataFolders, ExchangeFileNamedWithoutBlanksForTheDriversCommandLine) {
    TempDir dir;
    const std::string folder = dir.path() + "Wextor 5 data\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = HandedOnFolder(folder) + "tmpmfd.tmp";
    EXPECT_EQ(path.find(' '), std::string::npos) << path;
    ASSERT_GT(path.size(), 10u);
    EXPECT_EQ(path.substr(path.size() - 10), "tmpmfd.tmp");
    // The short name names the same file as the long one.
    WriteFile(path, "x");
    EXPECT_EQ(ReadFile(folder + "tmpmfd.tmp"), "x");
    // A folder with no short form (here: none at all) is used as it is.
    EXPECT_EQ(HandedOnFolder(dir.path() + "gone\\"), dir.path() + "gone\\");
}

// A folder named in letters of no ANSI code page ("Łucja 李"): its short form, in UTF-8, still
// names the same folder.
TEST(Win32DataFolders, ShortFormOfAFolderBeyondTheCodePage) {
    TempDir dir;
    const std::string folder = dir.path() + "\xC5\x81ucja \xE6\x9D\x8E\\";
    ASSERT_TRUE(CreateDirectoryW(Widen(folder).c_str(), nullptr));
    const std::string handed = HandedOnFolder(folder);
    EXPECT_EQ(handed.find(' '), std::string::npos) << handed;
    EXPECT_TRUE(FolderTakesWrites(handed));
    platform::WriteWholeFile(handed + "tmpmfd.tmp", "x");
    EXPECT_EQ(platform::ReadWholeFile(folder + "tmpmfd.tmp"), "x");
    EXPECT_TRUE(platform::DeleteFileAt(folder + "tmpmfd.tmp"));
    EXPECT_TRUE(RemoveDirectoryW(Widen(folder).c_str()));
}

TEST(Win32DataFolders, SharedExchangeFolderIsPlainAndTheSameEachTime) {
    const std::string folder = SharedExchangeFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(IsPlainPath(folder + "tmpmfd.tmp")) << folder;
    EXPECT_TRUE(FolderTakesWrites(folder));
    EXPECT_EQ(SharedExchangeFolder(), folder); // one that this user made is taken again
}
