#include "target.h"

#include <cctype>

namespace mfdpack {

namespace {

const char* const kKeys[] = {"Window=", "Process=", "Started="};

bool ParseNumber(const std::string& s, std::uint64_t& value) {
    if (s.empty() || s.size() > 20)
        return false;
    value = 0;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return true;
}

} // namespace

std::string TargetText(const TargetRecord& t) {
    return std::string(kKeys[0]) + std::to_string(t.window) + "\r\n" + kKeys[1] +
           std::to_string(t.processId) + "\r\n" + kKeys[2] + std::to_string(t.processStart) +
           "\r\n";
}

bool ParseTargetText(const std::string& text, TargetRecord& target) {
    std::uint64_t values[3] = {};
    std::size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        const std::string key = kKeys[i];
        if (text.compare(at, key.size(), key) != 0)
            return false;
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos ||
            !ParseNumber(text.substr(at + key.size(), end - at - key.size()), values[i]))
            return false;
        at = end + 2;
    }
    if (at != text.size() || values[1] > UINT32_MAX)
        return false;
    target.window = values[0];
    target.processId = static_cast<std::uint32_t>(values[1]);
    target.processStart = values[2];
    return true;
}

bool SameTarget(const TargetRecord& then, const WindowNow& now) {
    return then.window != 0 && then.processStart != 0 && now.exists && now.visible &&
           now.processId == then.processId && now.processStart == then.processStart;
}

} // namespace mfdpack
