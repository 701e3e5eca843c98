#include "request.h"

#include <algorithm>

namespace mfd {

namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A path never holds a quote, so quotes around the request or the path are dropped.
std::string Unquote(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '"'), s.end());
    return s;
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && Blank(s[b]))
        ++b;
    while (e > b && Blank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool StartsNoCase(const std::string& s, size_t at, const char* word) {
    for (size_t i = 0; word[i]; ++i) {
        if (at + i >= s.size())
            return false;
        char a = s[at + i], b = word[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = static_cast<char>(b - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

} // namespace

std::string CommandTail(const char* commandLine) {
    const std::string s = commandLine ? commandLine : "";
    size_t i = 0;
    while (i < s.size() && Blank(s[i]))
        ++i;
    if (i < s.size() && s[i] == '"') {
        const size_t close = s.find('"', i + 1);
        i = close == std::string::npos ? s.size() : close + 1;
    } else {
        while (i < s.size() && !Blank(s[i]))
            ++i;
    }
    return s.substr(i);
}

DriverRequest ParseRequest(const std::string& tail) {
    static const struct {
        const char* word;
        DriverRequest::Kind kind;
    } words[] = {{"Data File=", DriverRequest::Data},
                 {"read File=", DriverRequest::Read},
                 {"Write File=", DriverRequest::Write}};
    DriverRequest r;
    for (size_t at = 0; at < tail.size(); ++at) {
        if (at > 0 && !Blank(tail[at - 1]) && tail[at - 1] != '"')
            continue;
        for (const auto& w : words) {
            if (StartsNoCase(tail, at, w.word)) {
                r.kind = w.kind;
                r.path = Trim(Unquote(tail.substr(at + std::string(w.word).size())));
                r.before = Trim(Unquote(tail.substr(0, at)));
                return r;
            }
        }
    }
    r.before = Trim(Unquote(tail));
    return r;
}

} // namespace mfd
