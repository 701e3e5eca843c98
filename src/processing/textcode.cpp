#include "processing/textcode.h"

#include "support/codepage.h"
#include "support/utf8.h"

#include <vector>

std::string PgpUnfitText(const std::string& body, bool pgpTakesUnicode) {
    std::string ansi;
    std::vector<char32_t> unfit;
    if (pgpTakesUnicode || platform::Utf8ToAnsi(body, ansi, &unfit))
        return {};
    return "Your message holds characters that your PGP program cannot take: " +
           CharacterList(unfit) + ".\r\n\r\nThe PGP program reads text only in the Windows " +
           platform::AnsiCodePageName() +
           ", which has no place for them; they would reach it as \"?\" and be lost. Nothing "
           "has been changed.\r\n\r\nUse a PGP program that takes every character (the GnuPG "
           "bridge does), or remove these characters.";
}
