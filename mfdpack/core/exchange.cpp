#include "exchange.h"

#include "request.h"

#include <algorithm>
#include <cctype>

namespace mfdpack {

const char* const CharsetKey = "MFD-Charset";
const char* const CharsetUtf8 = "UTF-8";

namespace {

std::string OneLine(std::string value) {
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return value;
}

std::string Line(const char* key, const std::string& value) {
    return std::string(key) + ": " + OneLine(value) + "\r\n";
}

} // namespace

int ChooseWtype(const std::string& text) {
    return text.find("-----BEGIN PGP") != std::string::npos ? WtypeRead : WtypeMail;
}

std::string BuildExchangeText(const ExchangeOut& m) {
    std::string t = Line("MFD-Protocol-Version", "1") + Line("Wrap-Column", "0") +
                    Line("Wtype", std::to_string(m.wtype)) + Line("Information", m.information);
    if (!m.title.empty())
        t += Line("Title", m.title);
    if (!m.shortText.empty())
        t += Line("Short", m.shortText);
    t += Line("Command", "0") + Line("Lacking", "0") + Line("MFD-State", "") +
         Line("Default-Mail-Domain", "") + Line(CharsetKey, CharsetUtf8);
    if (m.hasBody)
        t += "\r\n" + m.body;
    return t;
}

std::string DeclaredCharset(const std::string& fileText) {
    // The header as Wextor 5 reads it: up to the first empty line, or the whole text.
    const std::size_t gap = fileText.find("\r\n\r\n");
    const std::string header = gap == std::string::npos ? fileText : fileText.substr(0, gap + 2);
    const std::string key = std::string(CharsetKey) + ":";
    for (std::size_t at = 0; at < header.size(); ++at) {
        if ((at > 0 && header[at - 1] != '\n') || !KeywordAt(header, at, key))
            continue;
        std::size_t b = at + key.size();
        std::size_t e = header.find_first_of("\r\n", b);
        if (e == std::string::npos)
            e = header.size();
        while (b < e && IsBlank(header[b]))
            ++b;
        while (e > b && IsBlank(header[e - 1]))
            --e;
        return header.substr(b, e - b);
    }
    return "";
}

bool DeclaresUtf8(const std::string& fileText) {
    const std::string value = DeclaredCharset(fileText);
    return value.size() == std::string(CharsetUtf8).size() && KeywordAt(value, 0, CharsetUtf8);
}

bool ExchangeBody(const std::string& fileText, std::string& body) {
    const std::size_t gap = fileText.find("\r\n\r\n");
    if (gap == std::string::npos || gap + 4 == fileText.size())
        return false;
    body = fileText.substr(gap + 4);
    return true;
}

namespace {
std::string Normalised(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r') {
            out += '\n';
            if (i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
        } else {
            out += s[i];
        }
    }
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}
} // namespace

bool SameTextButLineEnds(const std::string& a, const std::string& b) {
    return Normalised(a) == Normalised(b);
}

std::string ProbeText(const std::string& information, const std::string& shortText) {
    ExchangeOut m;
    m.information = information;
    m.shortText = shortText;
    return BuildExchangeText(m);
}

} // namespace mfdpack
