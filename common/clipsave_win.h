// The user's clipboard, kept while it is borrowed: by a driver for select-all, copy and paste,
// by a processing run for PGP.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Every format whose data is a block of memory is copied. Formats whose data is a GDI handle
// (CF_BITMAP, CF_PALETTE, CF_ENHMETAFILE, CF_METAFILEPICT's metafile, CF_DSP..., the GDI and
// private ranges) or that the owner draws (CF_OWNERDISPLAY) are not copyable this way and are
// left out; a picture still comes back through CF_DIB, which Windows offers beside CF_BITMAP.
class SavedClipboard {
  public:
    // Takes the copy now; false when the clipboard stayed busy.
    bool Save(HWND owner = nullptr);
    // Puts the copy back, the empty clipboard included; false when it stayed busy. The owner is
    // the window the clipboard is opened for: Windows sets no data after EmptyClipboard on a
    // clipboard opened without one.
    bool Restore(HWND owner = nullptr) const;

  private:
    struct Format {
        UINT id;
        std::vector<char> bytes;
    };
    std::vector<Format> formats_;
    bool saved_ = false;
};
