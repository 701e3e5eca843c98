#include "app/Just1_32.h"
#include "app/Just1_32_win.h"
#include "common/unicode_win.h"

#include <psapi.h>

namespace {
std::string ModuleFileName() {
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD n = GetModuleFileNameW(nullptr, &path[0], size);
        if (n < size || size >= 32768)
            return Utf8Of(path.data(), n);
    }
}

std::string ProcessImage(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return std::string();
    std::wstring path(32768, L'\0');
    DWORD size = 32768;
    const BOOL ok = QueryFullProcessImageNameW(process, 0, &path[0], &size);
    CloseHandle(process);
    return ok ? Utf8Of(path.data(), size) : std::string();
}

struct CopySearch {
    std::string title;
    bool ownProcessOnly;
    std::string image;
    HWND found;
};

BOOL CALLBACK VisitTopLevel(HWND w, LPARAM p) {
    CopySearch& s = *reinterpret_cast<CopySearch*>(p);
    if (s.title != WindowTextUtf8(w))
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    const bool match =
        s.ownProcessOnly ? pid == GetCurrentProcessId()
                         : lstrcmpiW(Widen(ProcessImage(pid)).c_str(), Widen(s.image).c_str()) == 0;
    if (!match)
        return TRUE;
    s.found = w;
    return FALSE;
}

// A top-level window titled exactly `title` that belongs to this process, or to a copy of this
// very program; windows of other programs are never touched.
HWND FindOwnCopyWindow(const std::string& title, bool ownProcessOnly) {
    CopySearch search = {title, ownProcessOnly, ModuleFileName(), nullptr};
    EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
} // namespace

TPreviousInstance::TPreviousInstance() {
    const std::string path = ModuleFileName();
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    derivedTitle_ = DerivedInstanceTitle(name);
    SetLastError(0);
    HANDLE mutex = CreateMutexW(nullptr, TRUE, Widen(name).c_str());
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        previous_ = true;
        CloseHandle(mutex);
    } else {
        mutex_ = mutex;
    }
}

TPreviousInstance::~TPreviousInstance() {
    if (mutex_)
        CloseHandle(mutex_);
}

bool TJustOne32(const TPreviousInstance& instance, const std::string& programDir) {
    const std::string allow = programDir + "AllowDuplicateInstance.Flg";
    const std::wstring wideAllow = Widen(allow);
    if (GetFileAttributesW(wideAllow.c_str()) != INVALID_FILE_ATTRIBUTES) {
        DeleteFileW(wideAllow.c_str());
        return true;
    }
    if (!instance.PreviousInstance())
        return true;
    // An empty derived title would match unrelated windows: then nothing is searched at all.
    if (!instance.DerivedTitle().empty()) {
        if (HWND own = FindOwnCopyWindow(instance.DerivedTitle(), true))
            SetWindowTextA(own, "something else");
        if (HWND first = FindOwnCopyWindow(instance.DerivedTitle(), false)) {
            if (IsIconic(first))
                ShowWindow(first, SW_RESTORE);
            else
                BringWindowToTop(first);
        }
    }
    return false;
}
