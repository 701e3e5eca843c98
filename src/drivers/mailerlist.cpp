#include "drivers/mailerlist.h"

#include <cstdint>
#include <stdexcept>

namespace {
// Sort weights of each code page 1252 byte, read from the sort keys that LCMapStringA
// (LCMAP_SORTKEY | NORM_IGNORECASE, en-US) gives for it: up to two primary weights (two for
// ligatures), the diacritic and case weights (2 is "none") and, for the characters that a word
// sort only counts last (control characters, "'", "-", dashes), their special weight.
struct SortWeight {
    std::uint16_t primary1, primary2;
    std::uint8_t diacritic, caseWeight, special;
};

// clang-format off
const SortWeight kWeights[256] = {
#include "drivers/sortweights.inc"
};
// clang-format on

// The sort key: primary weights, diacritics and case weights (trailing "none" dropped), then the
// special characters with their positions; two keys compare as byte strings.
std::string SortKey(const std::string& text) {
    std::string primary, diacritics, cases, special;
    unsigned position = 0; // primary weights so far
    for (const char ch : text) {
        const SortWeight& w = kWeights[static_cast<unsigned char>(ch)];
        if (w.special) {
            // Earlier positions weigh more; a text never has 65536 weights in a list box.
            const unsigned v = 0xFFFFu - (position & 0xFFFFu);
            special += static_cast<char>(v >> 8 & 0xFF);
            special += static_cast<char>(v & 0xFF);
            special += static_cast<char>(w.special);
            special += '\x12';
            continue;
        }
        for (const std::uint16_t p : {w.primary1, w.primary2}) {
            if (!p)
                continue;
            primary += static_cast<char>(p >> 8);
            primary += static_cast<char>(p & 0xFF);
            diacritics += static_cast<char>(w.diacritic);
            cases += static_cast<char>(w.caseWeight);
            ++position;
        }
    }
    auto trim = [](std::string& s) {
        while (!s.empty() && s.back() == 2)
            s.pop_back();
    };
    trim(diacritics);
    trim(cases);
    return primary + '\1' + diacritics + '\1' + cases + '\1' + '\1' + special;
}

unsigned char FoldCase(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A: // S caron
    case 0x8C: // OE
    case 0x8E: // Z caron
        return static_cast<unsigned char>(c + 0x10);
    case 0x9F: // Y diaeresis
        return 0xFF;
    }
    return c;
}
} // namespace

int CompareListText(const std::string& a, const std::string& b) {
    const std::string ka = SortKey(a), kb = SortKey(b);
    // std::string compares char_traits<char>, which orders as unsigned char.
    const int r = ka.compare(kb);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(static_cast<unsigned char>(a[i])) !=
            FoldCase(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int MailerList::Add(const std::string& text) {
    // The list box's search: an equal entry met on the way gives its own index.
    int low = 0, high = Count() - 1, at = -1;
    while (low <= high && at < 0) {
        const int middle = (low + high) / 2;
        const int r = compare_(items_[static_cast<size_t>(middle)], text);
        if (r == 0)
            at = middle;
        else if (r > 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    if (at < 0)
        at = low;
    items_.insert(items_.begin() + at, text);
    if (selected_ >= at)
        ++selected_;
    return at;
}

void MailerList::Replace(int index, const std::string& text) {
    items_.at(static_cast<size_t>(index)) = text;
}

void MailerList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw std::out_of_range("MailerList::Delete");
    items_.erase(items_.begin() + index);
    if (selected_ == index)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
}

void MailerList::Clear() {
    items_.clear();
    selected_ = -1;
}

void MailerList::Select(int index) {
    selected_ = index >= 0 && index < Count() ? index : -1;
}
