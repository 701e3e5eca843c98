// Owners of Win32 handles, so that every way out of a function closes them.
#pragma once
#include <windows.h>

#include <memory>

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle && handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

// Holds a kernel handle; INVALID_HANDLE_VALUE counts as none, as CreateFile returns it.
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle)
        : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    HANDLE get() const { return handle_.get(); }
    void reset() { handle_.reset(); }
    explicit operator bool() const { return static_cast<bool>(handle_); }

  private:
    std::unique_ptr<void, HandleCloser> handle_;
};

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const {
        if (object)
            DeleteObject(object);
    }
};

struct IconDestroyer {
    void operator()(HICON icon) const {
        if (icon)
            DestroyIcon(icon);
    }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;
