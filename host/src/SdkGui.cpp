// The QorGUI functions of the SDK: every dialog, sidebar, control and menu
// is recorded with all its arguments so that tests can read it back and the
// driving API can act on it. Identifiers count from 1; BADDIALOGID (-2)
// answers a creation that cannot be made.
#include "HostImpl.h"

#include <cstring>

using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;
using quorvin::host::Host;
namespace qh = quorvin::host;

namespace {

std::string fn(const char *name) {
    return std::string(name) + ": ";
}

std::string str(const char *s) {
    return s ? std::string(s) : std::string();
}

bool isPage(const GuiControl &c) {
    return c.kind == "TabPage" || c.kind == "FormPage";
}

// Creates a control whose parent is a dialog, sidebar or page.
GUIInt_t addControl(Host::Impl &h, const char *func, GUIInt_t parent, GUIInt_t width,
                    GUIInt_t height, GuiControl c) {
    const GUIInt_t dialog = h.ownerDialog(parent);
    if (dialog == BADDIALOGID) {
        h.fault(fn(func) + "parent " + std::to_string(parent) + " is no dialog, sidebar or page");
        return BADDIALOGID;
    }
    if (width < 0 || height < 0) {
        h.fault(fn(func) + "width and height must not be negative");
        return BADDIALOGID;
    }
    c.parent = parent;
    c.width = width;
    c.height = height;
    return h.newControl(func, dialog, std::move(c));
}

GuiControl *controlOfKind(Host::Impl &h, GUIInt_t id, const char *func,
                          std::initializer_list<const char *> kinds) {
    GuiControl *c = h.control(id);
    if (!c) {
        h.fault(fn(func) + "no control with identifier " + std::to_string(id));
        return nullptr;
    }
    for (const char *kind : kinds)
        if (c->kind == kind)
            return c;
    h.fault(fn(func) + "control " + std::to_string(id) + " is a " + c->kind);
    return nullptr;
}

GUIInt_t addDialog(Host::Impl &h, const char *func, GUIInt_t parent, GUIInt_t width,
                   GUIInt_t height, const char *title, GuiDialog d) {
    if (parent > 0 && !h.dialog(parent)) {
        h.fault(fn(func) + "parent dialog " + std::to_string(parent) + " does not exist");
        return BADDIALOGID;
    }
    if (width < 0 || height < 0 || !title) {
        h.fault(fn(func) + "needs a title and a width and height of 0 or more");
        return BADDIALOGID;
    }
    d.id = h.nextGuiId++;
    d.parent = parent;
    d.width = width;
    d.height = height;
    d.title = title;
    h.dialogs[d.id] = d;
    return d.id;
}

bool validRgb(GUIInt_t r, GUIInt_t g, GUIInt_t b) {
    return r >= 0 && r <= 255 && g >= 0 && g <= 255 && b >= 0 && b <= 255;
}

GUIInt_t addBitmap(Host::Impl &h, const char *func, GUIInt_t parent, GUIInt_t x, GUIInt_t y,
                   GUIInt_t width, GUIInt_t height, GUIInt_t bitmapWidth, GUIInt_t bitmapHeight,
                   const char *data, Boolean_t useTransparent, GUIInt_t red, GUIInt_t green,
                   GUIInt_t blue, GuiControl c) {
    if (bitmapWidth <= 0 || bitmapHeight <= 0 || bitmapWidth > 4096 || bitmapHeight > 4096 ||
        !data) {
        h.fault(fn(func) + "needs bitmap data of a positive size");
        return BADDIALOGID;
    }
    if (!validRgb(red, green, blue)) {
        h.fault(fn(func) + "transparent colour components must be 0 to 255");
        return BADDIALOGID;
    }
    c.x = x;
    c.y = y;
    c.bitmapWidth = bitmapWidth;
    c.bitmapHeight = bitmapHeight;
    const size_t bytes = static_cast<size_t>(bitmapWidth) * static_cast<size_t>(bitmapHeight) * 3;
    c.bitmap.assign(reinterpret_cast<const unsigned char *>(data),
                    reinterpret_cast<const unsigned char *>(data) + bytes);
    c.useTransparentColor = useTransparent != 0;
    c.transparentRed = red;
    c.transparentGreen = green;
    c.transparentBlue = blue;
    return addControl(h, func, parent, width, height, std::move(c));
}

} // namespace

namespace quorvin::host {

GuiDialog *Host::Impl::dialog(GUIInt_t id) {
    auto it = dialogs.find(id);
    return it == dialogs.end() ? nullptr : &it->second;
}

GuiControl *Host::Impl::control(GUIInt_t id) {
    auto it = controls.find(id);
    return it == controls.end() ? nullptr : &it->second;
}

GUIInt_t Host::Impl::ownerDialog(GUIInt_t parent) {
    if (dialog(parent))
        return parent;
    GuiControl *c = control(parent);
    if (c && isPage(*c)) {
        auto it = controlDialog.find(parent);
        return it == controlDialog.end() ? BADDIALOGID : it->second;
    }
    return BADDIALOGID;
}

GUIInt_t Host::Impl::newControl(const char *, GUIInt_t owner, GuiControl c) {
    c.id = nextGuiId++;
    controls[c.id] = c;
    controlDialog[c.id] = owner;
    dialogs[owner].controls.push_back(c.id);
    return c.id;
}

bool Host::Impl::dialogIsShown(GUIInt_t id) const {
    auto it = dialogs.find(id);
    if (it == dialogs.end())
        return false;
    return it->second.kind == "Sidebar" ? it->second.active : it->second.up;
}

void Host::Impl::launch(GuiDialog &d) {
    const GUIInt_t id = d.id;
    d.up = true;
    const int before = lockDepth;
    if (d.init)
        invoke("the initialisation callback of dialog " + describeText(d.title) + "", d.init);
    // The add-on's modal dialog may keep the lock its initialisation started
    // until its OK or Cancel callback finishes it.
    GuiDialog *after = dialog(id);
    if (after && after->kind == "Modal" && after->up && lockDepth > before)
        dialogsHoldingLock.insert(id);
}

} // namespace quorvin::host

extern "C" {

// ---------------------------------------------------------------------------
// Dialogs and sidebars

GUIInt_t QorGUIDialogCreateModal(GUIInt_t ParentDialog, GUIInt_t Width, GUIInt_t Height,
                                 const char *Title, QorGUIVoidCallback_pf InitCallback,
                                 QorGUIVoidCallback_pf OkButtonCallback,
                                 QorGUIVoidCallback_pf ApplyButtonCallback,
                                 QorGUIVoidCallback_pf CancelButtonCallback,
                                 QorGUIVoidCallback_pf HelpButtonCallback) {
    ENTER();
    GuiDialog d;
    d.kind = "Modal";
    d.init = InitCallback;
    d.ok = OkButtonCallback;
    d.apply = ApplyButtonCallback;
    d.cancel = CancelButtonCallback;
    d.help = HelpButtonCallback;
    return addDialog(h, __func__, ParentDialog, Width, Height, Title, d);
}

GUIInt_t QorGUIDialogCreateModeless(GUIInt_t ParentDialog, GUIInt_t Width, GUIInt_t Height,
                                    const char *Title, QorGUIVoidCallback_pf InitCallback,
                                    QorGUIVoidCallback_pf CloseButtonCallback,
                                    QorGUIVoidCallback_pf HelpButtonCallback) {
    ENTER();
    GuiDialog d;
    d.kind = "Modeless";
    d.init = InitCallback;
    d.close = CloseButtonCallback;
    d.help = HelpButtonCallback;
    return addDialog(h, __func__, ParentDialog, Width, Height, Title, d);
}

void QorGUIDialogLaunch(GUIInt_t DialogID) {
    ENTER();
    GuiDialog *d = h.dialog(DialogID);
    if (!d || d->kind == "Sidebar") {
        h.fault(fn(__func__) + "no dialog with identifier " + std::to_string(DialogID));
        return;
    }
    if (d->up)
        return; // already shown: brought forward, not initialised again
    h.launch(*d);
}

void QorGUIDialogDrop(GUIInt_t DialogID) {
    ENTER();
    GuiDialog *d = h.dialog(DialogID);
    if (!d || d->kind == "Sidebar") {
        h.fault(fn(__func__) + "no dialog with identifier " + std::to_string(DialogID));
        return;
    }
    if (!d->up)
        return;
    d->up = false;
    if (h.dialogsHoldingLock.erase(DialogID))
        h.droppedHoldingLock.push_back(d->title);
}

Boolean_t QorGUIDialogIsUp(GUIInt_t DialogID) {
    ENTER();
    if (DialogID == BADDIALOGID)
        return FALSE; // asking about a dialog not created yet is fine
    if (!h.dialog(DialogID)) {
        h.fault(fn(__func__) + "no dialog with identifier " + std::to_string(DialogID));
        return FALSE;
    }
    return h.dialogIsShown(DialogID) ? TRUE : FALSE;
}

void QorGUIDialogApplySetSensitivity(GUIInt_t DialogID, Boolean_t IsSensitive) {
    ENTER();
    GuiDialog *d = h.dialog(DialogID);
    if (!d || d->kind != "Modal") {
        h.fault(fn(__func__) + "no modal dialog with identifier " + std::to_string(DialogID));
        return;
    }
    d->applySensitive = IsSensitive != 0;
}

GUIInt_t QorGUISidebarRegister(const char *Title, AddOn_pa AddOnID, GUIInt_t Width, GUIInt_t Height,
                               QorGUIVoidCallback_pf ActivateCallback,
                               QorGUIVoidCallback_pf DeactivateCallback) {
    ENTER();
    bool known = false;
    for (const auto &r : h.registrations)
        known = known || r.handle == AddOnID;
    if (!known) {
        h.fault(fn(__func__) + "invalid add-on handle");
        return BADDIALOGID;
    }
    if (h.sidebarCount >= qh::kMaxSidebars)
        return BADDIALOGID; // the host holds no further sidebars
    GuiDialog d;
    d.kind = "Sidebar";
    d.addOn = AddOnID;
    d.activate = ActivateCallback;
    d.deactivate = DeactivateCallback;
    GUIInt_t id = addDialog(h, __func__, -1, Width, Height, Title, d);
    if (id != BADDIALOGID)
        ++h.sidebarCount;
    return id;
}

void QorGUISidebarActivate(GUIInt_t SidebarID) {
    ENTER();
    GuiDialog *d = h.dialog(SidebarID);
    if (!d || d->kind != "Sidebar") {
        h.fault(fn(__func__) + "no sidebar with identifier " + std::to_string(SidebarID));
        return;
    }
    if (d->active)
        return;
    // One sidebar is shown at a time: the one shown before is deactivated.
    for (auto &entry : h.dialogs) {
        GuiDialog &other = entry.second;
        if (other.kind == "Sidebar" && other.active) {
            other.active = false;
            other.up = false;
            if (other.deactivate)
                h.invoke("a sidebar deactivate callback", other.deactivate);
        }
    }
    d = h.dialog(SidebarID);
    d->active = true;
    d->up = true;
    if (d->activate)
        h.invoke("a sidebar activate callback", d->activate);
}

// ---------------------------------------------------------------------------
// Containers inside dialogs

GUIInt_t QorGUIFormAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                       GUIInt_t Height) {
    ENTER();
    GuiControl c;
    c.kind = "Form";
    c.x = X;
    c.y = Y;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

GUIInt_t QorGUIFormAddPage(GUIInt_t FormID) {
    ENTER();
    if (!controlOfKind(h, FormID, __func__, {"Form"}))
        return BADDIALOGID;
    GuiControl c;
    c.kind = "FormPage";
    c.parent = FormID;
    return h.newControl(__func__, h.controlDialog[FormID], c);
}

GUIInt_t QorGUITabAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                      GUIInt_t Height, QorGUIIntCallback_pf ActivateCallback,
                      QorGUIIntCallback_pf DeactivateCallback) {
    ENTER();
    GuiControl c;
    c.kind = "Tab";
    c.x = X;
    c.y = Y;
    c.intCallback = ActivateCallback;
    c.intCallback2 = DeactivateCallback;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

GUIInt_t QorGUITabAddPage(GUIInt_t TabID, const char *Title) {
    ENTER();
    if (!controlOfKind(h, TabID, __func__, {"Tab"}))
        return BADDIALOGID;
    if (!Title) {
        h.fault(fn(__func__) + "title is NULL");
        return BADDIALOGID;
    }
    GuiControl c;
    c.kind = "TabPage";
    c.parent = TabID;
    c.labels.push_back(Title);
    return h.newControl(__func__, h.controlDialog[TabID], c);
}

GUIInt_t QorGUIFrameAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                        GUIInt_t Height, const char *Label) {
    ENTER();
    GuiControl c;
    c.kind = "Frame";
    c.x = X;
    c.y = Y;
    c.labels.push_back(str(Label));
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

GUIInt_t QorGUIHorzSeparatorAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width) {
    ENTER();
    GuiControl c;
    c.kind = "HorzSeparator";
    c.x = X;
    c.y = Y;
    return addControl(h, __func__, ParentDialog, Width, 0, c);
}

GUIInt_t QorGUIVertSeparatorAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Height) {
    ENTER();
    GuiControl c;
    c.kind = "VertSeparator";
    c.x = X;
    c.y = Y;
    return addControl(h, __func__, ParentDialog, 0, Height, c);
}

// ---------------------------------------------------------------------------
// Controls

GUIInt_t QorGUITextFieldAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                            GUIInt_t Height, QorGUITextCallback_pf ValueChangedCallback) {
    ENTER();
    GuiControl c;
    c.kind = "TextField";
    c.x = X;
    c.y = Y;
    c.textCallback = ValueChangedCallback;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

GUIInt_t QorGUITextAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                       GUIInt_t Height, Boolean_t IsReadOnly,
                       QorGUITextCallback_pf ValueChangedCallback) {
    ENTER();
    GuiControl c;
    c.kind = "Text";
    c.x = X;
    c.y = Y;
    c.readOnly = IsReadOnly != 0;
    c.textCallback = ValueChangedCallback;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

GUIInt_t QorGUISpinTextFieldAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                                GUIInt_t Height, QorGUITextCallback_pf ValueChangedCallback,
                                QorGUIVoidCallback_pf ButtonUpCallback,
                                QorGUIVoidCallback_pf ButtonDownCallback) {
    ENTER();
    GuiControl c;
    c.kind = "SpinTextField";
    c.x = X;
    c.y = Y;
    c.textCallback = ValueChangedCallback;
    c.voidCallback = ButtonUpCallback;
    c.voidCallback2 = ButtonDownCallback;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

GUIInt_t QorGUIListAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                       GUIInt_t Height, Boolean_t IsMultiSelection,
                       QorGUIIntCallback_pf ValueChangedCallback) {
    ENTER();
    GuiControl c;
    c.kind = "List";
    c.x = X;
    c.y = Y;
    c.multiSelection = IsMultiSelection != 0;
    c.intCallback = ValueChangedCallback;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

GUIInt_t QorGUIScaleAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                        GUIInt_t Height, GUIInt_t ScaleMin, GUIInt_t ScaleMax,
                        GUIInt_t DecimalPrecision, QorGUIIntCallback_pf ValueChangedCallback,
                        QorGUIIntCallback_pf DragValueChangedCallback) {
    ENTER();
    if (ScaleMin > ScaleMax || DecimalPrecision < 0) {
        h.fault(fn(__func__) + "the minimum must not exceed the maximum, the precision >= 0");
        return BADDIALOGID;
    }
    GuiControl c;
    c.kind = "Scale";
    c.x = X;
    c.y = Y;
    c.scaleMin = ScaleMin;
    c.scaleMax = ScaleMax;
    c.decimals = DecimalPrecision;
    c.intValue = ScaleMin;
    c.intCallback = ValueChangedCallback;
    c.intCallback2 = DragValueChangedCallback;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

void QorGUIScaleShowNumericDisplay(GUIInt_t ScaleID, Boolean_t ShowDisplay) {
    ENTER();
    if (GuiControl *c = controlOfKind(h, ScaleID, __func__, {"Scale"}))
        c->numericDisplay = ShowDisplay != 0;
}

GUIInt_t QorGUIOptionMenuAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                             GUIInt_t Height, const char *OptionList,
                             QorGUIIntCallback_pf ValueChangedCallback) {
    ENTER();
    if (!OptionList) {
        h.fault(fn(__func__) + "option list is NULL");
        return BADDIALOGID;
    }
    GuiControl c;
    c.kind = "OptionMenu";
    c.x = X;
    c.y = Y;
    c.optionList = OptionList;
    c.intValue = 1;
    c.intCallback = ValueChangedCallback;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

GUIInt_t QorGUIButtonAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                         GUIInt_t Height, const char *Label, QorGUIVoidCallback_pf ButtonCallback) {
    ENTER();
    if (!Label) {
        h.fault(fn(__func__) + "label is NULL");
        return BADDIALOGID;
    }
    GuiControl c;
    c.kind = "Button";
    c.x = X;
    c.y = Y;
    c.labels.push_back(Label);
    c.voidCallback = ButtonCallback;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

GUIInt_t QorGUIColoredButtonAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                                GUIInt_t Height, const char *Label, ColorIndex_t Color,
                                QorGUIVoidCallback_pf ButtonCallback) {
    ENTER();
    if (!Label) {
        h.fault(fn(__func__) + "label is NULL");
        return BADDIALOGID;
    }
    GuiControl c;
    c.kind = "ColoredButton";
    c.x = X;
    c.y = Y;
    c.labels.push_back(Label);
    if (qh::validColor(Color))
        c.color = Color;
    else
        h.fault(fn(__func__) + "colour index " + std::to_string(Color) +
                " is not 0 to 63; black is used");
    c.voidCallback = ButtonCallback;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

void QorGUIColoredButtonSetColor(GUIInt_t ButtonID, ColorIndex_t Color) {
    ENTER();
    GuiControl *c = controlOfKind(h, ButtonID, __func__, {"ColoredButton"});
    if (!c)
        return;
    if (!qh::validColor(Color)) {
        h.fault(fn(__func__) + "colour index " + std::to_string(Color) + " is not 0 to 63");
        return;
    }
    c->color = Color;
}

GUIInt_t QorGUIRadioBoxAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                           GUIInt_t Height, const char *Label1, const char *Label2,
                           const char *Label3, const char *Label4, const char *Label5,
                           QorGUIIntCallback_pf ValueChangedCallback) {
    ENTER();
    GuiControl c;
    c.kind = "RadioBox";
    c.x = X;
    c.y = Y;
    // The labels end at the first NULL.
    for (const char *label : {Label1, Label2, Label3, Label4, Label5}) {
        if (!label)
            break;
        c.labels.push_back(label);
    }
    c.intValue = c.labels.empty() ? 0 : 1;
    c.intCallback = ValueChangedCallback;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

GUIInt_t QorGUIToggleAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                         GUIInt_t Height, const char *Label,
                         QorGUIIntCallback_pf ValueChangedCallback) {
    ENTER();
    if (!Label) {
        h.fault(fn(__func__) + "label is NULL");
        return BADDIALOGID;
    }
    GuiControl c;
    c.kind = "Toggle";
    c.x = X;
    c.y = Y;
    c.labels.push_back(Label);
    c.intCallback = ValueChangedCallback;
    return addControl(h, __func__, ParentDialog, Width, Height, c);
}

GUIInt_t QorGUILabelAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, const char *Label) {
    ENTER();
    if (!Label) {
        h.fault(fn(__func__) + "label is NULL");
        return BADDIALOGID;
    }
    GuiControl c;
    c.kind = "Label";
    c.x = X;
    c.y = Y;
    c.labels.push_back(Label);
    return addControl(h, __func__, ParentDialog, 0, 0, c);
}

GUIInt_t QorGUIBitmapButtonAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                               GUIInt_t Height, GUIInt_t BitmapWidth, GUIInt_t BitmapHeight,
                               const char *BitmapData, Boolean_t UseTransparentColor,
                               GUIInt_t TransparentRed, GUIInt_t TransparentGreen,
                               GUIInt_t TransparentBlue, QorGUIVoidCallback_pf ButtonCallback) {
    ENTER();
    GuiControl c;
    c.kind = "BitmapButton";
    c.voidCallback = ButtonCallback;
    return addBitmap(h, __func__, ParentDialog, X, Y, Width, Height, BitmapWidth, BitmapHeight,
                     BitmapData, UseTransparentColor, TransparentRed, TransparentGreen,
                     TransparentBlue, c);
}

GUIInt_t QorGUIBitmapToggleAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                               GUIInt_t Height, GUIInt_t BitmapWidth, GUIInt_t BitmapHeight,
                               const char *BitmapData, Boolean_t UseTransparentColor,
                               GUIInt_t TransparentRed, GUIInt_t TransparentGreen,
                               GUIInt_t TransparentBlue,
                               QorGUIIntCallback_pf ValueChangedCallback) {
    ENTER();
    GuiControl c;
    c.kind = "BitmapToggle";
    c.intCallback = ValueChangedCallback;
    return addBitmap(h, __func__, ParentDialog, X, Y, Width, Height, BitmapWidth, BitmapHeight,
                     BitmapData, UseTransparentColor, TransparentRed, TransparentGreen,
                     TransparentBlue, c);
}

// ---------------------------------------------------------------------------
// Control values and state

void QorGUISetSensitivity(GUIInt_t ControlID, Boolean_t IsSensitive) {
    ENTER();
    GuiControl *c = h.control(ControlID);
    if (!c) {
        h.fault(fn(__func__) + "no control with identifier " + std::to_string(ControlID));
        return;
    }
    c->sensitive = IsSensitive != 0;
}

void QorGUISetToolTip(GUIInt_t ControlID, const char *ToolTip) {
    ENTER();
    GuiControl *c = h.control(ControlID);
    if (!c || !ToolTip) {
        h.fault(fn(__func__) + "no control with identifier " + std::to_string(ControlID) +
                " or no tool tip");
        return;
    }
    c->toolTip = ToolTip;
}

void QorGUIToggleSet(GUIInt_t ToggleID, Boolean_t Value) {
    ENTER();
    if (GuiControl *c = controlOfKind(h, ToggleID, __func__, {"Toggle", "BitmapToggle"}))
        c->intValue = Value ? 1 : 0;
}

Boolean_t QorGUIToggleGet(GUIInt_t ToggleID) {
    ENTER();
    GuiControl *c = controlOfKind(h, ToggleID, __func__, {"Toggle", "BitmapToggle"});
    return c && c->intValue ? TRUE : FALSE;
}

void QorGUIRadioBoxSetToggle(GUIInt_t RadioBoxID, GUIInt_t Which) {
    ENTER();
    GuiControl *c = controlOfKind(h, RadioBoxID, __func__, {"RadioBox"});
    if (!c)
        return;
    if (Which < 1 || static_cast<size_t>(Which) > c->labels.size()) {
        h.fault(fn(__func__) + "button " + std::to_string(Which) + " is not 1 to " +
                std::to_string(c->labels.size()));
        return;
    }
    c->intValue = Which;
}

GUIInt_t QorGUIRadioBoxGetToggle(GUIInt_t RadioBoxID) {
    ENTER();
    GuiControl *c = controlOfKind(h, RadioBoxID, __func__, {"RadioBox"});
    return c ? c->intValue : 0;
}

void QorGUITextFieldSetString(GUIInt_t TextFieldID, const char *Text) {
    ENTER();
    GuiControl *c = controlOfKind(h, TextFieldID, __func__, {"TextField", "Text", "SpinTextField"});
    if (!c)
        return;
    if (!Text) {
        h.fault(fn(__func__) + "text is NULL");
        return;
    }
    c->stringValue = Text;
}

char *QorGUITextFieldGetString(GUIInt_t TextFieldID) {
    ENTER();
    GuiControl *c = controlOfKind(h, TextFieldID, __func__, {"TextField", "Text", "SpinTextField"});
    if (!c)
        return nullptr;
    return h.newString(c->stringValue, "TextFieldGetString");
}

// ---------------------------------------------------------------------------
// Menus

GUIInt_t QorGUIMenuBarAdd(GUIInt_t DialogID) {
    ENTER();
    GuiDialog *d = h.dialog(DialogID);
    if (!d || d->kind == "Sidebar") {
        h.fault(fn(__func__) + "no dialog with identifier " + std::to_string(DialogID));
        return BADDIALOGID;
    }
    if (d->menuBar != BADDIALOGID) {
        h.fault(fn(__func__) + "dialog " + std::to_string(DialogID) + " has a menu bar already");
        return BADDIALOGID;
    }
    GuiControl c;
    c.kind = "MenuBar";
    c.parent = DialogID;
    GUIInt_t id = h.newControl(__func__, DialogID, c);
    h.dialog(DialogID)->menuBar = id;
    return id;
}

GUIInt_t QorGUIMenuAdd(GUIInt_t ParentMenuID, const char *Label) {
    ENTER();
    if (!controlOfKind(h, ParentMenuID, __func__, {"MenuBar", "Menu"}))
        return BADDIALOGID;
    if (!Label) {
        h.fault(fn(__func__) + "label is NULL");
        return BADDIALOGID;
    }
    GuiControl c;
    c.kind = "Menu";
    c.parent = ParentMenuID;
    c.labels.push_back(Label);
    return h.newControl(__func__, h.controlDialog[ParentMenuID], c);
}

GUIInt_t QorGUIMenuAddItem(GUIInt_t MenuID, const char *Label, const char *HelpText,
                           QorGUIVoidCallback_pf Callback) {
    ENTER();
    if (!controlOfKind(h, MenuID, __func__, {"Menu"}))
        return BADDIALOGID;
    if (!Label) {
        h.fault(fn(__func__) + "label is NULL");
        return BADDIALOGID;
    }
    GuiControl c;
    c.kind = "MenuItem";
    c.parent = MenuID;
    c.labels.push_back(Label);
    c.helpText = str(HelpText);
    c.voidCallback = Callback;
    return h.newControl(__func__, h.controlDialog[MenuID], c);
}

GUIInt_t QorGUIMenuAddSeparator(GUIInt_t MenuID) {
    ENTER();
    if (!controlOfKind(h, MenuID, __func__, {"Menu"}))
        return BADDIALOGID;
    GuiControl c;
    c.kind = "MenuSeparator";
    c.parent = MenuID;
    return h.newControl(__func__, h.controlDialog[MenuID], c);
}

} // extern "C"
