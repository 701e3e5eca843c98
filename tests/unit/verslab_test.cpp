#include "support/platform.h"
#include "support/verslab.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {
// A version tree node as resource compilers write it: lengths, type, UTF-16 key, value,
// children, each part on a 4-byte boundary.
struct VNode {
    std::string key;
    std::string text; // text value (type 1); NUL added
    bool hasText = false;
    std::vector<VNode> children;
};

void Put16(std::string& out, std::size_t at, unsigned v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}
void Pad(std::string& out) {
    while (out.size() % 4)
        out += '\0';
}
void AppendUtf16(std::string& out, const std::string& text) {
    for (const char c : text + '\0') {
        out += c;
        out += '\0';
    }
}

std::string Build(const VNode& node) {
    std::string out(6, '\0');
    AppendUtf16(out, node.key);
    Pad(out);
    if (node.hasText)
        AppendUtf16(out, node.text);
    Put16(out, 2, node.hasText ? static_cast<unsigned>(node.text.size() + 1) : 0);
    Put16(out, 4, 1);
    for (const VNode& child : node.children) {
        Pad(out);
        out += Build(child);
    }
    Put16(out, 0, static_cast<unsigned>(out.size()));
    return out;
}

VNode Value(const std::string& key, const std::string& text) {
    return VNode{key, text, true, {}};
}

std::string SampleBlock() {
    return Build(VNode{"VS_VERSION_INFO",
                       "",
                       false,
                       {VNode{"StringFileInfo",
                              "",
                              false,
                              {VNode{"080904E4",
                                     "",
                                     false,
                                     {Value("FileVersion", "5.0.0.12"), Value("Comments", ""),
                                      Value("InternalName", "X")}}}}}});
}

std::string ReadPe(const char* name) {
#ifdef WEXTOR_TEST_PE_DIR
    return platform::ReadWholeFile(std::string(WEXTOR_TEST_PE_DIR) + "/" + name);
#else
    (void)name;
    return std::string();
#endif
}

#ifdef WEXTOR_TEST_PE_DIR
#define REQUIRE_TEST_PE()
#else
#define REQUIRE_TEST_PE() GTEST_SKIP() << "no i686-w64-mingw32 tools: test PE files not built"
#endif
} // namespace

TEST(VersionLabel, PropertyRules) {
    VersionLabelProps props;
    EXPECT_EQ(props.VersionResource(), vrFileVersion);
    EXPECT_EQ(props.VersionResourceKey(), "FileVersion");
    EXPECT_EQ(props.InfoPrefix(), "File Version:");
    EXPECT_TRUE(props.ShowInfoPrefix());
    EXPECT_EQ(props.LangCharset(), "080904E4");
    EXPECT_EQ(props.Decorate("5.0.0.12"), "File Version: 5.0.0.12");
    EXPECT_EQ(VersionQueryPath(props.LangCharset(), props.VersionResourceKey()),
              "\\\\StringFileInfo\\\\080904E4\\\\FileVersion");

    int refreshes = 0;
    props.onRefresh = [&] { ++refreshes; };
    props.SetVersionResourceKey("ProductName"); // the key becomes the prefix too
    EXPECT_EQ(props.InfoPrefix(), "ProductName");
    EXPECT_EQ(refreshes, 1);
    props.SetInfoPrefix("Name:"); // set afterwards, it wins
    EXPECT_EQ(props.InfoPrefix(), "Name:");
    EXPECT_EQ(refreshes, 2);
    props.SetVersionResourceKey("ProductName"); // unchanged: nothing happens
    props.SetInfoPrefix("Name:");
    props.SetLangCharset("040904b0"); // never refreshes
    props.SetShowInfoPrefix(true);
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(props.InfoPrefix(), "Name:");

    props.SetInfoPrefix("");
    EXPECT_EQ(props.Decorate("5.0.0.12"), " 5.0.0.12"); // one leading blank
    props.SetShowInfoPrefix(false);
    EXPECT_EQ(props.Decorate("5.0.0.12"), "5.0.0.12");
    EXPECT_EQ(refreshes, 4);
    props.SetVersionResource(vrComments);
    EXPECT_EQ(props.VersionResourceKey(), "Comments");
    EXPECT_EQ(props.InfoPrefix(), "Comments:");
    props.SetShowInfoPrefix(true);
    EXPECT_EQ(props.Decorate(kNoVersionData), "Comments: < No Data Available >");
}

TEST(VersionInfo, QueriesABlockAsTheSystemDoes) {
    const std::string block = SampleBlock();
    struct Case {
        const char *path, *value;
    } cases[] = {
        {"\\\\StringFileInfo\\\\080904E4\\\\FileVersion", "5.0.0.12"},
        {"\\StringFileInfo\\080904e4\\fileversion", "5.0.0.12"}, // no letter case
        {"StringFileInfo\\080904E4\\FileVersion", "5.0.0.12"},
        {"\\\\StringFileInfo\\\\080904E4\\\\InternalName", "X"}, // 2 characters with the NUL
        {"\\\\StringFileInfo\\\\080904E4\\\\Comments", kNoVersionInfo},
        {"\\\\StringFileInfo\\\\080904E4\\\\", kNoVersionInfo}, // the table itself: no value
        {"\\\\StringFileInfo\\\\040904b0\\\\FileVersion", kVersionQueryFailed},
        {"\\\\StringFileInfo\\\\0809\\\\FileVersion", kVersionQueryFailed},
        {"\\\\StringFileInfo\\\\\\\\FileVersion", kVersionQueryFailed},
        {"\\\\StringFileInfo\\\\080904E4\\\\FileVersionX", kVersionQueryFailed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VersionValueOf(QueryVersionBlock(block, c.path)), c.value) << c.path;
    const VersionQueryResult r =
        QueryVersionBlock(block, VersionQueryPath("080904E4", "FileVersion"));
    EXPECT_EQ(r.length, 9u);
}

TEST(VersionInfo, MalformedBlocksFindNothingAndStayInside) {
    const std::string good = SampleBlock();
    const std::string path = VersionQueryPath("080904E4", "FileVersion");
    // Every cut of the block is shorter than its root says: nothing found, nothing read
    // outside (the sanitizers watch).
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(QueryVersionBlock(good.substr(0, n), path).found) << n;
    struct Patch {
        std::size_t at;
        unsigned value;
        const char* what;
    } patches[] = {
        {0, 0, "root length 0"},
        {0, 0xFFFF, "root longer than the data"},
        {2, 0xFFFF, "root value longer than the root"},
    };
    for (const Patch& p : patches) {
        std::string bad = good;
        Put16(bad, p.at, p.value);
        EXPECT_EQ(VersionValueOf(QueryVersionBlock(bad, path)), kVersionQueryFailed) << p.what;
    }
    // A value that claims more characters than its node holds is cut at the node's end.
    std::string longValue = good;
    const std::size_t at = longValue.find(std::string("5\0.\0", 4));
    ASSERT_NE(at, std::string::npos);
    const std::size_t header = longValue.rfind(std::string("F\0i\0l\0e\0V", 9), at) - 6;
    Put16(longValue, header + 2, 0x7FFF);
    const VersionQueryResult r = QueryVersionBlock(longValue, path);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.text, "5.0.0.12");
    EXPECT_EQ(r.length, 0x7FFFu);
    // A key without its NUL inside the node.
    std::string noNul = Build(VNode{"VS_VERSION_INFO", "", false, {}});
    Put16(noNul, 0, 8);
    EXPECT_FALSE(QueryVersionBlock(noNul, path).found);
    EXPECT_FALSE(QueryVersionBlock("", path).found);
}

TEST(VersionInfo, ReadsThePeFilesOfOurBuild) {
    REQUIRE_TEST_PE();
    const std::string british = ReadPe("british.exe"), american = ReadPe("american.exe"),
                      plain = ReadPe("plain.exe");
    struct Case {
        const std::string* file;
        const char *block, *key, *value;
    } cases[] = {
        {&british, "080904E4", "FileVersion", "5.0.0.12"},
        {&british, "080904e4", "FileVersion", "5.0.0.12"},
        {&british, "080904E4", "CompanyName", "Example & Sons"},
        {&british, "080904E4", "ProductName", "Caf\xE9 Mail"}, // UTF-16 back to code page 1252
        {&british, "080904E4", "InternalName", "X"},
        {&british, "080904E4", "Comments", kNoVersionInfo},
        {&british, "080904E4", "LegalCopyright", kVersionQueryFailed},
        {&british, "040904b0", "FileVersion", kVersionQueryFailed},
        {&british, "", "FileVersion", kVersionQueryFailed},
        {&british, "080904E4", "", kNoVersionInfo},
        {&american, "040904b0", "ProductName", "PGP for Personal Privacy"},
        {&american, "040904B0", "FileVersion", "5.1.0"},
        {&american, "080904E4", "FileVersion", kVersionQueryFailed},
        {&plain, "080904E4", "FileVersion", kNoVersionData},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VersionValueOfPe(*c.file, c.block, c.key), c.value) << c.block << " " << c.key;
    EXPECT_EQ(VersionValueOfPe("", "080904E4", "FileVersion"), kNoVersionData);
    EXPECT_EQ(VersionValueOfPe("MZ", "080904E4", "FileVersion"), kNoVersionData);
    EXPECT_EQ(VersionValueOfPe(std::string(4096, 'M'), "080904E4", "FileVersion"), kNoVersionData);
}

TEST(VersionInfo, CutPeFilesNeverReadOutside) {
    REQUIRE_TEST_PE();
    const std::string british = ReadPe("british.exe");
    const std::string block = VersionResourceOfPe(british);
    ASSERT_FALSE(block.empty());
    for (std::size_t n = 0; n < british.size(); ++n) {
        const std::string value = VersionValueOfPe(british.substr(0, n), "080904E4", "FileVersion");
        EXPECT_TRUE(value == kNoVersionData || value == "5.0.0.12" || value == kVersionQueryFailed)
            << n << ": " << value;
    }
}
