#include "support/replace.h"

#include <algorithm>
#include <cstring>
#include <vector>

std::string ReplaceAt(const std::string& insertion, const std::string& text, std::size_t position,
                      std::size_t length) {
    const std::size_t before = position == 0 ? 0 : std::min(position - 1, text.size());
    std::string result = text.substr(0, before);
    result += insertion;
    const std::size_t after = before + length;
    if (after < text.size())
        result.append(text, after, std::string::npos);
    return result;
}

std::string ReplaceFirst(const std::string& pattern, const std::string& text,
                         const std::string& replacement) {
    const std::size_t p = text.find(pattern);
    if (pattern.empty() || p == std::string::npos)
        return text;
    return ReplaceAt(replacement, text, p + 1, pattern.size());
}

// Same result as replacing the first occurrence and searching again from the start, without
// the quadratic cost: the text is pushed through an output buffer one byte at a time. The
// buffer never holds an occurrence, so the first occurrence of the whole text is the first one
// completed by a push; it is dropped from the buffer and the replacement is fed in next, in
// front of the rest, exactly where the restarted search would look at it.
std::string ReplaceAll(const std::string& pattern, const std::string& text,
                       const std::string& replacement) {
    const std::size_t m = pattern.size();
    if (m == 0 || text.find(pattern) == std::string::npos)
        return text;
    struct Segment {
        const std::string* source;
        std::size_t next;
    };
    std::vector<Segment> stream{{&text, 0}};
    std::string out;
    out.reserve(text.size());
    const char last = pattern[m - 1];
    while (!stream.empty()) {
        Segment& top = stream.back();
        if (top.next == top.source->size()) {
            stream.pop_back();
            continue;
        }
        const char c = (*top.source)[top.next++];
        out.push_back(c);
        if (c == last && out.size() >= m &&
            std::memcmp(out.data() + out.size() - m, pattern.data(), m) == 0) {
            out.resize(out.size() - m);
            if (!replacement.empty())
                stream.push_back({&replacement, 0});
        }
    }
    return out;
}
