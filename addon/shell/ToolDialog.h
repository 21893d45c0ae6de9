// The builder's modeless tool dialog "GUI Builder": its bitmap buttons, the
// anchor toggle and the menu bar, and which of them are sensitive.
#pragma once

#include "QORADDON.h"
#include "shell/CommandTable.h"
#include "shell/ToolImages.h"

#include <array>

namespace quorvin::builder {

// Identifiers of the dialog and everything in it; BADDIALOGID until built.
extern GUIInt_t ToolDialog;
extern GUIInt_t ToolAnchorToggle;
using CommandIds = std::array<GUIInt_t, kCommandCount>;
extern CommandIds ToolButtons;   // BADDIALOGID for menu-only commands
extern CommandIds ToolMenuItems; // BADDIALOGID for button-only commands

// Back to "not built" (start-up: a second start in one process starts clean).
void ResetToolDialogIds();

// One bitmap button or the anchor toggle, in creation order.
struct ToolButtonSpec {
    GUIInt_t x, y;   // the tool tip, the name a script presses, is ToolImageName(image)
    Command command; // Command::Count for the anchor toggle
    ToolImage image;
};
constexpr int kToolButtonCount = 35;
extern const ToolButtonSpec kToolButtons[kToolButtonCount];

constexpr GUIInt_t kToolDialogWidth = 2616, kToolDialogHeight = 2786;
constexpr GUIInt_t kToolButtonWidth = 457, kToolButtonHeight = 192;
constexpr const char *kToolDialogTitle = "GUI Builder";
constexpr const char *kToolDialogHelpPage = "addon_quorvin_gui_builder.html";

// The host menu option's callback: reads "dlb.cfg" and builds the dialog on
// first use (later: re-reads "dlb.cfg" when the layout changed), launches it
// and brings its sensitivity up to date.
void OnToolsMenu();
void BuildToolDialog();
void BuildMenuBar();
bool ToolDialogIsUp();

// What the sensitivity depends on, read from the host's selection.
struct ToolSelection {
    int picked = 0;           // usable picked objects
    bool tabControl = false;  // the one picked object is a tab control text
    bool formControl = false; // ... a form control text
    bool hasPages = false;    // ... whose linking group has page frames
    bool onPage = false;      // the current frame is a form or tab page
};
// Reads the selection without showing any message.
ToolSelection ReadToolSelection();
// Whether the command's button and menu item should be sensitive for the
// selection (before commands that are not available are forced off).
bool CommandWanted(Command command, const ToolSelection &selection);

// Recomputes the sensitivity of every button and menu item; nothing when the
// dialog is not up. Silent: it runs from idle.
void UpdateToolSensitivity();

} // namespace quorvin::builder
