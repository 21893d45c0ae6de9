// Dialog class text for cases the golden design does not show: the callback
// each close handler picks for every combination of buttons, dialogs without
// buttons, tab maps of pages at other positions and nested tab controls.
#include "QtTestSupport.h"

namespace qgbtest {
namespace {

using qm::QtWriter;

using ClassTextTest = QtFixture;

// Which callback the close event, reject and accept call.
TEST_F(ClassTextTest, CloseHandlersPickTheirCallbackByPriority) {
    // The button named in "Dialog1<name>Button_CB" by the close event, reject and accept.
    // clang-format off
    const struct { bool modeless, ok, cancel, apply; const char *closeEvent, *reject, *accept; } cases[] = {
        {false, true, false, false, "Ok", "Ok", "Ok"}, {false, false, true, false, "Cancel", "Cancel", "Cancel"},
        {false, false, false, true, "Apply", "Apply", "Apply"}, {false, true, false, true, "Ok", "Apply", "Ok"},
        {false, true, true, false, "Cancel", "Cancel", "Ok"}, {true, true, true, true, "Close", "Cancel", "Close"},
        {true, true, false, true, "Close", "Close", "Close"}, {true, false, true, true, "Cancel", "Cancel", "Cancel"},
    };
    // clang-format on
    for (const auto &c : cases) {
        parser = std::make_unique<qm::Parser>();
        DialogElement *dialog = Dialog(1, c.modeless, "X", c.ok, c.cancel, c.apply, false);
        std::string out;
        QtWriter::writeCloseHandlers(out, *dialog);
        const size_t reject = out.find("virtual void reject()");
        const size_t accept = out.find("virtual void accept()");
        auto calls = [&out](size_t from, size_t to, const std::string &button) {
            const size_t at = out.find("extern void Dialog1" + button + "Button_CB();\n", from);
            return at != std::string::npos && at < to;
        };
        EXPECT_TRUE(calls(0, reject, c.closeEvent)) << out;
        EXPECT_TRUE(calls(reject, accept, c.reject)) << out;
        EXPECT_TRUE(calls(accept, out.size(), c.accept)) << out;
        // Only a modal dialog's OK accepts the dialog itself.
        EXPECT_EQ(out.find("QDialog::accept();") != std::string::npos, !c.modeless && c.ok);
    }
    EXPECT_TRUE(host().messages().empty());
}

TEST_F(ClassTextTest, DialogWithoutStandardButtonsIsReportedTwice) {
    DialogElement *dialog = Dialog(1, true, "Bare", false, false, false, true);
    std::string out;
    QtWriter::writeCloseHandlers(out, *dialog);
    EXPECT_NE(out.find("        {\n        }\n        event->accept();"), std::string::npos);
    EXPECT_EQ(out.find("extern void"), std::string::npos);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>(2, "Dialog must have at least one of: Ok, "
                                                          "Close, Apply, Cancel buttons."));
}

// Tab pages with the given positions, added in that order under one tab
// control: each page's map line names its index in the tab widget (its rank
// by position) and its position less one.
TEST_F(ClassTextTest, TabMapKeysArePageIndicesInPositionOrder) {
    // clang-format off
    const struct { std::vector<uint32_t> positions; std::vector<std::pair<int, int>> indexAndPage; } cases[] = {
        {{3, 4}, {{0, 2}, {1, 3}}}, {{1, 3}, {{0, 0}, {1, 2}}}, {{101, 102}, {{0, 100}, {1, 101}}},
        {{3, 1, 2}, {{2, 2}, {0, 0}, {1, 1}}}}; // index and page per page as added
    // clang-format on
    for (const auto &c : cases) {
        parser = std::make_unique<qm::Parser>();
        uint32_t pageId = 1;
        for (uint32_t position : c.positions)
            TabPage(2, pageId++, position, "P");
        DialogElement *dialog = Dialog(1, false, "D");
        Add(DialogElement::makeTabControl(1, 2, "T_TB_D1", {0, 0, 1, 1}, "A", "B"));
        parser->all();
        std::string out, expected;
        QtWriter::writeTabMapInitializations(out, *dialog);
        for (size_t i = 0; i < c.indexAndPage.size(); ++i) {
            const std::string page = "Tab" + std::to_string(i + 1) + "_2Manager";
            expected += "       extern GUIInt_t " + page + "; // tab page " +
                        std::to_string(c.indexAndPage[i].second) + "\n" +
                        "       m_tabIndexToIdMap_T_TB_D1[" +
                        std::to_string(c.indexAndPage[i].first) + "] = &" + page + ";\n";
        }
        EXPECT_EQ(out, expected);
    }
}

TEST_F(ClassTextTest, TabMapMembersAreOnePerTabControlAnywhereInTheTree) {
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

} // namespace
} // namespace qgbtest
