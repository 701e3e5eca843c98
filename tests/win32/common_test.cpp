// The Windows helpers that Wextor 5, the GnuPG bridge and the driver pack share: the message
// pump, the keeper of the user's clipboard and the system's error texts.
#include "common/clipsave_win.h"
#include "common/clipboard_win.h"
#include "common/pump_win.h"
#include "common/winerror_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr UINT kDispatched = WM_APP + 1;
constexpr UINT kTaken = WM_APP + 2;
int dispatchedCount = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDispatched || message == kTaken) {
        ++dispatchedCount;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeMessageWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "WextorCommonTestWindow";
    RegisterClassA(&windowClass);
    return CreateWindowA("WextorCommonTestWindow", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

TEST(Pump, FilterKeepsWhatItTakesAndTheRestIsDispatched) {
    const HWND window = MakeMessageWindow();
    ASSERT_NE(window, nullptr);
    dispatchedCount = 0;
    for (UINT message : {kDispatched, kTaken, kDispatched, kTaken, kDispatched})
        PostMessageA(window, message, 0, 0);
    int taken = 0;
    EXPECT_TRUE(PumpPendingMessages([&taken](MSG& msg) {
        if (msg.message != kTaken)
            return false;
        ++taken;
        return true;
    }));
    EXPECT_EQ(dispatchedCount, 3);
    EXPECT_EQ(taken, 2);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, 0, 0, PM_NOREMOVE));
    DestroyWindow(window);
}

TEST(Pump, QuitEndsThePumpAndIsKeptForTheMainLoop) {
    const HWND window = MakeMessageWindow();
    ASSERT_NE(window, nullptr);
    dispatchedCount = 0;
    PostMessageA(window, kDispatched, 0, 0);
    PostQuitMessage(7);
    EXPECT_FALSE(PumpPendingMessages());
    EXPECT_EQ(dispatchedCount, 1); // what came before the quit was still handled
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    DestroyWindow(window);
}

// Puts blocks of bytes on the clipboard, one per format, replacing what was there.
void SetClipboardBlocks(const std::vector<std::pair<UINT, std::string>>& blocks) {
    ClipboardLock lock(nullptr);
    ASSERT_TRUE(lock.open());
    EmptyClipboard();
    for (const auto& [format, bytes] : blocks) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        ASSERT_TRUE(SetClipboardData(format, block));
    }
}

// The format's bytes (the memory block may be rounded up: only the first size bytes count).
std::string ClipboardBlock(UINT format, size_t size) {
    ClipboardLock lock(nullptr);
    HANDLE data = lock.open() ? GetClipboardData(format) : nullptr;
    const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (!bytes)
        return "(none)";
    const std::string text(bytes, std::min<size_t>(size, GlobalSize(data)));
    GlobalUnlock(data);
    return text;
}

int FormatCount() {
    ClipboardLock lock(nullptr);
    return lock.open() ? CountClipboardFormats() : -1;
}

TEST(SavedClipboard, EveryMemoryFormatComesBackByteForByte) {
    const UINT second = RegisterClipboardFormatA("Wextor common test format");
    const std::string text("the user's own text", 20); // with its NUL
    const std::string binary("\x01\x00\xff\x7f zero inside", 16);
    SetClipboardBlocks({{CF_TEXT, text}, {second, binary}});
    SavedClipboard saved;
    ASSERT_TRUE(saved.Save());
    ASSERT_TRUE(WriteClipboardText(nullptr, "a message in plain text"));
    ASSERT_TRUE(saved.Restore());
    EXPECT_EQ(ClipboardBlock(CF_TEXT, text.size()), text);
    EXPECT_EQ(ClipboardBlock(second, binary.size()), binary);
    // The run's privacy formats went with the run's text.
    EXPECT_FALSE(IsClipboardFormatAvailable(RegisterClipboardFormatA(ExcludeFromMonitorFormat)));
}

TEST(SavedClipboard, AnEmptyClipboardIsPutBackEmpty) {
    SetClipboardBlocks({});
    SavedClipboard saved;
    ASSERT_TRUE(saved.Save());
    ASSERT_TRUE(WriteClipboardText(nullptr, "a message in plain text"));
    ASSERT_TRUE(saved.Restore());
    EXPECT_EQ(FormatCount(), 0);
}

TEST(SavedClipboard, NothingIsPutBackBeforeASave) {
    ASSERT_TRUE(WriteClipboardText(nullptr, "stays"));
    const SavedClipboard never;
    EXPECT_FALSE(never.Restore());
    std::string text;
    ASSERT_TRUE(ReadClipboardText(nullptr, text));
    EXPECT_EQ(text, "stays");
}

TEST(WinErrorText, SystemTextWithTheNumberAndNoTrailingPunctuation) {
    const std::string denied = WinErrorText(ERROR_ACCESS_DENIED);
    EXPECT_EQ(denied.size() > 4 ? denied.substr(denied.size() - 4) : denied, " (5)");
    EXPECT_EQ(denied.find("Unknown"), std::string::npos);
    EXPECT_EQ(denied.find_first_of("\r\n"), std::string::npos);
    EXPECT_NE(denied.substr(0, denied.size() - 4).back(), '.');
    EXPECT_EQ(WinErrorText(0x2FFFFFFF), "Unknown error (805306367)");
}

} // namespace
