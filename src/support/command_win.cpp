#include "support/command.h"

#include "common/unicode_win.h"

#include <windows.h>

std::string CommandLineText() {
    std::vector<std::string> args = SplitCommandLine(Utf8Of(GetCommandLineW()));
    if (!args.empty())
        args.erase(args.begin()); // the program's own name
    return JoinArguments(args);
}
