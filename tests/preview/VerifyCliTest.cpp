// qgb verify as a user runs it: the sample designs pass with the preview's
// own differences named, and generated code with one coordinate changed
// fails, naming the control and both values. Random designs go through the
// same comparison in the in-process truth check.
#include "PreviewSupport.h"

#include <fstream>
#include <map>
#include <string>

namespace qgbtest {
namespace {

namespace fs = std::filesystem;

// qgb verify with the arguments; exit status, its output in *out.
int Verify(const std::string &arguments, std::string *out) {
    return Shell("CXX=" + Quote(QGB_CXX) + " " + Quote(QGB_CLI_PATH) + " verify " + arguments, out);
}

TEST(VerifyCli, SampleDesignsPassWithTheirOwnDifferencesNamed) {
    const std::map<std::string, std::string> met = {
        {"sample", "callbacks, no parent, option items, sidebar add-on, title"},
        {"forms", "callbacks, form as tab, no parent, title"},
    };
    for (const fs::path &source : SampleLayouts()) {
        const std::string design = source.parent_path().filename().string();
        SCOPED_TRACE(design);
        std::string out;
        EXPECT_EQ(Verify(Quote(source.string()), &out), 0) << out;
        ASSERT_TRUE(met.count(design)) << "list the differences this sample must show";
        EXPECT_NE(out.find("the preview's own differences met: " + met.at(design) + "\n"),
                  std::string::npos)
            << out;
    }
}

TEST(VerifyCli, ChangedCoordinateIsTheDifferenceReported) {
    const std::string dir = OutputDir("verify-broken");
    const fs::path source = fs::path(QGB_SOURCE_DIR) / "examples" / "forms";
    fs::copy(source, dir, fs::copy_options::recursive);
    const std::string layout = Quote(dir + "/forms.lay.json");
    std::string out;
    ASSERT_EQ(Shell(Quote(QGB_CLI_PATH) + " build --language cpp " + layout, &out), 0) << out;

    // The text field's x, the first number after its creation call.
    std::string code = ReadFile(dir + "/guibld.cpp");
    const size_t call = code.find("QorGUITextFieldAdd(");
    ASSERT_NE(call, std::string::npos);
    const size_t at = code.find_first_of("0123456789", code.find('\n', call));
    const size_t end = code.find_first_not_of("0123456789", at);
    const int x = std::stoi(code.substr(at, end - at));
    code.replace(at, end - at, std::to_string(x + 1));
    std::ofstream(dir + "/guibld.cpp", std::ios::trunc) << code;

    ASSERT_EQ(Verify(layout + " --generated " + Quote(dir), &out), 1) << out;
    EXPECT_NE(out.find("1 difference(s) between the generated code and the preview"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("TextField: place differs: preview \"" + std::to_string(x) + ","),
              std::string::npos)
        << out;
    EXPECT_NE(out.find(", generated \"" + std::to_string(x + 1) + ","), std::string::npos) << out;
    const std::string kept = "generated files kept in ";
    const size_t keptAt = out.find(kept);
    ASSERT_NE(keptAt, std::string::npos) << out;
    const std::string folder =
        out.substr(keptAt + kept.size(), out.find('\n', keptAt) - keptAt - kept.size());
    EXPECT_TRUE(fs::exists(folder + "/generated.so")) << folder;
    fs::remove_all(folder);
}

} // namespace
} // namespace qgbtest
