#include "exchange.h"

#include <utility>

namespace mfdpack {

int ChooseWtype(const std::string& text) {
    return text.find("-----BEGIN PGP") != std::string::npos ? WtypeRead : WtypeMail;
}

std::string BuildExchangeText(const ExchangeOut& m) {
    TMFDData file;
    file.ProtocolVersion = 1;
    file.Wtype = m.wtype;
    file.Information = m.information;
    file.Title = m.title;
    file.Short = m.shortText;
    file.Charset = MfdCharsetUtf8;
    file.Body = m.body;
    file.HasBody = m.hasBody;
    return BuildMfdText(file);
}

std::string DeclaredCharset(const std::string& fileText) {
    TMFDData file;
    ParseMfdText(fileText, file);
    return file.Charset;
}

bool DeclaresUtf8(const std::string& fileText) {
    TMFDData file;
    ParseMfdText(fileText, file);
    return ::DeclaresUtf8(file);
}

bool ExchangeBody(const std::string& fileText, std::string& body) {
    TMFDData file;
    ParseMfdText(fileText, file);
    if (!file.HasBody)
        return false;
    body = std::move(file.Body);
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
