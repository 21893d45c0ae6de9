// Code in the shape of the generated classic output, built once as C99 and
// once as C++17, runs against the reference host: every call is accepted,
// recorded with its arguments, and the dialogs behave as a user expects.
#include "generated_calls.h"

#include "quorvin/Host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;
using quorvin::host::Host;

struct Variant {
    const char *label;
    GeneratedAddOn (*entry)();
};

class GeneratedCallsTest : public ::testing::TestWithParam<Variant> {
  protected:
    void SetUp() override { host().reset(); }
    void TearDown() override { host().reset(); }
    static Host &host() { return Host::instance(); }

    // The first control of the kind in the dialog.
    static const GuiControl *byKind(const GuiDialog &d, const std::string &kind) {
        for (GUIInt_t id : d.controls)
            if (host().findControl(id)->kind == kind)
                return host().findControl(id);
        return nullptr;
    }
};

TEST_P(GeneratedCallsTest, BuildsLaunchesAndAnswersLikeTheGeneratedAddOn) {
    const GeneratedAddOn addOn = GetParam().entry();
    host().startAddOn(addOn.init);
    std::string error;
    ASSERT_TRUE(host().chooseMenuOption("Tools", GetParam().label, &error)) << error;
    ASSERT_TRUE(host().faults().empty()) << host().faults().front();

    // The modal dialog holds the lock its initialisation started.
    const GuiDialog *modal = host().findDialog(*addOn.dialog1);
    ASSERT_NE(modal, nullptr);
    EXPECT_EQ(modal->kind, "Modal");
    EXPECT_EQ(modal->title, "Sample Settings");
    EXPECT_EQ(std::make_pair(modal->width, modal->height), std::make_pair(5000, 4000));
    EXPECT_TRUE(modal->up && modal->init && modal->ok && modal->apply && modal->cancel &&
                modal->help);
    EXPECT_TRUE(host().lockHeld());
    std::vector<std::string> kinds;
    for (GUIInt_t id : modal->controls)
        kinds.push_back(host().findControl(id)->kind);
    EXPECT_EQ(kinds,
              (std::vector<std::string>{"TextField",     "Text",         "Text",         "List",
                                        "SpinTextField", "Form",         "FormPage",     "Tab",
                                        "TabPage",       "Scale",        "OptionMenu",   "Button",
                                        "ColoredButton", "RadioBox",     "Toggle",       "Label",
                                        "Label",         "BitmapButton", "BitmapToggle", "Frame",
                                        "HorzSeparator", "VertSeparator"}));

    const GuiControl *name = host().findControlByLabel(*addOn.dialog1, "Your \"name\"");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(std::vector<GUIInt_t>({name->x, name->y, name->width, name->height}),
              std::vector<GUIInt_t>({142, 31, 1714, 125}));
    EXPECT_EQ(host().findControlByLabel(*addOn.dialog1, "Radio1")->labels,
              (std::vector<std::string>{"Radio1", "Radio2"}));
    const GuiControl *bitmap = byKind(*modal, "BitmapButton");
    EXPECT_EQ(bitmap->bitmap, (std::vector<unsigned char>{0x0, 0xff, 0x7f, 0x80, 0x1, 0x2, 0x3, 0x4,
                                                          0xfe, 0x10, 0x20, 0x30}));
    EXPECT_TRUE(bitmap->useTransparentColor);
    EXPECT_EQ(bitmap->transparentRed, 255);
    EXPECT_EQ(host().findControl(host().findControl(*addOn.formPage)->parent)->kind, "Form");
    EXPECT_EQ(host().findControlByLabel(*addOn.dialog1, "Page 1")->kind, "TabPage");
    EXPECT_EQ(byKind(*modal, "OptionMenu")->optionList, "Option 1,Option 2,Option 3");
    EXPECT_FALSE(byKind(*modal, "Scale")->numericDisplay);

    const GuiDialog *modeless = host().findDialog(*addOn.dialog2);
    ASSERT_NE(modeless, nullptr);
    EXPECT_EQ(modeless->kind, "Modeless");
    EXPECT_TRUE(modeless->up && modeless->close && modeless->help && !modeless->ok);
    const GuiDialog *sidebar = host().findDialog(*addOn.sidebar1);
    ASSERT_NE(sidebar, nullptr);
    EXPECT_EQ(sidebar->kind, "Sidebar");
    EXPECT_TRUE(sidebar->active);
    EXPECT_EQ(sidebar->addOn, host().registrations().back().handle);

    // Acting on the dialogs: the stubs keep the lock balanced.
    ASSERT_TRUE(host().setTextField(name->id, "Ada", &error)) << error;
    host().queueColor(5);
    ASSERT_TRUE(host().press("Colour", &error)) << error;
    EXPECT_EQ(host().findControl(*addOn.colourButton)->color, 5);
    ASSERT_TRUE(host().pressDialogButton(*addOn.dialog1, "Apply", &error)) << error;
    EXPECT_FALSE(host().findDialog(*addOn.dialog1)->applySensitive);
    ASSERT_TRUE(host().pressDialogButton(*addOn.dialog1, "Help", &error)) << error;
    ASSERT_FALSE(host().messages().empty());
    EXPECT_EQ(host().messages().back().text, "On-line Help not available for this dialog.");
    EXPECT_EQ(host().messages().back().boxType, MessageBox_Information);
    ASSERT_TRUE(host().pressDialogButton(*addOn.dialog2, "Close", &error)) << error;
    ASSERT_TRUE(host().pressDialogButton(*addOn.dialog1, "OK", &error)) << error;
    EXPECT_FALSE(host().findDialog(*addOn.dialog1)->up);
    EXPECT_FALSE(host().lockHeld());

    // The builder functions do not build twice; the dialog comes up again.
    const size_t dialogs = host().dialogs().size();
    ASSERT_TRUE(host().chooseMenuOption("Tools", GetParam().label, &error)) << error;
    EXPECT_EQ(host().dialogs().size(), dialogs);
    ASSERT_TRUE(host().pressDialogButton(*addOn.dialog1, "Cancel", &error)) << error;
    EXPECT_TRUE(host().faults().empty()) << host().faults().front();
    EXPECT_FALSE(host().lockHeld());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, GeneratedCallsTest,
                         ::testing::Values(Variant{"Generated C", GeneratedAddOnC},
                                           Variant{"Generated C++", GeneratedAddOnCpp}),
                         [](const ::testing::TestParamInfo<Variant> &info) {
                             return std::string(info.index == 0 ? "C99" : "Cpp17");
                         });

} // namespace
