// Wextor 5 and the drivers share one codec for the exchange file: each reads what the other
// writes, and a file read and written again, on disk too, comes out byte for byte.
#include "exchange.h"

#include "drivers/mfdfile.h"
#include "support/readastr.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

struct ExchangeFile {
    const char* what;
    std::string bytes;
    bool utf8;         // the file declares UTF-8
    bool driverWrites; // a file the pack's drivers write themselves
    std::string body;  // the message text; empty when there is none
};

const std::string kPgpBlock =
    "-----BEGIN PGP MESSAGE-----\r\n\r\nhQEMA\r\n-----END PGP MESSAGE-----\r\n";

const ExchangeFile kFiles[] = {
    {"Write File= for a driver that declared nothing: ANSI bytes",
     "MFD-Protocol-Version: 1\r\nWrap-Column: 72\r\nWtype: 1\r\nInformation: Old mailer\r\n"
     "Title: Gr\xFC\xDF"
     "e an Bob\r\nShort: Old mailer\r\nTo: bob@example.org\r\nSubject: Gr\xFC\xDF"
     "e\r\nAttachment: C:\\a.txt\r\nCommand: 0\r\nLacking: 0\r\nMFD-State: 3\r\n"
     "Default-Mail-Domain: example.org\r\n\r\n" +
         kPgpBlock,
     false, false, kPgpBlock},
    {"Write File= for a driver that declared UTF-8",
     "MFD-Protocol-Version: 1\r\nWrap-Column: 0\r\nWtype: 8\r\nInformation: Any program\r\n"
     "Title: Brief \xE2\x80\x94 Gr\xC3\xBC\xC3\x9F"
     "e\r\nShort: Notepad\r\nCommand: 0\r\nLacking: 0\r\nMFD-State: \r\n"
     "Default-Mail-Domain: \r\nMFD-Charset: UTF-8\r\n\r\n"
     "Gr\xC3\xBC\xC3\x9F"
     "e \xE2\x80\x94 5 \xE2\x82\xAC\r\n\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\n",
     true, true,
     "Gr\xC3\xBC\xC3\x9F"
     "e \xE2\x80\x94 5 \xE2\x82\xAC\r\n\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\n"},
    {"a driver's read File= with a PGP block",
     "MFD-Protocol-Version: 1\r\nWrap-Column: 0\r\nWtype: 8\r\nInformation: Any program\r\n"
     "Title: Inbox\r\nShort: Mail\r\nCommand: 0\r\nLacking: 0\r\nMFD-State: \r\n"
     "Default-Mail-Domain: \r\nMFD-Charset: UTF-8\r\n\r\n" +
         kPgpBlock,
     true, true, kPgpBlock},
    {"a driver's read File= of an empty field",
     "MFD-Protocol-Version: 1\r\nWrap-Column: 0\r\nWtype: 1\r\nInformation: Any program\r\n"
     "Title: New\r\nCommand: 0\r\nLacking: 0\r\nMFD-State: \r\nDefault-Mail-Domain: \r\n"
     "MFD-Charset: UTF-8\r\n",
     true, true, ""},
    {"a driver's probe",
     "MFD-Protocol-Version: 1\r\nWrap-Column: 0\r\nWtype: 0\r\nInformation: Notepad driver\r\n"
     "Short: Notepad\r\nCommand: 0\r\nLacking: 0\r\nMFD-State: \r\nDefault-Mail-Domain: \r\n"
     "MFD-Charset: UTF-8\r\n",
     true, true, ""},
    {"an older driver's read File=: ANSI, a posting with its addressees",
     "MFD-Protocol-Version: 1\r\nWrap-Column: 76\r\nWtype: 2\r\nInformation: News\r\n"
     "To: list@example.org\r\nCc: carol@example.org\r\nBcc: dave@example.org\r\n"
     "Subject: caf\xE9\r\nCommand: 1\r\nLacking: 2\r\nMFD-State: x y\r\n"
     "Default-Mail-Domain: example.org\r\n\r\ncaf\xE9 au lait",
     false, false, "caf\xE9 au lait"},
};

class ExchangeCodec : public ::testing::Test {
  protected:
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    const std::string path_ =
        (std::filesystem::temp_directory_path() / "mfdpack-codec-test.tmp").string();
};

TEST_F(ExchangeCodec, BothProgramsReadAndWriteTheSameBytes) {
    for (const ExchangeFile& c : kFiles) {
        // Wextor's side: parsed and built again, then through the file on disk.
        TMFDData read;
        ParseMfdText(c.bytes, read);
        EXPECT_EQ(BuildMfdText(read), c.bytes) << c.what;
        ASSERT_TRUE(WriteMfdFile(read, path_)) << c.what;
        EXPECT_EQ(ReadFileString(path_), c.bytes) << c.what;
        TMFDData back;
        ReadMfdFile(path_, back);
        EXPECT_EQ(back, read) << c.what;
        EXPECT_EQ(DeclaresUtf8(read), c.utf8) << c.what;

        // The drivers' side: the declaration and the message text of the same bytes.
        EXPECT_EQ(mfdpack::DeclaresUtf8(c.bytes), c.utf8) << c.what;
        std::string body = "stale";
        EXPECT_EQ(mfdpack::ExchangeBody(c.bytes, body), !c.body.empty()) << c.what;
        EXPECT_EQ(body, c.body.empty() ? "stale" : c.body) << c.what;
        if (!c.driverWrites)
            continue;
        mfdpack::ExchangeOut out;
        out.wtype = read.Wtype;
        out.information = read.Information;
        out.title = read.Title;
        out.shortText = read.Short;
        out.body = read.Body;
        out.hasBody = read.HasBody;
        EXPECT_EQ(mfdpack::BuildExchangeText(out), c.bytes) << c.what;
    }
}

} // namespace
