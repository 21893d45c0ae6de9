#include "HostFixture.h"
#include "Run.h"

#include "model/Settings.h"
#include "options/Options.h"

using namespace quorvin::builder;
using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;
using quorvin::host::Message;

namespace qgbtest {
namespace {

class OptionsDialogTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        RegisterAddOn();
        ASSERT_TRUE(QorUtilMenuAddOption("Tools", "Options test", 'O', [] { OptionsDialog(); }));
    }

    // Opens the dialog as the user does, from a menu option.
    const GuiDialog &Open() {
        std::string error;
        EXPECT_TRUE(host().chooseMenuOption("Tools", "Options test", &error)) << error;
        for (const auto &[id, candidate] : host().dialogs())
            if (candidate.title == "File Options" && candidate.up)
                return candidate;
        ADD_FAILURE() << "the dialog is not up";
        static GuiDialog none;
        return none;
    }
    const GuiControl &Control(const GuiDialog &dialog, const std::string &kind) {
        for (GUIInt_t id : dialog.controls)
            if (const GuiControl *control = host().findControl(id); control->kind == kind)
                return *control;
        ADD_FAILURE() << "no " << kind;
        static GuiControl none;
        return none;
    }
    void Press(const GuiDialog &dialog, const char *which) {
        std::string error;
        EXPECT_TRUE(host().pressDialogButton(dialog.id, which, &error)) << error;
    }
};

TEST_F(OptionsDialogTest, IsBuiltOnceWithItsItems) {
    const GuiDialog &dialog = Open();
    EXPECT_EQ(dialog.kind, "Modal");
    EXPECT_EQ(std::make_pair(dialog.width, dialog.height), std::make_pair(6455, 950));
    EXPECT_TRUE(dialog.init && dialog.ok && dialog.cancel && dialog.help && !dialog.apply);
    // Each item as "kind x y width height labels...".
    std::vector<std::string> items;
    for (GUIInt_t id : dialog.controls) {
        const GuiControl *c = host().findControl(id);
        std::string item = c->kind + " " + std::to_string(c->x) + " " + std::to_string(c->y) + " " +
                           std::to_string(c->width) + " " + std::to_string(c->height);
        for (const std::string &label : c->labels)
            if (!label.empty())
                item += " " + label;
        items.push_back(item);
    }
    EXPECT_EQ(items,
              (std::vector<std::string>{
                  "Toggle 314 775 5152 120 Limit variable name length to 30 characters",
                  "Frame 257 90 2232 589 Language", "RadioBox 586 174 1502 432 C C++ FORTRAN"}));
    // Initial values follow the settings (C++ and the limit by default).
    EXPECT_EQ(Control(dialog, "RadioBox").intValue, 2);
    EXPECT_EQ(Control(dialog, "Toggle").intValue, 1);
    EXPECT_TRUE(host().lockHeld());

    // Asked again while it is up, the dialog stays as it is.
    std::string error;
    ASSERT_TRUE(host().setRadioBox(Control(dialog, "RadioBox").id, 3, &error)) << error;
    OptionsDialog();
    EXPECT_EQ(Control(dialog, "RadioBox").intValue, 3);

    // Help shows an information box and leaves the dialog up.
    Press(dialog, "Help");
    ASSERT_EQ(MessageTexts(),
              std::vector<std::string>{"On-line Help not available for this dialog."});
    EXPECT_EQ(host().messages()[0].call, Message::Call::MessageBox);
    EXPECT_EQ(host().messages()[0].boxType, MessageBox_Information);
    EXPECT_TRUE(dialog.up);

    const GUIInt_t id = dialog.id;
    Press(dialog, "Cancel");
    EXPECT_FALSE(host().lockHeld());
    const GuiDialog &again = Open();
    EXPECT_EQ(again.id, id);
    EXPECT_EQ(host().dialogs().size(), 1u);
    Press(again, "Cancel");
    // Reset, the dialog is built anew.
    ResetOptionsDialog();
    const GuiDialog &fresh = Open();
    EXPECT_NE(fresh.id, id);
    Press(fresh, "Cancel");
}

// OK takes the choices into memory only; Cancel keeps the settings.
TEST_F(OptionsDialogTest, OkTakesTheChoicesIntoMemoryOnly) {
    const fs::path directory = OutputDir("options-dialog");
    host().setLayoutFileName((directory / "design.lay").string());

    // clang-format off
    struct Case {
        int32_t start;
        GUIInt_t shown, button; // the button shown first (0: none), the one chosen (0: none)
        bool toggle;
        const char *press;
        int32_t language;
    } cases[] = {
        {LanguageCPP, 2, 1, false, "OK", LanguageC}, {LanguageC, 1, 3, true, "OK", LanguageFORTRAN},
        {LanguageFORTRAN, 3, 2, false, "OK", LanguageCPP}, {LanguageFORTRAN, 3, 0, true, "OK", LanguageFORTRAN},
        {LanguageQt, 0, 0, true, "OK", LanguageQt}, // Qt has no button: kept
        {LanguageQt, 0, 1, true, "OK", LanguageC}, {LanguageQt, 0, 2, false, "OK", LanguageCPP},
        {LanguageQt, 0, 2, true, "OK", LanguageCPP}, // the button already shown, chosen again
        {LanguageFORTRAN, 3, 1, false, "Cancel", LanguageFORTRAN},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " -> " + std::to_string(c.button) + " " + c.press);
        BuilderSettings.Language = c.start;
        BuilderSettings.LimitIdentLength = !c.toggle;
        const GuiDialog &dialog = Open();
        std::string error;
        EXPECT_TRUE(!c.shown || Control(dialog, "RadioBox").intValue == c.shown);
        EXPECT_TRUE(!c.button ||
                    host().setRadioBox(Control(dialog, "RadioBox").id, c.button, &error))
            << error;
        EXPECT_TRUE(host().setToggle(Control(dialog, "Toggle").id, c.toggle, &error)) << error;
        Press(dialog, c.press);
        EXPECT_EQ(BuilderSettings.Language, c.language);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, c.toggle == (c.press[0] == 'O'));
        EXPECT_FALSE(dialog.up);
        EXPECT_FALSE(host().lockHeld());
    }
    EXPECT_FALSE(fs::exists(directory / "dlb.cfg"));
}

} // namespace
} // namespace qgbtest
