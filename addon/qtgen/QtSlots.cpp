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
    const std::string cb = name + "_CB";
    AppendSlot(out, name, signal,
               "        extern GUIInt_t " + cb + "(const char*);\n" +
                   "        std::string str = m_ui." + name + getter +
                   "        if (!isProgramaticallyUpdating()) " + cb + "(str.c_str());\n");
}

void AppendTabSlot(std::string &out, const DialogElement &tab) {
    const std::string &name = tab.name;
    const std::string map = "m_tabIndexToIdMap_" + name;
    const std::string a = tab.activationCallback + "_CB";
    const std::string d = tab.deactivationCallback + "_CB";
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

void AppendSlotsOf(std::string &out, const DialogElement &e, bool queued) {
    const std::string &name = e.name;
    const std::string cb = name + "_CB";
    switch (e.type) {
    case ElementType::Spin:
        AppendSlot(out, name, "_editingFinished()\n",
                   "        extern GUIInt_t " + e.callback + "(const char *str);\n" +
                       "        std::string str = m_ui." + name + "->text().toStdString();\n" +
                       "        if (!isProgramaticallyUpdating()) " + e.callback +
                       "(str.c_str());\n");
        break;
    case ElementType::TextField:
        AppendTextSlot(out, name, "_editingFinished()\n", "->displayText().toStdString();\n");
        break;
    case ElementType::Text:
        AppendTextSlot(out, name, "_selectionChanged()\n", "->toPlainText().toStdString();\n");
        break;
    case ElementType::PushButton:
    case ElementType::ColoredPushButton:
    case ElementType::BitmapButton:
        AppendSlot(out, name, "_released()\n",
                   "        extern void " + cb + "();\n" +
                       "        buttonCallbackProxy(dynamic_cast<QWidget*>(sender())," + cb +
                       ");\n");
        break;
    case ElementType::Toggle:
    case ElementType::BitmapToggle:
        AppendSlot(out, name, "_toggled(bool checked)\n",
                   "        GUIInt_t isChecked = checked ? 1 : 0;\n"
                   "        extern void " +
                       cb + "(const GUIInt_t *I);\n" +
                       "        if (!isProgramaticallyUpdating()) " + cb + "(&isChecked);\n");
        break;
    case ElementType::MultiList:
    case ElementType::SingleList:
        AppendSlot(out, name, "_itemSelectionChanged()\n",
                   "        extern void " + cb + "(const GUIInt_t* I);\n" +
                       "        if (!isProgramaticallyUpdating()) listCallbackProxy(*m_ui." + name +
                       ",\n" + std::string(32, ' ') + cb + ");\n");
        break;
    case ElementType::OptionMenu: {
        std::string body = "        // Only call the callback if the option menu is not empty\n"
                           "        if (i >= 0)\n"
                           "        {\n";
        if (!queued)
            body += "            extern void " + cb + "(const GUIInt_t* I);\n" +
                    "            GUIInt_t currentIndex = static_cast<GUIInt_t>(i+1);\n" +
                    "            if (!isProgramaticallyUpdating()) " + cb + "(&currentIndex);\n";
        else
            body += "             extern void " + cb + "(const GUIInt_t* I);\n" +
                    "             GUIInt_t currentIndex = static_cast<GUIInt_t>(i+1);\n" +
                    "             if (!isProgramaticallyUpdating())\n" + "             {\n" +
                    "                    m_intScheduler->scheduleCallback(" + name +
                    "_CB,currentIndex);\n" + "             }\n";
        body += "        }\n";
        AppendSlot(out, name, "_currentIndexChanged(int i)\n", body);
        break;
    }
    case ElementType::Scale: {
        std::string body = "        extern void " + e.callback + "(const GUIInt_t *I);\n" +
                           "        GUIInt_t value = static_cast<GUIInt_t>(i);\n";
        if (!queued)
            body += "        if (!isProgramaticallyUpdating()) " + e.callback + "(&value);\n";
        else
            body += "        if (!isProgramaticallyUpdating())\n"
                    "        {\n"
                    "              m_intScheduler->scheduleCallback(" +
                    name + "_CB,value);\n" + "        }\n";
        AppendSlot(out, name, "_valueChanged(int i)\n", body);
        AppendSlot(out, name, "_sliderMoved(int i)\n",
                   "        extern void " + e.dragCallback + "_CB(const GUIInt_t *I);\n" +
                       "        GUIInt_t value = static_cast<GUIInt_t>(i);\n" +
                       "        if (!isProgramaticallyUpdating()) " + e.dragCallback +
                       "_CB(&value);\n");
        break;
    }
    case ElementType::Tab:
        AppendTabSlot(out, e);
        break;
    case ElementType::RadioBox:
        for (size_t k = 0; k < e.items.size(); ++k)
            AppendSlot(out, name + "_" + std::to_string(k), "_toggled(bool checked)\n",
                       "        if (checked)\n"
                       "        {\n"
                       "            extern void " +
                           cb + "(const GUIInt_t *I);\n" +
                           "            GUIInt_t I = static_cast<GUIInt_t>(" +
                           std::to_string(k + 1) + ");\n" +
                           "            if (!isProgramaticallyUpdating()) " + cb + "(&I);\n" +
                           "        }\n");
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

std::string QtWriter::writeControlSlots(DialogElement &container) {
    const bool queued = container.type != ElementType::ModalDialog;
    std::string out;
    for (const DialogElement *e : container.descendants()) {
        if (!e->name.empty())
            out += "\n     // " + e->name + "\n";
        AppendSlotsOf(out, *e, queued);
    }
    return out;
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
