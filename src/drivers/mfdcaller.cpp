#include "drivers/mfdcaller.h"

#include "app/global.h"
#include "drivers/MFDDirectory.h"
#include "processing/mfdfile.h"
#include "support/msgbox.h"
#include "support/platform.h"

#include <cctype>

const char* const DataFileRequest = "Data File=";
const char* const ReadFileRequest = "read File=";
const char* const WriteFileRequest = "Write File=";

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
void ProbeActiveDrivers(bool showProgress, const MailerScanPorts& ports,
                        std::vector<std::string>& lines, std::string& lastFound) {
    lines.clear();
    lastFound.clear();
    const int n = static_cast<int>(ActiveDriverFiles.size());
    for (int i = 0; i < n; ++i) {
        if (showProgress && ports.setProgress)
            ports.setProgress(ScanProgressPosition(i, n));
        CurrentDriver = ActiveDriverFiles[static_cast<std::size_t>(i)];
        if (!platform::FileExists(MfdDirectory + "\\" + CurrentDriver))
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
        const std::string title = ports.findWindowTitle(probe.Short);
        if (!title.empty()) {
            lines.push_back(ChooserEntry(probe.Information, title, CurrentDriver));
            lastFound = CurrentDriver;
        }
    }
}

} // namespace

bool ScanForRunningMailer(bool showProgress, const MailerScanPorts& ports,
                          std::vector<std::string>& chooserLines) {
    for (;;) {
        std::string lastFound;
        ProbeActiveDrivers(showProgress, ports, chooserLines, lastFound);
        if (chooserLines.size() == 1) {
            CurrentDriver = lastFound;
            return false;
        }
        if (chooserLines.size() > 1)
            return !ports.choose(chooserLines);
        MsgBoxRequest box;
        box.text = NoMailersText();
        box.caption = ApplicationTitle;
        box.icon = MsgIcon::Error;
        box.buttons = mbAbort | mbRetry | mbHelp;
        box.helpContext = NoMailersHelpContext;
        if (ShowMessageBox(box) != mrRetry)
            return true;
    }
}
