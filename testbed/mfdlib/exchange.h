// The exchange file through which a mail form driver and Wextor hand each other one message.
#pragma once

#include <string>

namespace mfd {

struct Exchange {
    int protocolVersion = 0;
    std::string information;
    int wtype = 0;
    std::string title;
    std::string shortText;
    std::string to;
    bool hasTo = false;
    std::string cc;
    bool hasCc = false;
    std::string bcc;
    bool hasBcc = false;
    std::string attachment;
    bool hasAttachment = false;
    std::string subject;
    bool hasSubject = false;
    std::string body;
    bool hasBody = false;
    int command = 0;
    int lacking = 0;
    int wrapColumn = 0;
    std::string defaultMailDomain;
    std::string mfdState;
};

enum : int { WtypeMail = 1, WtypePost = 2, WtypeRead = 8 };

// Header lines in the fixed order, CR LF each, then an empty line and the body when there is one.
std::string FormatExchange(const Exchange& m);
// Reads a whole exchange file's text. Keys count only at a line start, without regard to case;
// the first CR LF CR LF ends the header.
Exchange ParseExchange(const std::string& text);

// Header values cannot hold line ends: CR and LF become blanks.
std::string OneLine(const std::string& value);

bool ReadWholeFile(const std::string& path, std::string& text);
bool WriteWholeFile(const std::string& path, const std::string& text);

} // namespace mfd
