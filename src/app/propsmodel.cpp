#include "app/propsmodel.h"

#include "drivers/MFDDirectory.h"
#include "support/msgbox.h"

#include <algorithm>

namespace {
struct PageInfo {
    const char* caption;
    unsigned helpContext;
    bool needsActiveMailer;
};
const PageInfo kPages[PropsPageCount] = {
    {"Routine", 4000, true}, {"Special", 0, true},   {"Mailer Choice", 4002, false},
    {"Options", 4003, true}, {"About", 4004, false},
};

bool IsPage(int page) {
    return page >= 0 && page < PropsPageCount;
}
} // namespace

const char* PageCaption(int page) {
    return IsPage(page) ? kPages[page].caption : "";
}

unsigned PageHelpContext(int page) {
    return IsPage(page) ? kPages[page].helpContext : 0;
}

std::vector<int> ShownPages(bool anyActive) {
    std::vector<int> shown;
    for (int page = 0; page < PropsPageCount; ++page)
        if (anyActive || !kPages[page].needsActiveMailer)
            shown.push_back(page);
    return shown;
}

int TabPositionOf(int page, const std::vector<int>& shownPages) {
    const auto at = std::find(shownPages.begin(), shownPages.end(), page);
    return at == shownPages.end() ? -1 : static_cast<int>(at - shownPages.begin());
}

int PageToSelect(int position) {
    return IsPage(position) ? position : MailerChoicePage;
}

unsigned HelpButtonContext(int recentPage) {
    return static_cast<unsigned>(4000 + recentPage);
}

std::string TrimBlanks(const std::string& text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t first = 0, last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool AddAddressEnabled(const std::string& typed) {
    return !TrimBlanks(typed).empty();
}

RefreshDecision DecideRefresh(const std::string& typedAddress, bool addressSelected,
                              const MailerList& active) {
    RefreshDecision d;
    d.addEnabled = AddAddressEnabled(typedAddress);
    d.removeEnabled = addressSelected;
    d.shownPages = ShownPages(!active.Empty());
    d.noMailersNotice = active.Empty();
    d.selectMailerChoice = active.Empty();
    return d;
}

std::vector<int> MarkSameDriver(MailerList& active) {
    std::vector<int> changed;
    const int selected = active.Selected();
    if (selected < 0)
        return changed;
    const std::string driver = DriverFileOf(active[selected]);
    for (int i = 0; i < active.Count(); ++i) {
        const std::string& entry = active[i];
        const bool marked = !entry.empty() && entry[0] == SameDriverMark;
        const bool shares = i != selected && DriverFileOf(entry) == driver;
        if (shares && !marked) {
            active.Replace(i, SameDriverMark + entry);
            changed.push_back(i);
        } else if (!shares && marked) {
            active.Replace(i, entry.substr(1));
            changed.push_back(i);
        }
    }
    return changed;
}

int MoveSameDriver(MailerList& from, MailerList& to, bool stripMarks) {
    if (from.Selected() < 0)
        return 0;
    const std::string driver = DriverFileOf(from[from.Selected()]);
    int moved = 0;
    for (int i = from.Count() - 1; i >= 0; --i) {
        if (DriverFileOf(from[i]) != driver)
            continue;
        const std::string entry = stripMarks ? StripSameDriverMark(from[i]) : from[i];
        from.Delete(i);
        to.Select(to.Add(entry));
        ++moved;
    }
    return moved;
}

const char* const PgpTrademarkNotice =
    "PGP is a trademark of its owners; Wextor 5 is not affiliated with them.";

std::vector<std::string> AboutLines(const AboutFacts& f) {
    std::vector<std::string> lines = {
        "",
        f.title + " V" + TrimBlanks(f.versionLabelText) + f.distribution,
        "Installed in: " + f.programDir,
    };
    if (!f.filesFolder.empty())
        lines.push_back("Files in: " + f.filesFolder);
    if (!f.settingsFile.empty())
        lines.push_back("Settings in: " + f.settingsFile);
    for (const std::string& line : {
             "Mail Form Drivers in: " + f.mfdDirectory,
             "Windows: " + f.windowsVersion,
             "Using " + f.pgpProductName + " V" + TrimBlanks(f.pgpFileVersion),
             "Installed in: " + f.pgpFolder,
             std::string(PgpTrademarkNotice),
         })
        lines.push_back(line);
    return lines;
}

std::string AboutText(const AboutFacts& facts) {
    const std::vector<std::string> lines = AboutLines(facts);
    std::string text = lines.front();
    for (std::size_t i = 1; i < lines.size(); ++i)
        text += "\r\n" + lines[i];
    return text;
}

bool IsSuperDebugKey(unsigned virtualKey, bool ctrl, bool alt) {
    const unsigned low = virtualKey & 0xFFu;
    return ctrl && alt && (low == 65 || low == 97);
}

std::string SuperDebugQuestion(bool superDebug) {
    return std::string("Super debug status is: ") + (superDebug ? "ON" : "OFF") + ". Change?";
}

bool SuperDebugAfterAnswer(bool superDebug, int answer) {
    return answer == mrNo ? superDebug : !superDebug;
}
