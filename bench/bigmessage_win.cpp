// Where the time of a run on a big message goes: the driver's read and write (the testbed's
// Demo Mail and DEMOMFD.EXE), the program's own work (exchange file, checks, clipboard, wipe) and
// PGP's command (the stand-in). Runs under Wine from the Windows build folder:
//   bigmessage_win.exe <build folder as a Windows path> <MiB> [<MiB> ...]
// Sizes over the program's limit are timed for the program's share and the refusal only.
#include "common/unicode_win.h"
#include "drivers/mfdcaller.h"
#include "processing/PGPMain.h"
#include "processing/clipboard_win.h"
#include "drivers/mfdfile.h"
#include "processing/pgpcontrol.h"
#include "processing/textcode.h"
#include "support/error.h"
#include "support/fileutil.h"
#include "winctl/WinExecW_win.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

std::string bin;

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool WaitFor(const std::function<bool()>& cond, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!cond()) {
        if (GetTickCount64() > end)
            return false;
        Sleep(20);
    }
    return true;
}

PROCESS_INFORMATION Start(std::string cmd) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        std::fprintf(stderr, "cannot start %s\n", cmd.c_str());
    return pi;
}

void End(PROCESS_INFORMATION& pi) {
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

std::string Text(std::size_t size) {
    std::string body;
    body.reserve(size + 64);
    while (body.size() < size)
        body += "All work and no play makes Jack a dull boy. 0123456789\r\n";
    body.resize(size);
    return body;
}

int Driver(const std::string& request) {
    return WinExecAndWait32(bin + "testbed\\mfd\\DEMOMFD.EXE " + request, 1, 0x20);
}

void Row(double mib, const char* what, double driverRead, double program, double pgp,
         double driverWrite) {
    std::printf("%8.0f MiB %-9s driver read %8.2f s  program %6.2f s  PGP %7.2f s  driver write "
                "%8.2f s  program share %5.1f %%\n",
                mib, what, driverRead, program, pgp, driverWrite,
                100.0 * program / (driverRead + program + pgp + driverWrite));
}

// The program's own work on one message of that body: read and check the exchange file, the
// clipboard both ways, the result's exchange file, both wipes.
double ProgramShare(const std::string& folder, const std::string& body, const std::string& result) {
    const std::string exchange = folder + "tmpmfd.tmp";
    TMFDData m;
    m.Body = body;
    m.HasBody = true;
    WriteMfdFile(m, exchange);
    return Seconds([&] {
        TMFDData read;
        ReadMfdFile(exchange, read);
        MessageToUtf8(read); // the testbed's driver gives the code page's bytes
        WipeFile(exchange);
        if (!UnfitBodyText(read.Body).empty())
            return;
        SetClipboardText(read.Body);
        const std::string before = GetClipboardText();
        SetClipboardText(result);
        PgpLeftResult(before, GetClipboardText());
        TMFDData back = ResultMessage(result);
        EncodeForDriver(back, false, "DEMOMFD.EXE");
        WriteMfdFile(back, exchange);
        SetClipboardText("");
        WipeFile(exchange);
    });
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bigmessage_win <build folder> <MiB>...\n");
        return 2;
    }
    bin = std::string(argv[1]) + "\\";
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::string folder = Utf8Of(temp); // the program's paths are UTF-8
    const std::string exchange = folder + "tmpmfd.tmp";
    std::printf("limit: %zu bytes\n", MaxMessageBytes);
    for (int i = 2; i < argc; ++i) {
        const double mib = std::atof(argv[i]);
        const std::size_t size = static_cast<std::size_t>(mib * 1024 * 1024);
        const std::string body = Text(size);
        // The stand-in's armour is about 4/3 of the text: the result's size for the program.
        const std::string result = "-----BEGIN PGP MESSAGE-----\r\n\r\n" + Text(size / 3 * 4) +
                                   "\r\n-----END PGP MESSAGE-----\r\n";
        const bool refused = size > MaxMessageBytes;
        double program = refused ? 0 : ProgramShare(folder, body, result);
        const std::string file = folder + "big.txt";
        WriteFileString(file, "To: alice@example.com\r\nSubject: Big\r\n\r\n" + body);
        PROCESS_INFORMATION mail =
            Start("\"" + bin + "testbed\\demomail\\DemoMail.exe\" /open compose \"" + file + "\"");
        // Loading the text into Demo Mail is not part of a run.
        WaitFor(
            [&] {
                HWND w = FindWindowA("DemoMailCompose", nullptr);
                return w && IsWindowVisible(w) &&
                       static_cast<std::size_t>(
                           SendMessageA(GetDlgItem(w, 105), WM_GETTEXTLENGTH, 0, 0)) >= size;
            },
            900000);
        int code = 0;
        const double read = Seconds([&] { code = Driver(ReadFileRequest + exchange); });
        TMFDData got;
        ReadMfdFile(exchange, got);
        if (code != 0 || got.Body.size() < size)
            std::printf("driver read: exit code %d, %zu of %zu bytes\n", code, got.Body.size(),
                        size);
        if (refused) {
            // What a refused run does after the driver's read: read, check, wipe.
            program = Seconds([&] {
                TMFDData m;
                ReadMfdFile(exchange, m);
                WipeFile(exchange);
                UnfitBodyText(m.Body);
            });
            DeleteFileW(Widen(file).c_str());
            if (HWND main = FindWindowA("DemoMailMain", nullptr))
                PostMessageA(main, WM_CLOSE, 0, 0);
            End(mail);
            Row(mib, "(refused)", read, program, 0, 0);
            continue;
        }
        WipeFile(exchange);

        PROCESS_INFORMATION stub = Start("\"" + bin + "testbed\\pgp\\PGPstub.exe\"");
        HWND tray = nullptr;
        WaitFor([&] { return (tray = FindWindowA(PgpTrayClass, nullptr)) != nullptr; }, 30000);
        SetClipboardText(body);
        const double pgp = Seconds([&] {
            DWORD_PTR r = 0;
            SendMessageTimeoutA(tray, WM_COMMAND, PgpEncrypt, 0, SMTO_NORMAL, 600000, &r);
        });
        const std::string armour = GetClipboardText();
        PostMessageA(tray, WM_CLOSE, 0, 0);
        End(stub);

        WriteMfdFile(ResultMessage(armour), exchange);
        const double write = Seconds([&] { code = Driver(WriteFileRequest + exchange); });
        if (code != 0)
            std::printf("driver write: exit code %d\n", code);
        WipeFile(exchange);
        DeleteFileW(Widen(file).c_str());
        if (HWND main = FindWindowA("DemoMailMain", nullptr))
            PostMessageA(main, WM_CLOSE, 0, 0);
        End(mail);
        Row(mib, "", read, program, pgp, write);
    }
    return 0;
}
