#include "request.h"

#include <cctype>

namespace mfdpack {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool KeywordAt(const std::string& s, std::size_t at, const std::string& word) {
    if (s.size() - at < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[at + i])) !=
            std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    return true;
}

namespace {

std::string PathAfter(const std::string& s, std::size_t from) {
    std::size_t b = from, e = s.size();
    while (b < e && (IsBlank(s[b]) || s[b] == '"'))
        ++b;
    while (e > b && (IsBlank(s[e - 1]) || s[e - 1] == '"'))
        --e;
    return s.substr(b, e - b);
}

} // namespace

DriverRequest ParseDriverRequest(const std::string& commandLine) {
    static const struct {
        const char* word;
        RequestKind kind;
    } keywords[] = {{"Data File=", RequestKind::Data},
                    {"read File=", RequestKind::Read},
                    {"Write File=", RequestKind::Write}};
    for (std::size_t at = 0; at < commandLine.size(); ++at) {
        if (at > 0 && !IsBlank(commandLine[at - 1]) && commandLine[at - 1] != '"')
            continue;
        for (const auto& k : keywords) {
            const std::string word = k.word;
            if (KeywordAt(commandLine, at, word))
                return {k.kind, PathAfter(commandLine, at + word.size())};
        }
    }
    return {};
}

} // namespace mfdpack
