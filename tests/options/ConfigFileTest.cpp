#include "HostFixture.h"
#include "Run.h"

#include "model/Settings.h"
#include "options/Options.h"

using namespace quorvin::builder;

namespace qgbtest {
namespace {

// A layout saved in a directory of its own, so "dlb.cfg" lies beside it.
class ConfigFileTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        directory_ = OutputDir(std::string("options-") +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        host().setLayoutFileName((directory_ / "design.lay").string());
    }
    fs::path ConfigPath() const { return directory_ / "dlb.cfg"; }
    // Reads the text as "dlb.cfg", starting from settings no file sets by
    // default, so any change shows.
    void Read(const std::string &text, int32_t language, bool limit) {
        BuilderSettings.Language = language;
        BuilderSettings.LimitIdentLength = limit;
        WriteFile(ConfigPath(), text);
        ReadConfigFile();
    }
    fs::path directory_;
};

// The header accepts a version up to 2022: the number after its last blank.
TEST_F(ConfigFileTest, HeaderRule) {
    // clang-format off
    const struct { const char *header; bool accepted; } cases[] = {
        {"#!DLB 2022", true}, {"#!DLB 7", true}, {"  #!DLB 2022  ", true}, {"#!DLB version 1 2000", true},
        {"#!DLB -5", true}, {"#!DLB +7", true}, {"#!DLBX 7", true},
        {"#!DLB -99999999999999999999", true}, // past long, still below 2022
        {"#!DLB 2023", false}, {"#!DLB 2022a", false}, {"#!DLB7", false}, {"#!DLB", false},
        {"#!DLB 2000 x", false}, {"#!DLB -", false}, {"#!DLB 99999999999999999999999", false},
        {"#!dlb 7", false}, {"", false}, {"Language=FORTRAN", false}};
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.header);
        Read(std::string(c.header) + "\nLanguage=FORTRAN\nLimitIdentLength=FALSE\n", LanguageCPP,
             true);
        EXPECT_EQ(BuilderSettings.Language, c.accepted ? LanguageFORTRAN : LanguageCPP);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, !c.accepted);
    }
}

TEST_F(ConfigFileTest, Entries) {
    // Start values that no line sets, so that "unchanged" shows.
    constexpr int32_t kKept = 7;
    // clang-format off
    struct Case { const char *lines; int32_t language; bool startLimit, limit; } cases[] = {
        {"   language = fortran # the compiler we use\n", LanguageFORTRAN, true, true},
        {"Language=C # one # two\n", kKept, true, true}, // cut at the last "#" only
        {"Language=c\n", LanguageC, true, true}, {"Language=F\n", LanguageFORTRAN, true, true},
        {"Language=cp\n", LanguageCPP, true, true}, {"Language=CPP\n", LanguageCPP, true, true},
        {"Language=CPPX\n", kKept, true, true},
        {"Language=C\nLanguage=FORTRAN\n", LanguageFORTRAN, true, true}, // the second wins
        {"Language=FORTRAN\nLanguage=C\n", LanguageC, true, true},
        {"Language=\n", kKept, true, true}, {"Language=C++\n", kKept, true, true},
        {"Language=QT\n", LanguageQt, true, true}, {"Language=q\n", LanguageQt, true, true},
        {"Language=qt\n", LanguageQt, true, true}, {"Languages=C\n", kKept, true, true},
        {"LANGUAGE=fortran\n", LanguageFORTRAN, true, true},
        {"LimitIdentLength=\n", kKept, true, false}, {"LimitIdentLength=yes\n", kKept, true, false},
        {"LimitIdentLength=FALSE\n", kKept, true, false}, {"LimitIdentLength=t\n", kKept, false, true},
        {"limitidentlength = Tr\n", kKept, false, true}, {"LimitIdentLength=TRUEST\n", kKept, true, false},
        {"MaxFortranLineLen=99\n", kKept, true, true},
        {"Language FORTRAN\n", kKept, true, true}, // no "=": skipped
        {"\n\n# Language=C\nOther=1\nLanguage=F=1\n", kKept, true, true},
        {"Language=FORTRAN#Language=C\n", LanguageFORTRAN, true, true},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lines);
        BuilderSettings.MaxFortranLineLen = 70;
        Read(std::string("#!DLB 2022\n") + c.lines, kKept, c.startLimit);
        EXPECT_EQ(BuilderSettings.Language, c.language);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, c.limit);
        EXPECT_EQ(BuilderSettings.MaxFortranLineLen, 70);
    }
}

TEST_F(ConfigFileTest, LongLinesAreReadIn511CharacterPieces) {
    // clang-format off
    const struct { std::string text; int32_t language; } cases[] = {
        {"#!DLB 2022\n" + std::string(511, 'x') + "Language=FORTRAN\n", LanguageFORTRAN},
        {"#!DLB 2022\n" + std::string(510, 'x') + "Language=FORTRAN\n", LanguageCPP},
        // The header is a piece too: a long first line is judged by its first 511.
        {"#!DLB 7" + std::string(504, ' ') + "x\nLanguage=C\n", LanguageC},
    };
    // clang-format on
    for (const auto &c : cases) {
        Read(c.text, LanguageCPP, true);
        EXPECT_EQ(BuilderSettings.Language, c.language) << c.text.size();
    }
}

TEST_F(ConfigFileTest, NothingHappensWithoutAFileOrALayoutName) {
    BuilderSettings.Language = LanguageFORTRAN;
    BuilderSettings.LimitIdentLength = false;
    ReadConfigFile(); // no file yet
    Read("", LanguageFORTRAN, false);
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    EXPECT_FALSE(BuilderSettings.LimitIdentLength);

    fs::remove(ConfigPath());
    host().setLayoutFileName("");
    EXPECT_EQ(OpenConfigFile("w"), nullptr);
    WriteConfigFile();
    EXPECT_FALSE(fs::exists(ConfigPath()));
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

TEST_F(ConfigFileTest, WritesFourLinesThatReadBackUnchanged) {
    // clang-format off
    const struct { int32_t language; bool limit; const char *name, *limitText; } cases[] = {
        {LanguageCPP, true, "CPP", "TRUE"}, {LanguageC, false, "C", "FALSE"},
        {LanguageFORTRAN, true, "FORTRAN", "TRUE"}, {LanguageQt, true, "QT", "TRUE"}};
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        BuilderSettings.Language = c.language;
        BuilderSettings.LimitIdentLength = c.limit;
        WriteConfigFile();
        const std::string text = ReadFile(ConfigPath());
        EXPECT_EQ(text, std::string("#!DLB 2022\nLanguage=") + c.name +
                            "\nLimitIdentLength=" + c.limitText + "\nMaxFortranLineLen=70\n");
        Read(text, c.language == LanguageC ? LanguageCPP : LanguageC, !c.limit);
        EXPECT_EQ(BuilderSettings.Language, c.language);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, c.limit);
    }
}

TEST(TrimSpace, RemovesWhiteSpaceAtBothEnds) {
    // clang-format off
    struct Case { const char *in, *out; } cases[] = {
        {"  a b  ", "a b"}, {"\t\r\nkey\r\n", "key"}, {"", ""}, {"   ", ""}, {"x", "x"}, {"\v x \f", "x"}};
    // clang-format on
    for (const Case &c : cases) {
        std::string text = c.in;
        TrimSpace(&text[0]);
        EXPECT_STREQ(text.c_str(), c.out) << '"' << c.in << '"';
    }
    TrimSpace(nullptr);
}

TEST(PrefixMatchNoCase, ComparesTheFirstCharacters) {
    // clang-format off
    const struct { const char *a, *b; int count; bool match; } cases[] = {
        {"abc", "ABD", 2, true}, {"abc", "ABD", 3, false}, {"x", "y", 0, true}, {"x", "y", -3, true},
        {"cp", "CPP", 2, true}, {"cpp", "C", 3, false}, {"C", "c", 5, true}};
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(PrefixMatchNoCase(c.a, c.b, c.count), c.match)
            << c.a << " " << c.b << " " << c.count;
}

} // namespace
} // namespace qgbtest
