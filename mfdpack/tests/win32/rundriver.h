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

// Runs the driver and answers this thread's messages until it ends; its exit code.
inline DWORD RunDriver(const std::string& request, const char* driver = "FRONTMFD.EXE") {
    std::wstring line = Widen(std::string(PACK_DIR) + "\\" + driver + " " + request);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 999;
    const DWORD start = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
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
