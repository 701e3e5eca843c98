#include "common/clipsave_win.h"

#include "common/clipboard_win.h"

#include <cstring>

namespace {

bool IsMemoryFormat(UINT id) {
    switch (id) {
    case CF_BITMAP:
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
        return false;
    default:
        return !(id >= CF_PRIVATEFIRST && id <= CF_PRIVATELAST) &&
               !(id >= CF_GDIOBJFIRST && id <= CF_GDIOBJLAST);
    }
}

} // namespace

bool SavedClipboard::Save(HWND owner) {
    formats_.clear();
    ClipboardLock lock(owner);
    if (!lock.open())
        return false;
    for (UINT id = EnumClipboardFormats(0); id; id = EnumClipboardFormats(id)) {
        if (!IsMemoryFormat(id))
            continue;
        HANDLE data = GetClipboardData(id);
        const SIZE_T size = data ? GlobalSize(data) : 0;
        const void* bytes = size ? GlobalLock(data) : nullptr;
        if (!bytes)
            continue;
        Format f{id, std::vector<char>(size)};
        std::memcpy(f.bytes.data(), bytes, size);
        GlobalUnlock(data);
        formats_.push_back(std::move(f));
    }
    saved_ = true;
    return true;
}

bool SavedClipboard::Restore(HWND owner) const {
    if (!saved_)
        return false;
    ClipboardLock lock(owner);
    if (!lock.open() || !EmptyClipboard())
        return false;
    bool all = true;
    for (const Format& f : formats_) {
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, f.bytes.size());
        void* bytes = copy ? GlobalLock(copy) : nullptr;
        if (!bytes) {
            if (copy)
                GlobalFree(copy);
            all = false;
            continue;
        }
        std::memcpy(bytes, f.bytes.data(), f.bytes.size());
        GlobalUnlock(copy);
        if (!SetClipboardData(f.id, copy)) {
            GlobalFree(copy); // still ours when the clipboard refused it
            all = false;
        }
    }
    return all;
}
