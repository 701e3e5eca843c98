// The exchange file as the drivers write and read it, through the codec Wextor 5 reads and
// writes it with (common/mfdexchange.h). The pack's drivers carry every character: each file
// they write declares "MFD-Charset: UTF-8" and holds its values and body in UTF-8.
#pragma once

#include "common/mfdexchange.h"

#include <string>

namespace mfdpack {

constexpr int WtypeMail = WTYPE_MAIL; // text being written, to go out
constexpr int WtypeRead = WTYPE_READ; // a received message

// Received when the text holds a PGP block: there is something to decrypt or check.
int ChooseWtype(const std::string& text);

struct ExchangeOut {
    int wtype = 0;
    std::string information;
    std::string title;
    std::string shortText;
    std::string body;
    bool hasBody = false;
};

// The whole file, header lines in Wextor's order and "MFD-Charset: UTF-8" after the last of
// them (Default-Mail-Domain); CR and LF inside a value become blanks. Values and body are
// written as they are given: UTF-8.
std::string BuildExchangeText(const ExchangeOut& m);

// The value of the file's MFD-Charset header line, trimmed, as Wextor 5 reads it; empty when it
// declares none. The key counts at the start of a header line only, letter case ignored; the
// header ends at the first empty line, so a body line never counts.
std::string DeclaredCharset(const std::string& fileText);
// Whether the file declares UTF-8 (letter case ignored). A "Write File=" file that does not
// holds bytes of the ANSI code page, as Wextor 5 writes for drivers that declare nothing.
bool DeclaresUtf8(const std::string& fileText);

// The message text of an exchange file: everything after the first empty line. False when
// the file has no such line or nothing after it.
bool ExchangeBody(const std::string& fileText, std::string& body);

// Equal once CR LF, a lone CR and a lone LF count alike, and line ends at the very end are
// left out: a rich-edit control keeps paragraphs, not the line ends it was given.
bool SameTextButLineEnds(const std::string& a, const std::string& b);

// The probe's answer: Short and Information, nothing of any message.
std::string ProbeText(const std::string& information, const std::string& shortText);

} // namespace mfdpack
