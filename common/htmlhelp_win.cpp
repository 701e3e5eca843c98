#include "common/htmlhelp_win.h"

#include "common/syslib_win.h"

#include <htmlhelp.h>

namespace {

// The wide entry: help files lie beside programs, whose folders may have any name.
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

HtmlHelpFn loadedEngine = nullptr;

HtmlHelpFn HtmlHelpEngine() {
    if (!loadedEngine)
        if (HMODULE module = LoadSystemLibrary(L"hhctrl.ocx"))
            loadedEngine = reinterpret_cast<HtmlHelpFn>(
                reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")));
    return loadedEngine;
}

} // namespace

bool CallHtmlHelp(HWND owner, const std::wstring& target, UINT command, DWORD_PTR data) {
    const HtmlHelpFn engine = HtmlHelpEngine();
    return engine && engine(owner, target.c_str(), command, data) != nullptr;
}

void CloseHtmlHelp() {
    if (loadedEngine)
        loadedEngine(nullptr, nullptr, HH_CLOSE_ALL, 0);
}
