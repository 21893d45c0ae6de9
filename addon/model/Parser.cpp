#include "model/Parser.h"

#include "QORADDON.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_set>

namespace quorvin::qorutilmisc {

struct ParserImpl {
    std::vector<std::unique_ptr<DialogElement>> elements; // every element, owned
    std::map<uint64_t, DialogElement *> containerOfFrame;
    std::vector<DialogElement *> containers; // in the order they were added
    std::map<uint32_t, std::vector<DialogElement *>> pagesOfGroup;
    size_t count = 0;

    bool assembled = false;
    std::vector<DialogElement *> all, sidebars, dialogs;

    // Containers whose children are being prepared, outermost first.
    std::vector<const DialogElement *> preparing;
    std::unordered_set<const DialogElement *> prepared;
    std::unordered_set<const DialogElement *> attachedPages;

    void assemble();
    void prepare(DialogElement &container);
    void attachPages(DialogElement &control, const DialogElement &container);

    bool isPreparing(const DialogElement *element) const {
        return std::find(preparing.begin(), preparing.end(), element) != preparing.end();
    }
};

// Sorts the container's children, narrows its toggles and hangs the pages of
// every tab and form control under that control, depth first.
void ParserImpl::prepare(DialogElement &container) {
    if (!prepared.insert(&container).second)
        return;
    preparing.push_back(&container);
    container.orderChildren();
    for (DialogElement *child : container.children) {
        if (child->type == ElementType::Tab || child->type == ElementType::Form)
            attachPages(*child, container);
    }
    preparing.pop_back();
}

void ParserImpl::attachPages(DialogElement &control, const DialogElement &container) {
    auto found = pagesOfGroup.find(control.group);
    if (found == pagesOfGroup.end())
        return;
    const ElementType pageType =
        control.type == ElementType::Tab ? ElementType::TabPage : ElementType::FormPage;
    const auto &pages = found->second;
    // A control that shows the pages it sits on would hold itself: report it
    // and leave it without pages.
    for (const DialogElement *page : pages) {
        if (page->type == pageType && isPreparing(page)) {
            const std::string message =
                "The " + std::string(control.type == ElementType::Tab ? "tab" : "form") +
                " control " + control.name + " on " + DescribeFrame(container) +
                " uses GROUP=" + std::to_string(control.group) +
                ", the linking group of a page that holds the control itself.\n"
                "Its pages are left out of the Qt output. Give the control the GROUP of "
                "other pages.";
            QorUtilDialogMessageBox(message.c_str(), MessageBox_Warning);
            return;
        }
    }
    for (DialogElement *page : pages) {
        // Each page sits in one tree only, under the first control that shows it.
        if (page->type != pageType || !attachedPages.insert(page).second)
            continue;
        prepare(*page);
        control.children.push_back(page);
    }
}

void ParserImpl::assemble() {
    if (assembled)
        return;
    assembled = true;
    for (DialogElement *container : containers) {
        if (!IsTopLevel(container->type))
            continue;
        prepare(*container);
        all.push_back(container);
        if (container->type == ElementType::Sidebar)
            sidebars.push_back(container);
        else
            dialogs.push_back(container);
    }
}

Parser::Parser() : impl_(new ParserImpl) {}

Parser::~Parser() = default;

bool Parser::add(std::unique_ptr<DialogElement> element) {
    if (!element)
        return false;
    ParserImpl &d = *impl_;
    DialogElement *e = element.get();
    d.elements.push_back(std::move(element));
    ++d.count;
    if (d.assembled)
        return false;
    if (IsContainer(e->type)) {
        d.containerOfFrame[e->frameId] = e;
        d.containers.push_back(e);
        if (IsPage(e->type))
            d.pagesOfGroup[e->number].push_back(e);
        return true;
    }
    auto container = d.containerOfFrame.find(e->frameId);
    if (container == d.containerOfFrame.end())
        return false;
    container->second->children.push_back(e);
    return true;
}

const std::vector<DialogElement *> &Parser::all() {
    impl_->assemble();
    return impl_->all;
}

const std::vector<DialogElement *> &Parser::sidebars() {
    impl_->assemble();
    return impl_->sidebars;
}

const std::vector<DialogElement *> &Parser::dialogs() {
    impl_->assemble();
    return impl_->dialogs;
}

size_t Parser::elementCount() const {
    return impl_->count;
}

} // namespace quorvin::qorutilmisc
