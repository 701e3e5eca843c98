#include "app/hotkey.h"

#include "common/asciicase.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

const HotKey DefaultHotKey = {HotKeyCtrl | HotKeyShift, 0x78}; // VK_F9

namespace {
struct Named {
    const char* name;
    unsigned code;
};
// Virtual-key codes of the keys with names of their own; letters, digits and F1-F24 are
// computed.
const Named kKeyNames[] = {
    {"Space", 0x20},  {"PageUp", 0x21}, {"PageDown", 0x22}, {"End", 0x23},  {"Home", 0x24},
    {"Left", 0x25},   {"Up", 0x26},     {"Right", 0x27},    {"Down", 0x28}, {"Insert", 0x2D},
    {"Delete", 0x2E}, {"Pause", 0x13},  {"Num*", 0x6A},     {"Num+", 0x6B}, {"Num-", 0x6D},
    {"Num.", 0x6E},   {"Num/", 0x6F},
};
const Named kModifierNames[] = {
    {"Ctrl", HotKeyCtrl},
    {"Control", HotKeyCtrl},
    {"Alt", HotKeyAlt},
    {"Shift", HotKeyShift},
};

std::string Trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

unsigned NumberAfter(const std::string& s, std::size_t at, unsigned limit, int base) {
    if (at >= s.size() || s.size() - at > 2)
        return 0;
    for (std::size_t i = at; i < s.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(s[i])) ||
            (base == 10 && !std::isdigit(static_cast<unsigned char>(s[i]))))
            return 0;
    const unsigned long n = std::strtoul(s.c_str() + at, nullptr, base);
    return n >= 1 && n <= limit ? static_cast<unsigned>(n) : 0;
}

unsigned KeyCode(const std::string& name) {
    if (name.size() == 1) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return static_cast<unsigned char>(c);
    }
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f') && name[1] != '0')
        if (const unsigned n = NumberAfter(name, 1, 24, 10))
            return 0x6F + n; // VK_F1 is 0x70
    if (name.size() == 4 && EqualIgnoringAsciiCase(name.substr(0, 3), "Num") &&
        std::isdigit(static_cast<unsigned char>(name[3])))
        return 0x60 + static_cast<unsigned>(name[3] - '0');
    for (const Named& k : kKeyNames)
        if (EqualIgnoringAsciiCase(name, k.name))
            return k.code;
    if (name.size() > 2 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X'))
        return NumberAfter(name, 2, 0xFE, 16);
    return 0;
}

std::string KeyName(unsigned code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return std::string(1, static_cast<char>(code));
    if (code >= 0x70 && code <= 0x87)
        return "F" + std::to_string(code - 0x6F);
    if (code >= 0x60 && code <= 0x69)
        return "Num" + std::to_string(code - 0x60);
    for (const Named& k : kKeyNames)
        if (k.code == code)
            return k.name;
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", code & 0xFF);
    return hex;
}
} // namespace

HotKey ParseHotKey(const std::string& text) {
    HotKey keys;
    std::size_t start = 0;
    for (;;) {
        // The key may be "Num+": a "+" that ends the text belongs to it.
        const std::size_t plus = text.find('+', start);
        const bool last = plus == std::string::npos || Trimmed(text.substr(plus + 1)).empty();
        const std::string part =
            Trimmed(text.substr(start, last ? std::string::npos : plus - start));
        if (last) {
            keys.key = KeyCode(part);
            return keys.key ? keys : HotKey();
        }
        unsigned bit = 0;
        for (const Named& m : kModifierNames)
            if (EqualIgnoringAsciiCase(part, m.name))
                bit = m.code;
        if (!bit || (keys.modifiers & bit))
            return HotKey();
        keys.modifiers |= bit;
        start = plus + 1;
    }
}

std::string FormatHotKey(const HotKey& keys) {
    if (keys.None())
        return "None";
    std::string text;
    if (keys.modifiers & HotKeyCtrl)
        text += "Ctrl+";
    if (keys.modifiers & HotKeyAlt)
        text += "Alt+";
    if (keys.modifiers & HotKeyShift)
        text += "Shift+";
    return text + KeyName(keys.key);
}

std::string HotKeyTakenText(const HotKey& keys) {
    return "Another program already uses the keyboard shortcut " + FormatHotKey(keys) +
           ", so it cannot start Wextor 5.\n\nChoose another shortcut on the Options page of "
           "Wextor 5 (right-click its tray icon).";
}
