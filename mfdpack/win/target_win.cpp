#include "target_win.h"

#include "common/handles_win.h"
#include "common/unicode_win.h"
#include "files_win.h"
#include "target.h"

#include <string>

namespace mfdpack {

namespace {

std::string StateFile(const char* driverName) {
    wchar_t base[MAX_PATH + 1] = L"";
    const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH + 1);
    std::wstring folder;
    if (n > 0 && n <= MAX_PATH) {
        folder = std::wstring(base) + L"\\Wextor 5";
        CreateDirectoryW(folder.c_str(), nullptr);
        folder += L"\\Driver pack";
        CreateDirectoryW(folder.c_str(), nullptr);
        folder += L"\\";
    } else {
        // No profile folder (a service account): the user's temporary folder is still theirs.
        GetTempPathW(MAX_PATH + 1, base);
        folder = base;
    }
    return Utf8Of(folder) + driverName + ".target";
}

std::uint64_t StartOf(DWORD processId) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    FILETIME created, exited, kernel, user;
    if (!process || !GetProcessTimes(process.get(), &created, &exited, &kernel, &user))
        return 0;
    return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

Integrity IntegrityOfToken(HANDLE process) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &raw))
        return {};
    UniqueHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (GetLastError() == ERROR_INVALID_PARAMETER)
        return {Integrity::Known::NoLevels, 0}; // a Windows before Vista
    std::string buffer(size, '\0');
    if (size == 0 ||
        !GetTokenInformation(token.get(), TokenIntegrityLevel, &buffer[0], size, &size))
        return {};
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
    PSID sid = label->Label.Sid;
    if (!IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0)
        return {};
    const DWORD level = *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
    return {Integrity::Known::Level, level};
}

} // namespace

bool RememberTarget(const char* driverName, HWND window) {
    TargetRecord t;
    t.window = reinterpret_cast<std::uintptr_t>(window);
    t.processId = ProcessOf(window);
    t.processStart = StartOf(t.processId);
    return WriteFileBytes(StateFile(driverName), TargetText(t));
}

HWND TakeRememberedTarget(const char* driverName) {
    const std::string file = StateFile(driverName);
    std::string text;
    TargetRecord then;
    const bool had = ReadFileBytes(file, text) && ParseTargetText(text, then);
    DeleteFileIfThere(file);
    if (!had)
        return nullptr;
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(then.window));
    WindowNow now;
    now.exists = IsWindow(window) != 0;
    if (now.exists) {
        now.visible = IsWindowVisible(window) != 0;
        now.processId = ProcessOf(window);
        now.processStart = StartOf(now.processId);
    }
    return SameTarget(then, now) ? window : nullptr;
}

void ForgetTarget(const char* driverName) {
    DeleteFileIfThere(StateFile(driverName));
}

Integrity OwnIntegrity() {
    return IntegrityOfToken(GetCurrentProcess());
}

Integrity IntegrityOfWindow(HWND window) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(window)));
    return process ? IntegrityOfToken(process.get()) : Integrity();
}

} // namespace mfdpack
