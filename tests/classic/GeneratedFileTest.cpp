// The generated-text buffer: FORTRAN continuations of code pieces that begin
// with "c", the formatter beside printf, and write failures found mid-file.
#include "ClassicSupport.h"

#include "classic/BuildState.h"
#include "classic/Emit.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

namespace qgbtest {
namespace {

using namespace quorvin::builder;

class GeneratedFileTest : public ClassicFixture {};

// A code line whose second piece begins with "c" goes on after "     &": a
// "C" in column 1 would make the rest of the statement a comment. A line that
// did begin with "C" still goes on as a comment, whatever its pieces hold.
TEST_F(GeneratedFileTest, OnlyALineBegunWithCContinuesAsAComment) {
    BuildState.Language = LanguageFORTRAN;
    const std::string code = "      call QorGUIAdd(", piece = "cb" + std::string(80, 'x');
    MemoryFiles out;
    EmitCode(out.files().builder, "%s", code.c_str());
    EmitCode(out.files().builder, "%s\n", piece.c_str());
    EmitCode(out.files().builder, "C... ");
    EmitCode(out.files().builder, "%s\n", std::string(80, 'y').c_str());
    EXPECT_EQ(out.Finish().builder, code + piece.substr(0, 76) + "\n     &" + piece.substr(76) +
                                        "\nC... " + std::string(76, 'y') + "\nC " +
                                        std::string(4, 'y') + "\n");
}

TEST_F(GeneratedFileTest, FormatsAsPrintfDoes) {
    const std::string text(600, 't');
    MemoryFiles files;
    BuildState.Language = LanguageCPP;
    EmitCode(files.files().builder, "%d|%5d|%-4d|%03d|%x|%*s|%-3s|%c|%%|%ld|%.2f|%s", -42, 7, 8, -5,
             255u, 4, "ab", "z", 'q', 1234567890123L, 1.5, text.c_str());
    char expected[800];
    std::snprintf(expected, sizeof expected, "%d|%5d|%-4d|%03d|%x|%*s|%-3s|%c|%%|%ld|%.2f|%s", -42,
                  7, 8, -5, 255u, 4, "ab", "z", 'q', 1234567890123L, 1.5, text.c_str());
    EXPECT_EQ(files.Finish().builder, expected);
}

// The text is written in large pieces while the build goes on; a piece that
// fails is remembered, and the close reports it.
TEST_F(GeneratedFileTest, AWriteFailureMidFileIsReportedAtTheClose) {
    BuildState.Language = LanguageCPP;
    GeneratedFile file(std::fopen("/dev/full", "w"));
    const std::string line(1000, 'a');
    for (int i = 0; i < 3000; ++i)
        EmitCode(&file, "%s\n", line.c_str());
    EXPECT_LT(file.Pending().size(), size_t{3000} * 1001); // some was written already
    EXPECT_FALSE(file.Close());
}

} // namespace
} // namespace qgbtest
