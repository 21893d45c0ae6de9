// The element tree: ownership and order of the top-level sets, page
// attachment, toggle narrowing and class names (the order of children shows in
// the golden forms).
#include "QtTestSupport.h"

namespace qgbtest {
namespace {

using T = ElementType;

std::vector<std::string> Names(const std::vector<DialogElement *> &elements) {
    std::vector<std::string> names;
    for (const DialogElement *e : elements)
        names.push_back(e->name.empty() ? "(" + e->text + ")" : e->name);
    return names;
}

TEST(MakeClassName, KeepsLettersAndUnderscoresAndSpellsALeadingDigit) {
    // clang-format off
    const struct { const char *title, *className; } cases[] = {
        {"2nd Dialog", "TwondDialog"}, {"Page 12", "Page"}, {"my_dialog", "my_dialog"}, {"0", "Zero"},
        {"9 lives", "Ninelives"}, {"Say \"Hi\" & <go>!", "SayHigo"}, {"", ""}, {"!!! 42", ""},
        {"Über", "ber"}, {" 1 leading blank", "leadingblank"}};
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(qm::MakeClassName(c.title), c.className) << c.title;
}

using ParserTest = QtFixture;

// A page goes once, in the order the build met it, to the first control that
// shows its group and takes its kind of page: form controls take form pages,
// tab controls tab pages. A page no control shows sits in no tree.
TEST_F(ParserTest, EachPageHangsOnceUnderTheFirstControlOfItsKindThatShowsIt) {
    TabPage(3, 2, 2, "B");
    Control(T::TextField, "A_TF_T2_3", {1, 1, 10, 10});
    TabPage(3, 1, 1, "A");
    TabPage(9, 1, 1, "Nobody shows me");
    Control(T::Label, "L_LBL_T1_9", {1, 1, 10, 10});
    NewFrame();
    Add(DialogElement::makeFormPage(4, 1, "Form1_4Manager"));
    TabPage(4, 2, 1, "Tab");
    DialogElement *dialog = Dialog(1, false, "D");
    TabControl(1, 3, "T_TB_D1");
    TabControl(1, 3, "Again_TB_D1");
    TabControl(1, 8, "Empty_TB_D1");
    Add(DialogElement::makeFormControl(1, 4, "F_FM_D1", {0, 0, 9, 9}));
    TabControl(1, 4, "T4_TB_D1");

    EXPECT_EQ(parser->all(), (std::vector<DialogElement *>{dialog}));
    EXPECT_EQ(Names(dialog->descendants()),
              (std::vector<std::string>{"T_TB_D1", "Tab2_3Manager", "A_TF_T2_3", "Tab1_3Manager",
                                        "Again_TB_D1", "Empty_TB_D1", "F_FM_D1", "Form1_4Manager",
                                        "T4_TB_D1", "Tab2_4Manager"}));
    EXPECT_EQ(parser->elementCount(), 13u);
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

// The sets keep the order the containers were added in; a control in a frame
// without a container, or one added after the trees were assembled, joins no
// tree, but the parser still owns and counts it.
TEST_F(ParserTest, SetsKeepTheOrderContainersWereAddedAndNothingJoinsThemLater) {
    NewFrame();
    EXPECT_FALSE(
        parser->add(DialogElement::makeControl(T::Label, 1, {0, 0, 1, 1}, "L", "", "", "")));
    DialogElement *d5 = Dialog(5, false, "Five");
    NewFrame();
    DialogElement *s2 = Add(DialogElement::makeSidebar(2, 10, 10, "Two"));
    DialogElement *d1 = Dialog(1, true, "One");
    NewFrame();
    DialogElement *s9 = Add(DialogElement::makeSidebar(9, 10, 10, "Nine"));
    // Asking for one set first builds them all in the same order.
    EXPECT_EQ(parser->dialogs(), (std::vector<DialogElement *>{d5, d1}));
    EXPECT_EQ(parser->sidebars(), (std::vector<DialogElement *>{s2, s9}));
    EXPECT_EQ(parser->all(), (std::vector<DialogElement *>{d5, s2, d1, s9}));
    EXPECT_FALSE(
        parser->add(DialogElement::makeControl(T::Label, 1, {0, 0, 1, 1}, "M", "", "", "")));
    for (const DialogElement *container : parser->all())
        EXPECT_TRUE(container->children.empty());
    EXPECT_EQ(parser->elementCount(), 6u);
}

// Only a bitmap button beside a toggle narrows it.
TEST_F(ParserTest, TogglesBesideABitmapButtonAreNarrowedButNeverToNothing) {
    // clang-format off
    const struct { ElementRect toggle, button; int32_t width; T beside = T::BitmapButton; } cases[] = {
        {{10, 0, 100, 20}, {80, 0, 24, 24}, 62},   // same row, overlapping
        {{10, 0, 100, 20}, {109, 0, 24, 24}, 91},  // overlapping by a pixel
        {{10, 0, 100, 20}, {110, 0, 24, 24}, 100}, // touching the right edge only
        {{10, 0, 100, 20}, {111, 0, 24, 24}, 100}, // a pixel apart
        {{10, 0, 100, 20}, {80, 21, 24, 24}, 100}, // the row below
        {{10, 30, 100, 20}, {80, 6, 24, 24}, 62},  // bottom edge touches the toggle's top
        {{10, 0, 100, 20}, {15, 0, 24, 24}, 100},  // would leave no width: kept
        {{10, 0, 100, 20}, {18, 0, 24, 24}, 100},  // would leave width 0: kept
        {{10, 0, 100, 20}, {19, 0, 24, 24}, 1},
        {{10, 0, 100, 20}, {80, 0, 24, 24}, 100, T::BitmapToggle},
        {{10, 0, 100, 20}, {80, 0, 24, 24}, 100, T::PushButton},
    };
    // clang-format on
    for (const auto &c : cases) {
        parser = std::make_unique<qm::Parser>();
        Dialog(1, false, "D");
        DialogElement *toggle = Control(T::Toggle, "T_TOG_D1", c.toggle, "Toggle");
        DialogElement::ImageData image;
        image.file = "b.bmp";
        if (c.beside == T::PushButton)
            Control(T::PushButton, "P_BTN_D1", c.button);
        else
            Add(DialogElement::makeBitmapButton(c.beside == T::BitmapToggle, 1, c.button, "B_BB_D1",
                                                "", "", "B_BB_D1_CB", image));
        parser->all();
        EXPECT_EQ(toggle->width, c.width) << "button at x " << c.button.x << " y " << c.button.y;
    }
}

// A control that shows the pages it sits on, however deep, would hold itself:
// it is reported and gets no pages.
TEST_F(ParserTest, PagesShowingEachOtherEndTheRecursion) {
    // Page of group 1 shows group 2, whose page shows group 1 again.
    TabPage(1, 1, 1, "One");
    TabControl(1, 2, "To2_TB_T1_1");
    TabPage(2, 1, 1, "Two");
    DialogElement *back = TabControl(2, 1, "To1_TB_T1_2");
    DialogElement *dialog = Dialog(1, false, "D");
    TabControl(1, 1, "Top_TB_D1");
    parser->all();
    EXPECT_TRUE(back->children.empty());
    EXPECT_EQ(Names(dialog->descendants()),
              (std::vector<std::string>{"Top_TB_D1", "Tab1_1Manager", "To2_TB_T1_1",
                                        "Tab1_2Manager", "To1_TB_T1_2"}));
    ASSERT_EQ(host().messages().size(), 1u) << DescribeMessages();
    EXPECT_EQ(host().messages()[0].boxType, MessageBox_Warning);
    EXPECT_EQ(host().messages()[0].text,
              "The tab control To1_TB_T1_2 on the tab page frame ID=1 of linking group 2 "
              "(\"Two\") uses GROUP=1, the linking group of a page that holds the control "
              "itself.\nIts pages are left out of the Qt output. Give the control the GROUP of "
              "other pages.");
}

} // namespace
} // namespace qgbtest
