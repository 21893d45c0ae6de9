// The Preview command against the reference host: what it refuses, the
// dialogs, sidebars and pages it makes, the controls' preview values, the
// page table limits, and that it writes and saves nothing.
#include "HostFixture.h"

#include "classic/BuildState.h"
#include "commands/Preview.h"
#include "model/HostResources.h"
#include "shell/Settings.h"
#include "shell/Startup.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace qgbtest {
namespace {

namespace qb = quorvin::builder;
namespace qh = quorvin::host;
using qh::FrameSpec;
using qh::GuiControl;
using qh::GuiDialog;
using qh::TextSpec;

const char *const kPageRefused =
    "Preview is not available.\nPlease select a modal or modeless dialog and try again";
const char *const kCloseButtonMessage =
    "The preview dialog will have a close button since that is the only way the preview dialog "
    "can be closed.\nThe dialog generated in the source code will not have a close button.";
const char *const kSidebarLimit =
    "Cannot create a sidebar preview; too many sidebars are already registered.";

class PreviewTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        StartAddOn();
    }

    // The add-on's objects as start-up makes them, and no preview yet.
    void StartAddOn() {
        qb::BuildState = qb::BuildStateT{};
        qb::BuildHooks = qb::GeneratorHooks{};
        qb::ResetPreviewState();
        qb::AllocatePageSets();
        qb::BuildNameList = QorUtilStringListAlloc();
        RegisterAddOn();
    }

    // A fresh host and a freshly started add-on (cases of one test).
    void FreshHost() {
        qb::FreeHostObjects();
        host().reset();
        StartAddOn();
    }
    void TearDown() override {
        EXPECT_TRUE(host().drawingOn());
        qb::FreeHostObjects();
        qb::BuildState = qb::BuildStateT{};
        HostFixture::TearDown();
    }

    // As the tool dialog's Preview button does: inside the add-on lock.
    void Preview() {
        qb::LockGuard lock(qb::AddOnHandle);
        qb::PreviewCommand();
    }

    UniqueID_t Frame(const std::string &name, int linkGroup = 0) {
        FrameSpec spec;
        spec.name = name;
        spec.x = 1;
        spec.y = 0.25;
        spec.width = 4;
        spec.height = 3;
        spec.linkGroup = linkGroup;
        spec.linkSizeAndPosition = linkGroup != 0;
        return host().addFrame(spec);
    }

    // A 12-point control text at (x, y) percent of the current frame.
    Text_ID Control(const std::string &string, const std::string &command,
                    TextBox_e box = TextBox_Filled, double x = 10, double y = 80) {
        TextSpec spec;
        spec.string = string;
        spec.command = command;
        spec.boxType = box;
        spec.x = x;
        spec.y = y;
        return host().addText(spec);
    }

    // A dialog frame with one push button (the layout checks need a control).
    UniqueID_t Dialog(const std::string &name) {
        const UniqueID_t id = Frame(name);
        Control("Run", "VarName=Run");
        return id;
    }

    std::vector<std::string> Errors() const {
        std::vector<std::string> errors;
        for (const qh::Message &m : host().messages())
            if (m.call == qh::Message::Call::ErrMsg)
                errors.push_back(m.text);
        return errors;
    }

    std::vector<const GuiControl *> ControlsOf(GUIInt_t parent) const {
        std::vector<const GuiControl *> found;
        for (const auto &entry : host().controls())
            if (entry.second.parent == parent)
                found.push_back(&entry.second);
        return found;
    }

    std::vector<std::string> PageLabels(GUIInt_t tab) const {
        std::vector<std::string> labels;
        for (const GuiControl *c : ControlsOf(tab))
            labels.push_back(c->labels.empty() ? "" : c->labels.front());
        return labels;
    }

    const GuiControl *OnlyControlOfKind(GUIInt_t dialog, const std::string &kind) const {
        const GuiControl *found = nullptr;
        for (const auto &entry : host().controls()) {
            const GuiControl &c = entry.second;
            if (c.kind != kind)
                continue;
            const GuiDialog *d = host().findDialog(dialog);
            if (!d || std::find(d->controls.begin(), d->controls.end(), c.id) == d->controls.end())
                continue;
            EXPECT_EQ(found, nullptr) << "more than one " << kind;
            found = &c;
        }
        return found;
    }

    GUIInt_t Handle() const { return qb::BuildState.PreviewHandle; }
};

TEST_F(PreviewTest, FormAndTabPagesAreRefusedWithTheExactText) {
    const std::vector<std::pair<std::string, int>> pages = {
        {"TABPAGE=T ID=1 POS=1 TITLE=\"General\"", 1},
        {"FORMPAGE=TRUE ID=1", 2},
        {"TABPAGE=TRUE ID=2 TITLE=\"Unlinked\"", 0}, // by its name, linked or not
    };
    for (const auto &[name, group] : pages) {
        SCOPED_TRACE(name);
        FreshHost();
        Dialog("ID=1 TITLE=\"Main\" MODE=MODELESS");
        Frame(name, group);
        Control("Label", "VarName=L", TextBox_None);
        host().clearMessages();
        Preview();
        EXPECT_EQ(Errors(), std::vector<std::string>{kPageRefused});
        EXPECT_TRUE(host().dialogs().empty());
        EXPECT_EQ(Handle(), BADDIALOGID);
    }
}

TEST_F(PreviewTest, EmptyWorkspaceIsReportedClearly) {
    Preview();
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_NE(Errors()[0].find("There is no frame to preview."), std::string::npos);
    EXPECT_TRUE(host().dialogs().empty());
}

TEST_F(PreviewTest, DialogsAreTitledAsPreviewsWithTheirButtons) {
    struct Row {
        const char *name;
        const char *kind;
        const char *title;
        bool closeMessage;
        bool ok, apply, cancel, help, close;
    };
    const std::vector<Row> rows = {
        {"ID=1 TITLE=\"Settings\"", "Modal", "Settings - [Preview]", false, true, false, true, true,
         false},
        {"ID=1 TITLE=\"Settings\" APPLYBUTTON=T HELPBUTTON=F", "Modal", "Settings - [Preview]",
         false, true, true, true, false, false},
        {"ID=3 TITLE=\"Find\" MODE=MODELESS", "Modeless", "Find - [Preview]", false, false, false,
         false, true, true},
        {"ID=3 TITLE=\"Find\" MODE=MODELESS OKCLOSEBUTTON=FALSE HELPBUTTON=F", "Modeless",
         "Find - [Preview]", true, false, false, false, false, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        FreshHost();
        Dialog(row.name);
        host().clearMessages();
        Preview();
        const GuiDialog *d = host().findDialog(Handle());
        ASSERT_NE(d, nullptr) << DescribeMessages();
        EXPECT_EQ(d->kind, row.kind);
        EXPECT_EQ(d->title, row.title);
        EXPECT_EQ(d->parent, -1);
        EXPECT_TRUE(d->up);
        EXPECT_NE(d->init, nullptr);
        EXPECT_EQ(d->ok != nullptr, row.ok);
        EXPECT_EQ(d->apply != nullptr, row.apply);
        EXPECT_EQ(d->cancel != nullptr, row.cancel);
        EXPECT_EQ(d->help != nullptr, row.help);
        EXPECT_EQ(d->close != nullptr, row.close);
        const std::vector<std::string> texts = MessageTexts();
        const bool shown =
            std::find(texts.begin(), texts.end(), kCloseButtonMessage) != texts.end();
        EXPECT_EQ(shown, row.closeMessage);
        EXPECT_TRUE(Errors().empty()) << DescribeMessages();
        // The controls are there too: the push button "Run".
        EXPECT_NE(OnlyControlOfKind(d->id, "Button"), nullptr);
    }
}

TEST_F(PreviewTest, ModalDialogWithoutOkIsRefusedByTheBuildRules) {
    Dialog("ID=1 TITLE=\"NoWayOut\" OKCLOSEBUTTON=FALSE CANCELBUTTON=FALSE");
    Preview();
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_NE(Errors()[0].find("Modeless dialogs must have an OK button"), std::string::npos);
    EXPECT_TRUE(host().dialogs().empty());
    const std::vector<std::string> texts = MessageTexts();
    EXPECT_EQ(std::find(texts.begin(), texts.end(), kCloseButtonMessage), texts.end());
}

TEST_F(PreviewTest, ButtonsOfThePreviewDropItAndANewPreviewDropsTheOldOne) {
    Dialog("ID=3 TITLE=\"Find\" MODE=MODELESS");
    Preview();
    const GUIInt_t first = Handle();
    ASSERT_TRUE(host().findDialog(first)->up);
    Preview();
    const GUIInt_t second = Handle();
    ASSERT_NE(first, second);
    EXPECT_FALSE(host().findDialog(first)->up) << "the old preview is dropped";
    EXPECT_TRUE(host().findDialog(second)->up);
    std::string error;
    ASSERT_TRUE(host().pressDialogButton(second, "Help", &error)) << error;
    EXPECT_TRUE(host().findDialog(second)->up) << "help does nothing";
    ASSERT_TRUE(host().pressDialogButton(second, "Close", &error)) << error;
    EXPECT_FALSE(host().findDialog(second)->up);

    // A modal preview: Cancel drops it too.
    FreshHost();
    Dialog("ID=1 TITLE=\"Settings\"");
    Preview();
    ASSERT_TRUE(host().pressDialogButton(Handle(), "Cancel", &error)) << error;
    EXPECT_FALSE(host().findDialog(Handle())->up);
}

TEST_F(PreviewTest, SidebarPreviewsAreNumberedAndRegisteredForTheBuilder) {
    Frame("ID=1 TITLE=\"Tools\" SIDEBAR=T");
    Control("Run", "VarName=Run");
    Preview();
    Preview();
    const GuiDialog *first = host().findDialogByTitle("Tools [Preview 1]");
    const GuiDialog *second = host().findDialogByTitle("Tools [Preview 2]");
    ASSERT_NE(first, nullptr) << DescribeMessages();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->id, Handle());
    EXPECT_EQ(second->kind, "Sidebar");
    EXPECT_EQ(second->addOn, qb::AddOnHandle);
    EXPECT_TRUE(second->active);
    EXPECT_FALSE(first->active) << "one sidebar is shown at a time";
    EXPECT_NE(second->activate, nullptr);
    EXPECT_NE(second->deactivate, nullptr);
    EXPECT_EQ(qb::SidebarPreviewNumber(), 3);
    EXPECT_TRUE(Errors().empty()) << DescribeMessages();
}

TEST_F(PreviewTest, SidebarLimitIsReportedAndNothingShown) {
    for (int i = 0; i < 64; ++i) {
        if (QorGUISidebarRegister("Filler", qb::AddOnHandle, 100, 100, nullptr, nullptr) ==
            BADDIALOGID)
            break;
    }
    const size_t before = host().dialogs().size();
    Frame("ID=1 TITLE=\"Tools\" SIDEBAR=T");
    Control("Run", "VarName=Run");
    Preview();
    EXPECT_EQ(Errors(), std::vector<std::string>{kSidebarLimit});
    EXPECT_EQ(host().dialogs().size(), before);
    EXPECT_EQ(Handle(), BADDIALOGID);
    EXPECT_EQ(qb::SidebarPreviewNumber(), 1) << "the counter grows only with a sidebar made";
}

TEST_F(PreviewTest, FormPagesBecomeTabsInPosOrder) {
    // Pages of group 2 (IDs 1 to 3, POS 2, 3, 1), a page of group 5 that no
    // control of the dialog shows, and the page with ID 1 holds a button.
    Frame("FORMPAGE=TRUE ID=1 POS=2", 2);
    Control("Inside", "VarName=Inside");
    Frame("FORMPAGE=TRUE ID=2 POS=3", 2);
    Control("Label", "VarName=L2", TextBox_None);
    Frame("FORMPAGE=TRUE ID=3 POS=1", 2);
    Control("Label", "VarName=L3", TextBox_None);
    Frame("FORMPAGE=TRUE ID=4 POS=1", 5);
    Control("Other", "VarName=Other");
    Dialog("ID=1 TITLE=\"Forms\"");
    Control("FM:GROUP=2\n\n\n", "VarName=Pages", TextBox_Filled, 10, 50);
    Preview();
    ASSERT_TRUE(Errors().empty()) << DescribeMessages();
    const GuiControl *form = OnlyControlOfKind(Handle(), "Tab");
    ASSERT_NE(form, nullptr) << "the form control is shown as a tab control";
    EXPECT_EQ(OnlyControlOfKind(Handle(), "Form"), nullptr);
    EXPECT_EQ(PageLabels(form->id), (std::vector<std::string>{"[Form 3]", "[Form 1]", "[Form 2]"}));
    // The button of page 1 lies inside that page; the page of group 5 is not made.
    const GuiControl *inside = host().findControlByLabel(Handle(), "Inside");
    ASSERT_NE(inside, nullptr);
    const GuiControl *page = host().findControl(inside->parent);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->kind, "TabPage");
    EXPECT_EQ(page->labels.front(), "[Form 1]");
    EXPECT_EQ(host().findControlByLabel(Handle(), "Other"), nullptr);
    // The dialog's own button is still a child of the dialog itself.
    EXPECT_EQ(host().findControlByLabel(Handle(), "Run")->parent, Handle());
}

TEST_F(PreviewTest, TabPagesOfEqualPosKeepTheHostsPopOrder) {
    // The bottom frame comes first in the host's walk.
    Frame("TABPAGE=T ID=2 POS=1 TITLE=\"Second made first\"", 4);
    Control("Label", "VarName=L1", TextBox_None);
    Frame("TABPAGE=T ID=1 POS=1 TITLE=\"First\"", 4);
    Control("Label", "VarName=L2", TextBox_None);
    Frame("TABPAGE=T ID=3 POS=0 TITLE=\"Zero\"", 4);
    Control("Label", "VarName=L3", TextBox_None);
    Dialog("ID=1 TITLE=\"Tabs\" MODE=MODELESS");
    Control("TAB:GROUP=4\n\n\n", "VarName=Tabs", TextBox_Filled, 10, 50);
    Preview();
    ASSERT_TRUE(Errors().empty()) << DescribeMessages();
    const GuiControl *tab = OnlyControlOfKind(Handle(), "Tab");
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(PageLabels(tab->id),
              (std::vector<std::string>{"Zero", "Second made first", "First"}));
}

TEST_F(PreviewTest, PagesBeyondThePageTablesAreReportedAndLeftOut) {
    // Group 32: ID 30 fits (30 x 32 + 32 = 992), ID 31 does not (1024); a
    // page without ID cannot be placed at all.
    Frame("TABPAGE=T ID=30 POS=1 TITLE=\"Fits\"", 32);
    Control("Kept", "VarName=Kept");
    Frame("TABPAGE=T ID=31 POS=2 TITLE=\"Beyond\"", 32);
    Control("Lost", "VarName=Lost");
    Frame("TABPAGE=T POS=3 TITLE=\"NoId\"", 32);
    Control("Label", "VarName=L", TextBox_None);
    Frame("FORMPAGE=T ID=40 POS=1", 1);
    Control("Label", "VarName=L2", TextBox_None);
    Dialog("ID=1 TITLE=\"Limits\" MODE=MODELESS");
    Control("TAB:GROUP=32\n\n\n", "VarName=Tabs", TextBox_Filled, 10, 50);
    Control("FM:GROUP=1\n\n\n", "VarName=Forms", TextBox_Filled, 50, 50);
    Preview();

    const std::vector<std::string> errors = Errors();
    ASSERT_EQ(errors.size(), 3u) << DescribeMessages();
    const auto reported = [&errors](const std::string &frame, const std::string &why) {
        for (const std::string &e : errors)
            if (e.find(frame) != std::string::npos && e.find(why) != std::string::npos &&
                e.find("left out of the preview") != std::string::npos)
                return true;
        return false;
    };
    EXPECT_TRUE(
        reported("TABPAGE=T ID=31 POS=2 TITLE=\"Beyond\"", "ID=31 in frame linking group 32"));
    EXPECT_TRUE(reported("TABPAGE=T POS=3 TITLE=\"NoId\"", "no ID="));
    EXPECT_TRUE(reported("FORMPAGE=T ID=40 POS=1", "ID=40 in frame linking group 1"));

    // The dialog is still shown, with the page that fits and its control.
    const GuiDialog *d = host().findDialog(Handle());
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->up);
    std::vector<const GuiControl *> tabs;
    for (const GuiControl *c : ControlsOf(Handle()))
        if (c->kind == "Tab")
            tabs.push_back(c);
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(PageLabels(tabs[0]->id), std::vector<std::string>{"Fits"});
    EXPECT_TRUE(PageLabels(tabs[1]->id).empty());
    EXPECT_NE(host().findControlByLabel(Handle(), "Kept"), nullptr);
    EXPECT_EQ(host().findControlByLabel(Handle(), "Lost"), nullptr);
}

TEST_F(PreviewTest, ControlsGetThePreviewsValuesAndCallbacks) {
    Dialog("ID=1 TITLE=\"Values\" MODE=MODELESS");
    Control("OPT:    ", "VarName=Choice ToolTip=\"Pick one\"", TextBox_Filled, 10, 70);
    Control("SC:     ", "VarName=Level SHOWLABEL=FALSE", TextBox_Filled, 10, 60);
    Control("SC:     ", "VarName=Volume", TextBox_Filled, 50, 60);
    Control("Paint", "VarName=Paint ColorIndex=3", TextBox_Filled, 10, 50);
    Control("<math>7</math> Red\n~7 Blue", "VarName=Colour", TextBox_Hollow, 10, 40);
    Control("~7 Bold", "VarName=Bold", TextBox_None, 10, 25);
    Control("Two\\nlines", "VarName=Two", TextBox_None, 50, 25);
    Control("TF:    ", "VarName=Name", TextBox_Filled, 10, 10);
    Preview();
    ASSERT_TRUE(Errors().empty()) << DescribeMessages();
    const GUIInt_t d = Handle();

    const GuiControl *option = OnlyControlOfKind(d, "OptionMenu");
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->optionList, "Option1,Option2,Option3");
    EXPECT_EQ(option->toolTip, "Pick one");
    EXPECT_NE(option->intCallback, nullptr);

    std::vector<const GuiControl *> scales;
    for (const GuiControl *c : ControlsOf(d))
        if (c->kind == "Scale")
            scales.push_back(c);
    ASSERT_EQ(scales.size(), 2u);
    EXPECT_EQ(scales[0]->scaleMin, 0);
    EXPECT_EQ(scales[0]->scaleMax, 100);
    const bool levelFirst = scales[0]->x < scales[1]->x;
    EXPECT_FALSE((levelFirst ? scales[0] : scales[1])->numericDisplay) << "SHOWLABEL=FALSE";
    EXPECT_TRUE((levelFirst ? scales[1] : scales[0])->numericDisplay);

    const GuiControl *paint = OnlyControlOfKind(d, "ColoredButton");
    ASSERT_NE(paint, nullptr);
    EXPECT_EQ(paint->color, 3);
    EXPECT_EQ(paint->labels.front(), "Paint");

    const GuiControl *radio = OnlyControlOfKind(d, "RadioBox");
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->labels, (std::vector<std::string>{"Red", "Blue"}));

    const GuiControl *toggle = OnlyControlOfKind(d, "Toggle");
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->labels.front(), "Bold");

    const GuiControl *label = host().findControlByLabel(d, "Two\nlines");
    ASSERT_NE(label, nullptr) << "a typed backslash-n is a line break";
    EXPECT_EQ(label->kind, "Label");

    // The built-in callbacks: text accepted, the colour chooser opened.
    const GuiControl *field = OnlyControlOfKind(d, "TextField");
    ASSERT_NE(field, nullptr);
    ASSERT_NE(field->textCallback, nullptr);
    EXPECT_EQ(field->textCallback("anything"), 1);
    host().queueColor(5);
    std::string error;
    ASSERT_TRUE(host().pressControl(paint->id, &error)) << error;
    ASSERT_TRUE(host().pressControl(toggle->id, &error)) << error;
    EXPECT_TRUE(host().findDialog(d)->up);
}

TEST_F(PreviewTest, NothingIsWrittenAndTheLayoutIsNotSaved) {
    const std::filesystem::path dir =
        std::filesystem::path(QGB_BINARY_DIR) / "test-output" / "preview-writes-nothing";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    Dialog("ID=1 TITLE=\"Quiet\"");
    Control("OPT:    ", "VarName=Choice", TextBox_Filled, 10, 50);

    // Never saved: the preview goes ahead all the same.
    host().recordCalls(true);
    Preview();
    EXPECT_NE(host().findDialog(Handle()), nullptr) << DescribeMessages();
    // Named but not saved: still nothing on disk.
    host().setLayoutFileName((dir / "design.lay").string());
    Preview();
    host().recordCalls(false);
    EXPECT_TRUE(Errors().empty()) << DescribeMessages();
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << "no file beside the layout";
    EXPECT_FALSE(host().calls().empty());
    for (const std::string &call : host().calls())
        EXPECT_NE(call, "QorUtilSaveLayout");
    for (const std::string &text : MessageTexts())
        EXPECT_EQ(text.find("New GUI stub files"), std::string::npos);
}

} // namespace
} // namespace qgbtest

namespace qgbtest {
namespace {

void StartBuilder() {
    quorvin::builder::InitAddOn();
}

// The Preview button and menu item of the real tool dialog.
class ToolDialogPreviewTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        qb::BuildState = qb::BuildStateT{};
        qb::ResetPreviewState();
        host().startAddOn(StartBuilder);
    }
    void TearDown() override {
        host().quit();
        HostFixture::TearDown();
    }
};

TEST_F(ToolDialogPreviewTest, ButtonAndMenuItemPreviewTheCurrentFrame) {
    FrameSpec page;
    page.name = "TABPAGE=T ID=1 POS=1 TITLE=\"Page\"";
    page.linkGroup = 1;
    page.linkSizeAndPosition = true;
    host().addFrame(page);
    FrameSpec dialog;
    dialog.name = "ID=2 TITLE=\"Find\" MODE=MODELESS";
    const UniqueID_t dialogFrame = host().addFrame(dialog);
    TextSpec button;
    button.string = "Find Next";
    button.command = "VarName=Next";
    button.boxType = TextBox_Filled;
    host().addText(button);

    std::string error;
    ASSERT_TRUE(host().chooseMenuOption("Tools", "Quorvin GUI Builder", &error)) << error;
    ASSERT_TRUE(host().press("Preview Layout", &error)) << error;
    const GuiDialog *first = host().findDialogByTitle("Find - [Preview]");
    ASSERT_NE(first, nullptr) << DescribeMessages();
    const GUIInt_t firstId = first->id;
    EXPECT_TRUE(first->up);
    EXPECT_NE(host().findControlByLabel(firstId, "Find Next"), nullptr);

    ASSERT_TRUE(host().press("Layout/Preview Dialog Layout...", &error)) << error;
    EXPECT_FALSE(host().findDialog(firstId)->up);
    size_t previews = 0;
    for (const auto &entry : host().dialogs())
        if (entry.second.title == "Find - [Preview]") {
            ++previews;
            EXPECT_EQ(entry.second.up, entry.first != firstId);
        }
    EXPECT_EQ(previews, 2u);

    // With the page current the same button refuses.
    ASSERT_TRUE(host().makeCurrent(host().frames().front().uniqueId));
    host().clearMessages();
    ASSERT_TRUE(host().press("Preview Layout", &error)) << error;
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{kPageRefused});
    EXPECT_TRUE(host().makeCurrent(dialogFrame));
    EXPECT_FALSE(host().lockHeld());
}

} // namespace
} // namespace qgbtest
