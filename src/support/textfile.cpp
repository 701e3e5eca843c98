#include "support/textfile.h"

#include "support/codepage.h"

const char* const Utf8Bom = "\xEF\xBB\xBF";

std::string TextFileToUtf8(const std::string& bytes) {
    if (bytes.compare(0, 3, Utf8Bom) == 0)
        return bytes.substr(3);
    return platform::AnsiToUtf8(bytes);
}

std::string TextFileBytes(const std::string& utf8) {
    std::string ansi;
    if (platform::Utf8ToAnsi(utf8, ansi, nullptr))
        return ansi;
    return Utf8Bom + utf8;
}
