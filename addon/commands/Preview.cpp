// The live preview: the build driver runs with the preview flag set, and the
// generator's containers and controls are made here through the GUI API
// instead of being written. The previewed dialog or sidebar comes first, then
// its linked form and tab pages in POS order, each inside the tab control
// that stands for its form or tab control.
#include "commands/Preview.h"

#include "classic/Build.h"
#include "classic/BuildState.h"
#include "classic/Generator.h"
#include "model/Format.h"
#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Parameters.h"
#include "model/Settings.h"
#include "model/Frames.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quorvin::builder {

namespace {

// ---- state of the preview --------------------------------------------------

// Makes each sidebar preview's title unique; counts on over the add-on's life.
int SidebarPreviewCounter = 1;
// Whether the preview handle names a sidebar (sidebars are never dropped).
bool PreviewIsSidebar = false;

// Parents of the controls: the dialog or sidebar, or the page being made.
// The stack is empty at index kPreviewParentStackSize.
GUIInt_t ParentStack[kPreviewParentStackSize];
int ParentTop = kPreviewParentStackSize;
GUIInt_t CurrentParent = BADDIALOGID;

// The tab control that stands for each page's form or tab control.
GUIInt_t FormContainers[kPreviewPageTableSize];
GUIInt_t TabContainers[kPreviewPageTableSize];

// The container being generated is a page the preview could not place: its
// controls are left out and nothing is popped at its end.
bool ContainerLeftOut = false;
bool PagePushed = false;

constexpr int kGroupsPerPageId = 32;

void ResetTables() {
    std::fill(std::begin(FormContainers), std::end(FormContainers), BADDIALOGID);
    std::fill(std::begin(TabContainers), std::end(TabContainers), BADDIALOGID);
    ParentTop = kPreviewParentStackSize;
    CurrentParent = BADDIALOGID;
    ContainerLeftOut = false;
    PagePushed = false;
}

// The place of a page in the page container tables, or -1 when the page has
// no ID or its ID and linking group lie beyond the tables.
int PageTableIndex(int pageId, int group) {
    if (pageId < 0 || group < 1 || group > kLinkGroupCount)
        return -1;
    const long long index = static_cast<long long>(pageId) * kGroupsPerPageId + group;
    return index < kPreviewPageTableSize ? static_cast<int>(index) : -1;
}

void StoreContainer(GUIInt_t *table, int pageId, int group, GUIInt_t container) {
    const int index = PageTableIndex(pageId, group);
    if (index >= 0)
        table[index] = container;
}

// ---- the builder's own callbacks of a preview dialog ----------------------

void DropPreview() {
    LockGuard lock(AddOnHandle);
    const GUIInt_t handle = BuildState.PreviewHandle;
    if (handle != BADDIALOGID && !PreviewIsSidebar && QorGUIDialogIsUp(handle))
        QorGUIDialogDrop(handle);
}

void DoNothing() {}

void IgnoreValue(const GUIInt_t *) {}

GUIInt_t AcceptText(const char *) {
    return 1;
}

void ChooseColor() {
    LockGuard lock(AddOnHandle);
    ColorIndex_t color = 0;
    QorUtilDialogGetColor(FALSE, &color);
}

// A typed backslash-n is a line break in the built dialog (the generated
// string literal keeps it as the escape); the preview shows it alike.
std::string TypedLineBreaks(const std::string &text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

const char *PageKindName(const ContainerInfo &c) {
    return c.kind == FormPage ? "form" : "tab";
}

// A page that cannot be shown is reported and left out; the rest of the
// preview goes on.
void LeaveOutPage(const ContainerInfo &c, const std::string &why) {
    const std::string message =
        FormatText("Cannot show the %s page\n%s\nin the preview: %s\nThe page is left out of "
                   "the preview.",
                   PageKindName(c), c.frameName.c_str(), why.c_str());
    QorUtilDialogErrMsg(message.c_str());
    ContainerLeftOut = true;
}

// ---- containers --------------------------------------------------------------

void StartContainer(GUIInt_t handle, bool sidebar) {
    BuildState.PreviewHandle = handle;
    PreviewIsSidebar = sidebar;
    ParentTop = kPreviewParentStackSize;
    CurrentParent = handle;
}

void CreateDialog(const ContainerInfo &c) {
    const std::string title = TypedLineBreaks(c.title) + " - [Preview]";
    bool okClose = c.okClose;
    const bool closable = c.modeless ? c.okClose : (c.okClose || c.cancel);
    if (!closable) {
        QorUtilDialogMessageBox(
            "The preview dialog will have a close button since that is the only way the "
            "preview dialog can be closed.\nThe dialog generated in the source code will not "
            "have a close button.",
            MessageBox_Information);
        okClose = true;
    }
    GUIInt_t handle = BADDIALOGID;
    if (c.modeless) {
        handle = QorGUIDialogCreateModeless(-1, c.width, c.height, title.c_str(), DoNothing,
                                            okClose ? DropPreview : nullptr,
                                            c.help ? DoNothing : nullptr);
    } else {
        handle =
            QorGUIDialogCreateModal(-1, c.width, c.height, title.c_str(), DoNothing,
                                    okClose ? DropPreview : nullptr, c.apply ? DoNothing : nullptr,
                                    c.cancel ? DropPreview : nullptr, c.help ? DoNothing : nullptr);
    }
    if (handle != BADDIALOGID)
        StartContainer(handle, false);
}

void CreateSidebar(const ContainerInfo &c) {
    const std::string title =
        FormatText("%s [Preview %d]", TypedLineBreaks(c.title).c_str(), SidebarPreviewCounter);
    const GUIInt_t handle =
        QorGUISidebarRegister(title.c_str(), AddOnHandle, c.width, c.height, DoNothing, DoNothing);
    if (handle == BADDIALOGID) {
        QorUtilDialogErrMsg(
            "Cannot create a sidebar preview; too many sidebars are already registered.");
        return;
    }
    ++SidebarPreviewCounter;
    StartContainer(handle, true);
}

// A page becomes a tab of the tab control that stands for its form or tab
// control, and the parent of the page's controls.
void AddPage(const ContainerInfo &c) {
    if (BuildState.PreviewHandle == BADDIALOGID) {
        ContainerLeftOut = true; // the dialog itself could not be made
        return;
    }
    const int index = PageTableIndex(c.id, c.group);
    if (c.id < 0) {
        LeaveOutPage(c, "its frame name has no ID=.");
        return;
    }
    if (index < 0) {
        LeaveOutPage(c, FormatText("its ID=%d in frame linking group %d lies beyond the "
                                   "preview's page table (ID x 32 + group must be below %d).",
                                   c.id, c.group, kPreviewPageTableSize));
        return;
    }
    const GUIInt_t container = c.kind == FormPage ? FormContainers[index] : TabContainers[index];
    if (container == BADDIALOGID) {
        LeaveOutPage(c, FormatText("no %s control of the previewed frame with GROUP=%d holds it.",
                                   PageKindName(c), c.group));
        return;
    }
    if (ParentTop == 0) {
        LeaveOutPage(c, FormatText("pages are nested more than %d deep.", kPreviewParentStackSize));
        return;
    }
    const std::string label =
        c.kind == FormPage ? FormatText("[Form %d]", c.id) : TypedLineBreaks(c.title);
    const GUIInt_t page = QorGUITabAddPage(container, label.c_str());
    if (page == BADDIALOGID) {
        ContainerLeftOut = true;
        return;
    }
    ParentStack[--ParentTop] = CurrentParent;
    PagePushed = true;
    CurrentParent = page;
}

// ---- controls ----------------------------------------------------------------

bool HasToolTip(int type) {
    switch (type) {
    case Tab:
    case Form:
    case Label:
    case kGroupFrame:
    case kHorzSeparator:
    case kVertSeparator:
        return false;
    default:
        return true;
    }
}

GUIInt_t AddBitmap(GUIInt_t parent, const ControlRecord &r) {
    GUIInt_t width = 0, height = 0;
    unsigned char *rgb = nullptr;
    if (!QorUtilGeomImageGetImage(r.geom, &width, &height, &rgb) || !rgb)
        return BADDIALOGID;
    const char *data = reinterpret_cast<const char *>(rgb);
    const Boolean_t transparent = r.transparent ? TRUE : FALSE;
    const GUIInt_t id =
        r.type == kBitmapButton
            ? QorGUIBitmapButtonAdd(parent, r.x, r.y, r.width, r.height, width, height, data,
                                    transparent, r.red, r.green, r.blue, DoNothing)
            : QorGUIBitmapToggleAdd(parent, r.x, r.y, r.width, r.height, width, height, data,
                                    transparent, r.red, r.green, r.blue, IgnoreValue);
    QorUtilImageRGBDataDealloc(&rgb);
    return id;
}

GUIInt_t AddRadioBox(GUIInt_t parent, const ControlRecord &r) {
    std::vector<std::string> labels;
    for (const std::string &label : r.radioLabels)
        labels.push_back(TypedLineBreaks(label));
    const auto label = [&labels](size_t i) {
        return i < labels.size() ? labels[i].c_str() : nullptr;
    };
    return QorGUIRadioBoxAdd(parent, r.x, r.y, r.width, r.height, label(0), label(1), label(2),
                             label(3), label(4), IgnoreValue);
}

// The tab control of a form or tab control becomes the container of every
// page of its group.
void StorePageContainers(const ControlRecord &r, GUIInt_t control) {
    if (r.type == Form) {
        Set_pa pages = FormPageSet(r.group);
        if (!pages)
            return;
        for (SetIndex_t page = QorUtilSetGetNextMember(pages, QORSET_NOT_MEMBER);
             page != QORSET_NOT_MEMBER; page = QorUtilSetGetNextMember(pages, page))
            StoreContainer(FormContainers, static_cast<int>(page), r.group, control);
        return;
    }
    if (const TabPageRow *row = TabPageRowOf(r.group)) {
        for (int i = 0; i < row->count; ++i)
            StoreContainer(TabContainers, row->entries[i].pageId, r.group, control);
    }
}

GUIInt_t AddControl(GUIInt_t parent, const ControlRecord &r) {
    switch (r.type) {
    case TextField:
        return QorGUITextFieldAdd(parent, r.x, r.y, r.width, r.height, AcceptText);
    case Text:
        return QorGUITextAdd(parent, r.x, r.y, r.width, r.height, FALSE, AcceptText);
    case ReadOnlyText:
        return QorGUITextAdd(parent, r.x, r.y, r.width, r.height, TRUE, nullptr);
    case SingleList:
    case MultiList:
        return QorGUIListAdd(parent, r.x, r.y, r.width, r.height, r.type == MultiList, IgnoreValue);
    case Spin:
        return QorGUISpinTextFieldAdd(parent, r.x, r.y, r.width, r.height, AcceptText, DoNothing,
                                      DoNothing);
    case Form: // shown as a tab control, so that every page can be seen
    case Tab:
        return QorGUITabAdd(parent, r.x, r.y, r.width, r.height, IgnoreValue, IgnoreValue);
    case Scale: {
        const GUIInt_t id = QorGUIScaleAdd(parent, r.x, r.y, r.width, r.height, 0, 100, 0,
                                           IgnoreValue, IgnoreValue);
        if (id != BADDIALOGID)
            QorGUIScaleShowNumericDisplay(id, r.showLabel ? TRUE : FALSE);
        return id;
    }
    case OptionMenu:
        return QorGUIOptionMenuAdd(parent, r.x, r.y, r.width, r.height, "Option1,Option2,Option3",
                                   IgnoreValue);
    case PushButton:
        return QorGUIButtonAdd(parent, r.x, r.y, r.width, r.height,
                               TypedLineBreaks(r.label).c_str(), DoNothing);
    case kColoredButton: {
        const GUIInt_t id =
            QorGUIColoredButtonAdd(parent, r.x, r.y, r.width, r.height,
                                   TypedLineBreaks(r.label).c_str(), r.colorIndex, ChooseColor);
        if (id != BADDIALOGID)
            QorGUIColoredButtonSetColor(id, r.colorIndex);
        return id;
    }
    case RadioBox:
        return AddRadioBox(parent, r);
    case Toggle:
        return QorGUIToggleAdd(parent, r.x, r.y, r.width, r.height,
                               TypedLineBreaks(r.label).c_str(), IgnoreValue);
    case Label:
        return QorGUILabelAdd(parent, r.x, r.y, TypedLineBreaks(r.label).c_str());
    case kBitmapButton:
    case kBitmapToggle:
        return AddBitmap(parent, r);
    case kGroupFrame:
        return QorGUIFrameAdd(parent, r.x, r.y, r.width, r.height,
                              TypedLineBreaks(r.label).c_str());
    case kHorzSeparator:
        return QorGUIHorzSeparatorAdd(parent, r.x, r.y, r.width);
    case kVertSeparator:
        return QorGUIVertSeparatorAdd(parent, r.x, r.y, r.height);
    default:
        return BADDIALOGID;
    }
}

struct RecordedPage {
    UniqueID_t frame = 0;
    int position = 1;
};

// Generates the current frame as a container of the preview.
void GenerateCurrentFrame() {
    if (HostString name = CurrentFrameName())
        GenerateFrame(name.get(), OutputFiles{}, BuildState.Language);
}

} // namespace

void PreviewContainer(const ContainerInfo &c) {
    if (!BuildState.Preview)
        return;
    ContainerLeftOut = false;
    PagePushed = false;
    switch (c.kind) {
    case ModalDialog:
    case ModelessDialog:
        CreateDialog(c);
        break;
    case Sidebar:
        CreateSidebar(c);
        break;
    case FormPage:
    case TabPage:
        AddPage(c);
        break;
    }
}

void PreviewControl(const ContainerInfo &, const ControlRecord &r) {
    if (!BuildState.Preview || ContainerLeftOut || CurrentParent == BADDIALOGID)
        return;
    const GUIInt_t id = AddControl(CurrentParent, r);
    if (id == BADDIALOGID)
        return;
    if (r.type == Form || r.type == Tab)
        StorePageContainers(r, id);
    if (HasToolTip(r.type) && !r.toolTip.empty())
        QorGUISetToolTip(id, TypedLineBreaks(r.toolTip).c_str());
}

void PreviewContainerEnd(const ContainerInfo &) {
    if (!BuildState.Preview)
        return;
    if (PagePushed && ParentTop < kPreviewParentStackSize)
        CurrentParent = ParentStack[ParentTop++];
    PagePushed = false;
    ContainerLeftOut = false;
}

void PreviewWalk() {
    if (!BuildState.Preview)
        return;
    ResetTables();

    // The linking groups of the current frame's tab and form controls.
    HostSet tabGroups(QorUtilSetAlloc(FALSE));
    HostSet formGroups(QorUtilSetAlloc(FALSE));
    if (!tabGroups || !formGroups) {
        QorUtilDialogErrMsg("Memory Allocation Error");
        return;
    }
    for (Text_ID text = QorUtilTextGetBase(); text; text = QorUtilTextGetNext(text)) {
        ControlKind kind = NotAControl;
        int group = -1;
        ClassifyText(text, kind, group);
        if (group >= 1 && (kind == Tab || kind == Form))
            QorUtilSetAddMember(kind == Tab ? tabGroups.get() : formGroups.get(), group, FALSE);
    }

    // Every linked page of those groups: its ID into the page set of its
    // group, its frame and POS recorded.
    const UniqueID_t start = QorUtilFrameGetUniqueID();
    std::vector<RecordedPage> pages;
    DrawingOff drawingOff;
    if (QorUtilFrameLightweightPopStart()) {
        do {
            HostString name = CurrentFrameName();
            if (!name || FrameLinking("LinkFrameSizeAndPosition") == 0)
                continue;
            const FrameKind kind = GetFrameKind(name.get());
            if (kind != FormPage && kind != TabPage)
                continue;
            const int group = FrameLinking("LinkGroup");
            Set_pa groups = kind == FormPage ? formGroups.get() : tabGroups.get();
            if (group < 1 || !QorUtilSetIsMember(groups, group))
                continue;
            const int id = GetFrameId(name.get());
            Set_pa pageSet = kind == FormPage ? FormPageSet(group) : TabPageSet(group);
            if (pageSet && id >= 0)
                QorUtilSetAddMember(pageSet, id, FALSE);
            pages.push_back({QorUtilFrameGetUniqueID(), GetIntParameter(name.get(), "POS", 1)});
        } while (QorUtilFrameLightweightPopNext());
        QorUtilFrameLightweightPopEnd();
    }

    // The dialog or sidebar, then its pages by POS (equal POS: the order the
    // walk met them).
    QorUtilFramePopByUniqueID(start);
    GenerateCurrentFrame();
    std::stable_sort(pages.begin(), pages.end(), [](const RecordedPage &a, const RecordedPage &b) {
        return a.position < b.position;
    });
    for (const RecordedPage &page : pages) {
        if (QorUtilFramePopByUniqueID(page.frame))
            GenerateCurrentFrame();
    }
    QorUtilFramePopByUniqueID(start);
}

void PreviewCommand() {
    HostString name = CurrentFrameName();
    if (!name) {
        QorUtilDialogErrMsg("There is no frame to preview.\nPlease insert a dialog or sidebar "
                            "frame and try again.");
        return;
    }
    if (!IsPlainDialogFrame(name.get())) {
        QorUtilDialogErrMsg(
            "Preview is not available.\nPlease select a modal or modeless dialog and try again");
        return;
    }
    name.reset();

    // Only one preview dialog is up at a time, so that its buttons drop it
    // and not a dialog the handle no longer names.
    const GUIInt_t previous = BuildState.PreviewHandle;
    if (previous != BADDIALOGID && !PreviewIsSidebar && QorGUIDialogIsUp(previous))
        QorGUIDialogDrop(previous);

    // The preview joins the generator for this run only; whatever was
    // joined before is restored afterwards.
    const GeneratorHooks saved = BuildHooks;
    BuildHooks.previewWalk = PreviewWalk;
    BuildHooks.container = PreviewContainer;
    BuildHooks.control = PreviewControl;
    BuildHooks.containerEnd = PreviewContainerEnd;
    GoBuild(BuilderSettings.Language, true);
    BuildHooks = saved;
}

int SidebarPreviewNumber() {
    return SidebarPreviewCounter;
}

void ResetPreviewState() {
    SidebarPreviewCounter = 1;
    PreviewIsSidebar = false;
    ResetTables();
}

} // namespace quorvin::builder
