#include "support/command.h"

// Natively there is no process command line to read; tests call JoinArguments directly.
std::string CommandLineText() {
    return std::string();
}
