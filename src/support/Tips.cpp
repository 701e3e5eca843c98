#include "support/Tips.h"

#include "support/platform.h"
#include "support/readastr.h"

#include <cstdint>
#include <utility>

int StrictStrToInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        throw ConvertError(text);
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw ConvertError(text);
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL)
            throw ConvertError(text);
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        throw ConvertError(text);
    return static_cast<int>(value);
}

std::vector<std::string> SplitTipLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

TipLine SplitTipLine(const std::string& line) {
    const std::size_t comma = line.find(',');
    if (comma == std::string::npos)
        return {std::string(), line};
    return {line.substr(0, comma), line.substr(comma + 1)};
}

int NextTipNumber(int tipNumber, int tipCount) {
    if (tipNumber >= 0 && tipNumber < tipCount - 1)
        return tipNumber + 1;
    return 0;
}

int PreviousTipNumber(int tipNumber, int tipCount) {
    if (tipCount <= 0)
        return 0; // no last tip to go to
    if (tipNumber > 0 && tipNumber < tipCount)
        return tipNumber - 1;
    return tipCount - 1;
}

TipsLogic::TipsLogic(const TipsHost& host, TipsView view) : host_(host), view_(std::move(view)) {
    if (!host_.tipNumber)
        host_.tipNumber = &ownTipNumber_;
    if (!host_.tipEnabled)
        host_.tipEnabled = &ownTipEnabled_;
}

void TipsLogic::FormCreate() {
    try {
        if (*host_.tipEnabled && view_.checkShowTips)
            view_.checkShowTips(true);
        tips_ = SplitTipLines(ReadFileString(host_.programDir + "tips.dat"));
        btnNextClick();
    } catch (const std::exception&) {
        // The window opens anyway, with what could be shown.
    }
}

void TipsLogic::StoreTipNumber(int number) {
    *host_.tipNumber = number;
    if (host_.saveTipSettings)
        host_.saveTipSettings();
}

void TipsLogic::ShowCurrentTip() {
    const int n = *host_.tipNumber;
    if (n < 0 || static_cast<std::size_t>(n) >= tips_.size())
        throw ListIndexError(n);
    const TipLine tip = SplitTipLine(tips_[static_cast<std::size_t>(n)]);
    if (view_.setTipText)
        view_.setTipText(tip.text);
    try {
        helpContext_ = StrictStrToInt(tip.helpContextText);
    } catch (const ConvertError&) {
        // No topic rather than the previous tip's topic behind the Help button.
        helpContext_ = 0;
        if (view_.enableHelp)
            view_.enableHelp(false);
        throw;
    }
    if (view_.enableHelp)
        view_.enableHelp(helpContext_ != 0);
}

void TipsLogic::btnNextClick() {
    StoreTipNumber(NextTipNumber(*host_.tipNumber, static_cast<int>(tips_.size())));
    ShowCurrentTip();
}

void TipsLogic::btnPreviousClick() {
    StoreTipNumber(PreviousTipNumber(*host_.tipNumber, static_cast<int>(tips_.size())));
    ShowCurrentTip();
}

void TipsLogic::chkShowTipsClick(bool checked) {
    *host_.tipEnabled = checked;
    if (host_.saveTipSettings)
        host_.saveTipSettings();
}

void TipsLogic::btnHelpClick() {
    if (host_.showHelp)
        host_.showHelp(helpContext_);
    btnOkClick();
}

void TipsLogic::btnOkClick() {
    if (view_.close)
        view_.close();
}

std::string ErrorClassName(const std::exception& error) {
    if (dynamic_cast<const ConvertError*>(&error))
        return "ConvertError";
    if (dynamic_cast<const ListIndexError*>(&error))
        return "ListIndexError";
    if (dynamic_cast<const FileError*>(&error))
        return "FileError";
    return "Exception";
}
