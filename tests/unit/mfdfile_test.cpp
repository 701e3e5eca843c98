#include "app/global.h"
#include "drivers/mfdfile.h"
#include "support/msgbox.h"
#include "support/platform.h"
#include "support/readastr.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

// Readable failure messages for records.
void PrintTo(const TMFDData& m, std::ostream* os) {
    *os << "{PV=" << m.ProtocolVersion << " Info='" << m.Information << "' Wtype=" << m.Wtype
        << " Title='" << m.Title << "' Short='" << m.Short << "' To='" << m.To << "'/" << m.HasTo
        << " Cc='" << m.Cc << "'/" << m.HasCc << " Bcc='" << m.Bcc << "'/" << m.HasBcc << " Att='"
        << m.Attachment << "'/" << m.HasAttachment << " Subj='" << m.Subject << "'/" << m.HasSubject
        << " Body='" << m.Body << "'/" << m.HasBody << " Cmd=" << m.Command << " Lack=" << m.Lacking
        << " Wrap=" << m.WrapColumn << " Dom='" << m.DefaultMailDomain << "' State='" << m.MfdState
        << "'}";
}

namespace {

const std::string kCrLf = "\r\n";

TMFDData Parsed(const std::string& text) {
    TMFDData m;
    m.Subject = "stale"; // parsing must clear first
    m.HasSubject = true;
    ParseMfdText(text, m);
    return m;
}

TMFDData Record(const std::function<void(TMFDData&)>& fill) {
    TMFDData m;
    fill(m);
    return m;
}

TMFDData FullRecord() {
    return Record([](TMFDData& m) {
        m.ProtocolVersion = 2;
        m.Information = "Test driver for Mailer";
        m.Wtype = WTYPE_MAIL;
        m.Title = "New Message";
        m.Short = "Mailer -";
        m.To = "a@example.com, b@example.com";
        m.HasTo = true;
        m.Cc = "c@example.com";
        m.HasCc = true;
        m.Bcc = "d@example.com";
        m.HasBcc = true;
        m.Attachment = "C:\\file.txt";
        m.HasAttachment = true;
        m.Subject = "Hello: world";
        m.HasSubject = true;
        m.Body = "line 1\r\n\r\nline 3\r\n";
        m.HasBody = true;
        m.Command = -1;
        m.Lacking = 4;
        m.WrapColumn = 72;
        m.DefaultMailDomain = "example.com";
        m.MfdState = "state 1";
    });
}

} // namespace

TEST(MfdParse, Table) {
    struct Case {
        const char* name;
        std::string text;
        TMFDData expected;
    } cases[] = {
        {"empty text", "", TMFDData()},
        {"no known key", "Foo: bar\r\nX-Other: 1\r\n", TMFDData()},
        {"Wtype 3 reads as 8", "Wtype: 3\r\n", Record([](TMFDData& m) { m.Wtype = 8; })},
        {"Wtype 9 stays", "Wtype: 9\r\n", Record([](TMFDData& m) { m.Wtype = 9; })},
        {"Wtype 3 padded", "Wtype:\t 3 \r\n", Record([](TMFDData& m) { m.Wtype = 8; })},
        {"key in upper case", "X: y\r\nTO: a@b\r\n",
         Record([](TMFDData& m) { m.To = "a@b", m.HasTo = true; })},
        {"key at the very start", "to: a@b\r\n",
         Record([](TMFDData& m) { m.To = "a@b", m.HasTo = true; })},
        {"indented key is no header", "X: y\r\n To: a@b\r\n\tCc: c\r\n", TMFDData()},
        {"empty To", "To:\r\nCc: \r\n", TMFDData()},
        {"bcc is not cc", "Bcc: x@y\r\n",
         Record([](TMFDData& m) { m.Bcc = "x@y", m.HasBcc = true; })},
        {"first Subject wins", "Subject: one\r\nSubject: two\r\n",
         Record([](TMFDData& m) { m.Subject = "one", m.HasSubject = true; })},
        {"LF-only lines: no body, no values", "To: a\nSubject: b\n\nbody\n", TMFDData()},
        {"LF-ended line runs to the next CR", "Subject: a \nTo: b\r\nCc: c\r\n",
         Record([](TMFDData& m) {
             m.Subject = "a \nTo: b", m.HasSubject = true;
             m.To = "b", m.HasTo = true; // the LF still starts a line for the To key
             m.Cc = "c", m.HasCc = true;
         })},
        {"last line without CR is not read", "To: a\r\nCc: b",
         Record([](TMFDData& m) { m.To = "a", m.HasTo = true; })},
        {"last line with CR alone is read", "To: a\r\nCc: b\r", Record([](TMFDData& m) {
             m.To = "a", m.HasTo = true;
             m.Cc = "b", m.HasCc = true;
         })},
        {"value stops at an inner CR", "Subject: a\rb\r\n",
         Record([](TMFDData& m) { m.Subject = "a", m.HasSubject = true; })},
        {"outer blanks and controls trimmed", "Title: \x01\t x y \x1f\r\n",
         Record([](TMFDData& m) { m.Title = "x y"; })},
        {"integers",
         "MFD-Protocol-Version: -3\r\nWrap-Column: $4C\r\nCommand: +7\r\nLacking: -2147483648\r\n",
         Record([](TMFDData& m) {
             m.ProtocolVersion = -3, m.WrapColumn = 76, m.Command = 7, m.Lacking = INT32_MIN;
         })},
        {"integers that do not convert",
         "Wrap-Column: seventy\r\nCommand: 2147483648\r\nLacking: 12abc\r\nWtype: -\r\n",
         TMFDData()},
        {"body kept whole", "To: a\r\n\r\nx\r\n\r\ny\r\n\r\n", Record([](TMFDData& m) {
             m.To = "a", m.HasTo = true;
             m.Body = "x\r\n\r\ny\r\n\r\n", m.HasBody = true;
         })},
        {"only a body", "\r\n\r\nTo: not a header\r\n",
         Record([](TMFDData& m) { m.Body = "To: not a header\r\n", m.HasBody = true; })},
        {"separator then nothing", "To: a\r\n\r\n",
         Record([](TMFDData& m) { m.To = "a", m.HasTo = true; })},
        {"keys in the body are not headers", "X: 1\r\n\r\nSubject: s\r\nWtype: 8\r\n",
         Record([](TMFDData& m) { m.Body = "Subject: s\r\nWtype: 8\r\n", m.HasBody = true; })},
        {"NUL bytes", std::string("To: a\0b\r\n\r\n\0body\0", 17), Record([](TMFDData& m) {
             m.To = std::string("a\0b", 3), m.HasTo = true;
             m.Body = std::string("\0body\0", 6), m.HasBody = true;
         })},
        {"NUL before a key hides it", std::string("X\0To: a\r\n", 9), TMFDData()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parsed(c.text), c.expected) << c.name;
}

TEST(MfdParse, EveryKeyInMixedCase) {
    const std::string text = "mfd-PROTOCOL-version: 1\r\nWRAP-column: 2\r\nwTYPE: 1\r\n"
                             "INFORMATION: i\r\ntItLe: t\r\nSHORT: s\r\ntO: to\r\ncC: cc\r\n"
                             "bCC: bcc\r\nSUBJECT: subj\r\naTTACHMENT: att\r\ncommand: 3\r\n"
                             "LACKING: 4\r\nmfd-STATE: st\r\ndefault-MAIL-domain: dom\r\n\r\nB";
    const TMFDData expected = Record([](TMFDData& m) {
        m.ProtocolVersion = 1, m.WrapColumn = 2, m.Wtype = 1, m.Information = "i", m.Title = "t";
        m.Short = "s", m.To = "to", m.HasTo = true, m.Cc = "cc", m.HasCc = true;
        m.Bcc = "bcc", m.HasBcc = true, m.Subject = "subj", m.HasSubject = true;
        m.Attachment = "att", m.HasAttachment = true, m.Command = 3, m.Lacking = 4;
        m.MfdState = "st", m.DefaultMailDomain = "dom", m.Body = "B", m.HasBody = true;
    });
    EXPECT_EQ(Parsed(text), expected);
}

TEST(MfdParse, HugeTexts) {
    std::string body;
    for (int i = 0; body.size() < 10 * 1000 * 1000; ++i)
        body += "line " + std::to_string(i) + " of a long message body\r\n";
    const TMFDData big = Parsed("Wtype: 8\r\nTo: a\r\n\r\n" + body);
    EXPECT_EQ(big.Wtype, 8);
    EXPECT_EQ(big.To, "a");
    EXPECT_TRUE(big.Body == body) << "body of " << body.size() << " bytes changed";

    // LF-only lines: all header, and no value because no CR follows any key.
    std::string lfOnly = "To: a\nSubject: b\n";
    while (lfOnly.size() < 5 * 1000 * 1000)
        lfOnly += "Cc: c\n";
    EXPECT_EQ(Parsed(lfOnly), TMFDData());
}

TEST(MfdHeaderValue, Table) {
    struct Case {
        const char* key;
        std::string header;
        std::string expected;
    } cases[] = {
        {"to:", "\nTo: a \r\n", "a"},
        {"TO:", "\nto:a\r\n", "a"},
        {"to:", "To: a\r\n", ""}, // the caller puts the LF in front
        {"cc:", "\nBcc: x\r\n", ""},
        {"cc:", "\nBcc: x\r\nCC: y\r\n", "y"},
        {"to:", "\nTo: a", ""},
        {"to:", "\nTo: a\nCc: b\r", "a\nCc: b"},
        {"to:", "\nTo: a\r\nTo: b\r\n", "a"},
        {"to:", "", ""},
        {"to:", "\nTo:\r\n", ""},
        {"subject:", std::string("\nSubject: \0x\0\r\n", 15), "x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HeaderValue(c.key, c.header), c.expected) << c.key << " in '" << c.header << "'";
}

TEST(MfdBuild, ClearedRecordWithBodyIsEightLines) {
    TMFDData m;
    m.Subject = "x";
    ClearMfdData(m);
    EXPECT_EQ(m, TMFDData());
    m.Body = "-----BEGIN PGP MESSAGE-----\r\nabc\r\n-----END PGP MESSAGE-----\r\n";
    m.HasBody = true;
    EXPECT_EQ(BuildMfdText(m), "MFD-Protocol-Version: 0\r\n"
                               "Wrap-Column: 0\r\n"
                               "Wtype: 0\r\n"
                               "Information: \r\n"
                               "Command: 0\r\n"
                               "Lacking: 0\r\n"
                               "MFD-State: \r\n"
                               "Default-Mail-Domain: \r\n"
                               "\r\n" +
                                   m.Body);
}

TEST(MfdBuild, FullRecordInOrder) {
    EXPECT_EQ(BuildMfdText(FullRecord()), "MFD-Protocol-Version: 2\r\n"
                                          "Wrap-Column: 72\r\n"
                                          "Wtype: 1\r\n"
                                          "Information: Test driver for Mailer\r\n"
                                          "Title: New Message\r\n"
                                          "Short: Mailer -\r\n"
                                          "To: a@example.com, b@example.com\r\n"
                                          "Cc: c@example.com\r\n"
                                          "Bcc: d@example.com\r\n"
                                          "Subject: Hello: world\r\n"
                                          "Attachment: C:\\file.txt\r\n"
                                          "Command: -1\r\n"
                                          "Lacking: 4\r\n"
                                          "MFD-State: state 1\r\n"
                                          "Default-Mail-Domain: example.com\r\n"
                                          "\r\n"
                                          "line 1\r\n\r\nline 3\r\n");
}

TEST(MfdBuild, FlagsDecideTheOptionalLines) {
    TMFDData m = FullRecord();
    m.HasTo = m.HasCc = m.HasBcc = m.HasSubject = m.HasAttachment = m.HasBody = false;
    m.Title.clear();
    m.Short.clear();
    EXPECT_EQ(BuildMfdText(m), "MFD-Protocol-Version: 2\r\nWrap-Column: 72\r\nWtype: 1\r\n"
                               "Information: Test driver for Mailer\r\nCommand: -1\r\n"
                               "Lacking: 4\r\nMFD-State: state 1\r\n"
                               "Default-Mail-Domain: example.com\r\n");
    TMFDData e;
    e.HasTo = true; // an empty value still has its blank
    e.HasBody = true;
    const std::string text = BuildMfdText(e);
    EXPECT_NE(text.find("\r\nTo: \r\nCommand: 0\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
}

// A line break in a value would forge a header line or end the header early.
TEST(MfdBuild, LineBreaksInValuesBecomeBlanks) {
    TMFDData m;
    m.Information = "a\r\n\r\nb";
    m.Subject = "s\nTo: forged";
    m.HasSubject = true;
    m.HasBody = true;
    m.Body = "body\r\n";
    const std::string text = BuildMfdText(m);
    EXPECT_NE(text.find("\r\nInformation: a    b\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nSubject: s To: forged\r\n"), std::string::npos) << text;
    const TMFDData back = Parsed(text);
    EXPECT_EQ(back.Information, "a    b");
    EXPECT_FALSE(back.HasTo);
    EXPECT_EQ(back.Body, "body\r\n");
}

TEST(MfdRoundTrip, WhatIsLostAndWhatIsNot) {
    const TMFDData full = FullRecord();
    EXPECT_EQ(Parsed(BuildMfdText(full)), full);

    TMFDData m = full;
    m.Wtype = 3;
    m.Subject = "  padded\t";
    m.HasAttachment = false; // Attachment text stays in the record but is not written
    TMFDData expected = full;
    expected.Wtype = 8;
    expected.Subject = "padded";
    expected.Attachment.clear();
    expected.HasAttachment = false;
    EXPECT_EQ(Parsed(BuildMfdText(m)), expected);

    // Unknown lines are not carried over.
    const TMFDData read = Parsed("X-Unknown: 1\r\nTo: a\r\n\r\nb");
    EXPECT_EQ(BuildMfdText(read).find("X-Unknown"), std::string::npos);
}

namespace {
class MfdFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        previous = SetMsgBoxHandler([this](const MsgBoxRequest& r) {
            boxes.push_back(r);
            return mrOk;
        });
    }
    void TearDown() override { SetMsgBoxHandler(previous); }
    TestDir dir;
    std::vector<MsgBoxRequest> boxes;
    MsgBoxHandler previous;
};
} // namespace

TEST_F(MfdFile, WriteThenReadIsByteExactAndKeepsTheFile) {
    const std::string path = dir.file("tmpmfd.tmp");
    const TMFDData full = FullRecord();
    WriteMfdFile(full, path);
    EXPECT_EQ(ReadFileString(path), BuildMfdText(full));
    TMFDData back;
    ReadMfdFile(path, back);
    EXPECT_EQ(back, full);
    EXPECT_TRUE(platform::FileExists(path)) << "reading deleted the exchange file";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MfdFile, MissingOrEmptyFileReadsCleared) {
    TMFDData m = FullRecord();
    ReadMfdFile(dir.file("none.tmp"), m);
    EXPECT_EQ(m, TMFDData());
    EXPECT_FALSE(platform::FileExists(dir.file("none.tmp")));
    platform::WriteWholeFile(dir.file("empty.tmp"), "");
    m = FullRecord();
    ReadMfdFile(dir.file("empty.tmp"), m);
    EXPECT_EQ(m, TMFDData());
}

TEST_F(MfdFile, FailedWriteIsReportedAndReturns) {
    StepCode = 5702;
    const std::string path = dir.file("no-such-folder") + "/tmpmfd.tmp";
    WriteMfdFile(FullRecord(), path);
    ASSERT_EQ(boxes.size(), 1u);
    const std::string prefix = "Error in WriteFileString:" + path + ".5702 with ";
    EXPECT_EQ(boxes[0].text.substr(0, prefix.size()), prefix) << boxes[0].text;
}
