// Running GnuPG: the one place that knows how a gpg process is started, fed and waited for.
#pragma once
#include <string>

#include "gpgargs.h"
#include "settings.h"

struct GpgRun {
    bool ran = false;   // the program started and finished
    std::string why;    // when !ran: why not, in plain words
    std::string output; // what it wrote to standard output
    std::string status; // its status file
    std::string log;    // its logger file
};

// The gpg program to use: the setting, Gpg4win's usual places, then the PATH. Empty when none.
std::string FindGpg(const BridgeSettings& settings);

// Runs gpg with the common options, the arguments and the input on standard input. Window
// messages are handled while it runs, so that its window and passphrase prompts stay alive.
GpgRun RunGpg(const std::string& gpg, const Args& args, const std::string& input);

// The same for another program (gpgconf, ...), without gpg's options and files.
GpgRun RunProgram(const std::string& program, const Args& args, const std::string& input);

// A Windows path as the program would name it: under Wine a Linux gpg needs Linux paths.
std::string PathForProgram(const std::string& program, const std::string& windowsPath);
