// The tips file's reading: lines never hold a line end and join back to the same list, a
// tip line splits at its first comma, and a help context either converts exactly or fails.
#include "support/Tips.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
void Check(bool ok) {
    if (!ok)
        std::abort();
}

// The canonical decimal of an accepted text: blanks, "+" and leading zeros dropped.
std::string Canonical(const std::string& text) {
    std::size_t i = text.find_first_not_of(" \t");
    std::string sign;
    if (text[i] == '+' || text[i] == '-')
        sign = text[i++] == '-' ? "-" : "";
    const std::size_t digits = text.find_first_not_of('0', i);
    const std::string number = digits == std::string::npos ? "0" : text.substr(digits);
    return number == "0" ? number : sign + number;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = SplitTipLines(text);
    std::string joined;
    std::size_t bytes = 0;
    for (const std::string& line : lines) {
        Check(line.find_first_of("\r\n") == std::string::npos);
        joined += line + "\r\n";
        bytes += line.size();
        const TipLine tip = SplitTipLine(line);
        Check(tip.helpContextText.find(',') == std::string::npos);
        if (line.find(',') == std::string::npos)
            Check(tip.helpContextText.empty() && tip.text == line);
        else
            Check(tip.helpContextText + "," + tip.text == line);
        try {
            const int n = StrictStrToInt(tip.helpContextText);
            Check(std::to_string(n) == Canonical(tip.helpContextText));
        } catch (const ConvertError&) {
        }
    }
    Check(bytes <= text.size());
    Check(SplitTipLines(joined) == lines);
    const int count = static_cast<int>(lines.size());
    for (int n = -2; n <= count + 1; ++n) {
        const int next = NextTipNumber(n, count), previous = PreviousTipNumber(n, count);
        Check(next >= 0 && (count == 0 || next < count));
        Check(previous >= 0 && (count == 0 || previous < count));
    }
    return 0;
}
