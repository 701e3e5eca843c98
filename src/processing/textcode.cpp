#include "processing/textcode.h"

#include "support/codepage.h"
#include "support/utf8.h"

#include <vector>

namespace {

std::string CodePageName() {
    return "code page " + std::to_string(platform::AnsiCodePage());
}

} // namespace

void MessageToUtf8(TMFDData& message) {
    if (DeclaresUtf8(message))
        return;
    for (std::string* text : {&message.Information, &message.Title, &message.Short, &message.To,
                              &message.Cc, &message.Bcc, &message.Attachment, &message.Subject,
                              &message.Body, &message.DefaultMailDomain, &message.MfdState})
        *text = platform::AnsiToUtf8(*text);
}

std::string PgpUnfitText(const std::string& body, bool pgpTakesUnicode) {
    std::string ansi;
    std::vector<char32_t> unfit;
    if (pgpTakesUnicode || platform::Utf8ToAnsi(body, ansi, &unfit))
        return {};
    return "Your message holds characters that your PGP program cannot take: " +
           CharacterList(unfit) + ".\r\n\r\nThe PGP program reads text only in the Windows " +
           CodePageName() +
           ", which has no place for them; they would reach it as \"?\" and be lost. Nothing "
           "has been changed.\r\n\r\nUse a PGP program that takes every character (the GnuPG "
           "bridge does), or remove these characters.";
}

std::string EncodeForDriver(TMFDData& message, bool driverTakesUtf8,
                            const std::string& driverFile) {
    if (driverTakesUtf8) {
        message.Charset = MfdCharsetUtf8;
        return {};
    }
    message.Charset.clear();
    std::string ansi;
    std::vector<char32_t> unfit;
    if (!platform::Utf8ToAnsi(message.Body, ansi, &unfit))
        return "The result holds characters that the mail form driver " + driverFile +
               " cannot take: " + CharacterList(unfit) + ".\r\n\r\nThe driver reads text only " +
               "in the Windows " + CodePageName() +
               ", which has no place for them.\r\n\nNothing was written back: your e-mail "
               "program shows the message as it was, and the result is on the clipboard.";
    message.Body = std::move(ansi);
    return {};
}
