// The exchange file as the drivers write and read it: header lines "Key: value" with CR LF,
// then an empty line and the message text.
#pragma once

#include <string>

namespace mfdpack {

constexpr int WtypeMail = 1; // text being written, to go out
constexpr int WtypeRead = 8; // a received message

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

// The whole file, header lines in Wextor's order; CR and LF inside a value become blanks.
std::string BuildExchangeText(const ExchangeOut& m);

// The message text of an exchange file: everything after the first empty line. False when
// the file has no such line or nothing after it.
bool ExchangeBody(const std::string& fileText, std::string& body);

// Equal once CR LF, a lone CR and a lone LF count alike, and line ends at the very end are
// left out: a rich-edit control keeps paragraphs, not the line ends it was given.
bool SameTextButLineEnds(const std::string& a, const std::string& b);

// The probe's answer: Short and Information, nothing of any message.
std::string ProbeText(const std::string& information, const std::string& shortText);

// Whole files as bytes. WriteFileBytes replaces the file.
bool ReadFileBytes(const std::string& path, std::string& text);
bool WriteFileBytes(const std::string& path, const std::string& text);

} // namespace mfdpack
