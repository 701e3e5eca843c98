#include "app/datafolders_win.h"
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
    const std::string path = ExchangeFileFor(folder);
    EXPECT_EQ(path.find(' '), std::string::npos) << path;
    ASSERT_GT(path.size(), 10u);
    EXPECT_EQ(path.substr(path.size() - 10), "tmpmfd.tmp");
    // The short name names the same file as the long one.
    WriteFile(path, "x");
    EXPECT_EQ(ReadFile(folder + "tmpmfd.tmp"), "x");
    // A folder with no short form (here: none at all) is used as it is.
    EXPECT_EQ(ExchangeFileFor(dir.path() + "gone\\"), dir.path() + "gone\\tmpmfd.tmp");
}
