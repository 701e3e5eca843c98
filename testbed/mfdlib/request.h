// The request Wextor puts after a driver's name: "Data File=", "read File=", "Write File="
// followed by the exchange file's path, or nothing. Nothing is quoted.
#pragma once

#include <string>

namespace mfd {

struct DriverRequest {
    enum Kind { None, Data, Read, Write } kind = None;
    std::string path;
    // Text in front of the request keyword (SBM.EXE: the script name).
    std::string before;
};

// The command line without its program token (quoted or not).
std::string CommandTail(const char* commandLine);

// Finds the first request keyword (letter case ignored) that starts the tail or follows a
// blank or a quote; the path runs from "=" to the end, outer blanks and quotes removed. An unquoted
// program path with blanks leaves its rest in front of the keyword, which is why the keyword is
// searched for rather than expected first.
DriverRequest ParseRequest(const std::string& tail);

} // namespace mfd
