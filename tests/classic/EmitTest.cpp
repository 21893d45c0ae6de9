// The line writer's FORTRAN folding and the escaping of designer text.
#include "ClassicSupport.h"

#include "classic/BuildState.h"
#include "classic/Emit.h"
#include "shell/Settings.h"

#include <gtest/gtest.h>

namespace qgbtest {
namespace {

using namespace quorvin::builder;

class EmitTest : public ClassicFixture {
  protected:
    std::string Emitted(int32_t language, const std::string &text) {
        BuildState.Language = language;
        MemoryFiles out;
        EmitCode(out.files().builder, "%s", text.c_str());
        return out.Finish().builder;
    }
};

TEST_F(EmitTest, FortranCodeLineIsContinuedAfterColumn76) {
    // 6 blanks and 80 more characters: 76 on the first line, the rest after
    // "     &" on the next.
    const std::string body = "X = A" + std::string(75, 'B');
    const std::string line = "      " + body + "\n";
    const std::string first = line.substr(0, 76);
    const std::string rest = line.substr(76);
    EXPECT_EQ(Emitted(LanguageFORTRAN, line), first + "\n     &" + rest);
    // C and C++ are written as they are.
    EXPECT_EQ(Emitted(LanguageC, line), line);
    EXPECT_EQ(Emitted(LanguageCPP, line), line);
}

TEST_F(EmitTest, FortranCommentLineIsContinuedWithC) {
    const std::string line = "C... " + std::string(150, 'x') + "\n";
    // The first break after 76 characters; the count then restarts at 6, so
    // the next break follows 70 characters later.
    const std::string expected =
        line.substr(0, 76) + "\nC " + line.substr(76, 70) + "\nC " + line.substr(146);
    EXPECT_EQ(Emitted(LanguageFORTRAN, line), expected);
    EXPECT_EQ(Emitted(LanguageFORTRAN, "c" + std::string(80, 'y')),
              "c" + std::string(75, 'y') + "\nC " + std::string(5, 'y'));
}

TEST_F(EmitTest, FortranFoldingCountsPerLineAndPerCall) {
    BuildState.Language = LanguageFORTRAN;
    MemoryFiles out;
    // Two lines of 70 characters in one call: neither reaches the limit.
    const std::string seventy(70, 'a');
    EmitCode(out.files().builder, "%s\n%s\n", seventy.c_str(), seventy.c_str());
    // A line assembled from two calls of 50 is never broken.
    const std::string fifty(50, 'b');
    EmitCode(out.files().builder, "%s", fifty.c_str());
    EmitCode(out.files().builder, "%s\n", fifty.c_str());
    EXPECT_EQ(out.Finish().builder, seventy + "\n" + seventy + "\n" + fifty + fifty + "\n");
}

TEST_F(EmitTest, LongFormattedTextsAreWrittenWhole) {
    const std::string longText(5000, 'z');
    EXPECT_EQ(Emitted(LanguageC, longText), longText);
}

TEST_F(EmitTest, NothingIsWrittenInAPreviewOrToANullFile) {
    BuildState.Preview = true;
    EXPECT_EQ(Emitted(LanguageC, "text"), "");
    BuildState.Preview = false;
    EmitCode(nullptr, "%s", "nothing happens");
}

TEST(EscapeTest, CStringLiteralsAreAlwaysValid) {
    const struct {
        const char *text;
        const char *literal;
    } cases[] = {
        {"Plain text", "Plain text"},
        {"Say \"hi\"", "Say \\\"hi\\\""},
        {"Ends with \\", "Ends with \\\\"},
        {"Line\\nbreak typed", "Line\\nbreak typed"},
        {"Real\nline feed", "Real\\nline feed"},
        {"C:\\temp\\x", "C:\\\\temp\\\\x"},
        {"\\\"quoted\\\"", "\\\\\\\"quoted\\\\\\\""},
        {"What?"
         "?!",
         "What?\\?!"},
        {"Tab\there", "Tab\\there"},
        {"100%", "100%"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(EscapeCString(c.text), c.literal) << c.text;
}

TEST(EscapeTest, FortranStringsCommentsAndTraceFormats) {
    EXPECT_EQ(EscapeFortranString("It's Bob's"), "It''s Bob''s");
    EXPECT_EQ(EscapeFortranString("Two\nlines"), "Two\\nlines");
    EXPECT_EQ(EscapeFortranString("plain"), "plain");
    EXPECT_EQ(CommentText("end */ of /* comment\nnext"), "end * / of / * comment next");
    EXPECT_EQ(CommentText("plain"), "plain");
    EXPECT_EQ(TraceFormatText("50% done %d"), "50%% done %%d");
    EXPECT_EQ(EscapeNewlines("a\nb\n"), "a\\nb\\n");
}

} // namespace
} // namespace qgbtest
