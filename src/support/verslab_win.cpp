#include "support/verslab_win.h"

#include "common/syslib_win.h"
#include "common/unicode_win.h"

#include <vector>

namespace {
std::string OwnExecutable() {
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::vector<wchar_t> path(size);
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), size);
        if (n < size || size >= 32768)
            return Utf8Of(path.data(), n);
    }
}
} // namespace

std::string ReadVersionValue(const std::string& fileName, const std::string& langCharset,
                             const std::string& key) {
    const std::wstring file = Widen(fileName.empty() ? OwnExecutable() : fileName);
    std::vector<char> info;
    if (!ReadVersionResource(file, info))
        return kNoVersionData; // a buffer never filled holds no version data to query
    VersionQueryResult query;
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = Widen(VersionQueryPath(langCharset, key));
    if (QueryVersionValue(info, path, &value, &length)) {
        query.found = true;
        query.length = length;
        const wchar_t* text = static_cast<const wchar_t*>(value);
        // The value lies in our buffer; never read past its end whatever the length says.
        const wchar_t* begin = reinterpret_cast<const wchar_t*>(info.data());
        const wchar_t* end = begin + info.size() / sizeof(wchar_t);
        std::size_t room = text >= begin && text < end ? static_cast<std::size_t>(end - text) : 0;
        query.text = Utf8Of(text, wcsnlen(text, std::min<std::size_t>(length, room)));
    }
    return VersionValueOf(query);
}

const char* const TVersionLabel::kClassName = "TVersionLabel";

void TVersionLabel::Register() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), kClassName, &wc))
        return;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassExA(&wc);
}

TVersionLabel* TVersionLabel::Create(HWND parent, int id, int x, int y, int width, int height) {
    Register();
    const HWND window = CreateWindowExA(
        0, kClassName, "", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    return FromWindow(window);
}

TVersionLabel* TVersionLabel::FromWindow(HWND window) {
    if (!window)
        return nullptr;
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<TVersionLabel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

TVersionLabel::TVersionLabel(HWND window) : window_(window), color_(GetSysColor(COLOR_BTNFACE)) {}

std::string TVersionLabel::Caption() const {
    return WindowTextUtf8(window_);
}

std::string TVersionLabel::GetInfoGeneral(const std::string& fileName,
                                          const std::string& langCharset) const {
    return props_.Decorate(ReadVersionValue(fileName, langCharset, props_.VersionResourceKey()));
}

std::string TVersionLabel::GetInfo() const {
    return GetInfoGeneral(std::string(), props_.LangCharset());
}

void TVersionLabel::SetWordWrap(bool value) {
    if (value != wordWrap_) {
        wordWrap_ = value;
        Changed();
    }
}

void TVersionLabel::SetAutoSize(bool value) {
    if (value != autoSize_) {
        autoSize_ = value;
        Changed();
    }
}

void TVersionLabel::SetAlignment(TAlignment value) {
    if (value != alignment_) {
        alignment_ = value;
        Changed();
    }
}

void TVersionLabel::SetAlign(TAlign value) {
    align_ = value;
    Realign();
}

void TVersionLabel::Realign() {
    const HWND parent = GetParent(window_);
    RECT client, own;
    if (align_ == alNone || !parent || !GetClientRect(parent, &client) ||
        !GetWindowRect(window_, &own))
        return;
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&own), 2);
    const int width = own.right - own.left, height = own.bottom - own.top;
    RECT r = {0, 0, client.right, client.bottom};
    switch (align_) {
    case alTop:
        r.bottom = height;
        break;
    case alBottom:
        r.top = client.bottom - height;
        break;
    case alLeft:
        r.right = width;
        break;
    case alRight:
        r.left = client.right - width;
        break;
    case alNone:
    case alClient:
        break;
    }
    MoveWindow(window_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    AdjustBounds();
}

void TVersionLabel::SetColor(COLORREF value) {
    color_ = value;
    InvalidateRect(window_, nullptr, TRUE);
}

HFONT TVersionLabel::Font() const {
    if (!parentFont_)
        return font_;
    const HWND parent = GetParent(window_);
    return parent ? reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0)) : nullptr;
}

void TVersionLabel::SetFont(HFONT font) {
    font_ = font;
    parentFont_ = false;
    Changed();
}

void TVersionLabel::SetParentFont(bool value) {
    if (value != parentFont_) {
        parentFont_ = value;
        Changed();
    }
}

UINT TVersionLabel::TextFormat() const {
    // No mnemonic: an "&" in a copyright or company name is text.
    UINT format = DT_EXPANDTABS | DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : 0);
    if (alignment_ == taRightJustify)
        format |= DT_RIGHT;
    else if (alignment_ == taCenter)
        format |= DT_CENTER;
    return format;
}

void TVersionLabel::AdjustBounds() {
    if (!autoSize_)
        return;
    const HWND parent = GetParent(window_);
    RECT own;
    GetWindowRect(window_, &own);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&own), 2);
    const std::string text = Caption();
    const HDC dc = GetDC(window_);
    const HGDIOBJ old = Font() ? SelectObject(dc, Font()) : nullptr;
    RECT r = {0, 0, wordWrap_ ? own.right - own.left : 0, 0};
    // An empty caption keeps one line's height, as a label does.
    DrawTextW(dc, text.empty() ? L" " : Widen(text).c_str(), -1, &r, TextFormat() | DT_CALCRECT);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(window_, dc);
    int left = own.left, top = own.top, width = r.right, height = r.bottom;
    const bool fixedWidth = align_ == alTop || align_ == alBottom || align_ == alClient;
    const bool fixedHeight = align_ == alLeft || align_ == alRight || align_ == alClient;
    if (fixedWidth || wordWrap_)
        width = own.right - own.left;
    if (fixedHeight)
        height = own.bottom - own.top;
    if (alignment_ == taRightJustify && !fixedWidth)
        left = own.right - width; // the right edge stays
    if (align_ == alBottom)
        top = own.bottom - height;
    else if (align_ == alRight)
        left = own.right - width;
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TVersionLabel::Changed() {
    AdjustBounds();
    InvalidateRect(window_, nullptr, TRUE);
}

void TVersionLabel::Paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window_, &ps);
    RECT r;
    GetClientRect(window_, &r);
    const HBRUSH brush = CreateSolidBrush(color_);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    const HGDIOBJ old = Font() ? SelectObject(dc, Font()) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(window_) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    const std::string text = Caption();
    DrawTextW(dc, Widen(text).c_str(), -1, &r, TextFormat());
    if (old)
        SelectObject(dc, old);
    EndPaint(window_, &ps);
}

LRESULT CALLBACK TVersionLabel::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new TVersionLabel(window)));
    auto* label = reinterpret_cast<TVersionLabel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!label)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete label;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return label->OnMessage(message, wParam, lParam);
}

LRESULT TVersionLabel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // The defaults are in place; from now on a new prefix shows at once.
        props_.onRefresh = [this] { SetWindowTextUtf8(window_, GetInfo()); };
        props_.onRefresh();
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(window_, message, wParam, lParam);
        Changed();
        return result;
    }
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        parentFont_ = false;
        AdjustBounds();
        if (LOWORD(lParam))
            InvalidateRect(window_, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(Font());
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // Paint fills the background
    case WM_NCHITTEST:
        return HTTRANSPARENT; // a label leaves the mouse to what lies beneath
    case WM_ENABLE:
        InvalidateRect(window_, nullptr, TRUE);
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}
