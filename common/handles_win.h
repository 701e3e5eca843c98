// Owning wrappers for Win32 handles.
#pragma once

#include <windows.h>

#include <utility>

template <typename T, typename Traits> class ScopedHandle {
  public:
    ScopedHandle() = default;
    explicit ScopedHandle(T h) : h_(h) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
    ScopedHandle& operator=(ScopedHandle&& o) noexcept {
        if (this != &o)
            reset(std::exchange(o.h_, Traits::invalid()));
        return *this;
    }
    ~ScopedHandle() { reset(); }

    T get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::invalid(); }
    T release() { return std::exchange(h_, Traits::invalid()); }
    void reset(T h = Traits::invalid()) {
        if (h_ != Traits::invalid())
            Traits::close(h_);
        h_ = h;
    }

  private:
    T h_ = Traits::invalid();
};

struct KernelHandleTraits {
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct FileHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct WindowTraits {
    static HWND invalid() { return nullptr; }
    static void close(HWND h) { DestroyWindow(h); }
};
struct IconTraits {
    static HICON invalid() { return nullptr; }
    static void close(HICON h) { DestroyIcon(h); }
};
struct MenuTraits {
    static HMENU invalid() { return nullptr; }
    static void close(HMENU h) { DestroyMenu(h); }
};
struct GdiTraits {
    static HGDIOBJ invalid() { return nullptr; }
    static void close(HGDIOBJ h) { DeleteObject(h); }
};

using UniqueHandle = ScopedHandle<HANDLE, KernelHandleTraits>; // process, thread, mutex, event
using UniqueFile = ScopedHandle<HANDLE, FileHandleTraits>;
using UniqueWindow = ScopedHandle<HWND, WindowTraits>;
using UniqueIcon = ScopedHandle<HICON, IconTraits>;
using UniqueMenu = ScopedHandle<HMENU, MenuTraits>;
using UniqueGdiObject = ScopedHandle<HGDIOBJ, GdiTraits>;
