// The Preview command against the reference host: what it refuses, the
// dialogs, sidebars and pages it makes, the controls' preview values and the
// page table limits.
#include "PreviewSupport.h"
#include "../shell/DialogGolden.h"

#include "classic/BuildState.h"
#include "commands/Preview.h"
#include "model/Settings.h"
#include "shell/Startup.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace qgbtest {
namespace {

namespace qb = quorvin::builder;
namespace qh = quorvin::host;
using qh::GuiControl;
using qh::GuiDialog;

using Frames = std::vector<std::pair<std::string, int>>; // frame name, link group

// The messages, then every preview dialog ("latest" marks the last
// preview's), pages and their controls included.
std::string Describe() {
    const GUIInt_t latest = qb::BuildState.PreviewHandle;
    std::string out = HostFixture::DescribeMessages();
    for (const auto &[id, dialog] : qh::Host::instance().dialogs())
        if (dialog.title.find("Preview") != std::string::npos)
            out += (id == latest ? "latest " : "") + DescribeDialog(dialog);
    return out + (latest == BADDIALOGID ? "no preview\n" : "");
}

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
    static void PressButton(const char *button) { Do(&Host::pressDialogButton, Handle(), button); }
};

// Each case lays out its frames (the last is current) and what else it
// needs, previews, and may go on; the golden file shows the messages and
// the preview dialogs after the preview and again after what followed it:
// refusals, titles and buttons, numbered sidebars, form and tab pages in
// POS order, pages beyond the page tables, the controls' preview values.
TEST_F(PreviewTest, WhatEachLayoutPreviewsAs) {
    auto press = [](const char *button) { return [button] { PressButton(button); }; };
    auto pageControls = [](const char *tabs, const char *forms) {
        return [tabs, forms] {
            AddControl(tabs, "VarName=Tabs", TextBox_Filled, 10, 50);
            AddControl(forms, "VarName=Forms", TextBox_Filled, 50, 50);
        };
    };
    struct Case {
        const char *name;
        Frames frames;
        std::function<void()> extra = nullptr, after = nullptr;
    };
    const Case cases[] = {
        {"linked tab page",
         {{"ID=1 TITLE=\"Main\" MODE=MODELESS", 0}, {"TABPAGE=T ID=1 POS=1 TITLE=\"General\"", 1}}},
        {"form page", {{"ID=1 TITLE=\"Main\"", 0}, {"FORMPAGE=TRUE ID=1", 2}}},
        {"unlinked tab page (by its name)", {{"TABPAGE=TRUE ID=2 TITLE=\"Unlinked\"", 0}}},
        {"empty workspace", {}},
        {"modal dialog that cannot be closed",
         {{"ID=1 TITLE=\"NoWayOut\" OKCLOSEBUTTON=FALSE CANCELBUTTON=FALSE", 0}}},
        {"modal, then OK", {{"ID=1 TITLE=\"Settings\"", 0}}, nullptr, press("OK")},
        {"modal with apply, no help, then Cancel",
         {{"ID=1 TITLE=\"Settings\" APPLYBUTTON=T HELPBUTTON=F", 0}},
         nullptr,
         press("Cancel")},
        {"modeless, then Help", {{"ID=3 TITLE=\"Find\" MODE=MODELESS", 0}}, nullptr, press("Help")},
        {"modeless without OK or help gets a close button, then Close",
         {{"ID=3 TITLE=\"Find\" MODE=MODELESS OKCLOSEBUTTON=FALSE HELPBUTTON=F", 0}},
         nullptr,
         press("Close")},
        // One sidebar is shown at a time.
        {"sidebar, previewed twice", {{"ID=1 TITLE=\"Tools\" SIDEBAR=T", 0}}, nullptr, Preview},
        // The counter grows only with a sidebar made.
        {"sidebar when no more can be registered",
         {{"ID=1 TITLE=\"Tools\" SIDEBAR=T", 0}},
         [] {
             Preview();
             Preview();
             for (int i = 0; i < 64 && QorGUISidebarRegister("Filler", qb::AddOnHandle, 100, 100,
                                                             nullptr, nullptr) != BADDIALOGID;
                  ++i) {
             }
         },
         [] { EXPECT_EQ(qb::SidebarPreviewNumber(), 3); }},
        // Form pages of group 2 (IDs 1 to 3 at POS 2, 3, 1) and a page of
        // group 5 that no control shows; tab pages of group 4 where two have
        // POS 1: the host's walk (bottom frame first) decides between them.
        {"form and tab pages become tabs in POS order",
         {{"FORMPAGE=TRUE ID=1 POS=2", 2},
          {"FORMPAGE=TRUE ID=2 POS=3", 2},
          {"FORMPAGE=TRUE ID=3 POS=1", 2},
          {"FORMPAGE=TRUE ID=4 POS=1", 5},
          {"TABPAGE=T ID=2 POS=1 TITLE=\"Second made first\"", 4},
          {"TABPAGE=T ID=1 POS=1 TITLE=\"First\"", 4},
          {"TABPAGE=T ID=3 POS=0 TITLE=\"Zero\"", 4},
          {"ID=1 TITLE=\"Pages\"", 0}},
         pageControls("TAB:GROUP=4\n\n\n", "FM:GROUP=2\n\n\n")},
        // Group 32: ID 30 fits (30 x 32 + 32 = 992), ID 31 does not (1024);
        // a page without ID cannot be placed at all. The dialog is still shown.
        {"pages beyond the page tables are reported and left out",
         {{"TABPAGE=T ID=30 POS=1 TITLE=\"Fits\"", 32},
          {"TABPAGE=T ID=31 POS=2 TITLE=\"Beyond\"", 32},
          {"TABPAGE=T POS=3 TITLE=\"NoId\"", 32},
          {"FORMPAGE=T ID=40 POS=1", 1},
          {"ID=1 TITLE=\"Limits\" MODE=MODELESS", 0}},
         pageControls("TAB:GROUP=32\n\n\n", "FM:GROUP=1\n\n\n")},
        // The built-in callbacks: any text accepted, the colour chooser opened.
        {"controls get the preview's values and callbacks",
         {{"ID=1 TITLE=\"Values\" MODE=MODELESS", 0}},
         [] {
             AddControl("OPT:    ", "VarName=Choice ToolTip=\"Pick one\"", TextBox_Filled, 10, 70);
             AddControl("SC:     ", "VarName=Level SHOWLABEL=FALSE", TextBox_Filled, 10, 60);
             AddControl("SC:     ", "VarName=Volume", TextBox_Filled, 50, 60);
             AddControl("Paint", "VarName=Paint ColorIndex=3", TextBox_Filled, 10, 50);
             AddControl("TF:    ", "VarName=Name", TextBox_Filled, 10, 10);
         },
         [] {
             for (GUIInt_t id : host().findDialog(Handle())->controls) {
                 const GuiControl &c = *host().findControl(id);
                 if (c.kind == "TextField") {
                     EXPECT_EQ(c.textCallback("anything"), 1);
                 }
                 if (c.kind != "ColoredButton")
                     continue;
                 host().queueColor(5);
                 host().recordCalls(true);
                 Do(&Host::pressControl, id);
                 host().recordCalls(false);
                 const std::vector<std::string> &calls = host().calls();
                 EXPECT_NE(std::find(calls.begin(), calls.end(), "QorUtilDialogGetColor"),
                           calls.end());
             }
         }},
    };
    std::string transcript;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FreshHost();
        Lay(c.frames);
        if (c.extra)
            c.extra();
        host().clearMessages();
        Preview();
        transcript += std::string("== ") + c.name + "\n" + Describe();
        if (c.after) {
            c.after();
            transcript += "-- then\n" + Describe();
        }
    }
    ExpectGolden("golden/preview/previews.txt", transcript);
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

    Do(&Host::chooseMenuOption, "Tools", "Quorvin GUI Builder");
    Do(&Host::press, "Preview Layout");
    std::string transcript = "== the button\n" + Describe();
    Do(&Host::press, "Layout/Preview Dialog Layout...");
    ExpectGolden("golden/preview/tool-dialog-previews.txt",
                 transcript + "== the menu item\n" + Describe());
}

} // namespace
} // namespace qgbtest
