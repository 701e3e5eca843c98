#include "exchange.h"
#include "request.h"

#include "processing/mfdfile.h"

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
