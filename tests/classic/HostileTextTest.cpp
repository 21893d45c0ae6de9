// Designer texts that need care in every output (tests/support/HostileTexts.h),
// built in C, C++ and FORTRAN and checked by the real compilers; the rows no
// compiler could take are built apart and must be warned about.
#include "CompileFixture.h"
#include "HostileTexts.h"

#include "model/Settings.h"

namespace qgbtest {
namespace {

using namespace quorvin::builder;

const char *const kSameIdentifier = "Two controls of frame\nID=1 TITLE=\"Clashes\"\nget the same "
                                    "identifier:\nAbcdefghijkl_BTN_D1 at x";
const char *const kCaseOnly = "get identifiers that differ only by case, which FORTRAN takes as "
                              "one:\nCase_BTN_D1 at x";

class HostileTextTest : public CompileFixture {
  protected:
    // Builds the rows every compiler must take and compiles them; then builds
    // the rows that clash and expects the warnings (and the success report).
    void Check(int32_t language) {
        std::vector<HostileText> compiled, clashing = HostileClashes();
        for (const HostileText &row : HostileTexts())
            (row.caseTwin && language == LanguageFORTRAN ? clashing : compiled).push_back(row);
        AddHostileFrame("ID=1 TITLE=\"" + HostileTitle() + "\"", compiled);
        ASSERT_NO_FATAL_FAILURE(BuildExpectingSuccess(language));
        Compile(language);

        FreshHost();
        AddHostileFrame("ID=1 TITLE=\"Clashes\"", clashing);
        host().clearMessages();
        NameLayout();
        Build(language);
        const std::vector<std::string> shown = Shown();
        ASSERT_EQ(shown.size(), language == LanguageFORTRAN ? 3u : 2u) << DescribeMessages();
        EXPECT_EQ(shown[0].rfind(kSameIdentifier, 0), 0u) << shown[0];
        if (language == LanguageFORTRAN) {
            EXPECT_NE(shown[1].find(kCaseOnly), std::string::npos) << shown[1];
        }
        EXPECT_EQ(shown.back().rfind("New GUI stub files have been written.", 0), 0u);
    }
};

// FORTRAN last: without gfortran its check is skipped.
TEST_F(HostileTextTest, CompilesInEveryLanguage) {
    for (const int32_t language : {LanguageC, LanguageCPP, LanguageFORTRAN}) {
        SCOPED_TRACE(language);
        FreshHost();
        Check(language);
    }
}

} // namespace
} // namespace qgbtest
