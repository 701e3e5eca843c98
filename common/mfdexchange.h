// The exchange file through which Wextor 5 and a Mail Form Driver hand a message to each other:
// header lines "Key: value" ended by CR LF, then an empty line and the body. Wextor 5 and the
// drivers of its pack read and write it with this one codec.
#pragma once

#include <cstdint>
#include <string>

// Wtype bits: the kind of mail-client window the message came from. Other bits are ignored.
constexpr std::int32_t WTYPE_MAIL = 1; // outgoing mail being composed
constexpr std::int32_t WTYPE_POST = 2; // outgoing forum, news or list posting being composed
constexpr std::int32_t WTYPE_READ = 8; // a received message

// One exchange file. The Has... flags say whether the reader found a value, and whether the
// writer emits the line.
struct TMFDData {
    std::int32_t ProtocolVersion = 0;
    std::string Information;
    std::int32_t Wtype = 0;
    std::string Title;
    std::string Short; // a fragment of the mail client's main-window title
    std::string To;
    bool HasTo = false;
    std::string Cc;
    bool HasCc = false;
    std::string Bcc;
    bool HasBcc = false;
    std::string Attachment;
    bool HasAttachment = false;
    std::string Subject;
    bool HasSubject = false;
    std::string Body; // everything after the first empty line, byte for byte
    bool HasBody = false;
    std::int32_t Command = 0;
    std::int32_t Lacking = 0;
    std::int32_t WrapColumn = 0;
    std::string DefaultMailDomain;
    std::string MfdState;
    // "UTF-8" when the driver declared that its file carries UTF-8; empty for the ANSI code
    // page, which is all an older driver knows.
    std::string Charset;
};

// The header line a driver writes to say its text is UTF-8; older readers skip unknown lines.
extern const char* const MfdCharsetUtf8; // "UTF-8", the value of "MFD-Charset: "
bool DeclaresUtf8(const TMFDData& message);

bool operator==(const TMFDData& a, const TMFDData& b);
inline bool operator!=(const TMFDData& a, const TMFDData& b) {
    return !(a == b);
}

void ClearMfdData(TMFDData& message);

// The trimmed value after the first LF + key (matched without regard to ASCII case) up to the
// next CR; empty when the key does not follow an LF or no CR follows it.
std::string HeaderValue(const std::string& key, const std::string& headerText);

// Clears the record and fills it from the whole text of an exchange file. Never fails: what
// cannot be read stays cleared.
void ParseMfdText(const std::string& text, TMFDData& message);
// The bytes of the file. A CR or LF inside a header value is written as a blank: the
// format has no escaping, and a raw line break would forge header lines or end the header early.
std::string BuildMfdText(const TMFDData& message);
