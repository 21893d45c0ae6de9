// The build command with the Qt language: the frame walk records the element
// trees, no classic file is opened, the layout and "dlb.cfg" are still saved,
// the Qt files follow, and the success message is shown only when all of it
// worked. Titles that give no class name fall back to the frame's kind and ID.
#include "QtTestSupport.h"

#include "classic/BuildState.h"
#include "commands/Preview.h"
#include "model/HostResources.h"
#include "model/Settings.h"

#include <set>

namespace qgbtest {
namespace {

namespace qb = quorvin::builder;
using quorvin::host::Message;

const char *const kQtSuccess = "New Qt stub files have been written.";

class QtBuildTest : public QtFixture {
  protected:
    // A modal dialog with a button and a list, and a sidebar with a toggle.
    static void AddSmallDesign() {
        AddFrameAt("ID=4 TITLE=\"Side\" SIDEBAR=T", 2, 4);
        AddPixelText({"~7 Snap", "VarName=Snap", TextBox_None, 10, 10});
        AddFrameAt("ID=1 TITLE=\"Small\"", 3, 2);
        AddPixelText({"Go", "VarName=Go", TextBox_Filled, 10, 10});
        AddPixelText({"SLST:Items\n\n", "VarName=Items", TextBox_Filled, 10, 40});
    }
    fs::path layoutFile() const { return layoutDirectory() / "design.lay"; }
    // The names of the files beside the layout.
    std::set<std::string> LayoutDirectoryFiles() const {
        std::set<std::string> names;
        for (const auto &entry : fs::directory_iterator(layoutDirectory()))
            names.insert(entry.path().filename().string());
        return names;
    }
};

// Every file is written whatever fails; only a build where nothing failed
// reports success, as an information box.
TEST_F(QtBuildTest, EveryFailureIsShownAndNoSuccessFollows) {
    // clang-format off
    const struct {
        const char *what;
        bool failSave, secondSmall; // a second dialog of class Small
        std::string shown;
    } cases[] = {
        {"all written", false, false, kQtSuccess},
        {"the layout cannot be saved", true, false,
         "Error saving layout file.\nYour work has not been saved.\nPlease check file permissions on file\n" +
             layoutFile().string() + "."},
        {"two dialogs with one class name", false, true,
         "Error: dialog title Small is not unique. All dialog title must be unique."},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FreshHost();
        fs::remove_all(root);
        AddSmallDesign();
        if (c.secondSmall) {
            AddFrameAt("ID=2 TITLE=\"S mall\"", 3, 2);
            AddPixelText({"Other", "VarName=Other", TextBox_Filled, 10, 10});
        }
        MakeProject();
        host().failNextSave(c.failSave);
        qb::BuilderSettings.Language = qb::LanguageQt;
        Build();
        EXPECT_EQ(Shown(), std::vector<std::string>{c.shown}) << DescribeMessages();
        const Message &last = host().messages().back();
        EXPECT_EQ(last.call == Message::Call::MessageBox && last.boxType == MessageBox_Information,
                  c.shown == kQtSuccess);
        // Beside the layout (when saved) only "dlb.cfg" and the resource file: no classic file.
        std::set<std::string> beside = {"dlb.cfg", "quorvinrs_generated.qrc"};
        if (!c.failSave)
            beside.insert("design.lay");
        EXPECT_EQ(LayoutDirectoryFiles(), beside);
        EXPECT_TRUE(fs::exists(dialogsDirectory() / "small" / "SmallDialog.ui"));
        EXPECT_NE(ReadFile(layoutDirectory() / "dlb.cfg").find("Language=QT\n"), std::string::npos);
        // The recording ended with the build: no hook or collector is left behind.
        EXPECT_EQ(qb::BuildState.Collector, nullptr);
        EXPECT_TRUE(qb::BuildHooks.container == nullptr && qb::BuildHooks.control == nullptr);
    }
}

// Neither a build of a layout never saved nor a preview writes a file; the
// preview shows the dialog.
TEST_F(QtBuildTest, AnUnsavedLayoutAndAPreviewWriteNothing) {
    AddSmallDesign();
    fs::create_directories(mainWindowDirectory());
    Build();
    EXPECT_EQ(Shown(),
              std::vector<std::string>{"Please save the GUI to a layout file before building."});
    MakeProject();
    qb::BuilderSettings.Language = qb::LanguageQt;
    {
        qb::LockGuard lock(qb::AddOnHandle);
        qb::PreviewCommand();
    }
    const quorvin::host::GuiDialog *preview = nullptr;
    for (const auto &[id, dialog] : host().dialogs())
        if (dialog.up && dialog.kind == "Modal")
            preview = &dialog;
    ASSERT_NE(preview, nullptr) << DescribeMessages();
    EXPECT_NE(host().findControlByLabel(preview->id, "Go"), nullptr);
    EXPECT_FALSE(fs::exists(dialogsDirectory()));
    EXPECT_TRUE(fs::is_empty(mainWindowDirectory()));
    EXPECT_TRUE(LayoutDirectoryFiles().empty());
}

// The build names such a class after the frame's kind and ID, warns, and
// still writes every file; long titles are cut so that file names stay short.
TEST_F(QtBuildTest, TitlesWithoutAnAsciiLetterFallBackToKindAndId) {
    AddFrameAt("ID=4 TITLE=\"\" SIDEBAR=T", 2, 4);
    AddPixelText({"~7 Snap", "VarName=Snap", TextBox_None, 10, 10});
    AddFrameAt("ID=2 TITLE=\"" + std::string(240, 'x') + "\"", 3, 2);
    AddPixelText({"Go", "VarName=Go", TextBox_Filled, 10, 10});
    AddFrameAt("ID=1 TITLE=\"漢字 😀 __\"", 3, 2);
    AddPixelText({"Go", "VarName=Go", TextBox_Filled, 10, 10});
    MakeProject();
    Build();
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "The title of frame \"ID=1 TITLE=\"漢字 😀 __\"\" gives no class "
                           "name; \"Dialog1\" is used instead.",
                           "The title of frame \"ID=4 TITLE=\"\" SIDEBAR=T\" gives no class "
                           "name; \"Sidebar4\" is used instead.",
                           kQtSuccess}))
        << DescribeMessages();
    for (const Message &m : host().messages())
        EXPECT_NE(m.call, Message::Call::ErrMsg) << m.text;
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "dialog1" / "Dialog1Dialog.ui"));
    const std::string cut(64, 'x');
    EXPECT_TRUE(fs::exists(dialogsDirectory() / cut / (cut + "Dialog.h")));
}

} // namespace
} // namespace qgbtest
