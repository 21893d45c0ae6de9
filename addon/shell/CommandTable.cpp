#include "shell/CommandTable.h"

#include "classic/Build.h"
#include "commands/Commands.h"
#include "commands/Preview.h"
#include "model/HostResources.h"
#include "options/Options.h"
#include "shell/ToolDialog.h"
#include "model/Settings.h"

#include <array>
#include <utility>

namespace quorvin::builder {

namespace {

// "Go Build" and the "Build" item: the configured language, not a preview.
void RunBuild() {
    GoBuild(BuilderSettings.Language, false);
}

void RunOptions() {
    OptionsDialog();
}

// A new tab or form control, or a new page, changes which page commands the
// tool dialog offers: its sensitivity follows at once, not at the next idle.
template <CommandHandler Insert> void InsertThenUpdateSensitivity() {
    Insert();
    UpdateToolSensitivity();
}

struct CommandEntry {
    Command command;
    const char *name;
    CommandHandler handler;
};

// One row per command, in the enum's order. A command not built yet has no
// function: its button and menu item stay insensitive. The tab page and form
// page rows share the page command; which one is sensitive follows the
// picked control.
constexpr std::array<CommandEntry, kCommandCount> kCommands = {{
    {Command::InsertModelessDialog, "InsertModelessDialog", InsertModelessDialog},
    {Command::InsertModalDialog, "InsertModalDialog", InsertModalDialog},
    {Command::InsertSidebar, "InsertSidebar", InsertSidebar},
    {Command::InsertTab, "InsertTab", InsertThenUpdateSensitivity<InsertTab>},
    {Command::InsertTabPage, "InsertTabPage", InsertThenUpdateSensitivity<InsertPage>},
    {Command::ResizePages, "ResizePages", ResizePages},
    {Command::InsertForm, "InsertForm", InsertThenUpdateSensitivity<InsertForm>},
    {Command::InsertFormPage, "InsertFormPage", InsertThenUpdateSensitivity<InsertPage>},
    {Command::PopNextPage, "PopNextPage", PopNextPage},
    {Command::InsertPushButton, "InsertPushButton", InsertPushButton},
    {Command::InsertBitmapButton, "InsertBitmapButton", InsertBitmapButton},
    {Command::InsertRadioBox, "InsertRadioBox", InsertRadioBox},
    {Command::InsertScale, "InsertScale", InsertScale},
    {Command::InsertBitmapToggle, "InsertBitmapToggle", InsertBitmapToggle},
    {Command::InsertToggle, "InsertToggle", InsertToggle},
    {Command::InsertSingleList, "InsertSingleList", InsertSingleList},
    {Command::InsertOptionMenu, "InsertOptionMenu", InsertOptionMenu},
    {Command::InsertMultiList, "InsertMultiList", InsertMultiList},
    {Command::InsertTextField, "InsertTextField", InsertTextField},
    {Command::InsertSpinTextField, "InsertSpinTextField", InsertSpinTextField},
    {Command::InsertMultiLineText, "InsertMultiLineText", InsertMultiLineText},
    {Command::InsertReadOnlyText, "InsertReadOnlyText", InsertReadOnlyText},
    {Command::InsertGroupFrame, "InsertGroupFrame", InsertGroupFrame},
    {Command::InsertLabel, "InsertLabel", InsertLabel},
    {Command::AlignLeft, "AlignLeft", AlignLeft},
    {Command::AlignHorzCenter, "AlignHorzCenter", AlignHorzCenter},
    {Command::AlignRight, "AlignRight", AlignRight},
    {Command::AlignTop, "AlignTop", AlignTop},
    {Command::AlignVertCenter, "AlignVertCenter", AlignVertCenter},
    {Command::AlignBottom, "AlignBottom", AlignBottom},
    {Command::SpaceEvenlyAcross, "SpaceEvenlyAcross", SpaceHorizontally},
    {Command::SpaceEvenlyDown, "SpaceEvenlyDown", SpaceVertically},
    {Command::CenterVertically, "CenterVertically", CenterVertically},
    {Command::CenterHorizontally, "CenterHorizontally", CenterHorizontally},
    {Command::Preview, "Preview", PreviewCommand},
    {Command::UpgradeControls, "UpgradeControls", UpgradeControls},
    {Command::Build, "Build", RunBuild},
    {Command::Options, "Options", RunOptions},
}};

constexpr bool RowsFollowTheEnum() {
    for (int i = 0; i < kCommandCount; ++i)
        if (static_cast<int>(kCommands[i].command) != i)
            return false;
    return true;
}
static_assert(RowsFollowTheEnum(), "command rows must follow the order of the Command enum");

// Functions put in place of the table's by tests; null makes a command
// unavailable.
struct Override {
    bool active = false;
    CommandHandler handler = nullptr;
};
std::array<Override, kCommandCount> Overrides{};

template <int... I>
constexpr std::array<QorGUIVoidCallback_pf, sizeof...(I)>
MakeDispatchTable(std::integer_sequence<int, I...>) {
    return {{&DispatchCommand<static_cast<Command>(I)>...}};
}
constexpr auto kDispatch = MakeDispatchTable(std::make_integer_sequence<int, kCommandCount>());

int IndexOf(Command command) {
    int i = static_cast<int>(command);
    return (i >= 0 && i < kCommandCount) ? i : -1;
}

} // namespace

CommandHandler CommandHandlerOf(Command command) {
    int i = IndexOf(command);
    if (i < 0)
        return nullptr;
    return Overrides[i].active ? Overrides[i].handler : kCommands[i].handler;
}

const char *CommandName(Command command) {
    int i = IndexOf(command);
    return i < 0 ? "?" : kCommands[i].name;
}

void RunCommand(Command command) {
    LockGuard lock(AddOnHandle);
    if (CommandHandler handler = CommandHandlerOf(command))
        handler();
}

QorGUIVoidCallback_pf DispatchCallbackOf(Command command) {
    int i = IndexOf(command);
    return i < 0 ? nullptr : kDispatch[i];
}

void OverrideCommandHandler(Command command, CommandHandler handler) {
    int i = IndexOf(command);
    if (i >= 0)
        Overrides[i] = Override{true, handler};
}

void RestoreCommandHandlers() {
    Overrides.fill(Override{});
}

} // namespace quorvin::builder
