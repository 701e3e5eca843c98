// Starting a driver of the pack as Wextor 5 does, for the Win32 tests; paths are UTF-8 and
// everything goes through the wide calls, as in the drivers.
#pragma once

#include <windows.h>

#include "common/unicode_win.h"

#include <cstdio>
#include <string>

// Text in many scripts, as a user would write it: Latin with accents, the euro sign, Cyrillic,
// Greek, Chinese with full-width punctuation, and a character outside the BMP (a surrogate pair
// in UTF-16). Both spellings are written out, not converted, so neither can hide an error of
// the other.
inline const char* const kWorldText = "Grüße aus Köln — naïve café, 5 €\r\n"
                                      "Привет, Боб! Ελληνικά. 你好，世界。 😀";
inline const wchar_t* const kWorldTextW = L"Grüße aus Köln — naïve café, 5 €\r\n"
                                          L"Привет, Боб! Ελληνικά. 你好，世界。 😀";

// The temporary folder, UTF-8, with its backslash at the end.
inline std::string TempFolder() {
    wchar_t path[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH + 1, path);
    return Utf8Of(path);
}

inline std::string ReadBytes(const std::string& path) {
    std::string bytes;
    if (FILE* f = _wfopen(Widen(path).c_str(), L"rb")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* f = _wfopen(Widen(path).c_str(), L"wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

inline void RemoveFile(const std::string& path) {
    DeleteFileW(Widen(path).c_str());
}

inline bool FileThere(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The driver's own message boxes while it runs: each is answered with the button `answer`
// (IDYES, IDNO...) and counted; its text kept.
struct DriverBoxes {
    int answer = 0;
    int shown = 0;
    std::string text;
};

namespace rundriver_detail {
struct BoxSearch {
    DWORD processId;
    HWND box;
};
inline BOOL CALLBACK FindBox(HWND w, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[16] = L"";
    GetClassNameW(w, cls, 16);
    if (pid != search->processId || !IsWindowVisible(w) || lstrcmpW(cls, L"#32770") != 0)
        return TRUE;
    search->box = w;
    return FALSE;
}
} // namespace rundriver_detail

// Runs the driver and answers this thread's messages, and its boxes when asked to, until it
// ends; its exit code. A box nobody answers keeps it running until the bound ends it.
inline DWORD RunDriver(const std::string& request, const char* driver = "FRONTMFD.EXE",
                       DriverBoxes* boxes = nullptr) {
    std::wstring line = Widen(std::string(PACK_DIR) + "\\" + driver + " " + request);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 999;
    const DWORD start = GetTickCount();
    HWND answered = nullptr;
    while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, boxes ? 50 : 1000, QS_ALLINPUT) !=
           WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        rundriver_detail::BoxSearch search = {pi.dwProcessId, nullptr};
        if (boxes)
            EnumWindows(rundriver_detail::FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.box && search.box != answered) {
            wchar_t text[2048] = L"";
            GetDlgItemTextW(search.box, 0xFFFF, text, 2048);
            boxes->text = Utf8Of(text);
            ++boxes->shown;
            answered = search.box;
            PostMessageW(GetDlgItem(search.box, boxes->answer), BM_CLICK, 0, 0);
        }
        if (GetTickCount() - start > 30000) {
            TerminateProcess(pi.hProcess, 998);
            WaitForSingleObject(pi.hProcess, 5000);
        }
    }
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return code;
}

// Registry DWORDs the drivers read: set (a value) or removed (none).
inline void SetDword(HKEY root, const wchar_t* key, const wchar_t* name, const DWORD* value) {
    HKEY k = nullptr;
    if (RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (value)
        RegSetValueExW(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(value), sizeof *value);
    else
        RegDeleteValueW(k, name);
    RegCloseKey(k);
}

inline bool GetDword(HKEY root, const wchar_t* key, const wchar_t* name, DWORD& value) {
    DWORD size = sizeof value;
    return RegGetValueW(root, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS;
}

inline const wchar_t* const kUserClipboardKey = L"Software\\Microsoft\\Clipboard";
inline const wchar_t* const kPolicyKey = L"SOFTWARE\\Policies\\Microsoft\\Windows\\System";
inline const wchar_t* const kPackKey = L"Software\\Wextor 5\\Driver pack";
inline const wchar_t* const kChoiceValue = L"KeysWithClipboardHistory";

// Clipboard history and sync as Windows' settings say, and the driver's remembered answer;
// null removes a value.
struct ClipboardRegistry {
    const DWORD* history = nullptr;
    const DWORD* cloud = nullptr;
    const DWORD* allowHistory = nullptr;
    const DWORD* allowCloud = nullptr;
    const DWORD* choice = nullptr;
};

inline void SetClipboardRegistry(const ClipboardRegistry& r) {
    SetDword(HKEY_CURRENT_USER, kUserClipboardKey, L"EnableClipboardHistory", r.history);
    SetDword(HKEY_CURRENT_USER, kUserClipboardKey, L"EnableCloudClipboard", r.cloud);
    SetDword(HKEY_LOCAL_MACHINE, kPolicyKey, L"AllowClipboardHistory", r.allowHistory);
    SetDword(HKEY_LOCAL_MACHINE, kPolicyKey, L"AllowCrossDeviceClipboard", r.allowCloud);
    SetDword(HKEY_CURRENT_USER, kPackKey, kChoiceValue, r.choice);
}

inline const DWORD kOff = 0, kOn = 1;
