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

// Gpg4win's installer names its folder in the registry: the 32-bit view from a 32-bit installer,
// which a 64-bit bridge must read as well as a 32-bit one.
TEST(FindGpg, FromTheRegistrysInstallDirectory) {
    const std::string folder = "C:\\gpg4win-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\bin").c_str(), nullptr);
    ASSERT_TRUE(
        CopyFileA(WindowsPath(STANDIN_GPG).c_str(), (folder + "\\bin\\gpg.exe").c_str(), FALSE));
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\GnuPG", 0, nullptr, 0,
                                  KEY_SET_VALUE | view, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "Install Directory", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>(folder.size() + 1));
        RegCloseKey(key);
        const std::string found = FindGpg(BridgeSettings());
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\GnuPG", view, 0);
        EXPECT_EQ(found, folder + "\\bin\\gpg.exe") << view;
        EXPECT_TRUE(RunGpg(found, {}, "").ran);
    }
    DeleteFileA((folder + "\\bin\\gpg.exe").c_str());
    RemoveDirectoryA((folder + "\\bin").c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace
