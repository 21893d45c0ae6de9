// Designer texts that need care in every output (tests/support/HostileTexts.h)
// built as Qt in a dialog and a sidebar: every form passes uic, the resource
// file rcc, every header moc, and the moc output compiles against Qt.
#include "HostileTexts.h"
#include "QtTools.h"

namespace qgbtest {
namespace {

using QtHostileTextTest = QtFixture;

TEST_F(QtHostileTextTest, PassesUicRccMocAndCompiles) {
    if (!kHaveQt)
        GTEST_SKIP() << "Qt 5 development tools were not found when the tests were configured";
    MakeProject();
    // The dialog's title names its files, cut to a class name of 64 characters.
    const std::string title = HostileTitle();
    AddHostileFrame("ID=2 TITLE=\"" + title + "\" SIDEBAR=T", HostileTexts());
    AddHostileFrame("ID=1 TITLE=\"" + title + "\"", HostileTexts());
    Build();
    ASSERT_EQ(Shown(), std::vector<std::string>{"New Qt stub files have been written."})
        << DescribeMessages();

    for (const fs::path &form : FilesWithExtension(root / "ui", ".ui"))
        ExpectToolAccepts(kUic, form, form.parent_path() / ("ui_" + form.stem().string() + ".h"));
    // No bitmap: rcc warns of the empty resource list, but accepts it.
    const fs::path qrc = layoutDirectory() / "quorvinrs_generated.qrc";
    const Result rcc = RunCommand({kRcc, qrc.string(), "-o", (root / "qrc.cpp").string()});
    EXPECT_EQ(rcc.status, 0) << rcc.output;

    // Each moc output includes its class header, which includes its ui_ and
    // definitions headers.
    std::vector<fs::path> headers;
    for (const fs::path &header : FilesWithExtension(root / "ui", ".h")) {
        const std::string name = header.filename().string();
        if (name.rfind("ui_", 0) != 0 && name.find("efs") == std::string::npos)
            headers.push_back(header);
    }
    ASSERT_EQ(headers.size(), 2u); // the dialog and the main window
    std::string mocOutputs;
    for (const fs::path &header : headers) {
        SCOPED_TRACE(header);
        const fs::path moc = root / ("moc_" + header.stem().string() + ".cpp");
        ASSERT_NO_FATAL_FAILURE(ExpectToolAccepts(kMoc, header, moc));
        mocOutputs += "#include \"" + moc.string() + "\"\n";
    }
    WriteFile(root / "moc_all.cpp", mocOutputs); // one compiler run for both
    CompileAgainstQt(root, root / "moc_all.cpp", root / "moc_all.o");
}

} // namespace
} // namespace qgbtest
