// Builds of designs that once made code no compiler accepts, or showed their
// messages in a misleading way: each warning names the control by its
// identifier and place, and every message comes where its control is built.
#include "ClassicSupport.h"

#include "model/Settings.h"

#include <gtest/gtest.h>

#include <functional>

namespace qgbtest {
namespace {

using namespace quorvin::builder;

class ClassicHardeningTest : public ClassicFixture {};

TEST_F(ClassicHardeningTest, IdentifierClashesAreWarnedNamingBothControls) {
    const std::string head = "Two controls of frame\nID=1 TITLE=\"Main\"\nget ";
    const std::string tail =
        "The generated code will not compile until one of them gets another VarName.";
    const std::string longName(70, 'L');
    const struct {
        const char *what;
        int32_t language;
        std::string first, second; // VarName values
        std::vector<std::string> warnings;
    } cases[] = {
        {"case only in C", LanguageC, "Name", "name", {}},
        {"case only in FORTRAN",
         LanguageFORTRAN,
         "Name",
         "name",
         {head +
          "identifiers that differ only by case, which FORTRAN takes as one:\nName_BTN_D1 "
          "at x 189, y 90\nand\nname_BTN_D1 at x 189, y 227\n" +
          tail}},
        {"long in C", LanguageC, longName, "Other", {}},
        {"long in FORTRAN",
         LanguageFORTRAN,
         longName,
         "Other",
         {"The control\n" + longName +
          "_BTN_D1 at x 189, y 90\nof frame\nID=1 TITLE=\"Main\"\ngets an identifier of 77 "
          "characters; FORTRAN allows at most 63.\nThe generated code will not compile until it "
          "gets a shorter VarName or the identifier length is limited."}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ResetWorkspace();
        BuilderSettings.LimitIdentLength = false;
        AddFrameAt("ID=1 TITLE=\"Main\"");
        AddPixelText({"Go", "VarName=" + c.first, TextBox_Filled, 14, 16});
        AddPixelText({"Go", "VarName=" + c.second, TextBox_Filled, 14, 40});
        BuildExpectingSuccess(c.language, c.warnings);
    }
}

} // namespace
} // namespace qgbtest
