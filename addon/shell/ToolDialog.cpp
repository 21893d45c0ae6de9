#include "shell/ToolDialog.h"

#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Parameters.h"
#include "options/Options.h"
#include "model/Picked.h"
#include "model/Settings.h"
#include "model/Frames.h"

#include <string>

namespace quorvin::builder {

GUIInt_t ToolDialog = BADDIALOGID;
GUIInt_t ToolAnchorToggle = BADDIALOGID;
namespace {
template <size_t N> constexpr std::array<GUIInt_t, N> NotCreated() {
    std::array<GUIInt_t, N> ids{};
    for (GUIInt_t &id : ids)
        id = BADDIALOGID;
    return ids;
}
} // namespace

CommandIds ToolButtons = NotCreated<kCommandCount>();
CommandIds ToolMenuItems = NotCreated<kCommandCount>();

namespace {

enum GroupFrame { ControlsFrame, ContainersFrame, LayoutFrame, GroupFrameCount };
std::array<GUIInt_t, GroupFrameCount> ToolGroupFrames = NotCreated<GroupFrameCount>();

// The menu bar and every menu of it.
enum class Menu : int {
    Bar,
    Insert,
    InsertDialog,
    InsertBasicControls,
    InsertFormTab,
    Layout,
    LayoutFormTab,
    LayoutAlign,
    LayoutSpaceEvenly,
    LayoutCenterInDialog,
    Count
};
std::array<GUIInt_t, static_cast<size_t>(Menu::Count)> ToolMenus =
    NotCreated<static_cast<size_t>(Menu::Count)>();

GUIInt_t &MenuIdOf(Menu menu) {
    return ToolMenus[static_cast<int>(menu)];
}

} // namespace

const ToolButtonSpec kToolButtons[kToolButtonCount] = {
    {257, 144, Command::InsertModelessDialog, ToolImage::ModelessDialog},
    {787, 144, Command::InsertModalDialog, ToolImage::ModalDialog},
    {1302, 144, Command::InsertSidebar, ToolImage::Sidebar},
    {257, 360, Command::InsertTab, ToolImage::Tab},
    {787, 360, Command::InsertTabPage, ToolImage::TabPage},
    {787, 577, Command::ResizePages, ToolImage::ResizePages},
    {1302, 360, Command::InsertForm, ToolImage::Form},
    {1817, 360, Command::InsertFormPage, ToolImage::FormPage},
    {257, 577, Command::PopNextPage, ToolImage::PopNextPage},
    {257, 973, Command::InsertPushButton, ToolImage::PushButton},
    {787, 973, Command::InsertBitmapButton, ToolImage::BitmapButton},
    {1302, 973, Command::InsertRadioBox, ToolImage::RadioBox},
    {257, 1190, Command::InsertScale, ToolImage::Scale},
    {787, 1190, Command::InsertBitmapToggle, ToolImage::BitmapToggle},
    {1302, 1190, Command::InsertToggle, ToolImage::Toggle},
    {787, 1406, Command::InsertSingleList, ToolImage::SingleList},
    {1302, 1406, Command::InsertOptionMenu, ToolImage::OptionMenu},
    {1817, 1406, Command::InsertMultiList, ToolImage::MultiList},
    {257, 1622, Command::InsertTextField, ToolImage::TextField},
    {787, 1622, Command::InsertSpinTextField, ToolImage::SpinTextField},
    {1302, 1622, Command::InsertMultiLineText, ToolImage::MultiLineText},
    {1817, 1622, Command::InsertReadOnlyText, ToolImage::ReadOnlyText},
    {1817, 144, Command::InsertGroupFrame, ToolImage::GroupFrame},
    {257, 2031, Command::AlignLeft, ToolImage::AlignLeft},
    {1302, 2031, Command::AlignTop, ToolImage::AlignTop},
    {787, 2248, Command::SpaceEvenlyDown, ToolImage::SpaceEvenlyDown},
    {787, 2031, Command::AlignRight, ToolImage::AlignRight},
    {1817, 2031, Command::AlignBottom, ToolImage::AlignBottom},
    {257, 2248, Command::SpaceEvenlyAcross, ToolImage::SpaceEvenlyAcross},
    {1302, 2248, Command::CenterVertically, ToolImage::CenterVertically},
    {1817, 2248, Command::CenterHorizontally, ToolImage::CenterHorizontally},
    {801, 2542, Command::Count, ToolImage::AnchorToPaper},
    {1331, 2542, Command::Preview, ToolImage::Preview},
    {1846, 2542, Command::Build, ToolImage::GoBuild},
    {257, 1406, Command::InsertLabel, ToolImage::Label},
};

namespace {

enum class Step { SubMenu, Item, Separator };

struct MenuStep {
    Step step;
    Menu parent;
    Menu created; // SubMenu: the menu it makes
    const char *label;
    const char *helpText;
    Command command;
};

constexpr MenuStep Sub(Menu parent, Menu created, const char *label) {
    return {Step::SubMenu, parent, created, label, nullptr, Command::Count};
}
constexpr MenuStep Item(Menu parent, const char *label, const char *helpText, Command command) {
    return {Step::Item, parent, Menu::Count, label, helpText, command};
}
constexpr MenuStep Separator(Menu parent) {
    return {Step::Separator, parent, Menu::Count, nullptr, nullptr, Command::Count};
}

// The menu bar in creation order. "Label" comes last in "Basic Controls",
// after the "Form/Tab" menu.
const MenuStep kMenuSteps[] = {
    Sub(Menu::Bar, Menu::Insert, "Insert"),
    Sub(Menu::Insert, Menu::InsertDialog, "Dialog"),
    Item(Menu::InsertDialog, "Modal", "Create a new modal dialog", Command::InsertModalDialog),
    Item(Menu::InsertDialog, "Modeless", "Create a new modeless dialog",
         Command::InsertModelessDialog),
    Item(Menu::InsertDialog, "Sidebar", "Create a new sidebar dialog", Command::InsertSidebar),
    Sub(Menu::Insert, Menu::InsertBasicControls, "Basic Controls"),
    Item(Menu::InsertBasicControls, "Text Field", "Create a new text field control",
         Command::InsertTextField),
    Item(Menu::InsertBasicControls, "Multi Line Text", "Create a new multi-line text control",
         Command::InsertMultiLineText),
    Item(Menu::InsertBasicControls, "Read-only Multi Line Text",
         "Create a new read-only multi-line text control", Command::InsertReadOnlyText),
    Item(Menu::InsertBasicControls, "Spin Text Field", "Create a new text field with spin controls",
         Command::InsertSpinTextField),
    Separator(Menu::InsertBasicControls),
    Item(Menu::InsertBasicControls, "Multi Selection List",
         "Create a new multi selection list control", Command::InsertMultiList),
    Item(Menu::InsertBasicControls, "Single Selection List", "Create a new single selection list",
         Command::InsertSingleList),
    Separator(Menu::InsertBasicControls),
    Item(Menu::InsertBasicControls, "Bitmap Button...", "Create a new bitmap button",
         Command::InsertBitmapButton),
    Item(Menu::InsertBasicControls, "Bitmap Toggle...", "Create a new bitmap toggle",
         Command::InsertBitmapToggle),
    Separator(Menu::InsertBasicControls),
    Item(Menu::InsertBasicControls, "Push Button", "Create a new push button",
         Command::InsertPushButton),
    Item(Menu::InsertBasicControls, "Option Menu", "Create a new option menu",
         Command::InsertOptionMenu),
    Item(Menu::InsertBasicControls, "Toggle", "Create a new toggle", Command::InsertToggle),
    Item(Menu::InsertBasicControls, "Radio Buttons", "Create a new radio button group",
         Command::InsertRadioBox),
    Item(Menu::InsertBasicControls, "Scale", "Create a new scale", Command::InsertScale),
    Item(Menu::InsertBasicControls, "Frame", "Create a new frame", Command::InsertGroupFrame),
    Sub(Menu::Insert, Menu::InsertFormTab, "Form/Tab"),
    Item(Menu::InsertFormTab, "Tab", "Create a new tab parent control", Command::InsertTab),
    Item(Menu::InsertFormTab, "Tab Page", "Create a new tab page", Command::InsertTabPage),
    Separator(Menu::InsertFormTab),
    Item(Menu::InsertFormTab, "Form", "Creates a new form parent control", Command::InsertForm),
    Item(Menu::InsertFormTab, "Form Page", "Create a new form page", Command::InsertFormPage),
    Item(Menu::InsertBasicControls, "Label", "Create a new label", Command::InsertLabel),

    Sub(Menu::Bar, Menu::Layout, "Layout"),
    Sub(Menu::Layout, Menu::LayoutFormTab, "Form/Tab"),
    Item(Menu::LayoutFormTab, "Resize Form/Tab",
         "Resize the selected form/tab pages to fit the parent form/tab", Command::ResizePages),
    Item(Menu::LayoutFormTab, "Pop Next Page", "Pop the next form or tab page",
         Command::PopNextPage),
    Sub(Menu::Layout, Menu::LayoutAlign, "Align"),
    Item(Menu::LayoutAlign, "Left", "Align the left edges of the selected controls",
         Command::AlignLeft),
    Item(Menu::LayoutAlign, "Horz Center", "Align the horizontal centers of the selected controls",
         Command::AlignHorzCenter),
    Item(Menu::LayoutAlign, "Right", "Align the right edges of the selected controls",
         Command::AlignRight),
    Item(Menu::LayoutAlign, "Top", "Align the top edges of the selected controls",
         Command::AlignTop),
    Item(Menu::LayoutAlign, "Vert Center", "Align the vertical centers of the selected controls",
         Command::AlignVertCenter),
    Item(Menu::LayoutAlign, "Bottom", "Align the bottom edges of the selected controls",
         Command::AlignBottom),
    Sub(Menu::Layout, Menu::LayoutSpaceEvenly, "Space Evenly"),
    Item(Menu::LayoutSpaceEvenly, "Across", "Evenly space the selected controls horizontally",
         Command::SpaceEvenlyAcross),
    Item(Menu::LayoutSpaceEvenly, "Down", "Evenly space the selected controls vertically",
         Command::SpaceEvenlyDown),
    Sub(Menu::Layout, Menu::LayoutCenterInDialog, "Center in Dialog"),
    Item(Menu::LayoutCenterInDialog, "Vertical",
         "Center the selected controls vertically within the dialog", Command::CenterVertically),
    Item(Menu::LayoutCenterInDialog, "Horizontal",
         "Center the selected controls horizontally within the dialog",
         Command::CenterHorizontally),
    Separator(Menu::Layout),
    Item(Menu::Layout, "Preview Dialog Layout...", "Display this dialog to test appearance",
         Command::Preview),
    Item(Menu::Layout, "Upgrade Controls...", "Modify control sizing and options",
         Command::UpgradeControls),
    Item(Menu::Layout, "Build", "Generate source code", Command::Build),
    Separator(Menu::Layout),
    Item(Menu::Layout, "Options...", "Select options such as language, etc.", Command::Options),
};

int IndexOf(Command command) {
    return static_cast<int>(command);
}

// The commands whose controls start insensitive when the dialog comes up:
// they need a picked form or tab control, or a page as the current frame.
constexpr Command kPageCommands[] = {Command::InsertFormPage, Command::InsertTabPage,
                                     Command::ResizePages, Command::PopNextPage};

void SetSensitive(GUIInt_t control, bool sensitive) {
    if (control != BADDIALOGID)
        QorGUISetSensitivity(control, sensitive ? TRUE : FALSE);
}

void SetCommandSensitive(Command command, bool sensitive) {
    SetSensitive(ToolButtons[IndexOf(command)], sensitive);
    SetSensitive(ToolMenuItems[IndexOf(command)], sensitive);
}

void OnToolDialogInit() {
    LockGuard lock(AddOnHandle);
    for (Command command : kPageCommands)
        SetCommandSensitive(command, false);
}

void OnToolDialogClose() {
    LockGuard lock(AddOnHandle);
    QorGUIDialogDrop(ToolDialog);
}

void OnToolDialogHelp() {
    LockGuard lock(AddOnHandle);
    QorUtilHelp(kToolDialogHelpPage, FALSE, 0);
}

void OnAnchorToggle(const GUIInt_t *value) {
    LockGuard lock(AddOnHandle);
    BuilderSettings.AnchorToPaper = value && *value != 0;
}

// Reads "dlb.cfg" when the user works on another layout than the one it was
// last read for; always on the first read. The layout name is recorded so
// that settings chosen in the options dialog survive until the layout changes.
void FollowLayoutOnMenuChoice(bool firstRead) {
    HostString name(QorUtilGetCurLayoutFName());
    std::string current;
    if (name) {
        TrimSpace(name.get());
        current = name.get();
    }
    if (firstRead || (!current.empty() && current != BuilderSettings.LayoutFileName)) {
        ReadConfigFile();
        if (!current.empty())
            BuilderSettings.LayoutFileName = current;
    }
}

// Whether some frame is a size-and-position linked page of the group.
bool GroupHasPages(int group) {
    bool found = false;
    ForEachFrameLightweight([&] {
        found = IsLinkedPageOfGroup(group);
        return !found;
    });
    return found;
}

} // namespace

void ResetToolDialogIds() {
    ToolDialog = BADDIALOGID;
    ToolAnchorToggle = BADDIALOGID;
    ToolButtons.fill(BADDIALOGID);
    ToolMenuItems.fill(BADDIALOGID);
    ToolGroupFrames.fill(BADDIALOGID);
    ToolMenus.fill(BADDIALOGID);
}

bool ToolDialogIsUp() {
    return ToolDialog != BADDIALOGID && QorGUIDialogIsUp(ToolDialog);
}

void BuildToolDialog() {
    if (ToolDialog != BADDIALOGID)
        return;
    ToolDialog = QorGUIDialogCreateModeless(BADDIALOGID, kToolDialogWidth, kToolDialogHeight,
                                            kToolDialogTitle, OnToolDialogInit, OnToolDialogClose,
                                            OnToolDialogHelp);
    if (ToolDialog == BADDIALOGID)
        return;

    ToolGroupFrames[ControlsFrame] = QorGUIFrameAdd(ToolDialog, 186, 901, 2204, 937, "Controls");
    ToolGroupFrames[ContainersFrame] = QorGUIFrameAdd(ToolDialog, 186, 66, 2204, 751, "Containers");
    ToolGroupFrames[LayoutFrame] = QorGUIFrameAdd(ToolDialog, 186, 1935, 2189, 534, "Layout");

    for (const ToolButtonSpec &spec : kToolButtons) {
        const char *image = ToolImageData(spec.image);
        GUIInt_t id;
        if (spec.command == Command::Count) {
            id = ToolAnchorToggle = QorGUIBitmapToggleAdd(
                ToolDialog, spec.x, spec.y, kToolButtonWidth, kToolButtonHeight, kToolImageSide,
                kToolImageSide, image, TRUE, kTransparentRed, kTransparentGreen, kTransparentBlue,
                OnAnchorToggle);
        } else {
            id = ToolButtons[IndexOf(spec.command)] = QorGUIBitmapButtonAdd(
                ToolDialog, spec.x, spec.y, kToolButtonWidth, kToolButtonHeight, kToolImageSide,
                kToolImageSide, image, TRUE, kTransparentRed, kTransparentGreen, kTransparentBlue,
                DispatchCallbackOf(spec.command));
        }
        QorGUISetToolTip(id, ToolImageName(spec.image));
        if (spec.command != Command::Count && !CommandAvailable(spec.command))
            SetSensitive(id, false);
    }
}

void BuildMenuBar() {
    if (ToolDialog == BADDIALOGID || MenuIdOf(Menu::Bar) != BADDIALOGID)
        return;
    MenuIdOf(Menu::Bar) = QorGUIMenuBarAdd(ToolDialog);
    for (const MenuStep &step : kMenuSteps) {
        GUIInt_t parent = MenuIdOf(step.parent);
        switch (step.step) {
        case Step::SubMenu:
            MenuIdOf(step.created) = QorGUIMenuAdd(parent, step.label);
            break;
        case Step::Item: {
            GUIInt_t id = ToolMenuItems[IndexOf(step.command)] = QorGUIMenuAddItem(
                parent, step.label, step.helpText, DispatchCallbackOf(step.command));
            if (!CommandAvailable(step.command))
                SetSensitive(id, false);
            break;
        }
        case Step::Separator:
            QorGUIMenuAddSeparator(parent);
            break;
        }
    }
}

void OnToolsMenu() {
    LockGuard lock(AddOnHandle);
    const bool firstUse = ToolDialog == BADDIALOGID;
    FollowLayoutOnMenuChoice(firstUse);
    if (firstUse) {
        BuildToolDialog();
        BuildMenuBar();
    }
    if (ToolDialog == BADDIALOGID)
        return;
    QorGUIDialogLaunch(ToolDialog);
    UpdateToolSensitivity();
}

ToolSelection ReadToolSelection() {
    ToolSelection selection;
    PickedObject picked[kMaxPickedObjects];
    int count = 0;
    CollectPicked(count, picked, false);
    selection.picked = count;

    if (QorUtilPickListGetCount() == 1 && QorUtilPickListGetType(1) == PickObject_Text) {
        ControlKind kind = NotAControl;
        int group = -1;
        ClassifyText(QorUtilPickListGetText(1), kind, group);
        selection.tabControl = kind == Tab;
        selection.formControl = kind == Form;
        if (selection.tabControl || selection.formControl)
            selection.hasPages = GroupHasPages(group);
    }

    HostString frameName = CurrentFrameName();
    selection.onPage = frameName && !IsPlainDialogFrame(frameName.get(), false);
    return selection;
}

bool CommandWanted(Command command, const ToolSelection &selection) {
    switch (command) {
    case Command::AlignLeft:
    case Command::AlignHorzCenter:
    case Command::AlignRight:
    case Command::AlignTop:
    case Command::AlignVertCenter:
    case Command::AlignBottom:
        return selection.picked >= 2;
    case Command::SpaceEvenlyAcross:
    case Command::SpaceEvenlyDown:
        return selection.picked >= 3;
    case Command::CenterVertically:
    case Command::CenterHorizontally:
        return selection.picked >= 1;
    case Command::InsertFormPage:
        return selection.formControl;
    case Command::InsertTabPage:
        return selection.tabControl;
    case Command::ResizePages:
        return selection.hasPages;
    case Command::PopNextPage:
        return selection.onPage;
    default:
        return true;
    }
}

void UpdateToolSensitivity() {
    if (!ToolDialogIsUp())
        return;
    const ToolSelection selection = ReadToolSelection();
    for (int i = 0; i < kCommandCount; ++i) {
        const Command command = static_cast<Command>(i);
        SetCommandSensitive(command,
                            CommandAvailable(command) && CommandWanted(command, selection));
    }
}

} // namespace quorvin::builder
