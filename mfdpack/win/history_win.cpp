#include "history_win.h"

#include "common/unicode_win.h"
#include "guards.h"

#include <windows.h>

#include <optional>

namespace mfdpack {

const wchar_t* const DriverPackKey = L"Software\\Wextor 5\\Driver pack";
const wchar_t* const KeysChoiceValue = L"KeysWithClipboardHistory";

namespace {

std::optional<std::uint32_t> Dword(HKEY root, const wchar_t* key, const wchar_t* name) {
    DWORD value = 0, size = sizeof value, type = 0;
    HKEY k = nullptr;
    if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS)
        return std::nullopt;
    const LONG r =
        RegQueryValueExW(k, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(k);
    if (r != ERROR_SUCCESS || type != REG_DWORD)
        return std::nullopt;
    return value;
}

ClipboardSettings ReadSettings() {
    const wchar_t* user = L"Software\\Microsoft\\Clipboard";
    const wchar_t* policy = L"SOFTWARE\\Policies\\Microsoft\\Windows\\System";
    ClipboardSettings s;
    s.enableHistory = Dword(HKEY_CURRENT_USER, user, L"EnableClipboardHistory");
    s.enableCloud = Dword(HKEY_CURRENT_USER, user, L"EnableCloudClipboard");
    s.allowHistory = Dword(HKEY_LOCAL_MACHINE, policy, L"AllowClipboardHistory");
    s.allowCrossDevice = Dword(HKEY_LOCAL_MACHINE, policy, L"AllowCrossDeviceClipboard");
    return s;
}

void Remember(bool goOn) {
    HKEY k = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, DriverPackKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                        nullptr) != ERROR_SUCCESS)
        return;
    const DWORD value = goOn ? 1 : 0;
    RegSetValueExW(k, KeysChoiceValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
    RegCloseKey(k);
}

const char kQuestion[] =
    "Windows keeps a clipboard history (Windows key+V) or syncs the clipboard to your other "
    "devices.\r\n\r\n"
    "The window in front has no text field this driver can read directly, so its text would be "
    "copied and pasted over the clipboard, and Windows would keep your message, before and after "
    "encryption, in that history. Putting your clipboard back afterwards does not remove it "
    "there.\r\n\r\n"
    "Use copy and paste for such windows anyway?\r\n\r\n"
    "Yes: go on, now and from now on.\r\n"
    "No: leave such windows alone from now on; Wextor 5 then reports that the driver found no "
    "text, and nothing is copied.\r\n\r\n"
    "Edit fields, as in Notepad and WordPad, are read and written directly and never over the "
    "clipboard.";

} // namespace

bool KeysRoadAllowed(const char* caption) {
    const KeysChoice remembered =
        KeysChoiceOf(Dword(HKEY_CURRENT_USER, DriverPackKey, KeysChoiceValue));
    switch (DecideKeysRoad(ClipboardKeptByWindows(ReadSettings()), remembered)) {
    case KeysRoad::Go:
        return true;
    case KeysRoad::Refuse:
        return false;
    case KeysRoad::Ask:
        break;
    }
    const bool goOn =
        MessageBoxW(nullptr, Widen(kQuestion).c_str(), Widen(caption).c_str(),
                    MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_SETFOREGROUND) == IDYES;
    Remember(goOn);
    return goOn;
}

} // namespace mfdpack
