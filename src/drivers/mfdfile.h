// The exchange file on disk: Wextor 5 writes it for a Mail Form Driver and reads what the
// driver left there. Its format is common/mfdexchange.h. Inside the run the text is UTF-8; a
// driver that declared no charset takes and gives bytes of the ANSI code page.
#pragma once

#include "common/mfdexchange.h"

#include <string>

// A missing file reads as empty text, so as a cleared record. Raises FileError when the file
// exists but cannot be read. The file is left in place.
void ReadMfdFile(const std::string& path, TMFDData& message);

// Creates or replaces the file; a failure is reported by WriteFileString, not raised: false then.
bool WriteMfdFile(const TMFDData& message, const std::string& path);

// Every text of a message read from a driver that declared no charset, turned from the ANSI
// code page into UTF-8; a message that declared UTF-8 is left as it is.
void MessageToUtf8(TMFDData& message);

// The result put back through a driver: UTF-8 with the declaration for a driver that declared
// it, else the code page's bytes. Empty when done; otherwise why the driver cannot take it (the
// message is then left as it was).
std::string EncodeForDriver(TMFDData& message, bool driverTakesUtf8, const std::string& driverFile);
