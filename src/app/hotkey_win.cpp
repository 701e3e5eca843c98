#include "app/hotkey_win.h"

#include <commctrl.h>

namespace {
struct ModifierBits {
    unsigned ours;
    BYTE control;   // HOTKEYF_*
    UINT register_; // MOD_*
};
const ModifierBits kModifiers[] = {
    {HotKeyCtrl, HOTKEYF_CONTROL, MOD_CONTROL},
    {HotKeyAlt, HOTKEYF_ALT, MOD_ALT},
    {HotKeyShift, HOTKEYF_SHIFT, MOD_SHIFT},
};
} // namespace

HotKey HotKeyFromControlValue(WORD value) {
    HotKey keys;
    keys.key = LOBYTE(value);
    for (const ModifierBits& m : kModifiers)
        if (HIBYTE(value) & m.control)
            keys.modifiers |= m.ours;
    return keys.key ? keys : HotKey();
}

WORD ControlValueOf(const HotKey& keys) {
    if (keys.None())
        return 0;
    BYTE modifiers = 0;
    for (const ModifierBits& m : kModifiers)
        if (keys.modifiers & m.ours)
            modifiers |= m.control;
    return MAKEWORD(keys.key, modifiers);
}

bool THotKeyRegistration::Apply(const HotKey& keys) {
    if (held_ && keys == keys_)
        return true;
    Release();
    keys_ = keys;
    if (keys.None())
        return true;
    UINT modifiers = MOD_NOREPEAT; // a key held down starts one run, not one per repeat
    for (const ModifierBits& m : kModifiers)
        if (keys.modifiers & m.ours)
            modifiers |= m.register_;
    held_ = RegisterHotKey(window_, id_, modifiers, keys.key) != FALSE;
    return held_;
}

void THotKeyRegistration::Release() {
    if (held_)
        UnregisterHotKey(window_, id_);
    held_ = false;
}
