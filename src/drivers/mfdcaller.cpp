#include "drivers/mfdcaller.h"

#include "support/runstate.h"
#include "drivers/MFDDirectory.h"
#include "drivers/mfdfile.h"
#include "support/msgbox.h"
#include "support/platform.h"

#include <cctype>

const char* const DataFileRequest = "Data File=";
const char* const ReadFileRequest = "read File=";
const char* const WriteFileRequest = "Write File=";
const char* const NoDataText = "Couldn't get data from your e-mail program";
const char* const DriverExitCodesSection = "Driver Exit Codes";
const char* const IgnoreExitCodeValue = "ignore";

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::string(prefix).size(), prefix) == 0;
}

std::string Hex(unsigned long value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (int shift = 28; shift >= 0; shift -= 4)
        out += digits[(value >> shift) & 0xF];
    return "0x" + out;
}

} // namespace

bool IsCrashCode(unsigned long exitCode) {
    return (exitCode & 0xFFFFFFFFul) >= 0xC0000000ul;
}

bool DriverRunFailed(DriverEnd end, unsigned long exitCode, bool checkExitCodes) {
    if (end != DriverEnd::Exited)
        return true;
    return IsCrashCode(exitCode) || (checkExitCodes && exitCode != 0);
}

bool RequestMustSucceed(const std::string& request) {
    return StartsWith(request, ReadFileRequest) || StartsWith(request, WriteFileRequest);
}

bool RequestNamesWindow(const std::string& request) {
    return StartsWith(request, ReadFileRequest) || StartsWith(request, DataFileRequest);
}

std::string RequestName(const std::string& request) {
    for (const char* known : {ReadFileRequest, WriteFileRequest, DataFileRequest})
        if (StartsWith(request, known))
            return known;
    return "Details";
}

std::string DriverFailureText(const std::string& driverFile, const std::string& request,
                              DriverEnd end, unsigned long exitCode) {
    const std::string what =
        "The mail form driver " + driverFile + " failed on \"" + RequestName(request) + "\": ";
    std::string how;
    switch (end) {
    case DriverEnd::EndedByUser:
        how = "it was ended after it stopped responding.";
        break;
    case DriverEnd::Abandoned:
        how = "Wextor 5 is closing and stopped waiting for it.";
        break;
    case DriverEnd::NotStarted:
        how = "it could not be started.";
        break;
    case DriverEnd::Exited:
        how = IsCrashCode(exitCode) ? "it crashed (exception " + Hex(exitCode) + ")."
                                    : "it ended with exit code " + std::to_string(exitCode) + ".";
        break;
    }
    if (StartsWith(request, WriteFileRequest))
        return what + how +
               "\r\n\r\nThe result did not reach your e-mail program. Check the message there "
               "before you send it: it may be neither encrypted nor signed. The result is on the "
               "clipboard.";
    if (StartsWith(request, ReadFileRequest))
        return std::string(NoDataText) + "\r\n\r\n" + what + how +
               " Nothing was changed in your e-mail program.";
    return what + how;
}

std::string DriverWaitingText(const std::string& driverFile, const std::string& request) {
    return "Waiting for " + driverFile + " (" + RequestName(request) + ")";
}

std::string DriverPatienceText(const std::string& driverFile, const std::string& request,
                               unsigned seconds) {
    return "The mail form driver " + driverFile + " has been working on \"" + RequestName(request) +
           "\" for " + std::to_string(seconds) +
           " seconds.\r\n\r\nEnd it now? Choose No to wait another " + std::to_string(seconds) +
           " seconds.";
}

bool IsMailFormScript(const std::string& driverFile) {
    std::string lower = driverFile;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find(".mfs") != std::string::npos;
}

bool IsProgramDriverName(const std::string& driverFile) {
    return driverFile.find(".EXE") != std::string::npos;
}

std::string DriverCommandLine(const std::string& driverFile, const std::string& request) {
    if (IsMailFormScript(driverFile))
        return ProgramDir + "SBM.EXE " + driverFile + " " + request;
    return MfdDirectory + "\\" + driverFile + " " + request;
}

std::string DriverProgram(const std::string& driverFile) {
    if (IsMailFormScript(driverFile))
        return ProgramDir + "SBM.EXE";
    return MfdDirectory + "\\" + driverFile;
}

std::string ChooserEntry(const std::string& information, const std::string& windowTitle,
                         const std::string& driverFile) {
    return information + " / " + windowTitle + std::string(kMailerEntryGap, ' ') + driverFile;
}

int ScanProgressPosition(int i, int n) {
    return n > 0 ? (20 / n) * i + 5 : 5;
}

std::string NoMailersText() {
    return std::string("No mailers in the ") + ApplicationTitle +
           " \"Active\" list are running. Press the Help button for tips on how to resolve this";
}

namespace {

// One pass over the active drivers; the lines of those whose mail client has a window.
void ProbeActiveDrivers(bool showProgress, const MailerScanPorts& ports, MailerRun& run,
                        std::string& lastFound) {
    std::vector<std::string>& lines = run.ChooserLines;
    std::string& driver = run.CurrentDriver;
    lines.clear();
    lastFound.clear();
    const int n = static_cast<int>(ActiveDriverFiles.size());
    for (int i = 0; i < n; ++i) {
        if (showProgress && ports.setProgress)
            ports.setProgress(ScanProgressPosition(i, n));
        driver = ActiveDriverFiles[static_cast<std::size_t>(i)];
        if (!platform::FileExists(MfdDirectory + "\\" + driver))
            continue;
        platform::DeleteFileAt(ExchangeFilePath);
        ports.runDriver(DataFileRequest + ExchangeFilePath);
        TMFDData probe;
        try {
            ReadMfdFile(ExchangeFilePath, probe);
        } catch (...) {
            platform::DeleteFileAt(ExchangeFilePath);
            throw;
        }
        platform::DeleteFileAt(ExchangeFilePath);
        MessageToUtf8(probe);
        const std::string title = ports.findWindowTitle(probe.Short);
        if (!title.empty()) {
            lines.push_back(ChooserEntry(probe.Information, title, driver));
            lastFound = driver;
        }
    }
}

} // namespace

bool ScanForRunningMailer(bool showProgress, const MailerScanPorts& ports, MailerRun& run) {
    for (;;) {
        std::string lastFound;
        ProbeActiveDrivers(showProgress, ports, run, lastFound);
        if (run.ChooserLines.size() == 1) {
            run.CurrentDriver = lastFound;
            return false;
        }
        if (run.ChooserLines.size() > 1)
            return !ports.choose(run.ChooserLines);
        if (AskUser(NoMailersText(), MsgIcon::Error, mbAbort | mbRetry | mbHelp,
                    NoMailersHelpContext) != mrRetry)
            return true;
    }
}
