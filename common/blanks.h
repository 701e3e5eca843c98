// Blanks and control characters: every byte up to 32, as the program's texts trim them.
#pragma once

#include <cstddef>
#include <string>

inline bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Narrows [begin, end) of text past blanks and control characters at both ends.
inline void TrimBlankOrControl(const std::string& text, std::size_t& begin, std::size_t& end) {
    while (begin < end && IsBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(text[end - 1]))
        --end;
}
