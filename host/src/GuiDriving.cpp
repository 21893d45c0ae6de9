// The driving API's side of the GUI: reading the records back and acting on
// dialogs as a user would. Every action is one host command.
#include "HostImpl.h"

namespace quorvin::host {

namespace {

bool pressable(const GuiControl &c) {
    return c.kind == "Button" || c.kind == "ColoredButton" || c.kind == "BitmapButton" ||
           c.kind == "Toggle" || c.kind == "BitmapToggle" || c.kind == "MenuItem";
}

std::string nameOf(const GuiControl &c) {
    if (!c.labels.empty() && !c.labels.front().empty())
        return "\"" + c.labels.front() + "\"";
    if (!c.toolTip.empty())
        return "\"" + c.toolTip + "\"";
    return c.kind + " " + std::to_string(c.id);
}

bool fail(std::string *error, const std::string &why) {
    if (error)
        *error = why;
    return false;
}

} // namespace

const std::map<GUIInt_t, GuiDialog> &Host::dialogs() const {
    return impl_->dialogs;
}
const std::map<GUIInt_t, GuiControl> &Host::controls() const {
    return impl_->controls;
}
const GuiDialog *Host::findDialog(GUIInt_t id) const {
    return impl_->dialog(id);
}
const GuiControl *Host::findControl(GUIInt_t id) const {
    return impl_->control(id);
}

const GuiDialog *Host::findDialogByTitle(const std::string &title) const {
    for (const auto &entry : impl_->dialogs)
        if (entry.second.title == title)
            return &entry.second;
    return nullptr;
}

const GuiControl *Host::findControlByLabel(GUIInt_t dialog,
                                           const std::string &labelOrToolTip) const {
    const GuiDialog *d = impl_->dialog(dialog);
    if (!d)
        return nullptr;
    for (GUIInt_t id : d->controls) {
        const GuiControl *c = impl_->control(id);
        if (!c)
            continue;
        if ((!c->labels.empty() && c->labels.front() == labelOrToolTip) ||
            (!c->toolTip.empty() && c->toolTip == labelOrToolTip))
            return c;
    }
    return nullptr;
}

namespace {

// "Menu/Sub/Item": the labels of a menu item and the menus above it.
std::string menuPath(Host::Impl &h, const GuiControl &item) {
    std::string path = item.labels.empty() ? std::string() : item.labels.front();
    const GuiControl *c = h.control(item.parent);
    while (c && c->kind == "Menu") {
        path = (c->labels.empty() ? std::string() : c->labels.front()) + "/" + path;
        c = h.control(c->parent);
    }
    return path;
}

} // namespace

bool Host::press(const std::string &labelOrToolTip, std::string *error) {
    Impl &h = *impl_;
    // Buttons and toggles by label or tool tip first, then menu items by
    // label or by their path; dialogs in the order they were created.
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto &entry : h.dialogs) {
            if (!h.dialogIsShown(entry.first))
                continue;
            for (GUIInt_t id : entry.second.controls) {
                const GuiControl *c = h.control(id);
                if (!c || !pressable(*c) || (c->kind == "MenuItem") != (pass == 1))
                    continue;
                bool match = (!c->labels.empty() && c->labels.front() == labelOrToolTip) ||
                             (!c->toolTip.empty() && c->toolTip == labelOrToolTip) ||
                             (pass == 1 && menuPath(h, *c) == labelOrToolTip);
                if (match)
                    return pressControl(id, error);
            }
        }
    }
    return fail(error,
                "no button, toggle or menu item \"" + labelOrToolTip + "\" in a dialog that is up");
}

bool Host::pressControl(GUIInt_t control, std::string *error) {
    Impl &h = *impl_;
    GuiControl *c = h.control(control);
    if (!c)
        return fail(error, "no control with identifier " + std::to_string(control));
    if (!pressable(*c))
        return fail(error, nameOf(*c) + " is a " + c->kind + " and cannot be pressed");
    const GUIInt_t dialog = h.controlDialog[control];
    if (!h.dialogIsShown(dialog))
        return fail(error, nameOf(*c) + ": its dialog is not up");
    if (!c->sensitive)
        return fail(error, nameOf(*c) + " is insensitive and cannot be pressed");
    CommandScope command(h, "press " + nameOf(*c));
    if (c->kind == "Toggle" || c->kind == "BitmapToggle") {
        c->intValue = c->intValue ? 0 : 1;
        const GUIInt_t value = c->intValue;
        if (QorGUIIntCallback_pf callback = c->intCallback)
            h.invoke("the callback of toggle " + nameOf(*c), [&] { callback(&value); });
    } else if (QorGUIVoidCallback_pf callback = c->voidCallback) {
        h.invoke("the callback of " + nameOf(*c), callback);
    }
    return true;
}

bool Host::pressDialogButton(GUIInt_t dialog, const std::string &which, std::string *error) {
    Impl &h = *impl_;
    GuiDialog *d = h.dialog(dialog);
    if (!d)
        return fail(error, "no dialog with identifier " + std::to_string(dialog));
    if (!d->up)
        return fail(error, "dialog \"" + d->title + "\" is not up");
    QorGUIVoidCallback_pf callback = nullptr;
    if (which == "OK")
        callback = d->ok;
    else if (which == "Cancel")
        callback = d->cancel;
    else if (which == "Apply") {
        callback = d->apply;
        if (callback && !d->applySensitive)
            return fail(error, "the Apply button of dialog \"" + d->title + "\" is insensitive");
    } else if (which == "Help")
        callback = d->help;
    else if (which == "Close")
        callback = d->close;
    else
        return fail(error,
                    "unknown dialog button \"" + which + "\" (OK, Cancel, Apply, Help or Close)");
    if (!callback)
        return fail(error, "dialog \"" + d->title + "\" has no " + which + " button");
    CommandScope command(h, which + " of dialog \"" + d->title + "\"");
    h.invoke("the " + which + " callback of dialog \"" + d->title + "\"", callback);
    return true;
}

namespace {

GuiControl *usable(Host::Impl &h, GUIInt_t control, std::initializer_list<const char *> kinds,
                   std::string *error) {
    GuiControl *c = h.control(control);
    if (!c) {
        fail(error, "no control with identifier " + std::to_string(control));
        return nullptr;
    }
    bool kindOk = false;
    for (const char *kind : kinds)
        kindOk = kindOk || c->kind == kind;
    if (!kindOk) {
        fail(error, nameOf(*c) + " is a " + c->kind);
        return nullptr;
    }
    if (!h.dialogIsShown(h.controlDialog[control])) {
        fail(error, nameOf(*c) + ": its dialog is not up");
        return nullptr;
    }
    if (!c->sensitive) {
        fail(error, nameOf(*c) + " is insensitive");
        return nullptr;
    }
    return c;
}

} // namespace

bool Host::setToggle(GUIInt_t control, bool value, std::string *error) {
    Impl &h = *impl_;
    GuiControl *c = usable(h, control, {"Toggle", "BitmapToggle"}, error);
    if (!c)
        return false;
    CommandScope command(h, "set toggle " + nameOf(*c));
    c->intValue = value ? 1 : 0;
    const GUIInt_t newValue = c->intValue;
    if (QorGUIIntCallback_pf callback = c->intCallback)
        h.invoke("the callback of toggle " + nameOf(*c), [&] { callback(&newValue); });
    return true;
}

bool Host::setRadioBox(GUIInt_t control, GUIInt_t which, std::string *error) {
    Impl &h = *impl_;
    GuiControl *c = usable(h, control, {"RadioBox"}, error);
    if (!c)
        return false;
    if (which < 1 || static_cast<size_t>(which) > c->labels.size())
        return fail(error, "radio box " + nameOf(*c) + " has no button " + std::to_string(which));
    CommandScope command(h, "set radio box " + nameOf(*c));
    c->intValue = which;
    const GUIInt_t newValue = which;
    if (QorGUIIntCallback_pf callback = c->intCallback)
        h.invoke("the callback of radio box " + nameOf(*c), [&] { callback(&newValue); });
    return true;
}

bool Host::setTextField(GUIInt_t control, const std::string &value, std::string *error) {
    Impl &h = *impl_;
    GuiControl *c = usable(h, control, {"TextField", "Text", "SpinTextField"}, error);
    if (!c)
        return false;
    if (c->readOnly)
        return fail(error, "text " + nameOf(*c) + " is read-only");
    CommandScope command(h, "set text field " + nameOf(*c));
    c->stringValue = value;
    if (QorGUITextCallback_pf callback = c->textCallback)
        h.invoke("the callback of text field " + nameOf(*c), [&] { callback(value.c_str()); });
    return true;
}

} // namespace quorvin::host
