// The line writer (FORTRAN folding, the formatter beside printf, write
// failures found mid-file), the escaping of designer text, and the silence
// of the generator while a preview is built.
#include "ClassicSupport.h"

#include "classic/BuildState.h"
#include "model/HostResources.h"
#include "model/Validation.h"
#include "model/Settings.h"

namespace qgbtest {
namespace {

using namespace quorvin::builder;

class EmitTest : public ClassicFixture {};

// Each call's text is folded on its own, line by line: a FORTRAN line that
// reaches column 76 goes on after "     &" (code) or "C " (a comment); the
// count then restarts at 6. A code line whose second piece begins with "c"
// goes on after "     &" (a "C" in column 1 would make the rest a comment);
// a line begun with "C" goes on as a comment, whatever its pieces hold. C and
// C++ text is written as it is, however long.
TEST_F(EmitTest, FortranLinesAreFoldedAtColumn76) {
    const std::string code = "      X = A" + std::string(75, 'B') + "\n";
    const std::string comment = "C... " + std::string(150, 'x') + "\n";
    const std::string seventy(70, 'a'), fifty(50, 'b'), huge(5000, 'z'), y80(80, 'y');
    const std::string call = "      call QorGUIAdd(", piece = "cb" + std::string(80, 'x');
    // clang-format off
    const struct { int32_t language; std::vector<std::string> calls; std::string expected; } cases[] = {
        {LanguageFORTRAN, {code}, code.substr(0, 76) + "\n     &" + code.substr(76)},
        {LanguageFORTRAN, {comment}, comment.substr(0, 76) + "\nC " + comment.substr(76, 70) + "\nC " + comment.substr(146)},
        {LanguageFORTRAN, {"c" + std::string(80, 'y')}, "c" + std::string(75, 'y') + "\nC " + std::string(5, 'y')},
        // Two lines of 70 in one call; one line assembled from two calls.
        {LanguageFORTRAN, {seventy + "\n" + seventy + "\n", fifty, fifty + "\n"}, seventy + "\n" + seventy + "\n" + fifty + fifty + "\n"},
        {LanguageFORTRAN, {call, piece + "\n", "C... ", y80 + "\n"},
         call + piece.substr(0, 76) + "\n     &" + piece.substr(76) + "\nC... " + y80.substr(0, 76) + "\nC " + y80.substr(76) + "\n"},
        {LanguageC, {code}, code},
        {LanguageCPP, {code}, code},
        {LanguageC, {huge}, huge},
    };
    // clang-format on
    for (const auto &c : cases) {
        BuildState.Language = c.language;
        MemoryFiles out;
        for (const std::string &call : c.calls)
            EmitCode(out.files().builder, "%s", call.c_str());
        EXPECT_EQ(out.Finish(), c.expected) << c.calls[0];
    }
    EmitCode(nullptr, "%s", "nothing happens to a null file");
}

// A negative * width aligns left; a padding longer than what the formatter
// gathers before it writes goes on across its buffer's end. (After %.2f the
// rest of the format is left to vsnprintf.)
TEST_F(EmitTest, FormatsAsPrintfDoes) {
    const std::string text(600, 't');
    MemoryFiles files;
    BuildState.Language = LanguageCPP;
    const char *format = "%d|%5d|%-4d|%03d|%x|%*s|%*s|%300s|%-260s|%-3s|%c|%%|%ld|%.2f|%s";
    EmitCode(files.files().builder, format, -42, 7, 8, -5, 255u, 4, "ab", -4, "cd", "r", "l", "z",
             'q', 1234567890123L, 1.5, text.c_str());
    char expected[1400];
    std::snprintf(expected, sizeof expected, format, -42, 7, 8, -5, 255u, 4, "ab", -4, "cd", "r",
                  "l", "z", 'q', 1234567890123L, 1.5, text.c_str());
    EXPECT_EQ(files.Finish(), expected);
}

// The text is written in large pieces while the build goes on; a piece that
// fails is remembered, and the close reports it.
TEST_F(EmitTest, AWriteFailureMidFileIsReportedAtTheClose) {
    BuildState.Language = LanguageCPP;
    GeneratedFile file(std::fopen("/dev/full", "w"));
    const std::string line(1000, 'a');
    for (int i = 0; i < 3000; ++i)
        EmitCode(&file, "%s\n", line.c_str());
    EXPECT_LT(file.Pending().size(), size_t{3000} * 1001); // some was written already
    EXPECT_FALSE(file.Close());
}

// A preview writes nothing; the controls of a container whose preview was
// not made are skipped, those of a made one reach the control hook.
std::vector<std::string> hookedControls;

TEST_F(EmitTest, APreviewWritesNothingAndSkipsControlsOfAContainerNotMade) {
    SetCharacterCell(7, 16);
    AddFrameAt("ID=1 TITLE=\"Live\"");
    AddPixelText({"Press", "VarName=Press", TextBox_Filled, 14, 16});
    hookedControls.clear();
    BuildHooks.control = [](const ContainerInfo &, const ControlRecord &r) {
        hookedControls.push_back(r.identifier + " " + r.label);
    };
    BuildState.Preview = true;
    for (const GUIInt_t made : {GUIInt_t(BADDIALOGID), GUIInt_t(7)}) {
        BuildState.PreviewHandle = made;
        HostString name = CurrentFrameName();
        MemoryFiles out;
        GenerateFrame(name.get(), out.files(), LanguageCPP);
        EXPECT_EQ(out.Finish(), "");
    }
    EXPECT_EQ(hookedControls, std::vector<std::string>{"Press_BTN_D1 Press"});
}

// Each escape over designer texts: C literals are always valid (no trigraph,
// no raw line feed or tab), FORTRAN strings double their quotes, comments
// cannot be closed early, trace formats print their percents.
TEST(EscapeTest, DesignerTextsInEveryTarget) {
    using Escape = std::string (*)(const std::string &);
    // clang-format off
    const struct { Escape escape; const char *text, *escaped; } cases[] = {
        {EscapeCString, "Plain text", "Plain text"},
        {EscapeCString, "Say \"hi\"", "Say \\\"hi\\\""},
        {EscapeCString, "Ends with \\", "Ends with \\\\"},
        {EscapeCString, "Line\\nbreak typed", "Line\\nbreak typed"},
        {EscapeCString, "Real\nline feed", "Real\\nline feed"},
        {EscapeCString, "C:\\temp\\x", "C:\\\\temp\\\\x"},
        {EscapeCString, "\\\"quoted\\\"", "\\\\\\\"quoted\\\\\\\""},
        {EscapeCString, "What?" "?!", "What?\\?!"},
        {EscapeCString, "Tab\there", "Tab\\there"},
        {EscapeCString, "100%", "100%"},
        {EscapeFortranString, "It's Bob's", "It''s Bob''s"},
        {EscapeFortranString, "Two\nlines", "Two\\nlines"},
        {EscapeFortranString, "plain", "plain"},
        {CommentText, "end */ of /* comment\nnext", "end * / of / * comment next"},
        {CommentText, "plain", "plain"},
        {TraceFormatText, "50% done %d", "50%% done %%d"},
        {EscapeNewlines, "a\nb\n", "a\\nb\\n"},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(c.escape(c.text), c.escaped) << c.text;
}

} // namespace
} // namespace qgbtest
