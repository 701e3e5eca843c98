#include "app/Just1_32.h"
#include "app/Just1_32_win.h"

#include <psapi.h>

namespace {
std::string ModuleFileName() {
    char path[MAX_PATH] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}

std::string ProcessImage(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return std::string();
    char path[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    const BOOL ok = QueryFullProcessImageNameA(process, 0, path, &size);
    CloseHandle(process);
    return ok ? std::string(path, size) : std::string();
}

struct CopySearch {
    std::string title;
    bool ownProcessOnly;
    std::string image;
    HWND found;
};

BOOL CALLBACK VisitTopLevel(HWND w, LPARAM p) {
    CopySearch& s = *reinterpret_cast<CopySearch*>(p);
    char text[256] = "";
    GetWindowTextA(w, text, sizeof text);
    if (s.title != text)
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    const bool match = s.ownProcessOnly
                           ? pid == GetCurrentProcessId()
                           : lstrcmpiA(ProcessImage(pid).c_str(), s.image.c_str()) == 0;
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
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
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
    if (GetFileAttributesA(allow.c_str()) != INVALID_FILE_ATTRIBUTES) {
        DeleteFileA(allow.c_str());
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
