// The real message box: MessageBoxIndirectW, since a text may name a path of any letters. Button
// sets that MessageBox has no style for (Cancel + Ignore, Abort + Retry) use the nearest style with
// its buttons relabelled and renumbered, so the box still returns the ID of the button the user
// chose.
#include "support/msgbox.h"
#include "support/msgbox_win.h"
#include "support/help.h"
#include "support/help_win.h"

#include "common/unicode_win.h"

#include <vector>

namespace {
HWND boxOwner = nullptr;

struct Relabel {
    int fromId;
    int toId;
    const char* text;
};

struct Layout {
    unsigned buttons; // without mbHelp
    UINT style;
    std::vector<Relabel> relabels;
};

const std::vector<Layout>& Layouts() {
    static const std::vector<Layout> layouts = {
        {mbOK, MB_OK, {}},
        {mbAbort, MB_OK, {{IDOK, IDABORT, "&Abort"}}},
        {mbOK | mbCancel, MB_OKCANCEL, {}},
        {mbAbort | mbRetry | mbIgnore, MB_ABORTRETRYIGNORE, {}},
        {mbYes | mbNo | mbCancel, MB_YESNOCANCEL, {}},
        {mbYes | mbNo, MB_YESNO, {}},
        {mbRetry | mbCancel, MB_RETRYCANCEL, {}},
        {mbAbort | mbRetry,
         MB_RETRYCANCEL,
         {{IDRETRY, IDABORT, "&Abort"}, {IDCANCEL, IDRETRY, "&Retry"}}},
        {mbCancel | mbIgnore,
         MB_OKCANCEL,
         {{IDCANCEL, IDIGNORE, "&Ignore"}, {IDOK, IDCANCEL, "Cancel"}}},
    };
    return layouts;
}

const std::vector<Relabel>* pendingRelabels = nullptr;
HHOOK cbtHook = nullptr;

LRESULT CALLBACK RelabelHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && pendingRelabels) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        for (const Relabel& r : *pendingRelabels) {
            if (HWND button = GetDlgItem(box, r.fromId)) {
                SetWindowLongPtrA(button, GWLP_ID, r.toId);
                SetWindowTextA(button, r.text);
            }
        }
        pendingRelabels = nullptr;
    }
    return CallNextHookEx(cbtHook, code, wParam, lParam);
}

UINT IconStyle(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Warning:
        return MB_ICONWARNING;
    case MsgIcon::Error:
        return MB_ICONERROR;
    case MsgIcon::Information:
        return MB_ICONINFORMATION;
    case MsgIcon::Confirmation:
        return MB_ICONQUESTION;
    case MsgIcon::None:
        break;
    }
    return 0;
}
} // namespace

// A box's Help button opens its topic in the help file beside the program.
static void CALLBACK BoxHelp(LPHELPINFO info) {
    std::wstring path(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, &path[0], 32768);
    std::string folder = Utf8Of(path.data(), n < 32768 ? n : 0);
    folder.erase(folder.find_last_of('\\') + 1);
    if (!OpenHelpTopic(boxOwner, folder, static_cast<unsigned>(info->dwContextId)))
        ShowMessageBox(NoHelpBox(folder + HelpFileName));
}

void SetMessageBoxOwner(HWND owner) {
    boxOwner = owner;
}

namespace platform {

int ShowSystemMessageBox(const MsgBoxRequest& request) {
    const unsigned wanted = request.buttons & ~static_cast<unsigned>(mbHelp);
    const Layout* layout = &Layouts().front();
    for (const Layout& l : Layouts())
        if (l.buttons == wanted)
            layout = &l;

    const std::wstring text = Widen(request.text), caption = Widen(request.caption);
    MSGBOXPARAMSW params = {};
    params.cbSize = sizeof params;
    params.hwndOwner = boxOwner;
    params.hInstance = GetModuleHandleW(nullptr);
    params.lpszText = text.c_str();
    params.lpszCaption = caption.c_str();
    params.dwStyle = layout->style | IconStyle(request.icon) | MB_SETFOREGROUND |
                     ((request.buttons & mbHelp) ? MB_HELP : 0) | (boxOwner ? 0 : MB_TASKMODAL);
    params.dwContextHelpId = request.helpContext;
    params.lpfnMsgBoxCallback = BoxHelp;

    if (!layout->relabels.empty()) {
        pendingRelabels = &layout->relabels;
        cbtHook = SetWindowsHookExA(WH_CBT, RelabelHook, nullptr, GetCurrentThreadId());
    }
    const int result = MessageBoxIndirectW(&params);
    if (cbtHook) {
        UnhookWindowsHookEx(cbtHook);
        cbtHook = nullptr;
    }
    pendingRelabels = nullptr;
    return result;
}

} // namespace platform
