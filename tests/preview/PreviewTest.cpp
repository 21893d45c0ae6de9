// The Preview command against the reference host: what it refuses, the
// dialogs, sidebars and pages it makes, the controls' preview values, the
// page table limits, and that it writes and saves nothing.
#include "PreviewSupport.h"

#include "classic/BuildState.h"
#include "commands/Preview.h"
#include "model/Settings.h"
#include "shell/Startup.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace qgbtest {
namespace {

namespace qb = quorvin::builder;
namespace qh = quorvin::host;
using qh::GuiControl;
using qh::GuiDialog;

const char *const kPageRefused =
    "Preview is not available.\nPlease select a modal or modeless dialog and try again";

using Frames = std::vector<std::pair<std::string, int>>; // frame name, link group

class PreviewTest : public PreviewFixture {
  protected:
    // Frames from the bottom up, each with one push button.
    static void Lay(const Frames &frames) {
        int n = 0;
        for (const auto &[name, group] : frames) {
            AddFrame(name, group);
            const std::string run = "Run" + std::to_string(++n);
            AddControl(run, "VarName=" + run);
        }
    }

    // The controls of a dialog (pages' controls included) of one kind.
    static std::vector<const GuiControl *> OfKind(GUIInt_t dialog, const std::string &kind) {
        std::vector<const GuiControl *> found;
        for (GUIInt_t id : host().findDialog(dialog)->controls)
            if (host().findControl(id)->kind == kind)
                found.push_back(host().findControl(id));
        return found;
    }
    static const GuiControl *Only(GUIInt_t dialog, const std::string &kind) {
        const std::vector<const GuiControl *> found = OfKind(dialog, kind);
        EXPECT_EQ(found.size(), 1u) << kind;
        return found.size() == 1 ? found.front() : nullptr;
    }

    // The texts of the messages shown so far, please-wait notes apart.
    static std::vector<std::string> Shown() {
        std::vector<std::string> texts;
        for (const qh::Message &m : host().messages())
            if (m.call != qh::Message::Call::PleaseWait)
                texts.push_back(m.text);
        return texts;
    }

    static std::vector<std::string> PageLabels(GUIInt_t tab) {
        std::vector<std::string> labels;
        for (const auto &entry : host().controls())
            if (entry.second.parent == tab)
                labels.push_back(entry.second.labels.at(0));
        return labels;
    }
};

TEST_F(PreviewTest, RefusalsShowOnlyTheirMessageAndNoDialog) {
    struct Row {
        const char *what;
        Frames frames; // the last is current
        std::string error;
    };
    const std::vector<Row> rows = {
        {"linked tab page",
         {{"ID=1 TITLE=\"Main\" MODE=MODELESS", 0}, {"TABPAGE=T ID=1 POS=1 TITLE=\"General\"", 1}},
         kPageRefused},
        {"form page", {{"ID=1 TITLE=\"Main\"", 0}, {"FORMPAGE=TRUE ID=1", 2}}, kPageRefused},
        {"unlinked tab page (by its name)",
         {{"TABPAGE=TRUE ID=2 TITLE=\"Unlinked\"", 0}},
         kPageRefused},
        {"empty workspace",
         {},
         "There is no frame to preview.\nPlease insert a dialog or sidebar frame and try again."},
        {"modal dialog that cannot be closed",
         {{"ID=1 TITLE=\"NoWayOut\" OKCLOSEBUTTON=FALSE CANCELBUTTON=FALSE", 0}},
         "Cannot build dialog.\nModeless dialogs must have an OK button.\nPlease add an OK button "
         "by adding the string\n\"OKCLOSEBUTTON=TRUE\" to the dialog frame name."},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        FreshHost();
        Lay(row.frames);
        host().clearMessages();
        Preview();
        EXPECT_EQ(Shown(), std::vector<std::string>{row.error}) << "no close-button note";
        EXPECT_EQ(Errors().size(), 1u);
        EXPECT_TRUE(host().dialogs().empty());
        EXPECT_EQ(Handle(), BADDIALOGID);
    }
}

TEST_F(PreviewTest, DialogsAreTitledAsPreviewsWithTheirButtons) {
    struct Row {
        const char *name, *kind, *title, *buttons;
        bool closeMessage;
        const char *press; // and whether the preview is still up after it
        bool upAfter;
    };
    const std::vector<Row> rows = {
        {"ID=1 TITLE=\"Settings\"", "Modal", "Settings - [Preview]", " OK Cancel Help", false, "OK",
         false},
        {"ID=1 TITLE=\"Settings\" APPLYBUTTON=T HELPBUTTON=F", "Modal", "Settings - [Preview]",
         " OK Apply Cancel", false, "Cancel", false},
        {"ID=3 TITLE=\"Find\" MODE=MODELESS", "Modeless", "Find - [Preview]", " Help Close", false,
         "Help", true},
        {"ID=3 TITLE=\"Find\" MODE=MODELESS OKCLOSEBUTTON=FALSE HELPBUTTON=F", "Modeless",
         "Find - [Preview]", " Close", true, "Close", false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        FreshHost();
        Lay({{row.name, 0}});
        host().clearMessages();
        Preview();
        const GuiDialog *d = host().findDialog(Handle());
        ASSERT_NE(d, nullptr) << DescribeMessages();
        EXPECT_EQ(d->kind, row.kind);
        EXPECT_EQ(d->title, row.title);
        EXPECT_EQ(d->parent, -1);
        EXPECT_TRUE(d->up);
        EXPECT_NE(d->init, nullptr);
        EXPECT_EQ(std::string(d->ok ? " OK" : "") + (d->apply ? " Apply" : "") +
                      (d->cancel ? " Cancel" : "") + (d->help ? " Help" : "") +
                      (d->close ? " Close" : ""),
                  row.buttons);
        EXPECT_EQ(Shown(), row.closeMessage ? std::vector<std::string>{kCloseButtonMessage}
                                            : std::vector<std::string>{});
        EXPECT_EQ(Only(d->id, "Button")->labels.at(0), "Run1");
        std::string error;
        ASSERT_TRUE(host().pressDialogButton(d->id, row.press, &error)) << error;
        EXPECT_EQ(host().findDialog(d->id)->up, row.upAfter);
    }
}

TEST_F(PreviewTest, SidebarPreviewsAreNumberedUntilNoMoreCanBeRegistered) {
    Lay({{"ID=1 TITLE=\"Tools\" SIDEBAR=T", 0}});
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
    EXPECT_TRUE(Errors().empty()) << DescribeMessages();

    for (int i = 0; i < 64; ++i)
        if (QorGUISidebarRegister("Filler", qb::AddOnHandle, 100, 100, nullptr, nullptr) ==
            BADDIALOGID)
            break;
    const size_t before = host().dialogs().size();
    Preview();
    EXPECT_EQ(Errors(), std::vector<std::string>{
                            "Cannot create a sidebar preview; too many sidebars are already "
                            "registered."});
    EXPECT_EQ(host().dialogs().size(), before);
    EXPECT_EQ(Handle(), BADDIALOGID);
    EXPECT_EQ(qb::SidebarPreviewNumber(), 3) << "the counter grows only with a sidebar made";
}

TEST_F(PreviewTest, FormAndTabPagesBecomeTabsInPosOrder) {
    // Form pages of group 2 (IDs 1 to 3 at POS 2, 3, 1) and a page of group 5
    // that no control shows; tab pages of group 4 where two have POS 1: the
    // host's walk (bottom frame first) decides between them.
    Lay({{"FORMPAGE=TRUE ID=1 POS=2", 2},
         {"FORMPAGE=TRUE ID=2 POS=3", 2},
         {"FORMPAGE=TRUE ID=3 POS=1", 2},
         {"FORMPAGE=TRUE ID=4 POS=1", 5},
         {"TABPAGE=T ID=2 POS=1 TITLE=\"Second made first\"", 4},
         {"TABPAGE=T ID=1 POS=1 TITLE=\"First\"", 4},
         {"TABPAGE=T ID=3 POS=0 TITLE=\"Zero\"", 4},
         {"ID=1 TITLE=\"Pages\"", 0}});
    AddControl("FM:GROUP=2\n\n\n", "VarName=Forms", TextBox_Filled, 10, 50);
    AddControl("TAB:GROUP=4\n\n\n", "VarName=Tabs", TextBox_Filled, 50, 50);
    Preview();
    ASSERT_TRUE(Errors().empty()) << DescribeMessages();
    const std::vector<const GuiControl *> tabs = OfKind(Handle(), "Tab");
    ASSERT_EQ(tabs.size(), 2u) << "the form control is shown as a tab control";
    EXPECT_TRUE(OfKind(Handle(), "Form").empty());
    EXPECT_EQ(PageLabels(tabs[0]->id),
              (std::vector<std::string>{"[Form 3]", "[Form 1]", "[Form 2]"}));
    EXPECT_EQ(PageLabels(tabs[1]->id),
              (std::vector<std::string>{"Zero", "Second made first", "First"}));
    // The button of form page 1 lies inside its tab; group 5's is not made;
    // the dialog's own button is a child of the dialog.
    const GuiControl *page =
        host().findControl(host().findControlByLabel(Handle(), "Run1")->parent);
    EXPECT_EQ(page->kind, "TabPage");
    EXPECT_EQ(page->labels.at(0), "[Form 1]");
    EXPECT_EQ(host().findControlByLabel(Handle(), "Run4"), nullptr);
    EXPECT_EQ(host().findControlByLabel(Handle(), "Run8")->parent, Handle());
    EXPECT_EQ(OfKind(Handle(), "Button").size(), 7u);
}

TEST_F(PreviewTest, PagesBeyondThePageTablesAreReportedAndLeftOut) {
    // Group 32: ID 30 fits (30 x 32 + 32 = 992), ID 31 does not (1024); a
    // page without ID cannot be placed at all.
    Lay({{"TABPAGE=T ID=30 POS=1 TITLE=\"Fits\"", 32},
         {"TABPAGE=T ID=31 POS=2 TITLE=\"Beyond\"", 32},
         {"TABPAGE=T POS=3 TITLE=\"NoId\"", 32},
         {"FORMPAGE=T ID=40 POS=1", 1},
         {"ID=1 TITLE=\"Limits\" MODE=MODELESS", 0}});
    AddControl("TAB:GROUP=32\n\n\n", "VarName=Tabs", TextBox_Filled, 10, 50);
    AddControl("FM:GROUP=1\n\n\n", "VarName=Forms", TextBox_Filled, 50, 50);
    Preview();

    const auto leftOut = [](const char *kind, const std::string &frame, const std::string &why) {
        return std::string("Cannot show the ") + kind + " page\n" + frame +
               "\nin the preview: " + why + "\nThe page is left out of the preview.";
    };
    const auto beyond = [](int id, int group) {
        return "its ID=" + std::to_string(id) + " in frame linking group " + std::to_string(group) +
               " lies beyond the preview's page table (ID x 32 + group must be below 1024).";
    };
    std::vector<std::string> errors = Errors();
    std::sort(errors.begin(), errors.end());
    EXPECT_EQ(errors,
              (std::vector<std::string>{
                  leftOut("form", "FORMPAGE=T ID=40 POS=1", beyond(40, 1)),
                  leftOut("tab", "TABPAGE=T ID=31 POS=2 TITLE=\"Beyond\"", beyond(31, 32)),
                  leftOut("tab", "TABPAGE=T POS=3 TITLE=\"NoId\"", "its frame name has no ID=."),
              }));

    // The dialog is still shown, with the page that fits and its control.
    ASSERT_NE(host().findDialog(Handle()), nullptr);
    EXPECT_TRUE(host().findDialog(Handle())->up);
    const std::vector<const GuiControl *> tabs = OfKind(Handle(), "Tab");
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(PageLabels(tabs[0]->id), std::vector<std::string>{"Fits"});
    EXPECT_TRUE(PageLabels(tabs[1]->id).empty());
    EXPECT_NE(host().findControlByLabel(Handle(), "Run1"), nullptr);
    EXPECT_EQ(OfKind(Handle(), "Button").size(), 2u) << "page 30's and the dialog's";
}

TEST_F(PreviewTest, ControlsGetThePreviewsValuesAndCallbacks) {
    Lay({{"ID=1 TITLE=\"Values\" MODE=MODELESS", 0}});
    AddControl("OPT:    ", "VarName=Choice ToolTip=\"Pick one\"", TextBox_Filled, 10, 70);
    AddControl("SC:     ", "VarName=Level SHOWLABEL=FALSE", TextBox_Filled, 10, 60);
    AddControl("SC:     ", "VarName=Volume", TextBox_Filled, 50, 60);
    AddControl("Paint", "VarName=Paint ColorIndex=3", TextBox_Filled, 10, 50);
    AddControl("TF:    ", "VarName=Name", TextBox_Filled, 10, 10);
    Preview();
    ASSERT_TRUE(Errors().empty()) << DescribeMessages();
    const GUIInt_t d = Handle();

    const GuiControl *option = Only(d, "OptionMenu");
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->optionList, "Option1,Option2,Option3");
    EXPECT_EQ(option->toolTip, "Pick one");
    EXPECT_NE(option->intCallback, nullptr);

    const std::vector<const GuiControl *> scales = OfKind(d, "Scale");
    ASSERT_EQ(scales.size(), 2u);
    for (const GuiControl *scale : scales)
        EXPECT_EQ(std::make_pair(scale->scaleMin, scale->scaleMax), std::make_pair(0, 100));
    const bool levelLeft = scales[0]->x < scales[1]->x;
    EXPECT_FALSE(scales[levelLeft ? 0 : 1]->numericDisplay) << "SHOWLABEL=FALSE";
    EXPECT_TRUE(scales[levelLeft ? 1 : 0]->numericDisplay);
    const GuiControl *paint = Only(d, "ColoredButton");
    ASSERT_NE(paint, nullptr);
    EXPECT_EQ(paint->color, 3);
    EXPECT_EQ(paint->labels.at(0), "Paint");

    // The built-in callbacks: any text accepted, the colour chooser opened.
    const GuiControl *field = Only(d, "TextField");
    ASSERT_TRUE(field && field->textCallback);
    EXPECT_EQ(field->textCallback("anything"), 1);
    host().queueColor(5);
    host().recordCalls(true);
    std::string error;
    ASSERT_TRUE(host().pressControl(paint->id, &error)) << error;
    host().recordCalls(false);
    const std::vector<std::string> &calls = host().calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "QorUtilDialogGetColor"), calls.end());
    EXPECT_TRUE(host().findDialog(d)->up);
}

TEST_F(PreviewTest, NothingIsWrittenAndTheLayoutIsNotSaved) {
    const fs::path dir = OutputDir("preview-writes-nothing");
    Lay({{"ID=1 TITLE=\"Quiet\"", 0}});
    AddControl("OPT:    ", "VarName=Choice", TextBox_Filled, 10, 50);

    // Never saved: the preview goes ahead all the same; named but not saved:
    // still nothing on disk.
    host().recordCalls(true);
    Preview();
    EXPECT_NE(host().findDialog(Handle()), nullptr) << DescribeMessages();
    host().setLayoutFileName((dir / "design.lay").string());
    Preview();
    host().recordCalls(false);
    EXPECT_TRUE(Shown().empty()) << DescribeMessages();
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << "no file beside the layout";
    const std::vector<std::string> &calls = host().calls();
    EXPECT_FALSE(calls.empty());
    EXPECT_EQ(std::find(calls.begin(), calls.end(), "QorUtilSaveLayout"), calls.end());
}

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

// (The button's refusal of a page is checked through "qgb preview", which
// presses it.)
TEST_F(ToolDialogPreviewTest, ButtonAndMenuItemPreviewAndANewPreviewDropsTheOldOne) {
    AddFrame("ID=2 TITLE=\"Find\" MODE=MODELESS");
    AddControl("Find Next", "VarName=Next");

    std::string error;
    ASSERT_TRUE(host().chooseMenuOption("Tools", "Quorvin GUI Builder", &error)) << error;
    ASSERT_TRUE(host().press("Preview Layout", &error)) << error;
    const GuiDialog *first = host().findDialogByTitle("Find - [Preview]");
    ASSERT_NE(first, nullptr) << DescribeMessages();
    const GUIInt_t firstId = first->id;
    EXPECT_NE(host().findControlByLabel(firstId, "Find Next"), nullptr);

    ASSERT_TRUE(host().press("Layout/Preview Dialog Layout...", &error)) << error;
    EXPECT_FALSE(host().findDialog(firstId)->up);
    const GuiDialog &latest = host().dialogs().rbegin()->second;
    EXPECT_NE(latest.id, firstId);
    EXPECT_EQ(latest.title, "Find - [Preview]");
    EXPECT_TRUE(latest.up);
    EXPECT_FALSE(host().lockHeld());
}

} // namespace
} // namespace qgbtest
