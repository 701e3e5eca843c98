// FAULTMFD.EXE: the Demo Mail driver with a fault on one request, for the tests of what Wextor
// does when a driver fails. FAULTMFD.ini beside the program chooses the fault:
//   Request=Data | read | Write   the request that faults (others work as DEMOMFD.EXE's)
//   Fault=crash-before            ends at once as a crashed program (0xC0000005)
//         crash-after             carries the request out, then ends as crashed
//         truncate                read: writes half of the exchange file, then ends as crashed
//         exit                    carries the request out, then ends with ExitCode=
//         hang                    never ends (until it is ended from outside)
//         garbage                 read: fills the exchange file with random bytes, exit code 0
//         nul                     read: a zero byte in the middle of the body, exit code 0
//         big                     read: the body becomes BigBytes= bytes of text, exit code 0
//         huge                    read: the file grows to HugeBytes= (default 4 GiB + 100) at
//                                 once, zeros after the message, exit code 0
//   ExitCode=<n>                  for exit (default 5)
// Every start is appended to FAULTMFD.log: "<request kind> <fault or ok>".
#include "demomail_form.h"
#include "exchange.h"

#include <windows.h>

#include <string>

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string Setting(const char* key, const char* fallback) {
    char value[256] = "";
    GetPrivateProfileStringA("Fault", key, fallback, value, sizeof value,
                             (ProgramFolder() + "FAULTMFD.ini").c_str());
    return value;
}

const char* KindName(mfd::DriverRequest::Kind kind) {
    switch (kind) {
    case mfd::DriverRequest::Data:
        return "Data";
    case mfd::DriverRequest::Read:
        return "read";
    case mfd::DriverRequest::Write:
        return "Write";
    case mfd::DriverRequest::None:
        break;
    }
    return "Details";
}

void Log(const std::string& line) {
    std::string log;
    mfd::ReadWholeFile(ProgramFolder() + "FAULTMFD.log", log);
    mfd::WriteWholeFile(ProgramFolder() + "FAULTMFD.log", log + line + "\r\n");
}

[[noreturn]] void Crash() {
    TerminateProcess(GetCurrentProcess(), 0xC0000005);
    ExitProcess(0xC0000005);
}

// Replaces the body of the exchange file the read wrote.
void RewriteBody(const std::string& path, const std::string& body) {
    std::string text;
    mfd::ReadWholeFile(path, text);
    const std::size_t start = text.find("\r\n\r\n");
    mfd::WriteWholeFile(path, text.substr(0, start == std::string::npos ? text.size() : start + 4) +
                                  body);
}

int Faulty(const mfd::FormDriver& d, const mfd::DriverRequest& r, const std::string& fault) {
    if (fault == "crash-before")
        Crash();
    if (fault == "hang")
        for (;;)
            Sleep(1000);
    const int done = mfd::RunFormDriver(d, r);
    std::string text;
    mfd::ReadWholeFile(r.path, text);
    if (fault == "crash-after")
        Crash();
    if (fault == "truncate") {
        mfd::WriteWholeFile(r.path, text.substr(0, text.size() / 2));
        Crash();
    }
    if (fault == "exit")
        return std::stoi(Setting("ExitCode", "5"));
    if (fault == "garbage") {
        std::string noise(4096, '\0');
        unsigned seed = 12345;
        for (char& c : noise)
            c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
        mfd::WriteWholeFile(r.path, noise);
        return 0;
    }
    const std::size_t start = text.find("\r\n\r\n");
    const std::string body = start == std::string::npos ? std::string() : text.substr(start + 4);
    if (fault == "nul") {
        RewriteBody(r.path, body.substr(0, body.size() / 2) + std::string(1, '\0') +
                                body.substr(body.size() / 2));
        return 0;
    }
    if (fault == "huge") {
        HANDLE file =
            CreateFileA(r.path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        LARGE_INTEGER end;
        end.QuadPart = std::stoll(Setting("HugeBytes", "4294967396"));
        const bool grown = file != INVALID_HANDLE_VALUE &&
                           SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        return grown ? 0 : 9;
    }
    if (fault == "big") {
        const std::size_t size = std::stoul(Setting("BigBytes", "17000000"));
        std::string big;
        big.reserve(size);
        while (big.size() < size)
            big += "All work and no play makes Jack a dull boy.\r\n";
        big.resize(size);
        RewriteBody(r.path, big);
        return 0;
    }
    return done;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const mfd::FormDriver d = demomail::DescribeDemoMailForm("FAULTMFD.EXE");
    const mfd::DriverRequest r = mfd::ParseRequest(mfd::CommandTail(GetCommandLineA()));
    const std::string fault = Setting("Fault", "");
    const bool hit =
        lstrcmpiA(Setting("Request", "").c_str(), KindName(r.kind)) == 0 && !fault.empty();
    Log(std::string(KindName(r.kind)) + " " + (hit ? fault : "ok"));
    return hit ? Faulty(d, r, fault) : mfd::RunFormDriver(d, r);
}
