// Every command the tool dialog and its menu bar offer, and the function that
// runs each. A command whose function is null is not available yet: its
// button and menu item exist but stay insensitive.
#pragma once

#include "QORADDON.h"

namespace quorvin::builder {

enum class Command : int {
    InsertModelessDialog,
    InsertModalDialog,
    InsertSidebar,
    InsertTab,
    InsertTabPage,
    ResizePages,
    InsertForm,
    InsertFormPage,
    PopNextPage,
    InsertPushButton,
    InsertBitmapButton,
    InsertRadioBox,
    InsertScale,
    InsertBitmapToggle,
    InsertToggle,
    InsertSingleList,
    InsertOptionMenu,
    InsertMultiList,
    InsertTextField,
    InsertSpinTextField,
    InsertMultiLineText,
    InsertReadOnlyText,
    InsertGroupFrame,
    InsertLabel,
    AlignLeft,
    AlignHorzCenter,
    AlignRight,
    AlignTop,
    AlignVertCenter,
    AlignBottom,
    SpaceEvenlyAcross,
    SpaceEvenlyDown,
    CenterVertically,
    CenterHorizontally,
    Preview,
    UpgradeControls,
    Build,
    Options,
    Count
};

constexpr int kCommandCount = static_cast<int>(Command::Count);

using CommandHandler = void (*)();

// The function that runs the command, or null when it is not available.
CommandHandler CommandHandlerOf(Command command);
inline bool CommandAvailable(Command command) {
    return CommandHandlerOf(command) != nullptr;
}

// A short name for messages and tests ("InsertTabPage").
const char *CommandName(Command command);

// Runs one command inside the add-on lock (the callback of every button and
// menu item). A command that is not available does nothing.
void RunCommand(Command command);

// The callback the host calls for a button or menu item of the command.
template <Command C> void DispatchCommand() {
    RunCommand(C);
}
QorGUIVoidCallback_pf DispatchCallbackOf(Command command);

// Tests put another function in place of a command's (null: the command is
// unavailable) and restore the table's afterwards.
void OverrideCommandHandler(Command command, CommandHandler handler);
void RestoreCommandHandlers();

} // namespace quorvin::builder
