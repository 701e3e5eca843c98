// Running programs through pipes only: big messages both ways without a deadlock, for a Windows
// program (real pipes) and for the Linux programs Wine runs (sockets through the wrapper).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gpgrun_win.h"

namespace {

const char kGpg[] = "Z:\\usr\\bin\\gpg";

std::string WindowsPath(std::string path) {
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// Not a repeated byte: a piece lost or doubled on the way shows.
std::string BigMessage() {
    std::string text;
    for (int line = 0; text.size() < 5u * 1024 * 1024; ++line)
        text += "line " + std::to_string(line) + " of a big message\n";
    return text;
}

TEST(RunProgram, BigMessagesPassBothWays) {
    const std::string message = BigMessage();
    const std::string standin = WindowsPath(STANDIN_GPG);
    struct Case {
        std::string program;
        bool gpg;
    } cases[] = {{standin, true}, {"Z:\\bin\\cat", false}};
    for (const Case& c : cases) {
        const GpgRun run =
            c.gpg ? RunGpg(c.program, {"--decrypt"}, message) : RunProgram(c.program, {}, message);
        ASSERT_TRUE(run.ran) << c.program << ": " << run.why;
        EXPECT_TRUE(run.output == message) << c.program << ": " << run.output.size() << " bytes";
        if (!c.gpg)
            continue;
        // gpg's own command line: no wrapper for a Windows program, status on standard error.
        EXPECT_EQ(run.status.find("[GNUPG:] STANDIN " + standin + " --batch "), 0u) << run.status;
        EXPECT_NE(run.status.find("--status-fd 2 --decrypt\n"), std::string::npos) << run.status;
        EXPECT_NE(run.status.find("[GNUPG:] COPIED " + std::to_string(message.size()) + "\n"),
                  std::string::npos)
            << run.status;
        EXPECT_EQ(run.log.size(),
                  20000 * std::string("gpg: a long log before the input is read\n").size());
    }
}

TEST(RunGpg, BigMessageThroughLinuxGpgAndBack) {
    const std::string home = "Z:\\tmp\\gbr-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(home.c_str(), nullptr);
    SetEnvironmentVariableA("GNUPGHOME", PathForProgram(kGpg, home).c_str());
    RunProgram("Z:\\bin\\chmod", {"700", PathForProgram(kGpg, home)}, "");
    const std::string message = BigMessage();
    const GpgRun packed = RunGpg(kGpg, {"--armor", "--store"}, message);
    ASSERT_TRUE(packed.ran) << packed.why;
    EXPECT_EQ(packed.output.rfind("-----BEGIN PGP MESSAGE-----", 0), 0u) << packed.log;
    const GpgRun unpacked = RunGpg(kGpg, {"--decrypt"}, packed.output);
    ASSERT_TRUE(unpacked.ran) << unpacked.why;
    EXPECT_TRUE(unpacked.output == message) << unpacked.output.size() << " bytes";
    EXPECT_NE(unpacked.status.find("[GNUPG:] PLAINTEXT "), std::string::npos) << unpacked.status;
    RunProgram("Z:\\usr\\bin\\gpgconf", {"--kill", "all"}, "");
    RunProgram("Z:\\bin\\rm", {"-rf", PathForProgram(kGpg, home)}, "");
}

} // namespace
