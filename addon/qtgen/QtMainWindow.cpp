// The generated main window: every sidebar becomes a page of one stacked
// widget in a dock, the window keeps the list of Qt objects the builder
// functions register, and builds all sidebars and dialogs. Also the resource
// file listing the icons of the bitmap buttons.
#include "qtgen/QtText.h"
#include "qtgen/QtWriter.h"

#include <algorithm>

namespace quorvin::qorutilmisc {

using qt::Appendf;
using qt::Dec;

namespace {

constexpr size_t kMinimumReserve = 100;

const char *const kMainWindowSlots =
    "    Ui::MainWindow   m_ui;\n\nprivate slots:\n"
    "    void on_sidebarStackedWidget_currentChanged(int index)\n    {\n"
    "        INVARIANT(m_sidebarActivateMap.find(index) != m_sidebarActivateMap.end());\n"
    "        INVARIANT(m_sidebarDeactivateMap.find(index) != m_sidebarDeactivateMap.end());\n"
    "        if (m_currentSidebarIndex != -1)\n        {\n"
    "            ((m_sidebarDeactivateMap.find(m_currentSidebarIndex))->second)();\n"
    "        }\n\n        m_currentSidebarIndex = index;\n"
    "        ((m_sidebarActivateMap.find(index))->second)();\n    }\n\n"
    "void on_QuorvinSidebar_visibilityChanged(bool visible)\n{\n"
    "    INVARIANT(m_sidebarActivateMap.find(m_ui.sidebarStackedWidget->currentIndex()) != "
    "m_sidebarActivateMap.end());\n"
    "    INVARIANT(m_sidebarDeactivateMap.find(m_ui.sidebarStackedWidget->currentIndex()) != "
    "m_sidebarDeactivateMap.end());\n"
    "    if (visible)\n"
    "        m_sidebarActivateMap.find(m_ui.sidebarStackedWidget->currentIndex())->second();\n"
    "    else\n"
    "        m_sidebarDeactivateMap.find(m_ui.sidebarStackedWidget->currentIndex())->second();\n"
    "}\n\n";

const char *const kMainWindowFormOpening =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n <class>MainWindow</class>\n"
    " <widget class=\"QMainWindow\" name=\"MainWindow\">\n   <property name=\"geometry\">\n"
    "     <rect>\n      <x>0</x>\n      <y>0</y>\n      <width>550</width>\n"
    "      <height>800</height>\n     </rect>\n   </property>\n"
    "   <property name=\"windowTitle\">\n     <string>MainWindow</string>\n   </property>\n"
    "  <widget class=\"QWidget\" name=\"centralwidget\"/>\n"
    "  <widget class=\"QDockWidget\" name=\"QuorvinSidebar\">\n"
    "   <property name=\"floating\">\n    <bool>false</bool>\n   </property>\n"
    "   <property name=\"allowedAreas\">\n"
    "    <set>Qt::LeftDockWidgetArea|Qt::RightDockWidgetArea</set>\n   </property>\n"
    "   <attribute name=\"dockWidgetArea\">\n    <number>1</number>\n   </attribute>\n"
    "  <widget class=\"QWidget\" name=\"dockWidgetContents\">\n"
    "   <widget class=\"QStackedWidget\" name=\"sidebarStackedWidget\">\n"
    "    <property name=\"geometry\">\n      <rect>\n        <x>0</x>\n        <y>0</y>\n"
    "        <width>211</width>\n        <height>700</height>\n      </rect>\n"
    "    </property>\n   <property name=\"currentIndex\">\n    <number>1</number>\n"
    "   </property>\n";

const char *const kBuildAllSidebarsOpening =
    "\n#if defined GUIDEFS_MODULE_\nvoid buildAllSidebars()\n{\n"
    "    static bool isFirstTime = true;\n    if (isFirstTime)\n    {\n"
    "        isFirstTime = false;\n        MainWindowGenerated* mainWindow = NULL;\n"
    "        foreach (QWidget* widget, QApplication::topLevelWidgets())\n        {\n"
    "            if (widget->isWindow() &&\n"
    "                dynamic_cast<MainWindowGenerated*>(widget) != NULL)\n            {\n"
    "                mainWindow = dynamic_cast<MainWindowGenerated*>(widget);\n"
    "                break;\n            }\n        }\n\n"
    "        CHECK(VALID_REF(mainWindow));\n"
    "        MainWindowGenerated& dialog = *mainWindow;\n\n";

} // namespace

bool QtWriter::writeMainWindowFiles(Parser &parser) {
    radioBoxes.clear();
    const std::vector<DialogElement *> &sidebars = parser.sidebars();
    std::string basePath;
    if (!qt::LayoutBasePath(basePath))
        return false;

    // The directory is not made: a designer who wants the main window
    // provides "ui/mainwindow/qt". All three files are opened before a byte
    // is written, so a failure never leaves a half-written set.
    const std::string directory = basePath + "../ui/mainwindow/qt/";
    qt::OutputFile formFile, headerFile, definitionsFile;
    if (!formFile.open(directory + "MainWindowGenerated.ui") ||
        !headerFile.open(directory + "MainWindowGenerated.h") ||
        !definitionsFile.open(directory + "MainWindowDefs_generated.h"))
        return false;

    std::string form, header, definitions;

    header += qt::kBanner;
    Appendf(header,
            "#ifndef MAINWINDOW_GENERATED_H_\n#define MAINWINDOW_GENERATED_H_\n"
            "#include \"QORADDON.h\"\n#include \"QorGUICallbackUtil.h\"\n"
            "#include \"QuorvinListItemDelegate.h\"\n#include <QMainWindow>\n#include <QString>\n"
            "#include \"QuorvinSpinBox.h\"\n#include \"QuorvinTabWidget.h\"\n"
            "#include \"ui_MainWindowGenerated.h\"\n\n%s\n"
            "typedef void (*qorGUIVoidCallback_pf)(void);\n\n",
            qt::kSchedulerIncludes);
    Appendf(header,
            "class MainWindowGenerated : public QMainWindow\n{\n    Q_OBJECT\npublic:\n"
            "    QuorvinListItemDelegate m_listItemDelegate;\n\n"
            "    MainWindowGenerated() : m_currentSidebarIndex(-1)\n    {\n        %s\n"
            "        m_ui.setupUi(this);\n"
            "        MainWindowGenerated::qtWidgets().reserve(%d);\n",
            qt::kSchedulerSetUp,
            static_cast<int>(std::max(parser.elementCount(), kMinimumReserve)));
    for (DialogElement *sidebar : sidebars) {
        sidebar->orderChildren();
        for (const DialogElement *child : sidebar->children)
            if (child->type == ElementType::MultiList || child->type == ElementType::SingleList)
                Appendf(header, "        m_ui.%s->setItemDelegate(&m_listItemDelegate);\n",
                        child->name.c_str());
    }
    for (size_t k = 0; k < sidebars.size(); ++k) {
        const int n = Dec(sidebars[k]->number);
        const int index = static_cast<int>(k);
        Appendf(header, "        // Sidebar %s has index %d\n", sidebars[k]->name.c_str(), index);
        Appendf(header,
                "        extern void Sidebar%dActivate_CB(void);\n"
                "        extern void Sidebar%dDeactivate_CB(void);\n"
                "        m_sidebarActivateMap[%d]   = Sidebar%dActivate_CB;\n"
                "        m_sidebarDeactivateMap[%d] = Sidebar%dDeactivate_CB;\n\n",
                n, n, index, n, index, n);
    }
    for (DialogElement *sidebar : sidebars)
        writeTabMapInitializations(header, *sidebar);
    header += "   }\n";
    Appendf(header,
            "    virtual ~MainWindowGenerated() {}\n\n"
            "    static std::vector<QObject*>& qtWidgets() { return m_qtWidgets; }\n"
            "    Ui::MainWindow& getUi()                   { return m_ui; }\n\nprivate:\n%s\n"
            "    int    m_currentSidebarIndex;\n"
            "    static std::vector<QObject*>           m_qtWidgets;\n"
            "    std::map<int,qorGUIVoidCallback_pf>    m_sidebarActivateMap;\n"
            "    std::map<int,qorGUIVoidCallback_pf>    m_sidebarDeactivateMap;\n\n",
            qt::kSchedulerMembers);
    for (DialogElement *sidebar : sidebars)
        writeTabMapMembers(header, *sidebar);
    header += kMainWindowSlots;

    form += kMainWindowFormOpening;

    definitions += qt::kBanner;
    definitions += "#ifndef MAINWINDOW_DEFS_GENERATED_H_\n#define MAINWINDOW_DEFS_GENERATED_H_\n";
    definitions += qt::kExternBlock;

    bool anySpin = false;
    for (DialogElement *sidebar : sidebars) {
        anySpin = sidebar->holds(ElementType::Spin) || anySpin;
        const char *name = sidebar->name.c_str();
        Appendf(form, "<widget class=\"QWidget\" name=\"Sidebar_page_%s\">\n",
                qt::XmlEscaped(sidebar->name).c_str());
        sidebar->orderChildren();
        writeWidgets(form, sidebar->children);
        Appendf(header, "\n// Sidebar: %s\n", name);
        writeControlSlots(header, *sidebar);
        header += "\n\n";
        form += "</widget>\n";
        Appendf(definitions, "\n// %s\n", name);
        Appendf(definitions, "DLB_EXTERN GUIInt_t %s;\n", name);
        writeDefinitions(definitions, *sidebar);
    }

    form += "</widget>\n</widget>\n</widget>\n</widget>\n<resources/>\n<connections/>\n";
    form += "<customwidgets>\n";
    if (anySpin)
        form += "  <customwidget>\n    <class>QuorvinSpinBox</class>\n"
                "    <extends>QDoubleSpinBox</extends>\n"
                "    <header>QuorvinSpinBox.h</header>\n  </customwidget>\n";
    form += "  <customwidget>\n    <class>QuorvinTabWidget</class>\n"
            "    <extends>QTabWidget</extends>\n"
            "    <header>QuorvinTabWidget.h</header>\n  </customwidget>\n";
    form += "</customwidgets>\n";
    writeButtonGroups(form);
    form += "</ui>\n";

    header += "\nprivate:\n    // Hide constructors and assignment operator\n"
              "    MainWindowGenerated(const MainWindowGenerated&);\n"
              "    MainWindowGenerated& operator = (const MainWindowGenerated&);\n};\n\n";

    definitions += kBuildAllSidebarsOpening;
    for (DialogElement *sidebar : sidebars) {
        const char *name = sidebar->name.c_str();
        Appendf(
            definitions,
            "\n      // %s\n"
            "        %s = static_cast<GUIInt_t>(MainWindowGenerated::qtWidgets().size());\n"
            "        MainWindowGenerated::qtWidgets().push_back(dialog.getUi().Sidebar_page_%s);"
            "\n\n",
            name, name, name);
        writeRegistrations(definitions, *sidebar);
    }
    definitions += "    }\n}\n";
    definitions += "void buildAllDialogs()\n{\n";
    for (const DialogElement *dialog : parser.dialogs())
        Appendf(definitions,
                "    extern void BuildDialog%d(GUIInt_t);\n    BuildDialog%d(MAINDIALOGID);\n\n",
                Dec(dialog->number), Dec(dialog->number));
    definitions += "}\n\n";
    definitions +=
        "#else\nextern void buildAllSidebars(void);\nextern void buildAllDialogs(void);\n"
        "#endif\n#endif\n";

    header += "#include \"MainWindowDefs_generated.h\"\n#if defined GUIDEFS_MODULE_\n"
              "   std::vector<QObject*>    MainWindowGenerated::m_qtWidgets;\n"
              "#endif // GUIDEFS_MODULE_\n\n#endif\n\n";

    const bool formWritten = formFile.writeAndClose(form);
    const bool headerWritten = headerFile.writeAndClose(header);
    const bool definitionsWritten = definitionsFile.writeAndClose(definitions);
    return formWritten && headerWritten && definitionsWritten;
}

bool QtWriter::writeResourceFile() {
    std::string basePath;
    if (!qt::LayoutBasePath(basePath))
        return false;
    std::string text = "<RCC>\n  <qresource prefix=\"quorvinrs_bitmaps_generated\">\n";
    for (const std::string &icon : iconFiles)
        Appendf(text, "        <file>%s</file>\n", qt::XmlEscaped(icon).c_str());
    text += "   </qresource>\n</RCC>\n";
    return qt::WriteWholeFile(basePath + "quorvinrs_generated.qrc", text);
}

} // namespace quorvin::qorutilmisc
