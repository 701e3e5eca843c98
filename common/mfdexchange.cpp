#include "common/mfdexchange.h"

#include "common/VBVal.h"
#include "common/blanks.h"

#include <algorithm>

namespace {

// ASCII only: the keys are ASCII, and byte-for-byte lowering keeps positions aligned with the
// original text.
char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void AppendLowered(std::string& out, const char* data, std::size_t size) {
    const std::size_t start = out.size();
    out.append(data, size);
    std::transform(out.begin() + start, out.end(), out.begin() + start, AsciiLower);
}

// `lowered` is the lower-cased header text with `shift` extra bytes in front of it; the value
// is cut from `original` at the same positions. Looks for LF + key, then takes everything up
// to the next CR inside the header and trims it.
std::string ValueAfterKey(const std::string& lowered, const std::string& original,
                          std::size_t shift, const std::string& loweredKey) {
    std::string pattern;
    pattern.reserve(loweredKey.size() + 1);
    pattern += '\n';
    pattern += loweredKey;
    const std::size_t at = lowered.find(pattern);
    if (at == std::string::npos)
        return std::string();
    std::size_t begin = at + pattern.size();
    std::size_t end = lowered.find('\r', begin);
    if (end == std::string::npos)
        return std::string();
    TrimBlankOrControl(lowered, begin, end);
    return original.substr(begin - shift, end - begin);
}

void AppendHeaderLine(std::string& out, const char* key, const std::string& value) {
    out += key;
    out += ": ";
    const std::size_t start = out.size();
    out += value;
    std::replace_if(
        out.begin() + start, out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    out += "\r\n";
}

void AppendHeaderLine(std::string& out, const char* key, std::int32_t value) {
    AppendHeaderLine(out, key, std::to_string(value));
}

} // namespace

const char* const MfdCharsetUtf8 = "UTF-8";

bool DeclaresUtf8(const TMFDData& message) {
    std::string value;
    AppendLowered(value, message.Charset.data(), message.Charset.size());
    return value == "utf-8";
}

bool operator==(const TMFDData& a, const TMFDData& b) {
    return a.ProtocolVersion == b.ProtocolVersion && a.Information == b.Information &&
           a.Wtype == b.Wtype && a.Title == b.Title && a.Short == b.Short && a.To == b.To &&
           a.HasTo == b.HasTo && a.Cc == b.Cc && a.HasCc == b.HasCc && a.Bcc == b.Bcc &&
           a.HasBcc == b.HasBcc && a.Attachment == b.Attachment &&
           a.HasAttachment == b.HasAttachment && a.Subject == b.Subject &&
           a.HasSubject == b.HasSubject && a.Body == b.Body && a.HasBody == b.HasBody &&
           a.Command == b.Command && a.Lacking == b.Lacking && a.WrapColumn == b.WrapColumn &&
           a.DefaultMailDomain == b.DefaultMailDomain && a.MfdState == b.MfdState &&
           a.Charset == b.Charset;
}

void ClearMfdData(TMFDData& message) {
    message = TMFDData();
}

std::string HeaderValue(const std::string& key, const std::string& headerText) {
    std::string lowered;
    AppendLowered(lowered, headerText.data(), headerText.size());
    std::string loweredKey;
    AppendLowered(loweredKey, key.data(), key.size());
    return ValueAfterKey(lowered, headerText, 0, loweredKey);
}

void ParseMfdText(const std::string& text, TMFDData& message) {
    ClearMfdData(message);
    // The header ends at the first empty line. It keeps the separator and one byte of the
    // body, which can never complete a key.
    std::size_t headerSize = text.size();
    const std::size_t separator = text.find("\r\n\r\n");
    if (separator != std::string::npos) {
        message.Body = text.substr(separator + 4);
        message.HasBody = !message.Body.empty();
        headerSize = std::min(separator + 5, text.size());
    }
    // Lowered once for all keys; the LF in front makes the first line a line like the others.
    std::string lowered;
    lowered.reserve(headerSize + 1);
    lowered += '\n';
    AppendLowered(lowered, text.data(), headerSize);
    const auto value = [&](const char* loweredKey) {
        return ValueAfterKey(lowered, text, 1, loweredKey);
    };
    const auto number = [&](const char* loweredKey) { return SafeStrToInt(value(loweredKey)); };

    message.ProtocolVersion = number("mfd-protocol-version:");
    message.WrapColumn = number("wrap-column:");
    message.Wtype = number("wtype:");
    message.Command = number("command:");
    message.Lacking = number("lacking:");
    message.Information = value("information:");
    message.Title = value("title:");
    message.Short = value("short:");
    message.To = value("to:");
    message.HasTo = !message.To.empty();
    message.Cc = value("cc:");
    message.HasCc = !message.Cc.empty();
    message.Bcc = value("bcc:");
    message.HasBcc = !message.Bcc.empty();
    message.Subject = value("subject:");
    message.HasSubject = !message.Subject.empty();
    message.Attachment = value("attachment:");
    message.HasAttachment = !message.Attachment.empty();
    message.MfdState = value("mfd-state:");
    message.DefaultMailDomain = value("default-mail-domain:");
    message.Charset = value("mfd-charset:");
    // Drivers that report mail and posting bits together mean a received message.
    if (message.Wtype == 3)
        message.Wtype = WTYPE_READ;
}

std::string BuildMfdText(const TMFDData& message) {
    std::string out;
    out.reserve(512 + message.Information.size() + message.Title.size() + message.Short.size() +
                message.To.size() + message.Cc.size() + message.Bcc.size() +
                message.Subject.size() + message.Attachment.size() + message.MfdState.size() +
                message.DefaultMailDomain.size() + message.Body.size());
    AppendHeaderLine(out, "MFD-Protocol-Version", message.ProtocolVersion);
    AppendHeaderLine(out, "Wrap-Column", message.WrapColumn);
    AppendHeaderLine(out, "Wtype", message.Wtype);
    AppendHeaderLine(out, "Information", message.Information);
    if (!message.Title.empty())
        AppendHeaderLine(out, "Title", message.Title);
    if (!message.Short.empty())
        AppendHeaderLine(out, "Short", message.Short);
    if (message.HasTo)
        AppendHeaderLine(out, "To", message.To);
    if (message.HasCc)
        AppendHeaderLine(out, "Cc", message.Cc);
    if (message.HasBcc)
        AppendHeaderLine(out, "Bcc", message.Bcc);
    if (message.HasSubject)
        AppendHeaderLine(out, "Subject", message.Subject);
    if (message.HasAttachment)
        AppendHeaderLine(out, "Attachment", message.Attachment);
    AppendHeaderLine(out, "Command", message.Command);
    AppendHeaderLine(out, "Lacking", message.Lacking);
    AppendHeaderLine(out, "MFD-State", message.MfdState);
    AppendHeaderLine(out, "Default-Mail-Domain", message.DefaultMailDomain);
    // Only for a driver that declared it: an older one gets exactly the lines it knows.
    if (!message.Charset.empty())
        AppendHeaderLine(out, "MFD-Charset", message.Charset);
    if (message.HasBody) {
        out += "\r\n";
        out += message.Body;
    }
    return out;
}
