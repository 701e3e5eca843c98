#pragma once

#include <string>
#include <vector>

// Splits a command line at blanks; a double-quoted stretch belongs to one argument and loses
// its quotes.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// The arguments after the program's own name, joined with no separator.
std::string JoinArguments(const std::vector<std::string>& argumentsAfterProgram);
// The process's own command line as CommandLineText sees it (Windows: GetCommandLineA).
std::string CommandLineText();
