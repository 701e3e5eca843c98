#include "drivers/mfdfile.h"

#include "support/codepage.h"
#include "support/error.h"
#include "support/readastr.h"
#include "support/utf8.h"

#include <vector>

void ReadMfdFile(const std::string& path, TMFDData& message) {
    ClearMfdData(message); // nothing stale is left behind when the read raises
    ParseMfdText(ReadFileString(path), message);
}

bool WriteMfdFile(const TMFDData& message, const std::string& path) {
    return WriteFileString(path, BuildMfdText(message));
}

void MessageToUtf8(TMFDData& message) {
    if (DeclaresUtf8(message))
        return;
    for (std::string* text : {&message.Information, &message.Title, &message.Short, &message.To,
                              &message.Cc, &message.Bcc, &message.Attachment, &message.Subject,
                              &message.Body, &message.DefaultMailDomain, &message.MfdState})
        *text = platform::AnsiToUtf8(*text);
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
               "in the Windows " + platform::AnsiCodePageName() +
               ", which has no place for them.\r\n\nNothing was written back: your e-mail "
               "program shows the message as it was, and the result is on the clipboard.";
    message.Body = std::move(ansi);
    return {};
}
