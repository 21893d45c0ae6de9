#include "model/DialogElement.h"

#include "QORADDON.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <numeric>

namespace quorvin::qorutilmisc {

namespace {

constexpr size_t kMaxRadioItems = 5;

uint32_t TypeValue(ElementType type) {
    return static_cast<uint32_t>(type);
}

// True when a bitmap button's rectangle touches or overlaps the toggle's.
bool Touches(const DialogElement &button, const DialogElement &toggle) {
    return button.x + button.width >= toggle.x && button.y <= toggle.y + toggle.height &&
           button.x <= toggle.x + toggle.width && button.y + button.height >= toggle.y;
}

} // namespace

bool IsContainer(ElementType type) {
    return TypeValue(type) >= 20 && TypeValue(type) <= 24;
}
bool IsTopLevel(ElementType type) {
    return TypeValue(type) >= 20 && TypeValue(type) <= 22;
}
bool IsPage(ElementType type) {
    return type == ElementType::FormPage || type == ElementType::TabPage;
}
bool IsDialog(ElementType type) {
    return type == ElementType::ModalDialog || type == ElementType::ModelessDialog;
}

// How the designer finds the frame of a container.
std::string DescribeFrame(const DialogElement &container) {
    std::string what;
    switch (container.type) {
    case ElementType::Sidebar:
        what = "the sidebar frame ID=" + std::to_string(container.number);
        break;
    case ElementType::TabPage:
    case ElementType::FormPage:
        what = std::string(container.type == ElementType::TabPage ? "the tab page frame ID="
                                                                  : "the form page frame ID=") +
               std::to_string(container.pageId) + " of linking group " +
               std::to_string(container.number);
        break;
    default:
        what = "the dialog frame ID=" + std::to_string(container.number);
        break;
    }
    if (!container.text.empty())
        what += " (\"" + container.text + "\")";
    return what;
}

std::string MakeClassName(const std::string &title) {
    static const char *const kDigitWords[] = {"Zero", "One", "Two",   "Three", "Four",
                                              "Five", "Six", "Seven", "Eight", "Nine"};
    std::string result;
    for (size_t i = 0; i < title.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(title[i]);
        if (std::isalpha(c) || c == '_')
            result += static_cast<char>(c);
        else if (i == 0 && std::isdigit(c))
            result += kDigitWords[c - '0'];
    }
    if (result.size() > kClassNameLimit)
        result.resize(kClassNameLimit);
    for (const char c : result)
        if (std::isalpha(static_cast<unsigned char>(c)))
            return result;
    return std::string();
}

std::string ContainerClassName(const std::string &title, const char *prefix, uint32_t id) {
    const std::string fragment = MakeClassName(title);
    return fragment.empty() ? prefix + std::to_string(id) : fragment;
}

DialogElement::DialogElement(ElementType elementType)
    : type(elementType), frameId(QorUtilFrameGetUniqueID()) {}

DialogElement::~DialogElement() = default;

void DialogElement::setRect(ElementRect rect) {
    x = rect.x;
    y = rect.y;
    width = rect.width;
    height = rect.height;
}

std::unique_ptr<DialogElement> DialogElement::makeGroupFrame(uint32_t number, ElementRect rect,
                                                             std::string title) {
    std::unique_ptr<DialogElement> e(new DialogElement(ElementType::GroupFrame));
    e->number = number;
    e->setRect(rect);
    e->text = std::move(title);
    return e;
}

std::unique_ptr<DialogElement> DialogElement::makeSeparator(uint32_t number, int32_t x, int32_t y,
                                                            int32_t length, bool vertical) {
    std::unique_ptr<DialogElement> e(new DialogElement(
        vertical ? ElementType::VerticalSeparator : ElementType::HorizontalSeparator));
    e->number = number;
    e->setRect(vertical ? ElementRect{x, y, 0, length} : ElementRect{x, y, length, 0});
    return e;
}

std::unique_ptr<DialogElement> DialogElement::makeFormControl(uint32_t number, uint32_t group,
                                                              std::string name, ElementRect rect) {
    std::unique_ptr<DialogElement> e(new DialogElement(ElementType::Form));
    e->number = number;
    e->group = group;
    e->name = std::move(name);
    e->setRect(rect);
    return e;
}

const DialogElement::MoreCallbacks &DialogElement::moreCallbacks() const {
    static const MoreCallbacks kNone;
    return moreCallbacks_ ? *moreCallbacks_ : kNone;
}

DialogElement::MoreCallbacks &DialogElement::ownCallbacks() {
    if (!moreCallbacks_)
        moreCallbacks_ = std::make_unique<MoreCallbacks>();
    return *moreCallbacks_;
}

std::unique_ptr<DialogElement> DialogElement::makeTabControl(uint32_t number, uint32_t group,
                                                             std::string name, ElementRect rect,
                                                             std::string activateName,
                                                             std::string deactivateName) {
    std::unique_ptr<DialogElement> e(new DialogElement(ElementType::Tab));
    e->number = number;
    e->group = group;
    e->name = std::move(name);
    e->setRect(rect);
    e->ownCallbacks().activation = std::move(activateName);
    e->ownCallbacks().deactivation = std::move(deactivateName);
    return e;
}

std::unique_ptr<DialogElement> DialogElement::makeFormPage(uint32_t number, uint32_t pageId,
                                                           std::string name) {
    std::unique_ptr<DialogElement> e(new DialogElement(ElementType::FormPage));
    e->number = number;
    e->pageId = pageId;
    e->name = std::move(name);
    return e;
}

std::unique_ptr<DialogElement> DialogElement::makeTabPage(uint32_t number, uint32_t pageId,
                                                          std::string name, std::string title,
                                                          uint32_t position) {
    std::unique_ptr<DialogElement> e(new DialogElement(ElementType::TabPage));
    e->number = number;
    e->pageId = pageId;
    e->name = std::move(name);
    e->text = std::move(title);
    e->pagePosition = position;
    return e;
}

std::unique_ptr<DialogElement> DialogElement::makeSidebar(uint32_t id, int32_t width,
                                                          int32_t height, std::string title) {
    std::unique_ptr<DialogElement> e(new DialogElement(ElementType::Sidebar));
    const std::string prefix = "Sidebar" + std::to_string(id);
    e->number = id;
    e->name = prefix + "Manager";
    e->setRect({0, 0, width, height});
    e->text = std::move(title);
    e->className = ContainerClassName(e->text, "Sidebar", id);
    e->ownCallbacks().init = prefix + "Init_CB";
    e->ownCallbacks().activation = prefix + "Activate_CB";
    e->ownCallbacks().deactivation = prefix + "Deactivate_CB";
    return e;
}

std::unique_ptr<DialogElement> DialogElement::makeDialog(uint32_t id, bool modeless, int32_t width,
                                                         int32_t height, std::string title,
                                                         bool hasOkClose, bool hasCancel,
                                                         bool hasApply, bool hasHelp) {
    std::unique_ptr<DialogElement> e(
        new DialogElement(modeless ? ElementType::ModelessDialog : ElementType::ModalDialog));
    const std::string prefix = "Dialog" + std::to_string(id);
    e->number = id;
    e->name = prefix + "Manager";
    e->setRect({0, 0, width, height});
    e->text = std::move(title);
    e->className = ContainerClassName(e->text, "Dialog", id);
    e->hasOkClose = hasOkClose;
    e->hasCancel = hasCancel;
    e->hasApply = hasApply;
    e->hasHelp = hasHelp;
    e->ownCallbacks().init = prefix + "Init_CB";
    if (hasOkClose)
        e->ownCallbacks().okClose = prefix + (modeless ? "CloseButton_CB" : "OkButton_CB");
    if (hasCancel)
        e->ownCallbacks().cancel = prefix + "CancelButton_CB";
    if (hasApply)
        e->ownCallbacks().apply = prefix + "ApplyButton_CB";
    if (hasHelp)
        e->ownCallbacks().help = prefix + "HelpButton_CB";
    return e;
}

std::unique_ptr<DialogElement> DialogElement::makeControl(ElementType type, uint32_t number,
                                                          ElementRect rect, std::string name,
                                                          std::string toolTip, std::string text,
                                                          std::string callback) {
    std::unique_ptr<DialogElement> e(new DialogElement(type));
    e->number = number;
    e->setRect(rect);
    e->name = std::move(name);
    e->toolTip = std::move(toolTip);
    e->text = std::move(text);
    e->callback = std::move(callback);
    return e;
}

std::unique_ptr<DialogElement>
DialogElement::makeSpin(uint32_t number, ElementRect rect, std::string name, std::string toolTip,
                        std::string text, std::string valueChangedCallback,
                        std::string buttonUpCallback, std::string buttonDownCallback) {
    auto e = makeControl(ElementType::Spin, number, rect, std::move(name), std::move(toolTip),
                         std::move(text), std::move(valueChangedCallback));
    e->ownCallbacks().buttonUp = std::move(buttonUpCallback);
    e->ownCallbacks().buttonDown = std::move(buttonDownCallback);
    return e;
}

std::unique_ptr<DialogElement> DialogElement::makeScale(uint32_t number, ElementRect rect,
                                                        std::string name, std::string toolTip,
                                                        std::string text, std::string callback,
                                                        std::string dragCallback) {
    auto e = makeControl(ElementType::Scale, number, rect, std::move(name), std::move(toolTip),
                         std::move(text), std::move(callback));
    e->ownCallbacks().drag = std::move(dragCallback);
    return e;
}

std::unique_ptr<DialogElement> DialogElement::makeRadioBox(uint32_t number, ElementRect rect,
                                                           std::string name, std::string toolTip,
                                                           std::string text, std::string callback,
                                                           std::vector<std::string> items) {
    auto e = makeControl(ElementType::RadioBox, number, rect, std::move(name), std::move(toolTip),
                         std::move(text), std::move(callback));
    for (std::string &item : items) {
        if (item.empty())
            continue;
        if (e->items.size() == kMaxRadioItems)
            break;
        e->items.push_back(std::move(item));
    }
    return e;
}

std::unique_ptr<DialogElement>
DialogElement::makeColoredPushButton(uint32_t number, ElementRect rect, std::string name,
                                     std::string toolTip, std::string text, std::string callback,
                                     uint32_t colorIndex) {
    auto e = makeControl(ElementType::ColoredPushButton, number, rect, std::move(name),
                         std::move(toolTip), std::move(text), std::move(callback));
    e->colorIndex = colorIndex;
    return e;
}

std::unique_ptr<DialogElement>
DialogElement::makeBitmapButton(bool toggle, uint32_t number, ElementRect rect, std::string name,
                                std::string toolTip, std::string text, std::string callback,
                                ImageData image) {
    auto e =
        makeControl(toggle ? ElementType::BitmapToggle : ElementType::BitmapButton, number, rect,
                    std::move(name), std::move(toolTip), std::move(text), std::move(callback));
    e->imageFile = std::move(image.file);
    e->imageWidth = image.width;
    e->imageHeight = image.height;
    e->hasTransparentColor = image.hasTransparentColor;
    e->transparentRed = image.red;
    e->transparentGreen = image.green;
    e->transparentBlue = image.blue;
    return e;
}

void DialogElement::orderChildren() {
    std::stable_sort(
        children.begin(), children.end(), [](const DialogElement *a, const DialogElement *b) {
            return a->type == ElementType::GroupFrame && b->type != ElementType::GroupFrame;
        });
    // The bitmap buttons in the children's order, and their places by top
    // edge: a toggle looks only at the buttons level with it, so that a
    // dialog of many controls is not quadratic.
    std::vector<const DialogElement *> buttons;
    int64_t tallest = 0;
    for (const DialogElement *child : children) {
        if (child->type == ElementType::BitmapButton) {
            buttons.push_back(child);
            tallest = std::max<int64_t>(tallest, child->height);
        }
    }
    std::vector<size_t> byTop(buttons.size()), level;
    std::iota(byTop.begin(), byTop.end(), size_t{0});
    std::stable_sort(byTop.begin(), byTop.end(),
                     [&](size_t a, size_t b) { return buttons[a]->y < buttons[b]->y; });
    for (DialogElement *toggle : children) {
        if (toggle->type != ElementType::Toggle || buttons.empty())
            continue;
        // A button touches the toggle only if its top edge lies between the
        // toggle's top less the tallest button and the toggle's bottom.
        const int64_t top = int64_t{toggle->y} - tallest,
                      bottom = int64_t{toggle->y} + toggle->height;
        level.clear();
        for (auto k =
                 std::lower_bound(byTop.begin(), byTop.end(), top,
                                  [&](size_t i, int64_t edge) { return buttons[i]->y < edge; });
             k != byTop.end() && buttons[*k]->y <= bottom; ++k)
            level.push_back(*k);
        std::sort(level.begin(), level.end());
        for (size_t i : level) {
            const DialogElement *button = buttons[i];
            if (!Touches(*button, *toggle) || button->x >= toggle->x + toggle->width)
                continue;
            // A toggle is only ever narrowed, never to nothing: a button
            // sitting on the toggle's left part leaves it as it is.
            const int64_t narrowed = int64_t{button->x} - 8 - toggle->x;
            if (narrowed > 0)
                toggle->width = static_cast<int32_t>(narrowed);
        }
    }
}

const std::vector<DialogElement *> &DialogElement::descendants() {
    if (!descendantsBuilt_) {
        descendantsBuilt_ = true;
        orderChildren();
        for (DialogElement *child : children) {
            descendants_.push_back(child);
            const auto &below = child->descendants();
            descendants_.insert(descendants_.end(), below.begin(), below.end());
        }
    }
    return descendants_;
}

bool DialogElement::holds(ElementType wanted) {
    const auto &all = descendants();
    return std::any_of(all.begin(), all.end(),
                       [wanted](const DialogElement *e) { return e->type == wanted; });
}

} // namespace quorvin::qorutilmisc
