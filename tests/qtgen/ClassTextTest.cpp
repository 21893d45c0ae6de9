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

} // namespace
} // namespace qgbtest
