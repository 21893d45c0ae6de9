#include "HostFixture.h"

#include "options/Options.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace quorvin::builder;
using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;
using quorvin::host::Message;
namespace fs = std::filesystem;

namespace qgbtest {
namespace {

void OpenOptionsMenuCallback() {
    OptionsDialog();
}

class OptionsDialogTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        RegisterAddOn();
        ASSERT_TRUE(QorUtilMenuAddOption("Tools", "Options test", 'O', OpenOptionsMenuCallback));
    }

    // Opens the dialog as the user does, from a menu option.
    const GuiDialog &Open() {
        std::string error;
        EXPECT_TRUE(host().chooseMenuOption("Tools", "Options test", &error)) << error;
        const GuiDialog *dialog = nullptr;
        for (const auto &[id, candidate] : host().dialogs()) {
            if (candidate.title == "File Options" && candidate.up)
                dialog = &candidate;
        }
        EXPECT_NE(dialog, nullptr);
        static GuiDialog none;
        return dialog ? *dialog : none;
    }

    const GuiControl *ControlOfKind(const GuiDialog &dialog, const std::string &kind) {
        for (GUIInt_t id : dialog.controls) {
            const GuiControl *control = host().findControl(id);
            if (control && control->kind == kind)
                return control;
        }
        return nullptr;
    }

    void Press(const GuiDialog &dialog, const char *which) {
        std::string error;
        EXPECT_TRUE(host().pressDialogButton(dialog.id, which, &error)) << error;
    }
    void SetRadio(const GuiDialog &dialog, GUIInt_t button) {
        std::string error;
        EXPECT_TRUE(host().setRadioBox(ControlOfKind(dialog, "RadioBox")->id, button, &error))
            << error;
    }
    void SetToggle(const GuiDialog &dialog, bool on) {
        std::string error;
        EXPECT_TRUE(host().setToggle(ControlOfKind(dialog, "Toggle")->id, on, &error)) << error;
    }
};

TEST_F(OptionsDialogTest, IsBuiltOnceWithItsItems) {
    const GuiDialog &dialog = Open();
    EXPECT_EQ(dialog.kind, "Modal");
    EXPECT_EQ(dialog.width, 6455);
    EXPECT_EQ(dialog.height, 950);
    EXPECT_TRUE(dialog.up);
    EXPECT_NE(dialog.init, nullptr);
    EXPECT_NE(dialog.ok, nullptr);
    EXPECT_NE(dialog.cancel, nullptr);
    EXPECT_NE(dialog.help, nullptr);
    EXPECT_EQ(dialog.apply, nullptr);

    struct Item {
        const char *kind;
        GUIInt_t x, y, width, height;
        std::vector<std::string> labels;
    } items[] = {
        {"Toggle", 314, 775, 5152, 120, {"Limit variable name length to 30 characters"}},
        {"Frame", 257, 90, 2232, 589, {"Language"}},
        {"RadioBox", 586, 174, 1502, 432, {"C", "C++", "FORTRAN"}},
    };
    ASSERT_EQ(dialog.controls.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const GuiControl *control = host().findControl(dialog.controls[i]);
        ASSERT_NE(control, nullptr);
        SCOPED_TRACE(items[i].kind);
        EXPECT_EQ(control->kind, items[i].kind);
        EXPECT_EQ(control->x, items[i].x);
        EXPECT_EQ(control->y, items[i].y);
        EXPECT_EQ(control->width, items[i].width);
        EXPECT_EQ(control->height, items[i].height);
        std::vector<std::string> labels = control->labels;
        while (!labels.empty() && labels.back().empty())
            labels.pop_back();
        EXPECT_EQ(labels, items[i].labels);
    }
    // Initial values follow the settings (C++ and the limit by default).
    EXPECT_EQ(ControlOfKind(dialog, "RadioBox")->intValue, 2);
    EXPECT_EQ(ControlOfKind(dialog, "Toggle")->intValue, 1);
    EXPECT_TRUE(host().lockHeld());

    // Asked again while it is up, the dialog stays as it is.
    std::string error;
    ASSERT_TRUE(host().setRadioBox(ControlOfKind(dialog, "RadioBox")->id, 3, &error)) << error;
    OptionsDialog();
    EXPECT_EQ(ControlOfKind(dialog, "RadioBox")->intValue, 3);

    const GUIInt_t id = dialog.id;
    Press(dialog, "Cancel");
    EXPECT_FALSE(host().lockHeld());
    const GuiDialog &again = Open();
    EXPECT_EQ(again.id, id);
    EXPECT_EQ(host().dialogs().size(), 1u);
    Press(again, "Cancel");
}

TEST_F(OptionsDialogTest, OkTakesTheChoicesIntoMemoryOnly) {
    const fs::path directory = fs::temp_directory_path() / "qgb_options_dialog";
    fs::remove_all(directory);
    fs::create_directories(directory);
    host().setLayoutFileName((directory / "design.lay").string());

    struct Case {
        int32_t start;
        GUIInt_t button; // 0: radio box not touched
        bool toggle;
        int32_t language;
    } cases[] = {
        {LanguageCPP, 1, false, LanguageC},       {LanguageC, 3, true, LanguageFORTRAN},
        {LanguageFORTRAN, 2, false, LanguageCPP}, {LanguageFORTRAN, 0, true, LanguageFORTRAN},
        {LanguageQt, 0, true, LanguageQt}, // Qt has no button: kept
        {LanguageQt, 1, true, LanguageC},         {LanguageQt, 2, false, LanguageCPP},
        {LanguageQt, 2, true, LanguageCPP}, // the button already shown, chosen again
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " -> " + std::to_string(c.button));
        BuilderSettings.Language = c.start;
        BuilderSettings.LimitIdentLength = !c.toggle;
        const GuiDialog &dialog = Open();
        if (c.button)
            SetRadio(dialog, c.button);
        SetToggle(dialog, c.toggle);
        Press(dialog, "OK");
        EXPECT_EQ(BuilderSettings.Language, c.language);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, c.toggle);
        EXPECT_FALSE(dialog.up);
        EXPECT_FALSE(host().lockHeld());
    }
    EXPECT_FALSE(fs::exists(directory / "dlb.cfg"));
    fs::remove_all(directory);
}

TEST_F(OptionsDialogTest, CancelKeepsTheSettings) {
    BuilderSettings.Language = LanguageFORTRAN;
    const GuiDialog &dialog = Open();
    EXPECT_EQ(ControlOfKind(dialog, "RadioBox")->intValue, 3);
    SetRadio(dialog, 1);
    SetToggle(dialog, false);
    Press(dialog, "Cancel");
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    EXPECT_TRUE(BuilderSettings.LimitIdentLength);
    EXPECT_FALSE(dialog.up);
}

TEST_F(OptionsDialogTest, HelpShowsAnInformationBox) {
    const GuiDialog &dialog = Open();
    Press(dialog, "Help");
    ASSERT_EQ(host().messages().size(), 1u) << DescribeMessages();
    EXPECT_EQ(host().messages()[0].call, Message::Call::MessageBox);
    EXPECT_EQ(host().messages()[0].boxType, MessageBox_Information);
    EXPECT_EQ(host().messages()[0].text, "On-line Help not available for this dialog.");
    EXPECT_TRUE(dialog.up);
    Press(dialog, "Cancel");
}

TEST_F(OptionsDialogTest, ResetBuildsTheDialogAnew) {
    const GUIInt_t first = Open().id;
    Press(*host().findDialog(first), "Cancel");
    ResetOptionsDialog();
    const GUIInt_t second = Open().id;
    EXPECT_NE(first, second);
    Press(*host().findDialog(second), "Cancel");
}

} // namespace
} // namespace qgbtest
