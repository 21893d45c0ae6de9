// The slots that connect every control of a generated dialog or sidebar to the
// designer's callbacks, and the map from tab index to tab page of each tab
// control.
#include "qtgen/QtText.h"
#include "qtgen/QtWriter.h"

#include <algorithm>

namespace quorvin::qorutilmisc {

using qt::Appendf;

namespace {

// "    void on_<object>_<signal>    {\n", the body, "    }\n".
void AppendSlot(std::string &out, const std::string &object, const char *signal,
                const std::string &body) {
    out += "    void on_" + object + signal + "    {\n" + body + "    }\n";
}

void AppendTextSlot(std::string &out, const std::string &name, const char *signal,
                    const char *getter) {
    const char *n = name.c_str();
    Appendf(out,
            "    void on_%s%s    {\n"
            "        extern GUIInt_t %s_CB(const char*);\n"
            "        std::string str = m_ui.%s%s"
            "        if (!isProgramaticallyUpdating()) %s_CB(str.c_str());\n"
            "    }\n",
            n, signal, n, n, getter, n);
}

void AppendTabSlot(std::string &out, const DialogElement &tab) {
    const std::string &name = tab.name;
    const std::string map = "m_tabIndexToIdMap_" + name;
    const std::string a = tab.moreCallbacks().activation + "_CB";
    const std::string d = tab.moreCallbacks().deactivation + "_CB";
    AppendSlot(out, name, "_currentChanged(int index)\n",
               "        static GUIInt_t *lastTabID = NULL;\n"
               "        CHECK(" +
                   map + ".find(index) != " + map +
                   ".end());\n"
                   "        GUIInt_t *tabID = " +
                   map +
                   "[index];\n"
                   "        CHECK(VALID_REF(tabID));\n"
                   "        extern void " +
                   a +
                   "(const GUIInt_t *I);\n"
                   "        extern void " +
                   d +
                   "(const GUIInt_t *I);\n"
                   "        if (lastTabID && lastTabID != tabID)\n"
                   "        {\n"
                   "            if (!isProgramaticallyUpdating()) " +
                   d +
                   "(lastTabID);\n"
                   "        }\n"
                   "        lastTabID = tabID;\n"
                   "        if (!isProgramaticallyUpdating()) " +
                   a + "(tabID);\n");
}

// Every slot is one template, formatted straight into the output.
void AppendSlotsOf(std::string &out, const DialogElement &e, bool queued) {
    const char *n = e.name.c_str();
    switch (e.type) {
    case ElementType::Spin:
        Appendf(out,
                "    void on_%s_editingFinished()\n    {\n"
                "        extern GUIInt_t %s(const char *str);\n"
                "        std::string str = m_ui.%s->text().toStdString();\n"
                "        if (!isProgramaticallyUpdating()) %s(str.c_str());\n"
                "    }\n",
                n, e.callback.c_str(), n, e.callback.c_str());
        break;
    case ElementType::TextField:
        AppendTextSlot(out, e.name, "_editingFinished()\n", "->displayText().toStdString();\n");
        break;
    case ElementType::Text:
        AppendTextSlot(out, e.name, "_selectionChanged()\n", "->toPlainText().toStdString();\n");
        break;
    case ElementType::PushButton:
    case ElementType::ColoredPushButton:
    case ElementType::BitmapButton:
        Appendf(out,
                "    void on_%s_released()\n    {\n"
                "        extern void %s_CB();\n"
                "        buttonCallbackProxy(dynamic_cast<QWidget*>(sender()),%s_CB);\n"
                "    }\n",
                n, n, n);
        break;
    case ElementType::Toggle:
    case ElementType::BitmapToggle:
        Appendf(out,
                "    void on_%s_toggled(bool checked)\n    {\n"
                "        GUIInt_t isChecked = checked ? 1 : 0;\n"
                "        extern void %s_CB(const GUIInt_t *I);\n"
                "        if (!isProgramaticallyUpdating()) %s_CB(&isChecked);\n"
                "    }\n",
                n, n, n);
        break;
    case ElementType::MultiList:
    case ElementType::SingleList:
        Appendf(out,
                "    void on_%s_itemSelectionChanged()\n    {\n"
                "        extern void %s_CB(const GUIInt_t* I);\n"
                "        if (!isProgramaticallyUpdating()) listCallbackProxy(*m_ui.%s,\n"
                "                                %s_CB);\n"
                "    }\n",
                n, n, n, n);
        break;
    case ElementType::OptionMenu:
        Appendf(out,
                "    void on_%s_currentIndexChanged(int i)\n    {\n"
                "        // Only call the callback if the option menu is not empty\n"
                "        if (i >= 0)\n"
                "        {\n",
                n);
        if (!queued)
            Appendf(out,
                    "            extern void %s_CB(const GUIInt_t* I);\n"
                    "            GUIInt_t currentIndex = static_cast<GUIInt_t>(i+1);\n"
                    "            if (!isProgramaticallyUpdating()) %s_CB(&currentIndex);\n",
                    n, n);
        else
            Appendf(out,
                    "             extern void %s_CB(const GUIInt_t* I);\n"
                    "             GUIInt_t currentIndex = static_cast<GUIInt_t>(i+1);\n"
                    "             if (!isProgramaticallyUpdating())\n"
                    "             {\n"
                    "                    m_intScheduler->scheduleCallback(%s_CB,currentIndex);\n"
                    "             }\n",
                    n, n);
        out += "        }\n"
               "    }\n";
        break;
    case ElementType::Scale: {
        const char *callback = e.callback.c_str();
        Appendf(out,
                "    void on_%s_valueChanged(int i)\n    {\n"
                "        extern void %s(const GUIInt_t *I);\n"
                "        GUIInt_t value = static_cast<GUIInt_t>(i);\n",
                n, callback);
        if (!queued)
            Appendf(out, "        if (!isProgramaticallyUpdating()) %s(&value);\n", callback);
        else
            Appendf(out,
                    "        if (!isProgramaticallyUpdating())\n"
                    "        {\n"
                    "              m_intScheduler->scheduleCallback(%s_CB,value);\n"
                    "        }\n",
                    n);
        const char *drag = e.moreCallbacks().drag.c_str();
        Appendf(out,
                "    }\n"
                "    void on_%s_sliderMoved(int i)\n    {\n"
                "        extern void %s_CB(const GUIInt_t *I);\n"
                "        GUIInt_t value = static_cast<GUIInt_t>(i);\n"
                "        if (!isProgramaticallyUpdating()) %s_CB(&value);\n"
                "    }\n",
                n, drag, drag);
        break;
    }
    case ElementType::Tab:
        AppendTabSlot(out, e);
        break;
    case ElementType::RadioBox:
        for (size_t k = 0; k < e.items.size(); ++k)
            Appendf(out,
                    "    void on_%s_%d_toggled(bool checked)\n    {\n"
                    "        if (checked)\n"
                    "        {\n"
                    "            extern void %s_CB(const GUIInt_t *I);\n"
                    "            GUIInt_t I = static_cast<GUIInt_t>(%d);\n"
                    "            if (!isProgramaticallyUpdating()) %s_CB(&I);\n"
                    "        }\n"
                    "    }\n",
                    n, static_cast<int>(k), n, static_cast<int>(k + 1), n);
        break;
    default: // forms, read-only texts, labels, frames, separators, containers
        break;
    }
}

// The pages of a tab control in the order the tab widget shows them.
std::vector<const DialogElement *> PagesByPosition(const DialogElement &tab) {
    std::vector<const DialogElement *> pages(tab.children.begin(), tab.children.end());
    std::stable_sort(pages.begin(), pages.end(),
                     [](const DialogElement *a, const DialogElement *b) {
                         return a->pagePosition < b->pagePosition;
                     });
    return pages;
}

} // namespace

void QtWriter::writeControlSlots(std::string &out, DialogElement &container) {
    const bool queued = container.type != ElementType::ModalDialog;
    for (const DialogElement *e : container.descendants()) {
        if (!e->name.empty())
            Appendf(out, "\n     // %s\n", e->name.c_str());
        AppendSlotsOf(out, *e, queued);
    }
}

void QtWriter::writeTabMapMembers(std::string &out, DialogElement &container) {
    for (const DialogElement *e : container.descendants())
        if (e->type == ElementType::Tab)
            Appendf(out, "    std::map<int,GUIInt_t*>  m_tabIndexToIdMap_%s;\n", e->name.c_str());
}

void QtWriter::writeTabMapInitializations(std::string &out, DialogElement &container) {
    for (DialogElement *tab : container.descendants()) {
        if (tab->type != ElementType::Tab)
            continue;
        tab->orderChildren();
        // The key of a page is its index in the tab widget, which shows the
        // pages sorted by position, so the slot's lookup always finds it.
        const std::vector<const DialogElement *> shown = PagesByPosition(*tab);
        for (const DialogElement *page : tab->children) {
            const int key =
                static_cast<int>(std::find(shown.begin(), shown.end(), page) - shown.begin());
            Appendf(out,
                    "       extern GUIInt_t %s; // tab page %d\n"
                    "       m_tabIndexToIdMap_%s[%d] = &%s;\n",
                    page->name.c_str(), static_cast<int>(page->pagePosition) - 1, tab->name.c_str(),
                    key, page->name.c_str());
        }
    }
}

} // namespace quorvin::qorutilmisc
