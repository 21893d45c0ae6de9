// Dialog, sidebar and page frames, group frames, and keeping the pages of a
// tab or form control together.
#include "commands/CommandUtil.h"
#include "commands/Commands.h"
#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Settings.h"
#include "model/Frames.h"

#include <cmath>

namespace quorvin::builder {

namespace {

// Where new frames go, in paper inches.
constexpr double kDialogX = 4.4, kDialogY = 0.7, kDialogWidth = 4.5, kDialogHeight = 5.5;
constexpr double kSidebarX = 0.4, kSidebarY = 0.2, kSidebarWidth = 2.3, kSidebarHeight = 7.5;
constexpr double kPageX = 3.0, kPageY = 0.7;

// Width and height of a text's box in paper inches.
void TextBoxPaperSize(Text_ID text, double &width, double &height) {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
    QorUtilTextBoxGetPosition(text, &x1, &y1, &x2, &y2, &x3, &y3, &x4, &y4);
    width = QorUtilConvertXDimension(CoordSys_Screen, CoordSys_Paper, std::fabs(x3 - x1));
    height = QorUtilConvertYDimension(CoordSys_Screen, CoordSys_Paper, std::fabs(y3 - y1));
}

// Pages can only belong to the linking groups 1 to 32.
bool CheckPageGroup(Text_ID text, int kind, int group) {
    if (group >= 1 && group <= kLinkGroupCount)
        return true;
    const std::string string = ToStdString(TextString(text));
    const HostString frameName = CurrentFrameName();
    QorUtilDialogErrMsg(
        FormatText("The %s control \"%s\" in frame \"%s\" uses the group %d; pages can only be "
                   "linked to the groups 1 to %d. Change Group= in the control's text.",
                   kind == Tab ? "tab" : "form", string.c_str(), frameName ? frameName.get() : "",
                   group, kLinkGroupCount)
            .c_str());
    return false;
}

// Creates the frame of a dialog or sidebar and names it with the command
// built from its number. False when the host made no frame.
bool CreateNamedFrame(double x, double y, double width, double height, const char *background) {
    if (!QorUtilFrameCreateNew(TRUE, x, y, width, height))
        return false;
    QorUtilMacroExecuteCommand("$!FRAMELAYOUT SHOWHEADER = NO");
    QorUtilMacroExecuteCommand(background);
    return true;
}

void FinishNewFrame() {
    QorUtilPickSetMouseMode(MouseButtonMode_Select);
    QorUtilRedraw(TRUE);
}

} // namespace

bool FindPickedTabOrForm(int &kind, int &group, Text_ID &text) {
    const LgIndex_t count = QorUtilPickListGetCount();
    for (LgIndex_t i = 1; i <= count; ++i) {
        if (QorUtilPickListGetType(i) != PickObject_Text)
            continue;
        Text_ID picked = QorUtilPickListGetText(i);
        ControlKind pickedKind = NotAControl;
        int pickedGroup = -1;
        ClassifyText(picked, pickedKind, pickedGroup);
        if (pickedKind == Tab || pickedKind == Form) {
            kind = pickedKind;
            group = pickedGroup;
            text = picked;
            return true;
        }
    }
    return false;
}

int CountFrameTexts() {
    int count = 0;
    for (Text_ID text = QorUtilTextGetBase(); text; text = QorUtilTextGetNext(text))
        ++count;
    return count;
}

void InsertDialog(bool modal) {
    // A frame that the host cannot make is not reported; nothing else may
    // happen then, or the name would land on the frame that was current.
    if (!CreateNamedFrame(kDialogX, kDialogY, kDialogWidth, kDialogHeight,
                          "$!FRAMELAYOUT BACKGROUNDCOLOR = CUSTOM2"))
        return;
    const int id = NextDialogId(false);
    const std::string command = FormatText(
        "$!FRAMENAME = 'ID=%d TITLE=\"Untitled\" MODE=%s %s'", id, modal ? "MODAL" : "MODELESS",
        modal ? "OKCLOSEBUTTON=T APPLYBUTTON=F CANCELBUTTON=T HELPBUTTON=T"
              : "OKCLOSEBUTTON=T HELPBUTTON=T");
    QorUtilMacroExecuteCommand(command.c_str());
    FinishNewFrame();
}

void InsertModalDialog() {
    InsertDialog(true);
}
void InsertModelessDialog() {
    InsertDialog(false);
}

void InsertSidebar() {
    if (!CreateNamedFrame(kSidebarX, kSidebarY, kSidebarWidth, kSidebarHeight,
                          "$!FRAMELAYOUT BACKGROUNDCOLOR = CYAN"))
        return;
    const int id = NextDialogId(true);
    const std::string command =
        FormatText("$!FRAMENAME = 'ID=%d TITLE=\"Sidebar\" %s=T'", id, "SIDEBAR");
    QorUtilMacroExecuteCommand(command.c_str());
    FinishNewFrame();
}

void InsertGroupFrame() {
    if (!RequireCurrentFrame())
        return;
    Geom_ID rectangle = QorUtilGeomRectangleCreate(CoordSys_Frame, 25, 25, 25, 25);
    if (!rectangle)
        return;
    QorUtilGeomSetMacroFunctionCmd(rectangle, "New Frame");
    QorUtilRedraw(TRUE);
}

void InsertPage() {
    int kind = 0, group = -1;
    Text_ID text = nullptr;
    if (!FindPickedTabOrForm(kind, group, text))
        return;
    if (!CheckPageGroup(text, kind, group))
        return;
    double width = 0, height = 0;
    TextBoxPaperSize(text, width, height);
    CreatePageFrame(kind, group, width, height);
}

void CreatePageFrame(int kind, int group, double width, double height) {
    const bool formPage = kind == Form;
    const int pageId = NextPageId(group);
    std::string name = FormatText("%s=T ID=%d", formPage ? "FORMPAGE" : "TABPAGE", pageId);
    if (!formPage) {
        const int position = NextPagePosition(group);
        name += FormatText(" %s=%d TITLE=\"Page %d\"", "POS", position, position);
    }
    if (!QorUtilFrameCreateNew(TRUE, kPageX, kPageY, width, height))
        return;

    HostArgList args(QorUtilArgListAlloc());
    if (args) {
        QorUtilArgListAppendString(args.get(), "P1", "FrameLayout");
        QorUtilArgListAppendString(args.get(), "P2", "ShowHeader");
        QorUtilArgListAppendInt(args.get(), "IValue", 0);
        QorUtilStyleSetLowLevelX(args.get());
        QorUtilArgListClear(args.get());
        QorUtilArgListAppendString(args.get(), "P1", "FrameLayout");
        QorUtilArgListAppendString(args.get(), "P2", "BackgroundColor");
        QorUtilArgListAppendInt(args.get(), "IValue",
                                formPage ? BuilderSettings.FormPageColor
                                         : BuilderSettings.TabPageColor);
        QorUtilStyleSetLowLevelX(args.get());
    }

    QorUtilFrameSetName(name.c_str());
    QorUtilFrameSetLinking("LinkGroup", group);
    QorUtilFrameSetLinking("LinkFrameSizeAndPosition", TRUE);
    FinishNewFrame();
}

void ResizePages() {
    int kind = 0, group = -1;
    Text_ID text = nullptr;
    if (!FindPickedTabOrForm(kind, group, text)) {
        QorUtilDialogErrMsg("No form or tab control selected");
        return;
    }
    const std::string question =
        FormatText("Resize all linked group dialogs to match the size of the selected %s control?",
                   kind == Tab ? "tab" : "form");
    if (!QorUtilDialogMessageBox(question.c_str(), MessageBox_YesNo))
        return;
    double width = 0, height = 0;
    TextBoxPaperSize(text, width, height);

    {
        DrawingOff drawingOff;
        // Popping the bottom frame once per frame visits every frame and
        // leaves the starting frame on top again.
        const LgIndex_t frameCount = QorUtilFrameGetCount();
        bool resized = false;
        for (LgIndex_t i = 0; i < frameCount; ++i) {
            QorUtilFramePop(1);
            if (resized || !IsLinkedPageOfGroup(group))
                continue;
            double x = 0, y = 0, oldWidth = 0, oldHeight = 0;
            QorUtilFrameGetPosAndSize(&x, &y, &oldWidth, &oldHeight);
            QorUtilFrameSetPosAndSize(x, y, width, height);
            resized = true;
        }
    }
    QorUtilRedrawAll(TRUE);
}

void PopNextPage() {
    LgIndex_t group = 0;
    if (!QorUtilFrameGetLinking("LinkGroup", &group))
        return;
    bool found = false;
    UniqueID_t next = 0;
    ForEachFrameLightweight([&] {
        if (!found && IsLinkedPageOfGroup(group)) {
            next = QorUtilFrameGetUniqueID();
            found = true;
        }
        return true;
    });
    if (found)
        QorUtilFramePopByUniqueID(next);
}

} // namespace quorvin::builder
