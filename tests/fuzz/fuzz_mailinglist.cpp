// IsMailingListAddress against a literal character-by-character walk. Input: To, Cc and the
// list entries, separated by NUL bytes.
#include "processing/opchoice.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

bool Reference(const std::string& to, const std::string& cc, const std::vector<std::string>& list) {
    std::string text = to + " " + cc;
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32)
        text.erase(0, 1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.pop_back();
    text += ' ';
    bool listed = false, pending = true;
    std::string token;
    for (char c : text) {
        if (c == ' ' || c == ',' || c == ';') {
            if (pending) {
                for (const std::string& entry : list)
                    listed = listed || SameIgnoringAsciiCase(token, entry);
                token.clear();
                pending = false;
            }
        } else {
            token += c;
            pending = true;
        }
    }
    return listed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            parts.emplace_back();
        else
            parts.back() += static_cast<char>(data[i]);
    }
    parts.resize(std::max<std::size_t>(parts.size(), 2));
    const std::vector<std::string> list(parts.begin() + 2, parts.end());
    if (IsMailingListAddress(parts[0], parts[1], list) != Reference(parts[0], parts[1], list))
        std::abort();
    return 0;
}
