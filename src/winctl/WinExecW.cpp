#include "winctl/WinExecW.h"

#include "support/error.h"

bool AcceptCommandLine(const std::string& commandLine) {
    if (commandLine.size() > MaxCommandLineLength) {
        FatalError("WinExecAndWait32 command line of " + std::to_string(commandLine.size()) +
                       " characters, longer than " + std::to_string(MaxCommandLineLength),
                   commandLine);
        return false;
    }
    if (commandLine.find('\0') != std::string::npos) {
        FatalError("WinExecAndWait32 command line with a zero character at " +
                       std::to_string(commandLine.find('\0') + 1),
                   commandLine.substr(0, commandLine.find('\0')));
        return false;
    }
    return true;
}

void ReportLaunchFailure(unsigned long code, const std::string& commandLine) {
    FatalError("WinExecAndWait32 error " + std::to_string(code), commandLine);
}

void ReportWaitFailure(unsigned long code, const std::string& commandLine) {
    FatalError("WinExecAndWait32 wait error " + std::to_string(code), commandLine);
}
