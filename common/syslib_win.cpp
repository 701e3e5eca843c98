#include "common/syslib_win.h"

namespace {

template <class Fn> Fn Entry(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

struct VersionApi {
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    SizeFn size = nullptr;
    InfoFn info = nullptr;
    QueryFn query = nullptr;
};

const VersionApi& Version() {
    static const VersionApi api = [] {
        VersionApi a;
        const HMODULE module = LoadSystemLibrary(L"version.dll");
        a.size = Entry<VersionApi::SizeFn>(module, "GetFileVersionInfoSizeW");
        a.info = Entry<VersionApi::InfoFn>(module, "GetFileVersionInfoW");
        a.query = Entry<VersionApi::QueryFn>(module, "VerQueryValueW");
        return a;
    }();
    return api;
}

} // namespace

void UseSafeLibrarySearch() {
    using SetDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDirectories =
        Entry<SetDirectoriesFn>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (setDirectories)
        setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, n) + L"\\" + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool ReadVersionResource(const std::wstring& file, std::vector<char>& info) {
    const VersionApi& api = Version();
    info.clear();
    if (!api.size || !api.info)
        return false;
    DWORD unused = 0;
    const DWORD size = api.size(file.c_str(), &unused);
    if (size == 0)
        return false;
    // Room for a terminating NUL past the end: a value is never read beyond the buffer.
    info.assign(size + sizeof(wchar_t), '\0');
    if (!api.info(file.c_str(), 0, size, info.data())) {
        info.clear();
        return false;
    }
    return true;
}

bool QueryVersionValue(const std::vector<char>& info, const std::wstring& subBlock, void** value,
                       UINT* length) {
    const VersionApi& api = Version();
    return api.query && !info.empty() && api.query(info.data(), subBlock.c_str(), value, length) &&
           *value;
}
