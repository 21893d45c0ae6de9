// Dialog class text, control slots, tab maps and definitions, computed by
// hand from the class header and slot templates.
#include "QtTestSupport.h"

namespace qgbtest {
namespace {

using T = ElementType;
using qm::QtWriter;

using ClassTextTest = QtFixture;

TEST_F(ClassTextTest, ModelessDialogWithOnlyACloseButtonClosesThroughIt) {
    DialogElement *dialog = Dialog(4, true, "Tools", true, false, false, false);
    std::string out;
    QtWriter::writeCloseHandlers(out, *dialog);
    EXPECT_EQ(out, R"(public:
    virtual void closeEvent(QCloseEvent *event)
    {
        if (event->type()==QEvent::Close)
        {
            extern void Dialog4CloseButton_CB();
            Dialog4CloseButton_CB();
        }
        event->accept();
    }

private slots:
    virtual void reject()
    {
        TRACE(" Tools (Dialog4Manager) reject callback().\n");

        // Note: We don't call QDialog::reject() because it
        // is up to the add-on to close the dialog
        // by calling QorGUIDialogDrop(), which will eventually
        // end up in accept() callback below.

        extern void Dialog4CloseButton_CB();
        Dialog4CloseButton_CB();
    }

virtual void accept()
    {
        TRACE(" Tools (Dialog4Manager) accept callback().\n");
    extern void Dialog4CloseButton_CB();
    Dialog4CloseButton_CB();
    }

)");
    EXPECT_TRUE(host().messages().empty());
}

TEST_F(ClassTextTest, ModalDialogWithOkAndCancelCancelsOnCloseAndRejectAndAcceptsOnOk) {
    DialogElement *dialog = Dialog(1, false, "Setup", true, true, false, false);
    std::string out;
    QtWriter::writeCloseHandlers(out, *dialog);
    EXPECT_EQ(out, R"(public:
    virtual void closeEvent(QCloseEvent *event)
    {
        if (event->type()==QEvent::Close)
        {
            extern void Dialog1CancelButton_CB();
            Dialog1CancelButton_CB();
        }
        event->accept();
    }

private slots:
    virtual void reject()
    {
        TRACE(" Setup (Dialog1Manager) reject callback().\n");

        // Note: We don't call QDialog::reject() because it
        // is up to the add-on to close the dialog
        // by calling QorGUIDialogDrop(), which will eventually
        // end up in accept() callback below.

        extern void Dialog1CancelButton_CB();
        Dialog1CancelButton_CB();
    }

virtual void accept()
    {
        TRACE(" Setup (Dialog1Manager) accept callback().\n");
        extern void Dialog1OkButton_CB();
        Dialog1OkButton_CB();
        QDialog::accept();
    }

)");
}

// Which callback each handler calls, for the remaining combinations.
TEST_F(ClassTextTest, CloseHandlersPickTheirCallbackByPriority) {
    const struct {
        bool modeless, ok, cancel, apply;
        const char *closeEvent, *reject, *accept;
    } cases[] = {
        {false, true, false, false, "Dialog1OkButton_CB", "Dialog1OkButton_CB",
         "Dialog1OkButton_CB"},
        {false, false, true, false, "Dialog1CancelButton_CB", "Dialog1CancelButton_CB",
         "Dialog1CancelButton_CB"},
        {false, false, false, true, "Dialog1ApplyButton_CB", "Dialog1ApplyButton_CB",
         "Dialog1ApplyButton_CB"},
        {false, true, false, true, "Dialog1OkButton_CB", "Dialog1ApplyButton_CB",
         "Dialog1OkButton_CB"},
        {true, true, true, true, "Dialog1CloseButton_CB", "Dialog1CancelButton_CB",
         "Dialog1CloseButton_CB"},
    };
    for (const auto &c : cases) {
        parser = std::make_unique<qm::Parser>();
        DialogElement *dialog = Dialog(1, c.modeless, "X", c.ok, c.cancel, c.apply, false);
        std::string out;
        QtWriter::writeCloseHandlers(out, *dialog);
        const size_t reject = out.find("virtual void reject()");
        const size_t accept = out.find("virtual void accept()");
        auto calls = [&out](size_t from, size_t to, const std::string &name) {
            const size_t at = out.find("extern void " + name + "();\n", from);
            return at != std::string::npos && at < to;
        };
        EXPECT_TRUE(calls(0, reject, c.closeEvent)) << out;
        EXPECT_TRUE(calls(reject, accept, c.reject)) << out;
        EXPECT_TRUE(calls(accept, out.size(), c.accept)) << out;
    }
    EXPECT_TRUE(host().messages().empty());
}

TEST_F(ClassTextTest, DialogWithoutStandardButtonsIsReportedTwice) {
    DialogElement *dialog = Dialog(1, true, "Bare", false, false, false, true);
    std::string out;
    QtWriter::writeCloseHandlers(out, *dialog);
    EXPECT_NE(out.find("        {\n        }\n        event->accept();"), std::string::npos);
    EXPECT_EQ(out.find("extern void"), std::string::npos);
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{
                  "Dialog must have at least one of: Ok, Close, Apply, Cancel buttons.",
                  "Dialog must have at least one of: Ok, Close, Apply, Cancel buttons."}));
}

std::string Slots(qm::Parser &parser, DialogElement *container) {
    parser.all();
    return QtWriter::writeControlSlots(*container);
}

TEST_F(ClassTextTest, SlotsOfButtonsTogglesTextsAndLists) {
    DialogElement *dialog = Dialog(1, false, "D");
    Control(T::PushButton, "Go_BTN_D1", {0, 0, 1, 1}, "Go");
    Control(T::Toggle, "Bold_TOG_D1", {0, 0, 1, 1}, "Bold");
    Control(T::TextField, "Name_TF_D1", {0, 0, 1, 1});
    Control(T::Text, "Notes_T_D1", {0, 0, 1, 1});
    Control(T::SingleList, "Pick_SLST_D1", {0, 0, 1, 1});
    Control(T::Label, "Info", {0, 0, 1, 1}, "Info");
    Control(T::ReadOnlyText, "Ro_T_D1", {0, 0, 1, 1});
    EXPECT_EQ(Slots(*parser, dialog), R"(
     // Go_BTN_D1
    void on_Go_BTN_D1_released()
    {
        extern void Go_BTN_D1_CB();
        buttonCallbackProxy(dynamic_cast<QWidget*>(sender()),Go_BTN_D1_CB);
    }

     // Bold_TOG_D1
    void on_Bold_TOG_D1_toggled(bool checked)
    {
        GUIInt_t isChecked = checked ? 1 : 0;
        extern void Bold_TOG_D1_CB(const GUIInt_t *I);
        if (!isProgramaticallyUpdating()) Bold_TOG_D1_CB(&isChecked);
    }

     // Name_TF_D1
    void on_Name_TF_D1_editingFinished()
    {
        extern GUIInt_t Name_TF_D1_CB(const char*);
        std::string str = m_ui.Name_TF_D1->displayText().toStdString();
        if (!isProgramaticallyUpdating()) Name_TF_D1_CB(str.c_str());
    }

     // Notes_T_D1
    void on_Notes_T_D1_selectionChanged()
    {
        extern GUIInt_t Notes_T_D1_CB(const char*);
        std::string str = m_ui.Notes_T_D1->toPlainText().toStdString();
        if (!isProgramaticallyUpdating()) Notes_T_D1_CB(str.c_str());
    }

     // Pick_SLST_D1
    void on_Pick_SLST_D1_itemSelectionChanged()
    {
        extern void Pick_SLST_D1_CB(const GUIInt_t* I);
        if (!isProgramaticallyUpdating()) listCallbackProxy(*m_ui.Pick_SLST_D1,
                                Pick_SLST_D1_CB);
    }

     // Info

     // Ro_T_D1
)");
}

TEST_F(ClassTextTest, OptionMenuAndScaleCallDirectlyInModalDialogs) {
    DialogElement *dialog = Dialog(1, false, "D");
    Control(T::OptionMenu, "Mode_OPT_D1", {0, 0, 1, 1});
    Add(DialogElement::makeScale(1, {0, 0, 1, 1}, "Zoom_SC_D1", "", "", "Zoom_SC_D1_CB",
                                 "Zoom_SCD_D1"));
    EXPECT_EQ(Slots(*parser, dialog), R"(
     // Mode_OPT_D1
    void on_Mode_OPT_D1_currentIndexChanged(int i)
    {
        // Only call the callback if the option menu is not empty
        if (i >= 0)
        {
            extern void Mode_OPT_D1_CB(const GUIInt_t* I);
            GUIInt_t currentIndex = static_cast<GUIInt_t>(i+1);
            if (!isProgramaticallyUpdating()) Mode_OPT_D1_CB(&currentIndex);
        }
    }

     // Zoom_SC_D1
    void on_Zoom_SC_D1_valueChanged(int i)
    {
        extern void Zoom_SC_D1_CB(const GUIInt_t *I);
        GUIInt_t value = static_cast<GUIInt_t>(i);
        if (!isProgramaticallyUpdating()) Zoom_SC_D1_CB(&value);
    }
    void on_Zoom_SC_D1_sliderMoved(int i)
    {
        extern void Zoom_SCD_D1_CB(const GUIInt_t *I);
        GUIInt_t value = static_cast<GUIInt_t>(i);
        if (!isProgramaticallyUpdating()) Zoom_SCD_D1_CB(&value);
    }
)");
}

TEST_F(ClassTextTest, OptionMenuAndScaleQueueInModelessDialogsAndSidebars) {
    for (bool sidebar : {false, true}) {
        parser = std::make_unique<qm::Parser>();
        DialogElement *container = nullptr;
        if (sidebar) {
            NewFrame();
            container = Add(DialogElement::makeSidebar(2, 10, 10, "S"));
        } else {
            container = Dialog(2, true, "M");
        }
        Control(T::OptionMenu, "Mode_OPT_X", {0, 0, 1, 1});
        Add(DialogElement::makeScale(1, {0, 0, 1, 1}, "Zoom_SC_X", "", "", "Zoom_SC_X_CB",
                                     "Zoom_SCD_X"));
        EXPECT_EQ(Slots(*parser, container), R"(
     // Mode_OPT_X
    void on_Mode_OPT_X_currentIndexChanged(int i)
    {
        // Only call the callback if the option menu is not empty
        if (i >= 0)
        {
             extern void Mode_OPT_X_CB(const GUIInt_t* I);
             GUIInt_t currentIndex = static_cast<GUIInt_t>(i+1);
             if (!isProgramaticallyUpdating())
             {
                    m_intScheduler->scheduleCallback(Mode_OPT_X_CB,currentIndex);
             }
        }
    }

     // Zoom_SC_X
    void on_Zoom_SC_X_valueChanged(int i)
    {
        extern void Zoom_SC_X_CB(const GUIInt_t *I);
        GUIInt_t value = static_cast<GUIInt_t>(i);
        if (!isProgramaticallyUpdating())
        {
              m_intScheduler->scheduleCallback(Zoom_SC_X_CB,value);
        }
    }
    void on_Zoom_SC_X_sliderMoved(int i)
    {
        extern void Zoom_SCD_X_CB(const GUIInt_t *I);
        GUIInt_t value = static_cast<GUIInt_t>(i);
        if (!isProgramaticallyUpdating()) Zoom_SCD_X_CB(&value);
    }
)") << (sidebar ? "sidebar" : "modeless dialog");
    }
}

TEST_F(ClassTextTest, SpinRadioBoxTabAndUnnamedElements) {
    TabPage(6, 1, 1, "P");
    DialogElement *dialog = Dialog(1, false, "D");
    Add(DialogElement::makeSpin(1, {0, 0, 1, 1}, "Count_TFS_D1", "", "",
                                "Count_TFS_D1_ValueChanged_CB", "Count_TFS_D1_ButtonUp_CB",
                                "Count_TFS_D1_ButtonDown_CB"));
    Add(DialogElement::makeRadioBox(1, {0, 0, 1, 1}, "Pick_RADIO_D1", "", "", "Pick_RADIO_D1_CB",
                                    {"a", "b"}));
    Add(DialogElement::makeGroupFrame(1, {0, 0, 5, 5}, "Frame"));
    Add(DialogElement::makeTabControl(1, 6, "Tabs_TB_D1", {0, 0, 1, 1}, "Tabs_TBA_D1",
                                      "Tabs_TBD_D1"));
    EXPECT_EQ(Slots(*parser, dialog), R"(
     // Count_TFS_D1
    void on_Count_TFS_D1_editingFinished()
    {
        extern GUIInt_t Count_TFS_D1_ValueChanged_CB(const char *str);
        std::string str = m_ui.Count_TFS_D1->text().toStdString();
        if (!isProgramaticallyUpdating()) Count_TFS_D1_ValueChanged_CB(str.c_str());
    }

     // Pick_RADIO_D1
    void on_Pick_RADIO_D1_0_toggled(bool checked)
    {
        if (checked)
        {
            extern void Pick_RADIO_D1_CB(const GUIInt_t *I);
            GUIInt_t I = static_cast<GUIInt_t>(1);
            if (!isProgramaticallyUpdating()) Pick_RADIO_D1_CB(&I);
        }
    }
    void on_Pick_RADIO_D1_1_toggled(bool checked)
    {
        if (checked)
        {
            extern void Pick_RADIO_D1_CB(const GUIInt_t *I);
            GUIInt_t I = static_cast<GUIInt_t>(2);
            if (!isProgramaticallyUpdating()) Pick_RADIO_D1_CB(&I);
        }
    }

     // Tabs_TB_D1
    void on_Tabs_TB_D1_currentChanged(int index)
    {
        static GUIInt_t *lastTabID = NULL;
        CHECK(m_tabIndexToIdMap_Tabs_TB_D1.find(index) != m_tabIndexToIdMap_Tabs_TB_D1.end());
        GUIInt_t *tabID = m_tabIndexToIdMap_Tabs_TB_D1[index];
        CHECK(VALID_REF(tabID));
        extern void Tabs_TBA_D1_CB(const GUIInt_t *I);
        extern void Tabs_TBD_D1_CB(const GUIInt_t *I);
        if (lastTabID && lastTabID != tabID)
        {
            if (!isProgramaticallyUpdating()) Tabs_TBD_D1_CB(lastTabID);
        }
        lastTabID = tabID;
        if (!isProgramaticallyUpdating()) Tabs_TBA_D1_CB(tabID);
    }

     // Tab1_6Manager
)");
}

// Tab pages with the given positions, added in that order, under one tab
// control; gives the tab map lines.
class TabMapTest : public QtFixture {
  protected:
    std::string MapLines(const std::vector<uint32_t> &positions) {
        uint32_t pageId = 1;
        for (uint32_t position : positions)
            TabPage(2, pageId++, position, "P");
        DialogElement *dialog = Dialog(1, false, "D");
        Add(DialogElement::makeTabControl(1, 2, "T_TB_D1", {0, 0, 1, 1}, "A", "B"));
        parser->all();
        std::string out;
        QtWriter::writeTabMapInitializations(out, *dialog);
        return out;
    }
};

TEST_F(TabMapTest, KeysArePageIndicesInPositionOrder) {
    const struct {
        std::vector<uint32_t> positions;
        const char *lines;
    } cases[] = {
        {{3, 4},
         "       extern GUIInt_t Tab1_2Manager; // tab page 2\n"
         "       m_tabIndexToIdMap_T_TB_D1[0] = &Tab1_2Manager;\n"
         "       extern GUIInt_t Tab2_2Manager; // tab page 3\n"
         "       m_tabIndexToIdMap_T_TB_D1[1] = &Tab2_2Manager;\n"},
        {{1, 3},
         "       extern GUIInt_t Tab1_2Manager; // tab page 0\n"
         "       m_tabIndexToIdMap_T_TB_D1[0] = &Tab1_2Manager;\n"
         "       extern GUIInt_t Tab2_2Manager; // tab page 2\n"
         "       m_tabIndexToIdMap_T_TB_D1[1] = &Tab2_2Manager;\n"},
        {{101, 102},
         "       extern GUIInt_t Tab1_2Manager; // tab page 100\n"
         "       m_tabIndexToIdMap_T_TB_D1[0] = &Tab1_2Manager;\n"
         "       extern GUIInt_t Tab2_2Manager; // tab page 101\n"
         "       m_tabIndexToIdMap_T_TB_D1[1] = &Tab2_2Manager;\n"},
        // Pages met in reverse order keep their own index of the tab widget.
        {{2, 1},
         "       extern GUIInt_t Tab1_2Manager; // tab page 1\n"
         "       m_tabIndexToIdMap_T_TB_D1[1] = &Tab1_2Manager;\n"
         "       extern GUIInt_t Tab2_2Manager; // tab page 0\n"
         "       m_tabIndexToIdMap_T_TB_D1[0] = &Tab2_2Manager;\n"},
    };
    for (const auto &c : cases) {
        parser = std::make_unique<qm::Parser>();
        EXPECT_EQ(MapLines(c.positions), c.lines);
    }
}

TEST_F(TabMapTest, MembersAreOnePerTabControlAnywhereInTheTree) {
    TabPage(2, 1, 1, "P");
    Add(DialogElement::makeTabControl(2, 3, "Inner_TB_T1_2", {0, 0, 1, 1}, "A", "B"));
    DialogElement *dialog = Dialog(1, false, "D");
    Add(DialogElement::makeTabControl(1, 2, "Outer_TB_D1", {0, 0, 1, 1}, "C", "D"));
    parser->all();
    std::string out;
    QtWriter::writeTabMapMembers(out, *dialog);
    EXPECT_EQ(out, "    std::map<int,GUIInt_t*>  m_tabIndexToIdMap_Outer_TB_D1;\n"
                   "    std::map<int,GUIInt_t*>  m_tabIndexToIdMap_Inner_TB_T1_2;\n");
}

TEST_F(ClassTextTest, DefinitionsRegistrationsAndInitializations) {
    DialogElement *dialog = Dialog(3, false, "D");
    Add(DialogElement::makeRadioBox(1, {0, 0, 1, 1}, "R_RADIO_D3", "", "", "R_CB",
                                    {"a", "b", "c"}));
    Add(DialogElement::makeGroupFrame(1, {0, 0, 5, 5}, "Frame"));
    Add(DialogElement::makeSpin(1, {0, 0, 1, 1}, "S_TFS_D3", "", "", "V", "U", "D"));
    Control(T::MultiList, "M_MLST_D3", {0, 0, 1, 1});
    parser->all();

    std::string definitions, registrations, initializations;
    QtWriter::writeDefinitions(definitions, *dialog);
    QtWriter::writeRegistrations(registrations, *dialog);
    QtWriter::writeInitializations(initializations, *dialog);
    EXPECT_EQ(definitions, R"(DLB_EXTERN GUIInt_t R_RADIO_D3;
DLB_EXTERN GUIInt_t R_RADIO_D3_0;
DLB_EXTERN GUIInt_t R_RADIO_D3_1;
DLB_EXTERN GUIInt_t R_RADIO_D3_2;
DLB_EXTERN GUIInt_t S_TFS_D3;
DLB_EXTERN GUIInt_t M_MLST_D3;
)");
    EXPECT_EQ(
        registrations,
        R"(        R_RADIO_D3 = static_cast<GUIInt_t>(MainWindowGenerated::qtWidgets().size());
        MainWindowGenerated::qtWidgets().push_back(dialog.getUi().R_RADIO_D3);

        S_TFS_D3 = static_cast<GUIInt_t>(MainWindowGenerated::qtWidgets().size());
        MainWindowGenerated::qtWidgets().push_back(dialog.getUi().S_TFS_D3);


        // Initialize spin up/down callbacks
        extern void S_TFS_D3_ButtonUp_CB();
        extern void S_TFS_D3_ButtonDown_CB();
        dialog.getUi().S_TFS_D3->setButtonUpCallback(S_TFS_D3_ButtonUp_CB);
        dialog.getUi().S_TFS_D3->setButtonDownCallback(S_TFS_D3_ButtonDown_CB);

        M_MLST_D3 = static_cast<GUIInt_t>(MainWindowGenerated::qtWidgets().size());
        MainWindowGenerated::qtWidgets().push_back(dialog.getUi().M_MLST_D3);

)");
    EXPECT_EQ(initializations, R"(
        // Initialize radio button group R_RADIO_D3
        QorGUIRadioBoxSetToggleQt(R_RADIO_D3,1);
        // Fix list control highlighted background so that it is always bright.

        dialog.getUi().M_MLST_D3->setItemDelegate(&dialog.m_listItemDelegate);
)");
}

TEST_F(ClassTextTest, DialogHeaderIncludesOnlyWhatTheDialogUses) {
    const struct {
        bool modeless, spin, tab;
    } cases[] = {{false, false, false}, {true, true, false}, {false, false, true}};
    for (const auto &c : cases) {
        parser = std::make_unique<qm::Parser>();
        TabPage(1, 1, 1, "P");
        DialogElement *dialog = Dialog(1, c.modeless, "Head");
        if (c.spin)
            Add(DialogElement::makeSpin(1, {0, 0, 1, 1}, "S_TFS_D1", "", "", "V", "U", "D"));
        if (c.tab)
            Add(DialogElement::makeTabControl(1, 1, "T_TB_D1", {0, 0, 1, 1}, "A", "B"));
        parser->all();
        QtWriter writer;
        std::string out;
        writer.writeDialogHeader(out, *dialog, "HeadDialog");
        const std::string expectedIncludes =
            std::string("#include \"QuorvinListItemDelegate.h\"\n") +
            (c.spin ? "#include \"QuorvinSpinBox.h\"\n" : "") +
            (c.tab ? "#include \"QuorvinTabWidget.h\"\n" : "") + "\n" +
            (c.modeless ? "#include \"Manager.h\"\n#include \"EventManagerInterface.h\"\n"
                          "#include \"QorGUICallbackScheduler.h\"\n"
                        : "") +
            "\n#include <QDialog>\n#include <QCloseEvent>\n#include \"ui_HeadDialog.h\"\n\n\n"
            "// Dialog1Manager\nclass HeadDialog : public QDialog\n";
        EXPECT_NE(out.find(expectedIncludes), std::string::npos) << out;
        EXPECT_EQ(out.find("m_intScheduler") != std::string::npos, c.modeless);
        EXPECT_EQ(out.find("m_tabIndexToIdMap_T_TB_D1[0] = &Tab1_1Manager;") != std::string::npos,
                  c.tab);
    }
}

TEST_F(ClassTextTest, WholeHeaderOfAModelessDialogWithACloseButton) {
    DialogElement *dialog = Dialog(4, true, "Tools", true, false, false, false);
    Control(T::PushButton, "Go_BTN_D4", {0, 0, 1, 1}, "Go");
    parser->all();
    QtWriter writer;
    std::string out;
    writer.writeDialogHeader(out, *dialog, "ToolsDialog");
    std::string closeHandlers;
    QtWriter::writeCloseHandlers(closeHandlers, *dialog);
    EXPECT_EQ(out, R"(/////////////////////////////////////////////////////////////////
// This file was generated by guibld add-on.
// DO NOT EDIT THIS FILE.
/////////////////////////////////////////////////////////////////

// DO NOT EDIT THIS FILE

#ifndef CLASS_ToolsDialog_INCLUDED_H_
#define CLASS_ToolsDialog_INCLUDED_H_
#include <memory>
#include "QORADDON.h"
#include "QorGUICallbackUtil.h"
#include "QuorvinListItemDelegate.h"

#include "Manager.h"
#include "EventManagerInterface.h"
#include "QorGUICallbackScheduler.h"

#include <QDialog>
#include <QCloseEvent>
#include "ui_ToolsDialog.h"


// Dialog4Manager
class ToolsDialog : public QDialog
{
   Q_OBJECT
public:
   static ToolsDialog& getInstance(QWidget* parent = 0)
   {
       if (m_dialogInstance == NULL)
           m_dialogInstance = new ToolsDialog(parent);
       return *m_dialogInstance;
   }
   virtual ~ToolsDialog() {}
   Ui::ToolsDialogUI& getUi() { return m_ui; }

   QuorvinListItemDelegate m_listItemDelegate;

private:
    std::unique_ptr<QorGUITextCallbackOnIdle> m_textScheduler;
    std::unique_ptr<QorGUIIntCallbackOnIdle>  m_intScheduler;

   // void setupStandardDialogBindings();
    virtual void showEvent(QShowEvent *event)
    {
        extern void Dialog4Init_CB();
        Dialog4Init_CB();
        QDialog::showEvent(event);
    }

)" + closeHandlers + R"(private slots:

    void on_Dialog4_buttonBox_clicked(QAbstractButton* button)
    {
       extern void Dialog4CloseButton_CB(void);
       if (m_ui.Dialog4_buttonBox->standardButton(button) == QDialogButtonBox::Close)
           Dialog4CloseButton_CB();
    }

    // Dialog control slots

     // Go_BTN_D4
    void on_Go_BTN_D4_released()
    {
        extern void Go_BTN_D4_CB();
        buttonCallbackProxy(dynamic_cast<QWidget*>(sender()),Go_BTN_D4_CB);
    }


private:
    ToolsDialog(QWidget* parent = 0) : QDialog(parent, Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    {
        m_textScheduler.reset(new QorGUITextCallbackOnIdle(quorvin::sdk::integration::Manager::getInstance().getEventManager()));
        m_intScheduler.reset(new QorGUIIntCallbackOnIdle(quorvin::sdk::integration::Manager::getInstance().getEventManager()));

        m_ui.setupUi(this);
    }

    Ui::ToolsDialogUI    m_ui;

    static ToolsDialog*  m_dialogInstance;

    // Hide constructors and assignment operator
    ToolsDialog(const ToolsDialog&);
    ToolsDialog& operator = (const ToolsDialog&);
};

#if defined GUIDEFS_MODULE_
ToolsDialog* ToolsDialog::m_dialogInstance = NULL;
#endif

#include "ToolsDialog_guidefs.h"

#endif // CLASS_ToolsDialog_INCLUDED_H_
// End of generated source code.

)");
}

TEST_F(ClassTextTest, ButtonBoxSlotTestsCancelOkHelpApplyInThatOrder) {
    DialogElement *dialog = Dialog(9, false, "All", true, true, true, true);
    parser->all();
    QtWriter writer;
    std::string out;
    writer.writeDialogHeader(out, *dialog, "AllDialog");
    EXPECT_NE(out.find(R"(    void on_Dialog9_buttonBox_clicked(QAbstractButton* button)
    {
       extern void Dialog9CancelButton_CB(void);
       if (m_ui.Dialog9_buttonBox->standardButton(button) == QDialogButtonBox::Cancel)
           Dialog9CancelButton_CB();
       extern void Dialog9OkButton_CB(void);
       if (m_ui.Dialog9_buttonBox->standardButton(button) == QDialogButtonBox::Ok)
           Dialog9OkButton_CB();
       extern void Dialog9HelpButton_CB(void);
       if (m_ui.Dialog9_buttonBox->standardButton(button) == QDialogButtonBox::Help)
           Dialog9HelpButton_CB();
       extern void Dialog9ApplyButton_CB(void);
       if (m_ui.Dialog9_buttonBox->standardButton(button) == QDialogButtonBox::Apply)
           Dialog9ApplyButton_CB();
    }
)"),
              std::string::npos)
        << out;
}

TEST_F(ClassTextTest, DefinitionsFileOfADialog) {
    DialogElement *dialog = Dialog(2, false, "Defs");
    Control(T::TextField, "Name_TF_D2", {0, 0, 1, 1});
    Add(DialogElement::makeTabControl(1, 9, "T_TB_D2", {0, 0, 1, 1}, "A", "B"));
    parser->all();
    QtWriter writer;
    std::string out;
    writer.writeDialogDefinitionsFile(out, *dialog, "DefsDialog");
    EXPECT_EQ(out, R"(/////////////////////////////////////////////////////////////////
// This file was generated by guibld add-on.
// DO NOT EDIT THIS FILE.
/////////////////////////////////////////////////////////////////

#if defined DLB_EXTERN
   #undef DLB_EXTERN
#endif

#if defined GUIDEFS_MODULE_
   #define DLB_EXTERN
#else
   #define DLB_EXTERN extern
#endif

DLB_EXTERN GUIInt_t Name_TF_D2;
DLB_EXTERN GUIInt_t T_TB_D2;
DLB_EXTERN GUIInt_t Dialog2Manager;

#if defined GUIDEFS_MODULE_
#include "MainWindowGenerated.h"

#include "uiutils.h"

void BuildDialog2(GUIInt_t ParentDialog)
{
   static bool isFirstTime = true;
   if (isFirstTime)
   {
       isFirstTime = false;
       QWidget* parent = 0;
       if (ParentDialog == MAINDIALOGID)
           parent = findMainWindow();
       else
         parent = (QDialog*)MainWindowGenerated::qtWidgets()[ParentDialog];

       DefsDialog& dialog = DefsDialog::getInstance(parent);

       Dialog2Manager = static_cast<GUIInt_t>(MainWindowGenerated::qtWidgets().size());
       MainWindowGenerated::qtWidgets().push_back(&dialog);

        Name_TF_D2 = static_cast<GUIInt_t>(MainWindowGenerated::qtWidgets().size());
        MainWindowGenerated::qtWidgets().push_back(dialog.getUi().Name_TF_D2);

        T_TB_D2 = static_cast<GUIInt_t>(MainWindowGenerated::qtWidgets().size());
        MainWindowGenerated::qtWidgets().push_back(dialog.getUi().T_TB_D2);


        // Initialize tab control T_TB_D2 to the first tab page
        dialog.getUi().T_TB_D2->blockSignals(true);
        dialog.getUi().T_TB_D2->setCurrentWidget(dialog.getUi().T_TB_D2->widget(0));
        dialog.getUi().T_TB_D2->blockSignals(false);
   }
}
#else
extern void BuildDialog2(GUIInt_t ParentDialog);
#endif

// end of generated code

)");
}

} // namespace
} // namespace qgbtest
