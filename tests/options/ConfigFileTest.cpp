#include "HostFixture.h"

#include "options/Options.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace quorvin::builder;
namespace fs = std::filesystem;

namespace qgbtest {
namespace {

// A layout saved in a directory of its own, so "dlb.cfg" lies beside it.
class ConfigFileTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
        directory_ = fs::temp_directory_path() / (std::string("qgb_options_") + info->name());
        fs::remove_all(directory_);
        fs::create_directories(directory_);
        host().setLayoutFileName((directory_ / "design.lay").string());
    }
    void TearDown() override {
        HostFixture::TearDown();
        fs::remove_all(directory_);
    }

    fs::path ConfigPath() const { return directory_ / "dlb.cfg"; }

    void WriteFile(const std::string &text) {
        std::ofstream out(ConfigPath(), std::ios::binary);
        out << text;
    }

    std::string ReadFile() const {
        std::ifstream in(ConfigPath(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Settings that no file sets by default, so any change shows.
    static void StartFrom(int32_t language, bool limit) {
        BuilderSettings.Language = language;
        BuilderSettings.LimitIdentLength = limit;
    }

    fs::path directory_;
};

TEST_F(ConfigFileTest, HeaderRule) {
    struct Case {
        const char *header;
        bool accepted;
    } cases[] = {
        {"#!DLB 2022", true},
        {"#!DLB 7", true},
        {"  #!DLB 2022  ", true},
        {"#!DLB version 1 2000", true}, // the number after the last blank
        {"#!DLB -5", true},
        {"#!DLB +7", true},
        {"#!DLBX 7", true},
        {"#!DLB 2023", false},
        {"#!DLB 2022a", false},
        {"#!DLB7", false},
        {"#!DLB", false},
        {"#!DLB 2000 x", false},
        {"#!DLB -", false},
        {"#!DLB 99999999999999999999999", false},
        {"#!DLB -99999999999999999999", true}, // past long, still below 2022
        {"#!dlb 7", false},
        {"", false},
        {"Language=FORTRAN", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.header);
        StartFrom(LanguageCPP, true);
        WriteFile(std::string(c.header) + "\nLanguage=FORTRAN\nLimitIdentLength=FALSE\n");
        ReadConfigFile();
        EXPECT_EQ(BuilderSettings.Language, c.accepted ? LanguageFORTRAN : LanguageCPP);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, !c.accepted);
    }
}

TEST_F(ConfigFileTest, Entries) {
    // Start values that no line sets, so that "unchanged" shows.
    constexpr int32_t kKept = 7;
    struct Case {
        const char *lines;
        int32_t language;
        bool startLimit;
        bool limit;
    } cases[] = {
        {"   language = fortran # the compiler we use\n", LanguageFORTRAN, true, true},
        {"Language=C # one # two\n", kKept, true, true}, // cut at the last "#" only
        {"Language=c\n", LanguageC, true, true},
        {"Language=F\n", LanguageFORTRAN, true, true},
        {"Language=cp\n", LanguageCPP, true, true},
        {"Language=CPP\n", LanguageCPP, true, true},
        {"Language=CPPX\n", kKept, true, true},
        {"Language=C\nLanguage=FORTRAN\n", LanguageFORTRAN, true, true}, // the second wins
        {"Language=FORTRAN\nLanguage=C\n", LanguageC, true, true},
        {"Language=\n", kKept, true, true},
        {"Language=C++\n", kKept, true, true},
        {"Language=QT\n", LanguageQt, true, true},
        {"Language=q\n", LanguageQt, true, true},
        {"Language=qt\n", LanguageQt, true, true},
        {"Languages=C\n", kKept, true, true},
        {"LANGUAGE=fortran\n", LanguageFORTRAN, true, true},
        {"LimitIdentLength=\n", kKept, true, false},
        {"LimitIdentLength=yes\n", kKept, true, false},
        {"LimitIdentLength=FALSE\n", kKept, true, false},
        {"LimitIdentLength=t\n", kKept, false, true},
        {"limitidentlength = Tr\n", kKept, false, true},
        {"LimitIdentLength=TRUEST\n", kKept, true, false},
        {"MaxFortranLineLen=99\n", kKept, true, true},
        {"Language FORTRAN\n", kKept, true, true}, // no "=": skipped
        {"\n\n# Language=C\nOther=1\nLanguage=F=1\n", kKept, true, true},
        {"Language=FORTRAN#Language=C\n", LanguageFORTRAN, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lines);
        StartFrom(kKept, c.startLimit);
        BuilderSettings.MaxFortranLineLen = 70;
        WriteFile(std::string("#!DLB 2022\n") + c.lines);
        ReadConfigFile();
        EXPECT_EQ(BuilderSettings.Language, c.language);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, c.limit);
        EXPECT_EQ(BuilderSettings.MaxFortranLineLen, 70);
    }
}

TEST_F(ConfigFileTest, LongLinesAreReadIn511CharacterPieces) {
    StartFrom(LanguageCPP, true);
    WriteFile("#!DLB 2022\n" + std::string(511, 'x') + "Language=FORTRAN\n");
    ReadConfigFile();
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);

    StartFrom(LanguageCPP, true);
    WriteFile("#!DLB 2022\n" + std::string(510, 'x') + "Language=FORTRAN\n");
    ReadConfigFile();
    EXPECT_EQ(BuilderSettings.Language, LanguageCPP);

    // The header is a piece too: a long first line is judged by its first 511.
    StartFrom(LanguageCPP, true);
    WriteFile("#!DLB 7" + std::string(504, ' ') + "x\nLanguage=C\n");
    ReadConfigFile();
    EXPECT_EQ(BuilderSettings.Language, LanguageC);
}

TEST_F(ConfigFileTest, NothingHappensWithoutAFileOrALayoutName) {
    StartFrom(LanguageFORTRAN, false);
    ReadConfigFile(); // no file yet
    WriteFile("");
    ReadConfigFile(); // empty file
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    EXPECT_FALSE(BuilderSettings.LimitIdentLength);

    fs::remove(ConfigPath());
    host().setLayoutFileName("");
    EXPECT_EQ(OpenConfigFile("w"), nullptr);
    WriteConfigFile();
    EXPECT_FALSE(fs::exists(ConfigPath()));
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

TEST_F(ConfigFileTest, WritesFourLines) {
    struct Case {
        int32_t language;
        bool limit;
        const char *text;
    } cases[] = {
        {LanguageCPP, true,
         "#!DLB 2022\nLanguage=CPP\nLimitIdentLength=TRUE\nMaxFortranLineLen=70\n"},
        {LanguageC, false,
         "#!DLB 2022\nLanguage=C\nLimitIdentLength=FALSE\nMaxFortranLineLen=70\n"},
        {LanguageFORTRAN, true,
         "#!DLB 2022\nLanguage=FORTRAN\nLimitIdentLength=TRUE\nMaxFortranLineLen=70\n"},
        {LanguageQt, true,
         "#!DLB 2022\nLanguage=QT\nLimitIdentLength=TRUE\nMaxFortranLineLen=70\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        StartFrom(c.language, c.limit);
        WriteConfigFile();
        EXPECT_EQ(ReadFile(), c.text);
        // What is written reads back unchanged.
        StartFrom(c.language == LanguageC ? LanguageCPP : LanguageC, !c.limit);
        ReadConfigFile();
        EXPECT_EQ(BuilderSettings.Language, c.language);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, c.limit);
    }
}

TEST(TrimSpace, RemovesWhiteSpaceAtBothEnds) {
    struct Case {
        const char *in;
        const char *out;
    } cases[] = {
        {"  a b  ", "a b"}, {"\t\r\nkey\r\n", "key"}, {"", ""}, {"   ", ""},
        {"x", "x"},         {"\v x \f", "x"},
    };
    for (const Case &c : cases) {
        std::string text = c.in;
        TrimSpace(&text[0]);
        EXPECT_STREQ(text.c_str(), c.out) << '"' << c.in << '"';
    }
    TrimSpace(nullptr);
}

TEST(PrefixMatchNoCase, ComparesTheFirstCharacters) {
    EXPECT_TRUE(PrefixMatchNoCase("abc", "ABD", 2));
    EXPECT_FALSE(PrefixMatchNoCase("abc", "ABD", 3));
    EXPECT_TRUE(PrefixMatchNoCase("x", "y", 0));
    EXPECT_TRUE(PrefixMatchNoCase("x", "y", -3));
    EXPECT_TRUE(PrefixMatchNoCase("cp", "CPP", 2));
    EXPECT_FALSE(PrefixMatchNoCase("cpp", "C", 3));
    EXPECT_TRUE(PrefixMatchNoCase("C", "c", 5));
}

} // namespace
} // namespace qgbtest
