// The message's characters on their way through older programs. Inside the run the text is
// UTF-8; a driver that declared nothing, and PGP 5.x, take and give bytes of the ANSI code
// page. What that code page cannot carry is refused before anything changes, never sent as "?".
#pragma once

#include "common/mfdexchange.h"

#include <string>

// Every text of a message read from a driver that declared no charset, turned from the ANSI
// code page into UTF-8; a message that declared UTF-8 is left as it is.
void MessageToUtf8(TMFDData& message);

// Why PGP cannot be handed the body: empty when it takes Unicode text or the code page carries
// every character of the body.
std::string PgpUnfitText(const std::string& body, bool pgpTakesUnicode);

// The result put back through a driver: UTF-8 with the declaration for a driver that declared
// it, else the code page's bytes. Empty when done; otherwise why the driver cannot take it (the
// message is then left as it was).
std::string EncodeForDriver(TMFDData& message, bool driverTakesUtf8, const std::string& driverFile);
