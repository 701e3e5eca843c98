#include "text.h"

#include <cctype>
#include <cstddef>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "2026-12-08 05:10:00 ", which gpg puts before its name when it writes to a log file.
bool HasTimestamp(const std::string& line) {
    static const char pattern[] = "0000-00-00 00:00:00 ";
    const std::size_t length = sizeof pattern - 1;
    if (line.size() < length)
        return false;
    for (std::size_t i = 0; i < length; ++i)
        if (pattern[i] == '0' ? !IsDigit(line[i]) : line[i] != pattern[i])
            return false;
    return true;
}

// Splits "gpg: text", "gpg[123]: text" and "<timestamp> gpg[123] text" into the program
// name and the text. Lines without such a prefix continue the message before them.
bool SplitPrefix(const std::string& line, std::string& program, std::string& message) {
    const bool timed = HasTimestamp(line);
    std::size_t pos = timed ? 20 : 0;
    const std::size_t nameStart = pos;
    while (pos < line.size() && (std::isalnum(static_cast<unsigned char>(line[pos])) ||
                                 line[pos] == '-' || line[pos] == '_' || line[pos] == '.'))
        ++pos;
    if (pos == nameStart)
        return false;
    program = line.substr(nameStart, pos - nameStart);
    if (pos < line.size() && line[pos] == '[') {
        const std::size_t close = line.find(']', pos);
        if (close == std::string::npos || close == pos + 1)
            return false;
        for (std::size_t i = pos + 1; i < close; ++i)
            if (!IsDigit(line[i]))
                return false;
        pos = close + 1;
    }
    const bool colon = pos < line.size() && line[pos] == ':';
    if (colon)
        ++pos;
    // Without the time the colon is what tells a prefix from ordinary words.
    if (!colon && !(timed && (pos == line.size() || line[pos] == ' ')))
        return false;
    message = line.substr(pos);
    return true;
}

std::string TrimmedStart(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace

std::string ToCrlf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string GpgMessages(const std::string& log) {
    std::string out;
    bool fromGpg = false; // whose message an unprefixed line continues
    for (const std::string& line : SplitLines(log)) {
        std::string program, message;
        if (SplitPrefix(line, program, message))
            fromGpg = program == "gpg" || program == "gpg2";
        else
            message = line;
        // Indentation lines up columns in a console; a message box has none.
        message = TrimmedStart(message);
        while (!message.empty() && (message.back() == ' ' || message.back() == '\t'))
            message.pop_back();
        if (!fromGpg || message.empty())
            continue;
        if (!out.empty())
            out += '\n';
        out += message;
    }
    return out;
}

std::string FailureText(const std::string& what, const std::string& problem,
                        const std::string& log) {
    std::string text = "GnuPG could not " + what;
    if (!problem.empty())
        text += ": " + problem;
    text += ".";
    const std::string messages = GpgMessages(log);
    if (!messages.empty())
        text += "\r\n\r\nGnuPG said:\r\n" + ToCrlf(messages);
    return text;
}

void SplitStatusAndLog(const std::string& standardError, std::string& status, std::string& log) {
    for (const std::string& line : SplitLines(standardError))
        (line.compare(0, 9, "[GNUPG:] ") == 0 ? status : log) += line + "\n";
}
