#include "support/command.h"

#include <windows.h>

std::string CommandLineText() {
    std::vector<std::string> args = SplitCommandLine(GetCommandLineA());
    if (!args.empty())
        args.erase(args.begin()); // the program's own name
    return JoinArguments(args);
}
