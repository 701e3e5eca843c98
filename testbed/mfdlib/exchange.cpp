#include "exchange.h"

#include <windows.h>

#include <cstdlib>

namespace mfd {

namespace {

void Line(std::string& out, const char* key, const std::string& value) {
    out += key;
    out += ": ";
    out += value;
    out += "\r\n";
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.substr(b, e - b);
}

// header starts with LF; key includes its colon.
std::string Value(const std::string& header, const std::string& lowerHeader, const char* key) {
    const std::string needle = "\n" + Lower(key);
    const size_t at = lowerHeader.find(needle);
    if (at == std::string::npos)
        return std::string();
    const size_t from = at + needle.size();
    const size_t cr = header.find('\r', from);
    if (cr == std::string::npos)
        return std::string();
    return Trim(header.substr(from, cr - from));
}

int Number(const std::string& s) {
    const std::string t = Trim(s);
    if (t.empty())
        return 0;
    char* end = nullptr;
    const long v = std::strtol(t.c_str(), &end, 10);
    if (*end != '\0' || end == t.c_str())
        return 0;
    return static_cast<int>(v);
}

} // namespace

std::string FormatExchange(const Exchange& m) {
    std::string out;
    Line(out, "MFD-Protocol-Version", std::to_string(m.protocolVersion));
    Line(out, "Wrap-Column", std::to_string(m.wrapColumn));
    Line(out, "Wtype", std::to_string(m.wtype));
    Line(out, "Information", m.information);
    if (!m.title.empty())
        Line(out, "Title", m.title);
    if (!m.shortText.empty())
        Line(out, "Short", m.shortText);
    if (m.hasTo)
        Line(out, "To", m.to);
    if (m.hasCc)
        Line(out, "Cc", m.cc);
    if (m.hasBcc)
        Line(out, "Bcc", m.bcc);
    if (m.hasSubject)
        Line(out, "Subject", m.subject);
    if (m.hasAttachment)
        Line(out, "Attachment", m.attachment);
    Line(out, "Command", std::to_string(m.command));
    Line(out, "Lacking", std::to_string(m.lacking));
    Line(out, "MFD-State", m.mfdState);
    Line(out, "Default-Mail-Domain", m.defaultMailDomain);
    if (m.hasBody) {
        out += "\r\n";
        out += m.body;
    }
    return out;
}

Exchange ParseExchange(const std::string& text) {
    Exchange m;
    std::string header = text;
    const size_t sep = text.find("\r\n\r\n");
    if (sep != std::string::npos) {
        m.body = text.substr(sep + 4);
        m.hasBody = !m.body.empty();
        // One character of the body stays: it can never complete a key.
        header = text.substr(0, sep + 5);
    }
    header.insert(header.begin(), '\n');
    const std::string lower = Lower(header);
    auto v = [&](const char* key) { return Value(header, lower, key); };
    m.protocolVersion = Number(v("MFD-Protocol-Version:"));
    m.wrapColumn = Number(v("Wrap-Column:"));
    m.wtype = Number(v("Wtype:"));
    m.command = Number(v("Command:"));
    m.lacking = Number(v("Lacking:"));
    m.information = v("information:");
    m.title = v("title:");
    m.shortText = v("short:");
    m.to = v("to:");
    m.cc = v("cc:");
    m.bcc = v("bcc:");
    m.subject = v("subject:");
    m.attachment = v("attachment:");
    m.mfdState = v("mfd-state:");
    m.defaultMailDomain = v("Default-Mail-Domain:");
    m.hasTo = !m.to.empty();
    m.hasCc = !m.cc.empty();
    m.hasBcc = !m.bcc.empty();
    m.hasSubject = !m.subject.empty();
    m.hasAttachment = !m.attachment.empty();
    if (m.wtype == 3)
        m.wtype = WtypeRead;
    return m;
}

std::string OneLine(const std::string& value) {
    std::string s = value;
    for (char& c : s)
        if (c == '\r' || c == '\n')
            c = ' ';
    return s;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    text.clear();
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    char buf[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(h, buf, sizeof buf, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        text.append(buf, got);
    }
    CloseHandle(h);
    return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD done = 0;
    const bool ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
                    done == text.size() && FlushFileBuffers(h);
    CloseHandle(h);
    return ok;
}

} // namespace mfd
