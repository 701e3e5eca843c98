#include "exchange.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace mfdpack {

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
         Line("Default-Mail-Domain", "");
    if (m.hasBody)
        t += "\r\n" + m.body;
    return t;
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

bool ReadFileBytes(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteFileBytes(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace mfdpack
