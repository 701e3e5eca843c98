#include "support/command.h"

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> args;
    std::string current;
    bool inQuotes = false, pending = false;
    for (char c : commandLine) {
        if (c == '"') {
            inQuotes = !inQuotes;
            pending = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (pending)
                args.push_back(current);
            current.clear();
            pending = false;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        args.push_back(current);
    return args;
}

std::string JoinArguments(const std::vector<std::string>& argumentsAfterProgram) {
    std::string joined;
    for (const std::string& a : argumentsAfterProgram)
        joined += a;
    return joined;
}
