// The request a driver finds on its command line, after its own program name: "Data File=",
// "read File=" or "Write File=" and the exchange file's path, or nothing (Details).
#pragma once

#include <string>

namespace mfdpack {

enum class RequestKind { Details, Data, Read, Write };

struct DriverRequest {
    RequestKind kind = RequestKind::Details;
    std::string path;
};

// Wextor joins folder, driver name and request with single blanks and quotes nothing, so a
// folder with blanks in it leaves pieces of the program path in front of the request. The
// request is the first keyword (letter case ignored) at the start or after a blank or a quote;
// the path runs from "=" to the end, outer blanks and quotes removed.
DriverRequest ParseDriverRequest(const std::string& commandLine);

// Blanks and line ends around keywords and values.
bool IsBlank(char c);
// The word at that place in s, letter case ignored (ASCII: keywords and header keys are).
bool KeywordAt(const std::string& s, std::size_t at, const std::string& word);

} // namespace mfdpack
