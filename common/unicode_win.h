// Text crossing into and out of Windows: UTF-8 inside the programs, UTF-16 at every wide call,
// and the ANSI code page only where an old contract (a driver, PGP 5.x) asks for bytes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// UTF-8 to UTF-16; a byte that is not UTF-8 becomes U+FFFD.
std::wstring Widen(const std::string& utf8);
std::wstring Widen(const char* utf8);
// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8Of(const std::wstring& wide);
std::string Utf8Of(const wchar_t* wide, std::size_t length);
std::string Utf8Of(const wchar_t* wide);

// Bytes of a code page (CP_ACP: the system's ANSI code page) as UTF-8.
std::string Utf8FromCodePage(const std::string& bytes, UINT codePage = CP_ACP);
// UTF-8 as bytes of a code page. False when a character has no exact place there; `unfit`
// then lists those characters (each once, in order of first appearance) and `bytes` is empty.
// Never substitutes "?" or a look-alike.
bool CodePageFromUtf8(const std::string& utf8, std::string& bytes,
                      std::vector<char32_t>* unfit = nullptr, UINT codePage = CP_ACP);

// A window's text with every character; empty for no window.
std::string WindowTextUtf8(HWND window);
bool SetWindowTextUtf8(HWND window, const std::string& utf8);
