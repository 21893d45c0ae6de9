// Qt Designer form text, computed by hand from the form templates.
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
    Add(DialogElement::makeTabControl(1, 1, "T_TB_D1", {0, 30, 50, 20}, "A", "D"));
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

} // namespace
} // namespace qgbtest
