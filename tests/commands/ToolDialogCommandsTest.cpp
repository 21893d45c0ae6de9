// The editing commands reached through the "GUI Builder" tool dialog bring
// its sensitivity up to date themselves. (Every button and menu item of the
// dialog runs its command in the shell tests; the design script presses them
// with the real commands.)
#include "CommandsFixture.h"

#include "shell/Startup.h"

namespace qgbtest {
namespace {

void StartBuilder() {
    quorvin::builder::InitAddOn();
}

class ToolDialogCommandsTest : public CommandsTest {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        host().startAddOn(StartBuilder);
        std::string error;
        ASSERT_TRUE(host().chooseMenuOption("Tools", "Quorvin GUI Builder", &error)) << error;
        host().runIdle();
        ExpectClean();
    }

    void TearDown() override {
        host().quit();
        CommandsTest::TearDown();
    }

    // Presses a button or menu item; each press is one host command.
    void Press(const std::string &what) {
        std::string error;
        ASSERT_TRUE(host().press(what, &error)) << what << ": " << error;
        ExpectClean(qb::BitmapButtonDialog().dialog != BADDIALOGID &&
                    QorGUIDialogIsUp(qb::BitmapButtonDialog().dialog));
    }

    bool Sensitive(const std::string &what) {
        const quorvin::host::GuiDialog *tool = host().findDialogByTitle("GUI Builder");
        const quorvin::host::GuiControl *c =
            tool ? host().findControlByLabel(tool->id, what) : nullptr;
        EXPECT_NE(c, nullptr) << what;
        return c && c->sensitive;
    }
};

// Without an idle turn only the command itself can bring the buttons up to
// date.
TEST_F(ToolDialogCommandsTest, TabFormAndPageInsertsRefreshTheSensitivityAtOnce) {
    Press("Modal Dialog");
    Press("Form");
    const Text_ID form = TextHandle(Current().texts.back());
    Pick(form);
    host().runIdle();
    ASSERT_TRUE(Sensitive("Form Page"));
    host().clearPicks();
    Press("Tab");
    EXPECT_FALSE(Sensitive("Form Page"));
    EXPECT_FALSE(Sensitive("Tab Page"));

    Pick(form);
    host().runIdle();
    ASSERT_FALSE(Sensitive("Pop next dialog or tab page"));
    Press("Form Page");
    EXPECT_TRUE(Sensitive("Pop next dialog or tab page"));
}

} // namespace
} // namespace qgbtest
