// Titles that give no class name: the Qt build names the class after the
// frame's kind and ID, warns, and still writes every file; long titles are
// cut so that the file names stay short.
#include "QtTestSupport.h"

#include "model/Settings.h"

namespace qgbtest {
namespace {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;
using quorvin::host::Message;

using ClassNameFallbackTest = QtBuildFixture;

TEST_F(ClassNameFallbackTest, TitlesWithoutAnAsciiLetterFallBackToKindAndId) {
    const std::string longTitle(240, 'x');
    AddFrameAt("ID=4 TITLE=\"\" SIDEBAR=T", 2, 4);
    AddText("~7 Snap", "VarName=Snap", TextBox_None, 10, 10);
    AddFrameAt("ID=2 TITLE=\"" + longTitle + "\"", 3, 2);
    AddText("Go", "VarName=Go", TextBox_Filled, 10, 10);
    AddFrameAt("ID=1 TITLE=\"漢字 😀 __\"", 3, 2);
    AddText("Go", "VarName=Go", TextBox_Filled, 10, 10);
    MakeProject();
    qb::BuilderSettings.Language = qb::LanguageQt;
    Build();

    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "The title of frame \"ID=1 TITLE=\"漢字 😀 __\"\" gives no class "
                           "name; \"Dialog1\" is used instead.",
                           "The title of frame \"ID=4 TITLE=\"\" SIDEBAR=T\" gives no class "
                           "name; \"Sidebar4\" is used instead.",
                           "New Qt stub files have been written."}))
        << DescribeMessages();
    for (const Message &m : host().messages())
        EXPECT_NE(m.call, Message::Call::ErrMsg) << m.text;
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "dialog1" / "Dialog1Dialog.ui"));
    const std::string cut(64, 'x');
    EXPECT_TRUE(fs::exists(dialogsDirectory() / cut / (cut + "Dialog.h")));
}

} // namespace
} // namespace qgbtest
