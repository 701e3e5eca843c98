// Running GnuPG: the one place that knows how a gpg process is started, fed and waited for.
#pragma once
#include <string>

#include "gpgargs.h"
#include "settings.h"

struct GpgRun {
    bool ran = false;   // the program started and finished
    std::string why;    // when !ran: why not, in plain words
    std::string output; // what it wrote to standard output
    std::string status; // gpg's status lines
    std::string log;    // the rest of its standard error
};

// The gpg program to use: the setting, Gpg4win's usual places, then the PATH. Empty when none.
std::string FindGpg(const BridgeSettings& settings);

// Runs gpg with the common options, the arguments and the input on standard input, through
// pipes only: nothing of the message is written to a file. Window messages are handled while it
// runs, so that its window and passphrase prompts stay alive.
GpgRun RunGpg(const std::string& gpg, const Args& args, const std::string& input);

// The same for another program (gpgconf, ...), without gpg's options; log is its standard error.
GpgRun RunProgram(const std::string& program, const Args& args, const std::string& input);

// A Windows path as the program would name it: under Wine a Linux gpg needs Linux paths.
std::string PathForProgram(const std::string& program, const std::string& windowsPath);
