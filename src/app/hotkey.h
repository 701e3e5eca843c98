// The keyboard shortcut that starts a routine run from any window, as Wextor5.INI holds it:
// "Ctrl+Shift+F9", "Alt+Ctrl+E" (modifiers in any order, any case; the key last), or "None".
#pragma once

#include <string>

enum HotKeyModifier : unsigned {
    HotKeyCtrl = 1u << 0,
    HotKeyAlt = 1u << 1,
    HotKeyShift = 1u << 2,
};

struct HotKey {
    unsigned modifiers = 0; // HotKeyModifier bits
    unsigned key = 0;       // Windows virtual-key code; 0: no shortcut
    bool None() const { return key == 0; }
    bool operator==(const HotKey& other) const {
        return key == other.key && (key == 0 || modifiers == other.modifiers);
    }
    bool operator!=(const HotKey& other) const { return !(*this == other); }
};

// Ctrl+Shift+F9. A function key types no character: Ctrl+Alt with a letter or digit is AltGr on
// many keyboards ("€" is AltGr+E in Germany), and Ctrl+Alt with a function key switches the
// console on Linux X servers, where Wine never sees it.
extern const HotKey DefaultHotKey;

// Empty, "None", unknown key names and malformed text all give no shortcut.
HotKey ParseHotKey(const std::string& text);
// Modifiers as Ctrl+Alt+Shift, then the key's name; a key without a name as "0xBA". "None"
// for no shortcut.
std::string FormatHotKey(const HotKey& keys);

// The box text when another program holds the shortcut.
std::string HotKeyTakenText(const HotKey& keys);
