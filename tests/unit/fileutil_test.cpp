#include "app/global.h"
#include "support/deblog.h"
#include "support/error.h"
#include "support/fileutil.h"
#include "support/msgbox.h"
#include "support/platform.h"
#include "support/readastr.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
class FileUtil : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        StepCode = 0;
        previous = SetMsgBoxHandler([this](const MsgBoxRequest& r) {
            boxes.push_back(r);
            return mrOk;
        });
    }
    void TearDown() override { SetMsgBoxHandler(previous); }
    TestDir dir;
    std::vector<MsgBoxRequest> boxes;
    MsgBoxHandler previous;
};
} // namespace

TEST_F(FileUtil, ReadAndWriteAreByteExact) {
    const std::string path = dir.file("a.bin");
    EXPECT_EQ(ReadFileString(path), "");
    EXPECT_FALSE(platform::FileExists(path)) << "reading a missing file created it";
    const std::string bytes("x\r\n\0y\xFF\r", 7);
    WriteFileString(path, bytes);
    EXPECT_EQ(ReadFileString(path), bytes);
    WriteFileString(path, "abc");
    EXPECT_EQ(ReadFileString(path).size(), 3u);
    WriteFileString(path, "");
    EXPECT_EQ(ReadFileString(path), "");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileUtil, TrimKeepsLastMaxPlusOneBytes) {
    struct Case {
        std::size_t size;
        std::size_t after;
    } cases[] = {{30000, 20001}, {20001, 20001}, {20000, 20000}, {0, 0}};
    for (const Case& c : cases) {
        std::string text;
        for (std::size_t i = 0; i < c.size; ++i)
            text += static_cast<char>('a' + i % 26);
        const std::string path = dir.file("t.txt");
        WriteFileString(path, text);
        TrimFileToSize(path, 20000);
        const std::string after = ReadFileString(path);
        EXPECT_EQ(after.size(), c.after) << "from " << c.size;
        EXPECT_EQ(after, text.substr(text.size() - c.after));
    }
    TrimFileToSize(dir.file("missing.txt"), 10);
    EXPECT_FALSE(platform::FileExists(dir.file("missing.txt")));
}

TEST_F(FileUtil, CosmeticTrimCreatesMissingFile) {
    TrimFileToSizeCosmetic(dir.file("none.txt"), 10);
    EXPECT_TRUE(platform::FileExists(dir.file("none.txt")));
    EXPECT_EQ(ReadFileString(dir.file("none.txt")), "");
}

TEST_F(FileUtil, WipeDeletes) {
    for (std::size_t size : {0u, 1u, 5000u}) {
        const std::string path = dir.file("w.tmp");
        WriteFileString(path, std::string(size, 'q'));
        WipeFile(path);
        EXPECT_FALSE(platform::FileExists(path)) << size;
    }
    WipeFile(dir.file("never.tmp")); // nothing to do, nothing raised
}

TEST_F(FileUtil, WipeOverwritesInPlaceUpToItsLimit) {
    // Through a second name the overwritten bytes show; the limit keeps a huge file quick.
    struct Case {
        long long size, limit;
    } cases[] = {{100000, MaxWipeBytes}, {5000, 1000}};
    for (const Case& c : cases) {
        const std::string path = dir.file("w.tmp");
        WriteFileString(path, std::string(static_cast<std::size_t>(c.size), 'S'));
        const std::string fill(333, 'x');
        ASSERT_TRUE(platform::OverwriteInPlace(path, fill, c.limit));
        const std::string after = ReadFileString(path);
        ASSERT_EQ(static_cast<long long>(after.size()), c.size);
        const std::size_t done = static_cast<std::size_t>(std::min(c.size, c.limit));
        EXPECT_EQ(after.find('S'), done == after.size() ? std::string::npos : done);
    }
    EXPECT_FALSE(platform::OverwriteInPlace(dir.file("none.tmp"), "x", 10)) << "never created";
    EXPECT_FALSE(platform::FileExists(dir.file("none.tmp")));
}

TEST_F(FileUtil, WriteFailureReportsAndCarriesOn) {
    StepCode = 5503;
    const std::string path = dir.file("no/such/folder/x.txt");
    WriteFileString(path, "abc");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Warning");
    EXPECT_EQ(boxes[0].icon, MsgIcon::Warning);
    EXPECT_EQ(boxes[0].buttons, static_cast<unsigned>(mbOK));
    const std::string prefix = "Error in WriteFileString:" + path + ".5503 with ";
    EXPECT_EQ(boxes[0].text.substr(0, prefix.size()), prefix);
    const std::string log = ReadFileString(DebugLogPath());
    EXPECT_NE(log.find(boxes[0].text + "\r\n"), std::string::npos) << log;
}

TEST_F(FileUtil, DebugLogLines) {
    DebugLog("x");
    std::string log = ReadFileString(DebugLogPath());
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log.substr(log.size() - 5), ": x\r\n");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
    DebugLog("");
    log = ReadFileString(DebugLogPath());
    EXPECT_EQ(log.substr(log.size() - 4), ": \r\n");
}

TEST_F(FileUtil, ErrorTextQuotesStepCode) {
    StepCode = 5503;
    EXPECT_EQ(ErrorText("WriteFileString:C:\\a.txt", "Access denied"),
              "Error in WriteFileString:C:\\a.txt.5503 with Access denied");
    StepCode = -4;
    EXPECT_EQ(ErrorText("w", "x"), "Error in w.-4 with x");
    const std::string log = ReadFileString(DebugLogPath());
    EXPECT_NE(log.find(": Error in w.-4 with x\r\n"), std::string::npos);
}

TEST_F(FileUtil, TrimDebugLog) {
    WriteFileString(DebugLogPath(), std::string(30000, 'L'));
    TrimDebugLog();
    std::string log = ReadFileString(DebugLogPath());
    EXPECT_EQ(log.substr(0, 20001), std::string(20001, 'L'));
    EXPECT_EQ(log.substr(log.size() - 13), "Log trimmed\r\n");
    WriteFileString(DebugLogPath(), std::string(15000, 'L'));
    TrimDebugLog();
    log = ReadFileString(DebugLogPath());
    EXPECT_EQ(log.substr(0, 15000), std::string(15000, 'L'));
    EXPECT_NE(log[15000], 'L');
}

TEST_F(FileUtil, FatalErrorRemovesRunningFlag) {
    WriteFileString(dir.file("Running.Flg"), "");
    FatalError("Here", "boom");
    EXPECT_FALSE(platform::FileExists(dir.file("Running.Flg")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    FatalError("Here", "again"); // no flag: still reports
    EXPECT_EQ(boxes.size(), 2u);
}

// The helpers show nothing themselves (the log is written through them): what failed comes back,
// and the caller's ShowFileFailures shows the boxes the helpers used to.
TEST_F(FileUtil, HelpersReturnFailuresForTheCallerToShow) {
    StepCode = 5504;
    const std::string path = dir.file("no/such/folder/x.txt");
    FileFailure failure;
    EXPECT_FALSE(TryWriteFileString(path, "abc", failure));
    EXPECT_EQ(failure.where, "WriteFileString:" + path);
    EXPECT_FALSE(failure.what.empty());
    const FileFailures trim = TrimFileToSizeCosmetic(path, 10);
    ASSERT_EQ(trim.size(), 1u);
    EXPECT_EQ(trim[0].where, failure.where);
    EXPECT_TRUE(boxes.empty());

    ShowFileFailures({failure, {"TrimFileToSizeCosmetic: " + path, "gone"}});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Error in WriteFileString:" + path + ".5504 with " + failure.what);
    EXPECT_EQ(boxes[1].text, "Error in TrimFileToSizeCosmetic: " + path + ".5504 with gone");
    for (const MsgBoxRequest& box : boxes) {
        EXPECT_EQ(box.caption, "Warning");
        EXPECT_EQ(box.icon, MsgIcon::Warning);
    }
}
