#include "winctl/winop.h"

#include "support/msgbox.h"

void ClearCriteria(WINDOW& criteria) {
    criteria = WINDOW();
}

bool MatchText(const std::string& text, const STRINGER& criterion) {
    if (!criterion.Partial.empty() && text.find(criterion.Partial) != std::string::npos)
        return true;
    if (!text.empty() && text == criterion.Exact)
        return true;
    return criterion.Exact.empty() && criterion.Partial.empty();
}

bool MeetsCriteria(const WINDOW& criteria, const std::function<std::string(WindowText)>& read) {
    const struct {
        WindowText text;
        const STRINGER& criterion;
    } tests[] = {
        {WindowText::GrandparentClass, criteria.Parent.Grandparent.GrandparentClass},
        {WindowText::GrandparentTitle, criteria.Parent.Grandparent.GrandparentTitle},
        {WindowText::ParentClass, criteria.Parent.ParentClass},
        {WindowText::OwnTitle, criteria.OwnTitle},
        {WindowText::OwnClass, criteria.OwnClass},
        {WindowText::ParentTitle, criteria.Parent.ParentTitle},
    };
    for (const auto& t : tests) {
        // An empty criterion matches anything: no need to read the window for it.
        if (t.criterion.Exact.empty() && t.criterion.Partial.empty())
            continue;
        if (!MatchText(read(t.text), t.criterion))
            return false;
    }
    return true;
}

void RecordFoundWindow(WindowSearch& search, WindowHandle w) {
    if (!search.WindowFound)
        search.FoundWindow = w;
    search.WindowFound = true;
}

bool CheckWalkDepth(int walkDepth) {
    if (walkDepth <= MaxWalkDepth)
        return false;
    MsgBoxRequest box;
    box.text = "Too many/Too complex windows currently open. Try closing some Applications";
    box.caption = "Error";
    box.icon = MsgIcon::Error;
    box.buttons = mbAbort;
    box.helpContext = 0;
    ShowMessageBox(box); // the answer does not matter: the walk goes on
    return true;
}
