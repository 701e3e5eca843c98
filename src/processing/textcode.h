// The message's characters on their way to PGP. Inside the run the text is UTF-8; PGP 5.x
// takes and gives bytes of the ANSI code page. What that code page cannot carry is refused
// before anything changes, never sent as "?". (A driver's side: drivers/mfdfile.h.)
#pragma once

#include <string>

// Why PGP cannot be handed the body: empty when it takes Unicode text or the code page carries
// every character of the body.
std::string PgpUnfitText(const std::string& body, bool pgpTakesUnicode);
