#include "shell/CommandTable.h"

#include "model/HostResources.h"
#include "options/Options.h"
#include "shell/Settings.h"

#include <array>
#include <utility>

namespace quorvin::builder {

namespace {

void RunOptions() {
    OptionsDialog();
}

struct CommandEntry {
    Command command;
    const char *name;
    CommandHandler handler;
};

// One row per command, in the enum's order. The editing commands (inserts,
// pages, arrange, preview, upgrade) are wired here as they become available;
// the bitmap toggle row takes the command that runs the bitmap button command
// and then selects "Toggle" (the second button type) in its dialog.
constexpr std::array<CommandEntry, kCommandCount> kCommands = {{
    {Command::InsertModelessDialog, "InsertModelessDialog", nullptr},
    {Command::InsertModalDialog, "InsertModalDialog", nullptr},
    {Command::InsertSidebar, "InsertSidebar", nullptr},
    {Command::InsertTab, "InsertTab", nullptr},
    {Command::InsertTabPage, "InsertTabPage", nullptr},
    {Command::ResizePages, "ResizePages", nullptr},
    {Command::InsertForm, "InsertForm", nullptr},
    {Command::InsertFormPage, "InsertFormPage", nullptr},
    {Command::PopNextPage, "PopNextPage", nullptr},
    {Command::InsertPushButton, "InsertPushButton", nullptr},
    {Command::InsertBitmapButton, "InsertBitmapButton", nullptr},
    {Command::InsertRadioBox, "InsertRadioBox", nullptr},
    {Command::InsertScale, "InsertScale", nullptr},
    {Command::InsertBitmapToggle, "InsertBitmapToggle", nullptr},
    {Command::InsertToggle, "InsertToggle", nullptr},
    {Command::InsertSingleList, "InsertSingleList", nullptr},
    {Command::InsertOptionMenu, "InsertOptionMenu", nullptr},
    {Command::InsertMultiList, "InsertMultiList", nullptr},
    {Command::InsertTextField, "InsertTextField", nullptr},
    {Command::InsertSpinTextField, "InsertSpinTextField", nullptr},
    {Command::InsertMultiLineText, "InsertMultiLineText", nullptr},
    {Command::InsertReadOnlyText, "InsertReadOnlyText", nullptr},
    {Command::InsertGroupFrame, "InsertGroupFrame", nullptr},
    {Command::InsertLabel, "InsertLabel", nullptr},
    {Command::AlignLeft, "AlignLeft", nullptr},
    {Command::AlignHorzCenter, "AlignHorzCenter", nullptr},
    {Command::AlignRight, "AlignRight", nullptr},
    {Command::AlignTop, "AlignTop", nullptr},
    {Command::AlignVertCenter, "AlignVertCenter", nullptr},
    {Command::AlignBottom, "AlignBottom", nullptr},
    {Command::SpaceEvenlyAcross, "SpaceEvenlyAcross", nullptr},
    {Command::SpaceEvenlyDown, "SpaceEvenlyDown", nullptr},
    {Command::CenterVertically, "CenterVertically", nullptr},
    {Command::CenterHorizontally, "CenterHorizontally", nullptr},
    {Command::Preview, "Preview", nullptr},
    {Command::UpgradeControls, "UpgradeControls", nullptr},
    {Command::Build, "Build", nullptr},
    {Command::Options, "Options", RunOptions},
}};

constexpr bool RowsFollowTheEnum() {
    for (int i = 0; i < kCommandCount; ++i)
        if (static_cast<int>(kCommands[i].command) != i)
            return false;
    return true;
}
static_assert(RowsFollowTheEnum(), "command rows must follow the order of the Command enum");

std::array<CommandHandler, kCommandCount> Overrides{};

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
    return Overrides[i] ? Overrides[i] : kCommands[i].handler;
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
        Overrides[i] = handler;
}

} // namespace quorvin::builder
