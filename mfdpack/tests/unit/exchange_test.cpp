#include "exchange.h"
#include "request.h"

#include "common/mfdexchange.h"

#include <gtest/gtest.h>

using mfdpack::RequestKind;

TEST(DriverRequest, FindsTheRequestAndItsPath) {
    const struct {
        const char* line;
        RequestKind kind;
        const char* path;
    } cases[] = {
        {"C:\\MFD\\FRONTMFD.EXE Data File=C:\\W5\\tmpmfd.tmp", RequestKind::Data,
         "C:\\W5\\tmpmfd.tmp"},
        {"C:\\MFD\\FRONTMFD.EXE read File=C:\\W5\\tmpmfd.tmp", RequestKind::Read,
         "C:\\W5\\tmpmfd.tmp"},
        {"C:\\MFD\\FRONTMFD.EXE Write File=C:\\W5\\tmpmfd.tmp", RequestKind::Write,
         "C:\\W5\\tmpmfd.tmp"},
        // Folders with blanks, unquoted, as Wextor joins them.
        {"C:\\Program Files\\Wextor 5\\MFD\\NPADMFD.EXE read File=C:\\Users\\A B\\tmpmfd.tmp",
         RequestKind::Read, "C:\\Users\\A B\\tmpmfd.tmp"},
        {"\"C:\\x y\\FRONTMFD.EXE\" \"Write File=C:\\t.tmp\"  ", RequestKind::Write, "C:\\t.tmp"},
        {"FRONTMFD.EXE WRITE FILE=c:\\t.tmp", RequestKind::Write, "c:\\t.tmp"},
        // Empty request: Details.
        {"C:\\MFD\\FRONTMFD.EXE ", RequestKind::Details, ""},
        {"", RequestKind::Details, ""},
        // A keyword inside a folder name is not a request.
        {"C:\\Xread File=\\FRONTMFD.EXE", RequestKind::Details, ""},
    };
    for (const auto& c : cases) {
        const mfdpack::DriverRequest r = mfdpack::ParseDriverRequest(c.line);
        EXPECT_EQ(r.kind, c.kind) << c.line;
        EXPECT_EQ(r.path, c.path) << c.line;
    }
}

TEST(Exchange, WtypeFollowsAPgpBlock) {
    const struct {
        const char* text;
        int wtype;
    } cases[] = {
        {"Hello", mfdpack::WtypeMail},
        {"", mfdpack::WtypeMail},
        {"> -----BEGIN PGP MESSAGE-----\r\n", mfdpack::WtypeRead},
        {"-----BEGIN PGP SIGNED MESSAGE-----", mfdpack::WtypeRead},
        {"-----begin pgp message-----", mfdpack::WtypeMail},
        {"-----BEGIN PG", mfdpack::WtypeMail},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mfdpack::ChooseWtype(c.text), c.wtype) << c.text;
}

// What the drivers write is what Wextor 5 reads.
TEST(Exchange, WextorReadsWhatTheDriverWrites) {
    mfdpack::ExchangeOut m;
    m.wtype = mfdpack::WtypeRead;
    m.information = "Any program (the window in front)";
    m.title = "Mail\r\nwith a break";
    m.shortText = "Untitled - Notepad";
    m.body = "line 1\r\n\r\nline 3 without end";
    m.hasBody = true;
    TMFDData read;
    ParseMfdText(mfdpack::BuildExchangeText(m), read);
    EXPECT_EQ(read.Wtype, 8);
    EXPECT_EQ(read.Information, m.information);
    EXPECT_EQ(read.Title, "Mail  with a break");
    EXPECT_EQ(read.Short, m.shortText);
    EXPECT_EQ(read.Body, m.body);
    EXPECT_TRUE(read.HasBody);
    EXPECT_FALSE(read.HasTo || read.HasSubject);
}

TEST(Exchange, ProbeHoldsShortAndInformationOnly) {
    const std::string text = mfdpack::ProbeText("Notepad driver", "Notepad");
    TMFDData read;
    ParseMfdText(text, read);
    EXPECT_EQ(read.Short, "Notepad");
    EXPECT_EQ(read.Information, "Notepad driver");
    EXPECT_FALSE(read.HasBody);
    EXPECT_EQ(text.find("\r\n\r\n"), std::string::npos);
}

TEST(Exchange, BodyOfWhatWextorWrites) {
    TMFDData m;
    m.Body = "-----BEGIN PGP MESSAGE-----\r\n\r\nabc\r\n";
    m.HasBody = true;
    std::string body;
    ASSERT_TRUE(mfdpack::ExchangeBody(BuildMfdText(m), body));
    EXPECT_EQ(body, m.Body);
    // Nothing to put back: the user's text must stay as it is.
    EXPECT_FALSE(mfdpack::ExchangeBody("", body));
    m.HasBody = false;
    EXPECT_FALSE(mfdpack::ExchangeBody(BuildMfdText(m), body));
    EXPECT_FALSE(mfdpack::ExchangeBody("Wtype: 1\r\n\r\n", body));
}

TEST(Exchange, TextComparedButLineEnds) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"a\r\nb\r\n", "a\rb", true},
        {"a\nb", "a\r\nb\r\n\r\n", true},
        {"a\r\n\r\nb", "a\rb", false},
        {"a b", "a\r\nb", false},
        {"", "\r\n", true},
        {"abc", "abd", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mfdpack::SameTextButLineEnds(c.a, c.b), c.same) << c.a << "|" << c.b;
}

// Every file a driver writes declares UTF-8, as the last header line, before the empty line.
TEST(Exchange, DeclaresUtf8AfterTheLastHeaderLine) {
    mfdpack::ExchangeOut withBody;
    withBody.wtype = mfdpack::WtypeMail;
    withBody.information = "Any program";
    withBody.title = "Brief — Grüße";
    withBody.shortText = "Brief — Grüße";
    withBody.body = "Grüße — 5 €\r\nПривет, Боб! 你好 😀";
    withBody.hasBody = true;
    mfdpack::ExchangeOut emptyField = withBody;
    emptyField.body.clear();
    emptyField.hasBody = false;
    const struct {
        const char* what;
        std::string text;
        std::string body; // what follows the declaration's line
    } cases[] = {
        {"probe", mfdpack::ProbeText("Notepad, NPADMFD.EXE 1.0", "Notepad"), ""},
        {"read with a body", mfdpack::BuildExchangeText(withBody), "\r\n" + withBody.body},
        {"read of an empty field", mfdpack::BuildExchangeText(emptyField), ""},
    };
    const std::string line = "\r\nDefault-Mail-Domain: \r\nMFD-Charset: UTF-8\r\n";
    for (const auto& c : cases) {
        const std::size_t at = c.text.find(line);
        ASSERT_NE(at, std::string::npos) << c.what << ": " << c.text;
        EXPECT_EQ(c.text.substr(at + line.size()), c.body) << c.what;
        EXPECT_EQ(c.text.find("MFD-Charset"), c.text.rfind("MFD-Charset")) << c.what;
        EXPECT_TRUE(mfdpack::DeclaresUtf8(c.text)) << c.what;
        // Wextor's own reader sees the line and everything else as before.
        TMFDData read;
        ParseMfdText(c.text, read);
        EXPECT_EQ(HeaderValue("MFD-Charset:", c.text), "UTF-8") << c.what;
        EXPECT_EQ(read.HasBody, !c.body.empty()) << c.what;
    }
    TMFDData read;
    ParseMfdText(mfdpack::BuildExchangeText(withBody), read);
    EXPECT_EQ(read.Body, withBody.body); // byte for byte
    EXPECT_EQ(read.Title, withBody.title);
    EXPECT_EQ(read.Short, withBody.shortText);
}

TEST(Exchange, TheDeclaredCharsetOfAWriteFile) {
    const struct {
        const char* what;
        std::string file;
        std::string value;
        bool utf8;
    } cases[] = {
        {"none",
         "Wtype: 1\r\nDefault-Mail-Domain: \r\n\r\nGr\xFC\xDF"
         "e",
         "", false},
        {"as Wextor writes it", "Wtype: 1\r\nDefault-Mail-Domain: \r\nMFD-Charset: UTF-8\r\n\r\nx",
         "UTF-8", true},
        {"lower-case key", "Wtype: 1\r\nmfd-charset: UTF-8\r\n\r\nx", "UTF-8", true},
        {"blanks around the value", "Wtype: 1\r\nMFD-Charset: \t UTF-8  \t\r\n\r\nx", "UTF-8",
         true},
        {"lower-case value", "Wtype: 1\r\nMFD-Charset: utf-8\r\n\r\nx", "utf-8", true},
        {"no blank after the colon", "Wtype: 1\r\nMFD-CHARSET:Utf-8\r\n\r\nx", "Utf-8", true},
        {"the first line", "MFD-Charset: UTF-8\r\nWtype: 1\r\n\r\nx", "UTF-8", true},
        {"no body", "Wtype: 1\r\nMFD-Charset: UTF-8\r\n", "UTF-8", true},
        {"another value", "Wtype: 1\r\nMFD-Charset: windows-1252\r\n\r\nx", "windows-1252", false},
        {"UTF-8 and more", "Wtype: 1\r\nMFD-Charset: UTF-8x\r\n\r\nx", "UTF-8x", false},
        {"UTF8 without the hyphen", "Wtype: 1\r\nMFD-Charset: UTF8\r\n\r\nx", "UTF8", false},
        {"empty value", "Wtype: 1\r\nMFD-Charset: \r\n\r\nx", "", false},
        {"in the body", "Wtype: 1\r\n\r\nMFD-Charset: UTF-8\r\n", "", false},
        {"in the body, after an empty line", "Wtype: 1\r\n\r\nx\r\n\r\nMFD-Charset: UTF-8\r\n", "",
         false},
        {"not at a line start", "Wtype: 1\r\nX-MFD-Charset: UTF-8\r\n\r\nx", "", false},
        {"inside another value", "Title: MFD-Charset: UTF-8\r\n\r\nx", "", false},
        {"after a blank", "Wtype: 1\r\n MFD-Charset: UTF-8\r\n\r\nx", "", false},
        {"a longer key", "Wtype: 1\r\nMFD-Charsets: UTF-8\r\n\r\nx", "", false},
        {"the first declaration counts", "MFD-Charset: windows-1252\r\nMFD-Charset: UTF-8\r\n\r\nx",
         "windows-1252", false},
        {"empty file", "", "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mfdpack::DeclaredCharset(c.file), c.value) << c.what;
        EXPECT_EQ(mfdpack::DeclaresUtf8(c.file), c.utf8) << c.what;
    }
}
