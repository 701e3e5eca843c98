// The program's help: one compiled HTML Help file beside the program, a page per help context,
// and a text file in it that holds the short texts of the "?" popups.
#pragma once

#include <string>
#include <vector>

extern const char* const HelpFileName; // "Wextor5.chm"

// The page of a context inside the help file ("ctx4000.htm"); context 0 is the contents page.
std::string HelpTopicPage(unsigned context);

// What HTML Help opens: "<folder>Wextor5.chm::/ctx4000.htm"; folder ends in a backslash.
std::string HelpTopicTarget(const std::string& folder, unsigned context);

// The popup texts inside the help file: "<folder>Wextor5.chm::/cshelp.txt".
std::string HelpPopupTarget(const std::string& folder);

// Every context the program's windows and boxes ask for; the tips file names its own.
const std::vector<unsigned>& ProgramHelpContexts();
