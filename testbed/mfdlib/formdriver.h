// A driver for a mail client whose message windows are top-level windows of known classes,
// with To, Cc, Bcc, Subject and body as child controls of known ids. DEMOMFD.EXE carries a
// built-in description of Demo Mail; SBM.EXE reads one from a Mail Form Script.
#pragma once

#include "request.h"

#include <string>
#include <vector>

namespace mfd {

struct FormKind {
    std::string windowClass;
    int wtype;
};

struct FormDriver {
    std::string information;
    std::string shortText;
    int wrapColumn = 0;
    std::string mainClass;
    std::vector<FormKind> kinds;
    int idTo = 0, idCc = 0, idBcc = 0, idSubject = 0, idBody = 0;
    std::string aboutTitle;
    std::string aboutText;
};

// Exit codes of the drivers.
enum : int {
    ExitOk = 0,
    ExitNoExchange = 2, // Write: no exchange file, or one without a body
    ExitNoWindow = 3,   // the mail client or a message window is not there
    ExitFileError = 4,  // the exchange file could not be written
    ExitSetFailed = 5,  // the window did not take the text
    ExitBadScript = 6,  // SBM.EXE: no usable script
};

// Carries out one request; the result is the process's exit code.
int RunFormDriver(const FormDriver& d, const DriverRequest& r);

// Data File=: the probe answer, Short and Information.
int WriteProbe(const std::string& path, const std::string& information,
               const std::string& shortText, int wrapColumn);

constexpr int kProtocolVersion = 1;

} // namespace mfd
