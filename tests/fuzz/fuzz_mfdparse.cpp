// Reading an exchange file, writing the record and reading that again must give the record
// back, except that line breaks inside values are written as blanks.
#include "common/mfdexchange.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string Blanked(std::string s) {
    std::replace_if(
        s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return s;
}

bool Trimmed(const std::string& s) {
    return s.empty() || (static_cast<unsigned char>(s.front()) > 32 &&
                         static_cast<unsigned char>(s.back()) > 32);
}

void Check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TMFDData m;
    ParseMfdText(text, m);

    // The record agrees with HeaderValue on the header with an LF put in front.
    const std::size_t sep = text.find("\r\n\r\n");
    const std::string header =
        "\n" + (sep == std::string::npos ? text : text.substr(0, std::min(sep + 5, size)));
    Check(m.To == HeaderValue("To:", header) && m.MfdState == HeaderValue("MFD-STATE:", header));
    Check(m.HasTo == !m.To.empty() && m.HasCc == !m.Cc.empty() && m.HasBcc == !m.Bcc.empty() &&
          m.HasSubject == !m.Subject.empty() && m.HasAttachment == !m.Attachment.empty() &&
          m.HasBody == !m.Body.empty());
    Check(m.Wtype != 3);
    Check(m.Body == (sep == std::string::npos ? std::string() : text.substr(sep + 4)));
    for (const std::string* v : {&m.Information, &m.Title, &m.Short, &m.To, &m.Cc, &m.Bcc,
                                 &m.Subject, &m.Attachment, &m.MfdState, &m.DefaultMailDomain})
        Check(Trimmed(*v) && v->find('\r') == std::string::npos);

    const std::string written = BuildMfdText(m);
    TMFDData back;
    ParseMfdText(written, back);
    TMFDData expected = m;
    for (std::string* v : {&expected.Information, &expected.Title, &expected.Short, &expected.To,
                           &expected.Cc, &expected.Bcc, &expected.Subject, &expected.Attachment,
                           &expected.MfdState, &expected.DefaultMailDomain})
        *v = Blanked(*v);
    Check(back == expected);
    Check(BuildMfdText(back) == written);
    return 0;
}
