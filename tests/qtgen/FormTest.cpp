// Qt Designer form and dialog class text, computed by hand from the templates,
// for cases the golden designs do not show: rectangles adjusted, escapes,
// button boxes, the callback each close handler picks for every combination
// of buttons, dialogs without buttons, tab maps of pages at other positions
// and nested tab controls.
#include "QtTestSupport.h"

namespace qgbtest {
namespace {

using T = ElementType;
using qm::QtWriter;

std::string XmlString(const std::string &text) {
    std::string out;
    QtWriter::writeXmlString(out, text);
    return out;
}

TEST(XmlString, TrimsBlanksTurnsTypedLineBreaksIntoLineFeedsAndEscapes) {
    // clang-format off
    const struct { const char *text, *written; } cases[] = {
        {"plain", "   <string>plain</string>\n"},
        {"  word  ", "   <string>word</string>\n"},
        {"\n \nword\n ", "   <string>word</string>\n"},
        {"", "   <string></string>\n"},
        {"  \n ", "   <string></string>\n"},
        {"Two\\nparts", "   <string>Two\nparts</string>\n"},
        {"ends in\\n", "   <string>ends in\n</string>\n"},
        {"back\\slash", "   <string>back\\slash</string>\n"},
        {"a&b<c>\"d'e", "   <string>a&amp;b&lt;c&gt;&quot;d&apos;e</string>\n"},
        {"tab\there", "   <string>tab\there</string>\n"},
        {"bell\a!", "   <string>bell!</string>\n"}, // XML cannot hold the byte at all
        {" \tinner blanks stay\t ", "   <string>\tinner blanks stay\t</string>\n"},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(XmlString(c.text), c.written) << c.text;
}

using FormTest = QtFixture;

// What writing an element makes of its rectangle where the golden design does
// not show it: labels are raised to the smallest size shown, a group frame
// moves up by its title and a tab widget by its tabs, and neither leaves the
// dialog.
TEST_F(FormTest, WritingAdjustsRectangles) {
    auto label = [](ElementRect rect) {
        return DialogElement::makeControl(T::Label, 1, rect, "L", "", "x", "L_CB");
    };
    auto tab = [](ElementRect rect) {
        return DialogElement::makeTabControl(1, 3, "T_TB_D1", rect, "A", "B");
    };
    // clang-format off
    const struct { const char *what; std::unique_ptr<DialogElement> element; ElementRect written; } cases[] = {
        {"small label", label({1, 2, 5, 8}), {1, 2, 11, 12}},
        {"label at the size", label({1, 2, 11, 12}), {1, 2, 11, 12}},
        {"wide label", label({1, 2, 30, 40}), {1, 2, 30, 40}},
        {"group frame", DialogElement::makeGroupFrame(1, {-2, 3, 40, 20}, "F"), {0, 0, 40, 25}},
        {"group frame at the top", DialogElement::makeGroupFrame(1, {1, 6, 1, 20}, "F"), {1, 1, 1, 25}},
        {"tab widget", tab({20, 10, 200, 100}), {20, 0, 200, 124}},
        {"tab widget below its tabs", tab({-1, 25, 200, 100}), {0, 1, 200, 124}},
    };
    // clang-format on
    for (const auto &c : cases) {
        std::string out;
        QtWriter writer;
        writer.writeWidgets(out, {c.element.get()});
        const DialogElement &e = *c.element;
        EXPECT_EQ(
            (std::vector<int32_t>{e.x, e.y, e.width, e.height}),
            (std::vector<int32_t>{c.written.x, c.written.y, c.written.width, c.written.height}))
            << c.what;
        EXPECT_NE(out.find("   <x>" + std::to_string(e.x) + "</x>\n   <y>" + std::to_string(e.y) +
                           "</y>\n   <width>" + std::to_string(e.width)),
                  std::string::npos)
            << c.what << ":\n"
            << out;
    }
}

// A radio box's tool tip is not trimmed but escaped, on every button; a box
// without items writes no button but still forms its group.
TEST_F(FormTest, RadioBoxButtonsAndGroups) {
    auto four = DialogElement::makeRadioBox(1, {5, 7, 80, 60}, "Four_RADIO_D1", " a <b> ", "",
                                            "Four_CB", {"1", "2", "3", "4"});
    auto none =
        DialogElement::makeRadioBox(1, {5, 7, 80, 60}, "None_RADIO_D1", "", "", "None_CB", {});
    QtWriter writer;
    std::string out, groups;
    writer.writeWidgets(out, {four.get(), none.get()});
    EXPECT_NE(out.find("name=\"Four_RADIO_D1_3\">\n <property name=\"geometry\">\n  <rect>\n"
                       "   <x>5</x>\n   <y>52</y>\n   <width>80</width>\n   <height>15</height>"),
              std::string::npos)
        << out;
    size_t tips = 0;
    for (size_t at = 0; (at = out.find("<string> a &lt;b&gt; </string>", at)) != std::string::npos;
         ++at)
        ++tips;
    EXPECT_EQ(tips, 4u);
    EXPECT_EQ(out.find("None_RADIO_D1"), std::string::npos);
    writer.writeButtonGroups(groups);
    EXPECT_NE(groups.find(" <buttongroup name=\"Four_RADIO_D1\">"), std::string::npos);
    EXPECT_NE(groups.find(" <buttongroup name=\"None_RADIO_D1\">"), std::string::npos);
}

TEST(IconFileName, IsTheBaseNameOfTheImageWithPng) {
    // clang-format off
    const struct { const char *image, *icon; } cases[] = {
        {"C:\\images\\tools\\open.bmp", "open.png"}, {"/home/me/pics/save.bmp", "save.png"},
        {"C:/mixed\\dirs/new.file.bmp", "new.file.png"}, {"plain", "plain.png"},
        {"some.dir/file", "some.dir/file.png"}, // the only dot is before the separator
        {"image.bmp", "image.bmp.png"},         // no separator: the whole name
        {"/pics/noext", "/pics/noext.png"},     // no dot: the whole name
        {"", ".png"},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(QtWriter::iconFileName(c.image), c.icon) << c.image;
}

// The icon name is escaped in the form but listed plain for the resource file.
TEST_F(FormTest, BitmapButtonIconNameIsEscaped) {
    DialogElement::ImageData image;
    image.file = "/a/b&c.bmp";
    auto button = DialogElement::makeBitmapButton(false, 1, {1, 2, 3, 4}, "Amp_BB_D1", "", "",
                                                  "Amp_BB_D1_CB", image);
    QtWriter writer;
    std::string out;
    writer.writeWidgets(out, {button.get()});
    EXPECT_NE(out.find(">:/quorvinrs_bitmaps_generated/b&amp;c.png</iconset>"), std::string::npos)
        << out;
    EXPECT_EQ(writer.iconFiles, (std::set<std::string>{"b&c.png"}));
}

// The standard buttons, the height they add, and the modality, by the
// dialog's kind and buttons; the title is escaped.
TEST_F(FormTest, ButtonBoxSetsFollowTheDialogsButtons) {
    // clang-format off
    const struct { bool modeless, ok, cancel, apply, help; const char *set; /* null: no box */ } cases[] = {
        {true, true, false, false, false, "QDialogButtonBox::Close"},
        {false, true, true, true, true,
         "QDialogButtonBox::Help|QDialogButtonBox::Ok|QDialogButtonBox::Cancel|QDialogButtonBox::Apply"},
        {true, true, true, false, true, "QDialogButtonBox::Help|QDialogButtonBox::Cancel|QDialogButtonBox::Close"},
        {false, false, false, true, false, "QDialogButtonBox::Apply"},
        {false, false, false, false, true, "QDialogButtonBox::Help"},
        {false, false, false, false, false, nullptr},
    };
    // clang-format on
    for (const auto &c : cases) {
        parser = std::make_unique<qm::Parser>();
        DialogElement *dialog =
            Dialog(2, c.modeless, "Say \"Hi\" & <go>", c.ok, c.cancel, c.apply, c.help, 300, 150);
        parser->all();
        QtWriter writer;
        std::string out;
        writer.writeDialogForm(out, *dialog);
        EXPECT_NE(out.find("<string>Say &quot;Hi&quot; &amp; &lt;go&gt;</string>"),
                  std::string::npos);
        if (c.set) {
            EXPECT_NE(out.find("    <height>192</height>\n"), std::string::npos);
            EXPECT_NE(out.find(std::string("   <set>") + c.set + "</set>\n"), std::string::npos)
                << out;
            EXPECT_NE(out.find("    <y>161</y>\n    <width>280</width>\n"), std::string::npos);
        } else {
            EXPECT_EQ(out.find("QDialogButtonBox"), std::string::npos);
            EXPECT_NE(out.find("    <height>150</height>\n"), std::string::npos);
        }
        // Only a modal dialog is window-modal.
        EXPECT_EQ(out.find("windowModality") != std::string::npos, !c.modeless);
    }
}

// Spin boxes on pages count for the custom widgets; radio boxes of an
// earlier form do not count for the button groups.
TEST_F(FormTest, DialogFormCollectsButtonGroupsAndCustomWidgetsOfItsWholeTree) {
    TabPage(1, 1, 1, "Page");
    Add(DialogElement::makeSpin(1, {0, 0, 10, 10}, "S_TFS_T1_1", "", "", "S_V", "S_U", "S_D"));
    DialogElement *dialog = Dialog(1, true, "Whole", false, false, false, false, 100, 50);
    Add(DialogElement::makeRadioBox(1, {0, 0, 10, 10}, "R_RADIO_D1", "", "", "R_CB", {"x"}));
    TabControl(1, 1, "T_TB_D1");
    parser->all();
    QtWriter writer;
    writer.radioBoxes.push_back(dialog); // left over from another form: emptied first
    std::string out;
    writer.writeDialogForm(out, *dialog);
    EXPECT_NE(out.find("<buttongroups>\n <buttongroup name=\"R_RADIO_D1\">"), std::string::npos);
    EXPECT_EQ(out.find("<buttongroup name=\"R_RADIO_D1\">"), out.rfind("<buttongroup name="));
    EXPECT_NE(out.find("<customwidgets>\n  <customwidget>\n    <class>QuorvinSpinBox</class>"),
              std::string::npos);
}

// Which callback the close event, reject and accept call.
TEST_F(FormTest, CloseHandlersPickTheirCallbackByPriority) {
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

TEST_F(FormTest, DialogWithoutStandardButtonsIsReportedTwice) {
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
TEST_F(FormTest, TabMapKeysArePageIndicesInPositionOrder) {
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
        TabControl(1, 2, "T_TB_D1");
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

TEST_F(FormTest, TabMapMembersAreOnePerTabControlAnywhereInTheTree) {
    TabPage(2, 1, 1, "P");
    TabControl(2, 3, "Inner_TB_T1_2");
    DialogElement *dialog = Dialog(1, false, "D");
    TabControl(1, 2, "Outer_TB_D1");
    parser->all();
    std::string out;
    QtWriter::writeTabMapMembers(out, *dialog);
    EXPECT_EQ(out, "    std::map<int,GUIInt_t*>  m_tabIndexToIdMap_Outer_TB_D1;\n"
                   "    std::map<int,GUIInt_t*>  m_tabIndexToIdMap_Inner_TB_T1_2;\n");
}

} // namespace
} // namespace qgbtest
