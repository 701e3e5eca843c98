#include "app/global.h"
#include "drivers/MFDDirectory.h"
#include "drivers/MFDDirectory_win.h"
#include "drivers/mailerlist.h"
#include "drivers/mailerlist_win.h"
#include "support/deblog.h"
#include "common/handles_win.h"
#include "wintest.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {
const std::string kGap(200, ' ');

// Puts WIN.INI's [Mail Form Drivers] back as it was found.
class WinIniGuard {
  public:
    WinIniGuard() {
        char section[4096];
        hadSection_ = GetProfileSectionA(kMfdSection, section, sizeof section) > 0;
        char value[4096];
        GetProfileStringA(kMfdSection, kMfdKey, "\x01", value, sizeof value);
        hadKey_ = std::string(value) != "\x01";
        old_ = value;
    }
    ~WinIniGuard() {
        if (hadKey_)
            WriteProfileStringA(kMfdSection, kMfdKey, old_.c_str());
        else if (hadSection_)
            WriteProfileStringA(kMfdSection, kMfdKey, nullptr);
        else
            WriteProfileStringA(kMfdSection, nullptr, nullptr);
    }

  private:
    bool hadSection_, hadKey_;
    std::string old_;
};

// A real sorted list box, filled the way the properties window fills its lists.
class SortedBox {
  public:
    SortedBox()
        : box_(CreateWindowExA(0, "LISTBOX", "", WS_OVERLAPPEDWINDOW | LBS_SORT | LBS_HASSTRINGS, 0,
                               0, 200, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {
    }
    int Add(const std::string& s) {
        return static_cast<int>(SendMessageA(box_.get(), LB_ADDSTRING, 0, Param(s)));
    }
    void Replace(int i, const std::string& s) {
        SendMessageA(box_.get(), LB_DELETESTRING, i, 0);
        SendMessageA(box_.get(), LB_INSERTSTRING, i, Param(s));
    }
    void Delete(int i) { SendMessageA(box_.get(), LB_DELETESTRING, i, 0); }
    void Select(int i) { SendMessageA(box_.get(), LB_SETCURSEL, i, 0); }
    int Selected() const { return static_cast<int>(SendMessageA(box_.get(), LB_GETCURSEL, 0, 0)); }
    void Clear() { SendMessageA(box_.get(), LB_RESETCONTENT, 0, 0); }
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        const int n = static_cast<int>(SendMessageA(box_.get(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            std::string text(SendMessageA(box_.get(), LB_GETTEXTLEN, i, 0) + 1, '\0');
            text.resize(
                SendMessageA(box_.get(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0])));
            items.push_back(text);
        }
        return items;
    }

  private:
    static LPARAM Param(const std::string& s) { return reinterpret_cast<LPARAM>(s.c_str()); }
    UniqueWindow box_;
};

unsigned seed = 20261208;
unsigned Random(unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
}
std::string RandomText(std::size_t maxLength) {
    std::string s;
    const std::size_t n = 1 + Random(static_cast<unsigned>(maxLength));
    for (std::size_t i = 0; i < n; ++i)
        s += static_cast<char>(1 + Random(255));
    return s;
}

class Catalogue : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        MfdDirectory = dir.file("MFD");
        ASSERT_TRUE(CreateDirectoryA(MfdDirectory.c_str(), nullptr));
        ActiveDriverFiles = {"stale.exe"};
    }
    std::string Driver(const std::string& name) const { return MfdDirectory + "\\" + name; }
    TempDir dir;
    MailerList active, library;
};
} // namespace

TEST(MfdDirectory, ReadFromWinIni) {
    WinIniGuard guard;
    const std::string longPath = "C:\\" + std::string(1500, 'd'); // more than a first buffer
    for (const std::string& value :
         {std::string("C:\\MFD"), std::string("C:\\Program Files\\Mail Form Drivers"),
          std::string("D:\\mfd\\"), longPath}) {
        ASSERT_TRUE(WriteProfileStringA("Mail Form Drivers", "Path", value.c_str()));
        EXPECT_EQ(ReadMfdDirectory(), value);
    }
    ASSERT_TRUE(WritePrivateProfileStringA("Mail Form Drivers", "Path", "E:\\Drivers", "win.ini"));
    EXPECT_EQ(ReadMfdDirectory(), "E:\\Drivers");
    WriteProfileStringA("Mail Form Drivers", "Path", nullptr);
    EXPECT_EQ(ReadMfdDirectory(), "");
    WriteProfileStringA("Mail Form Drivers", nullptr, nullptr);
    EXPECT_EQ(ReadMfdDirectory(), "");
}

TEST_F(Catalogue, RealFilesAndAFolderNamedLikeADriver) {
    WriteFile(Driver("EXAMPLE.EXE"), "MZ");
    WriteFile(Driver("eud.exe"), "MZ");
    ASSERT_TRUE(CreateDirectoryA(Driver("FOLDER.EXE").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(Driver("Scripts").c_str(), nullptr));
    WriteFile(Driver("Scripts\\Pine.mfs"), "[Information]");
    WriteFile(Driver("SELECTG.DAT"), "Example Mail!!EXAMPLE.EXE\r\n"
                                     "Folder Mail!!FOLDER.EXE\r\n" // a folder is no driver
                                     "Script Folder!!Scripts\r\n"
                                     "Pine!4!Scripts\\Pine.mfs\r\n"
                                     "Eudora!!eud.exe\r\n"
                                     "Eudora Old!4-!eud.exe\r\n"
                                     "Eudora Older!45!eud.exe\r\n"
                                     "\r\n"
                                     "Missing!!missing.exe\r\n"
                                     "Eudora Light!!EUD.EXE\r\n");
    BoxAnswerer boxes;
    LoadCatalogue({"EXAMPLE MAIL" + kGap + "example.exe", "Eudora" + kGap + "eud.exe",
                   "Eudora Light" + kGap + "EUD.EXE"},
                  active, library);

    EXPECT_TRUE(boxes.asked().empty());
    EXPECT_EQ(active.Items(),
              (std::vector<std::string>{MailerEntry("Eudora", "eud.exe"),
                                        MailerEntry("Eudora Light", "EUD.EXE"),
                                        MailerEntry("Example Mail", "EXAMPLE.EXE")}));
    EXPECT_EQ(library.Items(),
              (std::vector<std::string>{MailerEntry("Pine", "Scripts\\Pine.mfs")}));
    // eud.exe and EUD.EXE are one file to run.
    EXPECT_EQ(ActiveDriverFiles, (std::vector<std::string>{"eud.exe", "EXAMPLE.EXE"}));
}

TEST_F(Catalogue, UnreadableCatalogueWarnsOnceAndStartUpGoesOn) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
    } cases[] = {
        {"no SELECTG.DAT", [] {}},
        {"no driver folder", [this] { MfdDirectory = dir.file("nowhere"); }},
        {"SELECTG.DAT is a folder",
         [this] { CreateDirectoryA(Driver("SELECTG.DAT").c_str(), nullptr); }},
        {"no Path in WIN.INI", [] { MfdDirectory.clear(); }}, // the drive's root
    };
    for (const Case& c : cases) {
        MfdDirectory = dir.file("MFD");
        ActiveDriverFiles = {"stale.exe"};
        c.prepare();
        const std::string path = MfdDirectory + "\\SELECTG.DAT";
        if (MfdDirectory.empty() && FileExists(path))
            continue; // someone keeps a catalogue in the root
        StepCode = 4407;
        active.Clear();
        library.Clear();
        BoxAnswerer boxes;
        EXPECT_NO_THROW(LoadCatalogue({"x" + kGap + "y.exe"}, active, library)) << c.what;
        EXPECT_TRUE(active.Empty() && library.Empty()) << c.what;
        EXPECT_TRUE(ActiveDriverFiles.empty()) << c.what;
        ASSERT_EQ(boxes.asked().size(), 1u) << c.what;
        const MsgBoxRequest& box = boxes.asked()[0];
        EXPECT_EQ(box.caption, "Warning");
        EXPECT_EQ(box.icon, MsgIcon::Warning);
        EXPECT_EQ(box.text.rfind("Error in LoadCatalogue.4407 with ", 0), 0u) << box.text;
        EXPECT_NE(box.text.find(path), std::string::npos) << box.text;
        EXPECT_NE(ReadFile(DebugLogPath()).find(box.text), std::string::npos) << c.what;
        RemoveDirectoryA(Driver("SELECTG.DAT").c_str());
    }
}

TEST_F(Catalogue, LockedCatalogueWarnsToo) {
    WriteFile(Driver("SELECTG.DAT"), "Example Mail!!EXAMPLE.EXE\r\n");
    WriteFile(Driver("EXAMPLE.EXE"), "MZ");
    UniqueFile lock(CreateFileA(Driver("SELECTG.DAT").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    BoxAnswerer boxes;
    LoadCatalogue({}, active, library);
    EXPECT_EQ(boxes.asked().size(), 1u);
    EXPECT_TRUE(library.Empty());
    lock.reset();
    LoadCatalogue({}, active, library);
    EXPECT_EQ(library.Count(), 1);
}

TEST(ListSort, ModelKeepsTheOrderOfARealSortedListBox) {
    const char* names[] = {
        "Eudora",
        "eudora lite",
        "Eudora-Pro",
        "Eudora Pro",
        "EudoraPro",
        "Pegasus Mail",
        "pegasus mail",
        "The Bat!",
        "Fort\xE9 Agent",
        "Forte Agent",
        "FORT\xC9 AGENT",
        "Outlook Express 5",
        "Outlook Express 10",
        "Outlook_2000",
        "1st Mail",
        "@Mail",
        "\x8Cuvre Mail",
        "\xC6r\xF8 Mail",
        "Stra\xDF"
        "e Mail",
        "Strasse Mail",
        "Pine (mfs)",
        "Pine's",
        "Pine",
        "Calypso",
        "=Calypso",
        "  Blank",
        "Net-scape",
        "Netscape",
        "Netscape Messenger",
        "\xBD Mail",
        "Z\xFC"
        "rich Mail",
        "Zurich Mail",
        "Mail\x96"
        "Dash",
        "Mail-Dash",
        "Mail Dash",
    };
    SortedBox box;
    MailerList model;
    for (const char* name : names) {
        const std::string entry = MailerEntry(name, std::string(name).substr(0, 3) + ".EXE");
        EXPECT_EQ(model.Add(entry), box.Add(entry)) << name;
    }
    EXPECT_EQ(model.Items(), box.Items());

    // Same-driver marks replace entries in place; later entries still land where the box puts
    // them, and the selection moves alike.
    for (int i : {3, 10, 20}) {
        box.Replace(i, "=" + box.Items()[static_cast<size_t>(i)]);
        model.Replace(i, "=" + model[i]);
    }
    box.Select(12);
    model.Select(12);
    for (const char* name : {"Agent", "Mulberry", "Zmail", "=Pine", "Pine Again", "eudora"}) {
        EXPECT_EQ(model.Add(MailerEntry(name, "X.EXE")), box.Add(MailerEntry(name, "X.EXE")));
        EXPECT_EQ(model.Selected(), box.Selected()) << name;
    }
    box.Delete(12);
    model.Delete(12);
    EXPECT_EQ(model.Selected(), box.Selected());
    box.Delete(0);
    model.Delete(0);
    EXPECT_EQ(model.Items(), box.Items());
}

TEST(ListSort, RandomTextsSortAsInTheBox) {
    SortedBox box;
    for (int round = 0; round < 200; ++round) {
        box.Clear();
        MailerList model, system(CompareListTextSystem);
        const unsigned n = 1 + Random(15);
        for (unsigned i = 0; i < n; ++i) {
            const std::string text = RandomText(6);
            if (Random(5) == 0 && model.Count() > 0) {
                const int at = static_cast<int>(Random(static_cast<unsigned>(model.Count())));
                box.Replace(at, text);
                model.Replace(at, text);
                system.Replace(at, text);
                continue;
            }
            const int index = box.Add(text);
            ASSERT_EQ(model.Add(text), index) << "round " << round;
            ASSERT_EQ(system.Add(text), index) << "round " << round;
        }
        ASSERT_EQ(model.Items(), box.Items()) << "round " << round;
    }
}

TEST(ListSort, CompareMatchesTheSystemCompare) {
    int mismatches = 0;
    for (int i = 0; i < 100000 && mismatches < 10; ++i) {
        std::string a = RandomText(8), b = RandomText(8);
        if (Random(2)) // a common start makes the later levels decide
            b = a.substr(0, Random(static_cast<unsigned>(a.size()) + 1)) + b;
        if (Random(8) == 0) {
            a += kGap + "A.EXE";
            b += kGap + "B.EXE";
        }
        const int want =
            CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) - 2;
        if (CompareListText(a, b) != want) {
            ++mismatches;
            ADD_FAILURE() << "'" << a << "' vs '" << b << "': " << CompareListText(a, b)
                          << ", system " << want;
        }
        EXPECT_EQ(CompareListTextSystem(a, b), want);
    }
}
