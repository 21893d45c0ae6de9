// GUI records and the driving API's actions on dialogs: what is recorded,
// what a press refuses, and how the lock of an add-on's modal dialog is judged.
#include "HostFixture.h"

namespace quorvin::host::testing {
namespace {

using Events = std::vector<std::string>;
AddOn_pa gAddOn = nullptr;
Events gEvents;
GUIInt_t gModal = BADDIALOGID;

void (*const OnButton)() = [] { gEvents.push_back("button"); };
void (*const OnMenuItem)() = [] { gEvents.push_back("menu item"); };
void (*const OnValue)(const GUIInt_t *) = [](const GUIInt_t *v) {
    gEvents.push_back("value " + std::to_string(*v));
};
GUIInt_t (*const OnText)(const char *) = [](const char *v) {
    gEvents.push_back(std::string("text ") + v);
    return GUIInt_t(1);
};

// A modal dialog in the add-on's own style: its initialisation starts the
// lock, OK drops the dialog and finishes it; this Cancel forgets to.
void (*const ModalInit)() = [] {
    QorUtilLockStart(gAddOn);
    gEvents.push_back("init");
};
void (*const ModalOk)() = [] {
    QorGUIDialogDrop(gModal);
    QorUtilLockFinish(gAddOn);
    gEvents.push_back("ok");
};
void (*const ModalCancelForgetsTheLock)() = [] { QorGUIDialogDrop(gModal); };
void (*const OpenModal)() = [] {
    QorUtilLockStart(gAddOn);
    QorGUIDialogLaunch(gModal);
    QorUtilLockFinish(gAddOn);
};

class GuiTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        host().startAddOn([] { gAddOn = QorUtilAddOnRegister(100, "GUI test", "1", "Us"); });
        gEvents.clear();
    }
    static GUIInt_t modeless(const char *title) {
        return QorGUIDialogCreateModeless(-1, 100, 100, title, nullptr, OnButton, nullptr);
    }
};

// How controls of every kind are recorded is checked with the generated-style
// add-on in test_sdk; these are the host's own rules.
TEST_F(GuiTest, IdentifiersCountFromOneAndControlsNeedAFittingParent) {
    const GUIInt_t dialog = modeless("GUI Builder");
    ASSERT_EQ(dialog, 1);
    const GUIInt_t radio = QorGUIRadioBoxAdd(dialog, 10, 20, 300, 200, "One", "Two", nullptr,
                                             "ignored after the first NULL", nullptr, OnValue);
    EXPECT_EQ(host().findControl(radio)->labels, (Events{"One", "Two"}));
    const GUIInt_t tab = QorGUITabAdd(dialog, 5, 5, 500, 400, OnValue, OnValue);
    const GUIInt_t page = QorGUITabAddPage(tab, "Page 1");
    const GUIInt_t onPage = QorGUITextFieldAdd(page, 1, 2, 3, 4, OnText);
    EXPECT_EQ(host().findControl(onPage)->parent, page);
    EXPECT_EQ(host().findDialog(dialog)->controls,
              (std::vector<GUIInt_t>{radio, tab, page, onPage}));

    EXPECT_EQ(QorGUIFormAddPage(tab), BADDIALOGID); // a tab is no form
    EXPECT_EQ(QorGUITextFieldAdd(radio, 0, 0, 1, 1, OnText), BADDIALOGID);
    EXPECT_EQ(
        QorGUIDialogCreateModal(55, 1, 1, "orphan", nullptr, nullptr, nullptr, nullptr, nullptr),
        BADDIALOGID);
    EXPECT_EQ(takeFaults().size(), 3u);
}

TEST_F(GuiTest, SidebarsAreLimitedAndOneIsActiveAtATime) {
    std::vector<GUIInt_t> ids;
    for (int i = 0; i < 8; ++i) {
        ids.push_back(QorGUISidebarRegister("S", gAddOn, 100, 100, OnButton, OnMenuItem));
        EXPECT_NE(ids.back(), BADDIALOGID);
    }
    EXPECT_EQ(QorGUISidebarRegister("S", gAddOn, 100, 100, nullptr, nullptr), BADDIALOGID);
    QorGUISidebarActivate(ids[0]);
    QorGUISidebarActivate(ids[1]);
    EXPECT_EQ(gEvents, (Events{"button", "menu item", "button"}));
    EXPECT_FALSE(QorGUIDialogIsUp(ids[0]));
    EXPECT_TRUE(QorGUIDialogIsUp(ids[1]));
    EXPECT_FALSE(QorGUIDialogIsUp(BADDIALOGID));
}

TEST_F(GuiTest, PressFindsControlsByLabelToolTipOrMenuPathAndRefusesInsensitiveOnes) {
    const GUIInt_t dialog = modeless("Tools");
    const GUIInt_t button = QorGUIButtonAdd(dialog, 0, 0, 10, 10, "Go", OnButton);
    const char pixel[3] = {0, 0, 0};
    QorGUISetToolTip(
        QorGUIBitmapToggleAdd(dialog, 0, 0, 10, 10, 1, 1, pixel, FALSE, 0, 0, 0, OnValue),
        "Anchor Controls to Paper");
    const GUIInt_t align =
        QorGUIMenuAdd(QorGUIMenuAdd(QorGUIMenuBarAdd(dialog), "Layout"), "Align");
    const GUIInt_t left = QorGUIMenuAddItem(align, "Left", "Align the left edges", OnMenuItem);

    std::string error;
    EXPECT_FALSE(host().press("Go", &error)); // the dialog is not up yet
    EXPECT_NE(error.find("in a dialog that is up"), std::string::npos) << error;
    QorGUIDialogLaunch(dialog);
    for (const char *what : {"Go", "Anchor Controls to Paper", "Layout/Align/Left", "Left",
                             "Anchor Controls to Paper"})
        EXPECT_TRUE(host().press(what, &error)) << error;
    EXPECT_EQ(gEvents, (Events{"button", "value 1", "menu item", "menu item", "value 0"}));

    gEvents.clear();
    QorGUISetSensitivity(button, FALSE);
    EXPECT_FALSE(host().press("Go", &error));
    EXPECT_EQ(error, "\"Go\" is insensitive and cannot be pressed");
    QorGUISetSensitivity(left, FALSE);
    EXPECT_FALSE(host().press("Layout/Align/Left", &error));
    EXPECT_FALSE(host().press("Nowhere", &error));
    EXPECT_TRUE(gEvents.empty()); // no command ran
}

TEST_F(GuiTest, ValuesAreSetAsAUserWouldAndReachTheCallbacks) {
    const GUIInt_t dialog = modeless("Values");
    const GUIInt_t radio = QorGUIRadioBoxAdd(dialog, 0, 0, 10, 10, "Push Button", "Toggle", nullptr,
                                             nullptr, nullptr, OnValue);
    const GUIInt_t field = QorGUITextFieldAdd(dialog, 0, 0, 10, 10, OnText);
    const GUIInt_t readOnly = QorGUITextAdd(dialog, 0, 0, 10, 10, TRUE, OnText);
    const GUIInt_t toggle = QorGUIToggleAdd(dialog, 0, 0, 10, 10, "Use", OnValue);
    QorGUIDialogLaunch(dialog);

    std::string error;
    EXPECT_TRUE(host().setRadioBox(radio, 2, &error));
    EXPECT_FALSE(host().setRadioBox(radio, 3, &error));
    EXPECT_TRUE(host().setTextField(field, "FF0000", &error));
    EXPECT_FALSE(host().setTextField(readOnly, "no", &error));
    EXPECT_TRUE(host().setToggle(toggle, true, &error));
    EXPECT_EQ(gEvents, (Events{"value 2", "text FF0000", "value 1"}));
    EXPECT_EQ(QorGUIRadioBoxGetToggle(radio), 2);
    EXPECT_TRUE(QorGUIToggleGet(toggle));
    char *value = QorGUITextFieldGetString(field);
    EXPECT_STREQ(value, "FF0000");
    QorUtilStringDealloc(&value);

    QorGUITextFieldSetString(field, "abc");
    QorGUIRadioBoxSetToggle(radio, 1);
    EXPECT_EQ(host().findControl(field)->stringValue, "abc");
    EXPECT_EQ(QorGUIRadioBoxGetToggle(radio), 1);
    QorGUIRadioBoxSetToggle(radio, 9);
    QorGUIToggleGet(radio);
    EXPECT_EQ(takeFaults().size(), 2u);
}

TEST_F(GuiTest, AModalDialogHoldsItsLockOnceAndMustFinishItWhenDropped) {
    gModal = QorGUIDialogCreateModal(-1, 100, 100, "Options", ModalInit, ModalOk, nullptr,
                                     ModalCancelForgetsTheLock, nullptr);
    QorUtilMenuAddOption("Tools", "Options", 'O', OpenModal);
    ASSERT_TRUE(host().chooseMenuOption("Tools", "Options", nullptr));
    EXPECT_TRUE(host().lockHeld()); // held by the dialog, which is fine
    // Launching again while up neither initialises again nor locks again.
    ASSERT_TRUE(host().chooseMenuOption("Tools", "Options", nullptr));
    std::string error;
    EXPECT_FALSE(host().pressDialogButton(gModal, "Help", &error));
    EXPECT_EQ(error, "dialog \"Options\" has no Help button");
    ASSERT_TRUE(host().pressDialogButton(gModal, "OK", &error)) << error;
    EXPECT_FALSE(host().lockHeld());
    EXPECT_EQ(gEvents, (Events{"init", "ok"}));
    EXPECT_FALSE(host().pressDialogButton(gModal, "OK", &error)); // not up
    EXPECT_FALSE(host().pressDialogButton(gModal, "Apply", nullptr));

    // Dropping the dialog without finishing its lock is a fault of that command.
    ASSERT_TRUE(host().chooseMenuOption("Tools", "Options", nullptr));
    ASSERT_TRUE(host().pressDialogButton(gModal, "Cancel", &error)) << error;
    expectFault("dialog \"Options\" was dropped while its lock was still held");
    EXPECT_FALSE(host().lockHeld());
}

} // namespace
} // namespace quorvin::host::testing
