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
    const struct {
        const char *text, *written;
    } cases[] = {
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
    for (const auto &c : cases)
        EXPECT_EQ(XmlString(c.text), c.written) << c.text;
}

using FormTest = QtFixture;

TEST_F(FormTest, GeometryPropertiesCarryToolTipAndFocusPolicy) {
    Dialog(1, false, "D");
    DialogElement *field = Control(T::TextField, "F_TF_D1", {1, 2, 3, 4}, "", "x < y");
    EXPECT_EQ(QtWriter::geometryProperties(*field), R"( <property name="geometry">
  <rect>
   <x>1</x>
   <y>2</y>
   <width>3</width>
   <height>4</height>
  </rect>
 </property>
 <property name="toolTip">
   <string>x &lt; y</string>
 </property>
 <property name="focusPolicy">
  <enum>Qt::StrongFocus</enum> </property>)");
}

// A label is raised to the smallest size shown; a wide one keeps its size.
TEST_F(FormTest, LabelsAreRaisedToTheSmallestSizeShown) {
    Dialog(1, false, "D");
    auto form = [](ElementRect rect, const std::string &text) {
        auto e = DialogElement::makeControl(T::Label, 1, rect, "N_X_D1", "", text, "N_X_D1_CB");
        QtWriter writer;
        std::string out;
        writer.writeWidgets(out, {e.get()});
        return out;
    };
    auto label = [](const std::string &text, int width, int height) {
        return "<widget class=\"QLabel\" name=\"N_X_D1\">\n"
               " <property name=\"text\">\n   <string>" +
               text +
               "</string>\n </property>\n"
               " <property name=\"geometry\">\n  <rect>\n   <x>1</x>\n   <y>2</y>\n"
               "   <width>" +
               std::to_string(width) + "</width>\n   <height>" + std::to_string(height) +
               "</height>\n  </rect>\n </property>\n"
               " <property name=\"focusPolicy\">\n  <enum>Qt::NoFocus</enum> </property>\n"
               "</widget>\n";
    };
    // A typed two-line text.
    EXPECT_EQ(form({1, 2, 5, 8}, "One\\nTwo"), label("One\nTwo", 11, 12));
    EXPECT_EQ(form({1, 2, 30, 40}, "Wide"), label("Wide", 30, 40));
}

// A group frame is moved inside its dialog and made tall enough for its title.
TEST_F(FormTest, GroupFrameIsKeptInsideTheDialog) {
    Dialog(1, false, "D");
    QtWriter writer;
    std::string out;
    auto frame = DialogElement::makeGroupFrame(1, {-2, 3, 40, 20}, "Frame & <title>");
    writer.writeWidgets(out, {frame.get()});
    EXPECT_EQ(out, R"(<widget class="QGroupBox" name="">
 <property name="title">
   <string>Frame &amp; &lt;title&gt;</string>
 </property>
 <property name="geometry">
  <rect>
   <x>0</x>
   <y>0</y>
   <width>40</width>
   <height>25</height>
  </rect>
 </property>
 <property name="focusPolicy">
  <enum>Qt::NoFocus</enum> </property>
</widget>
)");
}

TEST_F(FormTest, TabWidgetMovesUpByItsTabsAndWritesPagesByPosition) {
    TabPage(3, 1, 3, "Third");
    TabPage(3, 2, 1, " First ");
    Control(T::TextField, "A_TF_T2_3", {4, 5, 60, 20});
    TabPage(3, 3, 2, "Second");
    Dialog(1, false, "D");
    DialogElement *tab =
        Add(DialogElement::makeTabControl(1, 3, "Pages_TB_D1", {20, 10, 200, 100}, "A", "B"));
    parser->all();
    QtWriter writer;
    std::string out;
    writer.writeWidgets(out, {tab});
    EXPECT_EQ(out, R"(<widget class ="QuorvinTabWidget" name="Pages_TB_D1">
 <property name="geometry">
  <rect>
   <x>20</x>
   <y>0</y>
   <width>200</width>
   <height>124</height>
  </rect>
 </property><property name="currentIndex">
 <number>1</number>
</property>
<widget class="QWidget" name="Tab2_3Manager">
<attribute name="title">
   <string>First</string>
</attribute>
<widget class="QLineEdit" name="A_TF_T2_3">
 <property name="geometry">
  <rect>
   <x>4</x>
   <y>5</y>
   <width>60</width>
   <height>20</height>
  </rect>
 </property>
 <property name="focusPolicy">
  <enum>Qt::StrongFocus</enum> </property>
</widget>
</widget>
<property name="currentIndex">
 <number>2</number>
</property>
<widget class="QWidget" name="Tab3_3Manager">
<attribute name="title">
   <string>Second</string>
</attribute>
</widget>
<property name="currentIndex">
 <number>3</number>
</property>
<widget class="QWidget" name="Tab1_3Manager">
<attribute name="title">
   <string>Third</string>
</attribute>
</widget>
</widget>
)");
}

std::string RadioButton(const std::string &name, int y, int height, const std::string &item,
                        const std::string &toolTip, const std::string &group) {
    std::string out = "<widget class=\"QRadioButton\" name=\"" + name +
                      "\">\n <property name=\"geometry\">\n  <rect>\n   <x>5</x>\n   <y>" +
                      std::to_string(y) + "</y>\n   <width>80</width>\n   <height>" +
                      std::to_string(height) + "</height>\n  </rect>\n </property>\n" +
                      " <property name=\"text\">\n   <string>" + item + "</string>\n </property>\n";
    if (!toolTip.empty())
        out += " <property name=\"toolTip\">\n   <string>" + toolTip + "</string>\n </property>\n";
    return out + " <attribute name=\"buttonGroup\">\n  <string>" + group +
           "</string>\n </attribute>\n</widget>\n";
}

TEST_F(FormTest, RadioBoxSplitsItsHeightAmongItsButtonsAndFormsAButtonGroup) {
    Dialog(1, false, "D");
    auto three = DialogElement::makeRadioBox(1, {5, 7, 80, 60}, "Three_RADIO_D1", " a <b> \"c\" ",
                                             "", "Three_CB", {"A", "B", "C"});
    auto four = DialogElement::makeRadioBox(1, {5, 7, 80, 60}, "Four_RADIO_D1", "", "", "Four_CB",
                                            {"1", "2", "3", "4"});
    auto none =
        DialogElement::makeRadioBox(1, {5, 7, 80, 60}, "None_RADIO_D1", "", "", "None_CB", {});
    QtWriter writer;
    std::string out;
    writer.writeWidgets(out, {three.get(), four.get(), none.get()});
    // The tool tip of a radio button is not trimmed, but escaped like all
    // text in a form.
    const std::string tip = " a &lt;b&gt; &quot;c&quot; ";
    EXPECT_EQ(out, RadioButton("Three_RADIO_D1_0", 7, 20, "A", tip, "Three_RADIO_D1") +
                       RadioButton("Three_RADIO_D1_1", 27, 20, "B", tip, "Three_RADIO_D1") +
                       RadioButton("Three_RADIO_D1_2", 47, 20, "C", tip, "Three_RADIO_D1") +
                       RadioButton("Four_RADIO_D1_0", 7, 15, "1", "", "Four_RADIO_D1") +
                       RadioButton("Four_RADIO_D1_1", 22, 15, "2", "", "Four_RADIO_D1") +
                       RadioButton("Four_RADIO_D1_2", 37, 15, "3", "", "Four_RADIO_D1") +
                       RadioButton("Four_RADIO_D1_3", 52, 15, "4", "", "Four_RADIO_D1"));
    std::string groups;
    writer.writeButtonGroups(groups);
    EXPECT_EQ(groups, R"(<buttongroups>
 <buttongroup name="Three_RADIO_D1">
  <property name="exclusive">
    <bool>true</bool>
  </property>
 </buttongroup>
 <buttongroup name="Four_RADIO_D1">
  <property name="exclusive">
    <bool>true</bool>
  </property>
 </buttongroup>
 <buttongroup name="None_RADIO_D1">
  <property name="exclusive">
    <bool>true</bool>
  </property>
 </buttongroup>
</buttongroups>
)");
}

TEST(IconFileName, IsTheBaseNameOfTheImageWithPng) {
    const struct {
        const char *image, *icon;
    } cases[] = {
        {"C:\\images\\tools\\open.bmp", "open.png"},
        {"/home/me/pics/save.bmp", "save.png"},
        {"C:/mixed\\dirs/new.file.bmp", "new.file.png"},
        {"plain", "plain.png"},
        {"some.dir/file", "some.dir/file.png"}, // the only dot is before the separator
        {"image.bmp", "image.bmp.png"},         // no separator: the whole name
        {"/pics/noext", "/pics/noext.png"},     // no dot: the whole name
        {"", ".png"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(QtWriter::iconFileName(c.image), c.icon) << c.image;
}

// The icon name is escaped in the form but listed plain for the resource file.
TEST_F(FormTest, BitmapButtonIconNameIsEscaped) {
    Dialog(1, false, "D");
    DialogElement::ImageData image;
    image.file = "/a/b&c.bmp";
    auto button = DialogElement::makeBitmapButton(false, 1, {1, 2, 3, 4}, "Amp_BB_D1", "", "",
                                                  "Amp_BB_D1_CB", image);
    QtWriter writer;
    std::string out;
    writer.writeWidgets(out, {button.get()});
    EXPECT_EQ(out, R"(<widget class="QPushButton" name="Amp_BB_D1">
 <property name="geometry">
  <rect>
   <x>1</x>
   <y>2</y>
   <width>3</width>
   <height>4</height>
  </rect>
 </property>
 <property name="focusPolicy">
  <enum>Qt::TabFocus</enum> </property> <property name="text">
  <string/>
 </property>
 <property name="icon">
  <iconset resource="quorvinrs.qrc">:/quorvinrs_bitmaps_generated/b&amp;c.png</iconset>
 </property>
 <property name="iconSize">
  <size>
   <width>3</width>
   <height>4</height>
  </size>
 </property>
</widget>
)");
    EXPECT_EQ(writer.iconFiles, (std::set<std::string>{"b&c.png"}));
}

TEST_F(FormTest, DialogFormWithItsButtonBoxAndAnEscapedTitle) {
    DialogElement *dialog =
        Dialog(7, false, "Say \"Hi\" & <go>", true, true, false, false, 200, 100);
    parser->all();
    QtWriter writer;
    std::string out;
    writer.writeDialogForm(out, *dialog);
    EXPECT_EQ(out, R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>SayHigoDialogUI</class>
 <widget class="QDialog" name="SayHigoDialogUI">
   <property name = "windowModality">
  <enum>Qt::WindowModal</enum>
 </property>
  <property name="geometry">
   <rect>
    <x>0</x>
    <y>0</y>
    <width>200</width>
    <height>142</height>
   </rect>
  </property>
  <property name="windowTitle">
   <string>Say &quot;Hi&quot; &amp; &lt;go&gt;</string>
  </property>
 <widget class="QDialogButtonBox" name="Dialog7_buttonBox">
  <property name="geometry">
   <rect>
    <x>10</x>
    <y>111</y>
    <width>180</width>
    <height>23</height>
   </rect>
  </property>
  <property name="standardButtons">
   <set>QDialogButtonBox::Ok|QDialogButtonBox::Cancel</set>
  </property>
 </widget>
</widget>
<resources/>
<connections/>
<customwidgets>
</customwidgets>
</ui>
)");
}

TEST_F(FormTest, ButtonBoxSetsFollowTheDialogsButtons) {
    const struct {
        bool modeless, ok, cancel, apply, help;
        const char *set; // null: no button box
    } cases[] = {
        {true, true, false, false, false, "QDialogButtonBox::Close"},
        {false, true, true, true, true,
         "QDialogButtonBox::Help|QDialogButtonBox::Ok|QDialogButtonBox::Cancel|"
         "QDialogButtonBox::Apply"},
        {true, true, false, false, true, "QDialogButtonBox::Help|QDialogButtonBox::Close"},
        {false, false, false, true, false, "QDialogButtonBox::Apply"},
        {false, false, false, false, false, nullptr},
    };
    for (const auto &c : cases) {
        parser = std::make_unique<qm::Parser>();
        DialogElement *dialog =
            Dialog(2, c.modeless, "Box", c.ok, c.cancel, c.apply, c.help, 300, 150);
        parser->all();
        QtWriter writer;
        std::string out;
        writer.writeDialogForm(out, *dialog);
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
    const std::string tail = out.substr(out.find("</widget>\n<resources/>"));
    EXPECT_EQ(tail, R"(</widget>
<resources/>
<connections/>
<buttongroups>
 <buttongroup name="R_RADIO_D1">
  <property name="exclusive">
    <bool>true</bool>
  </property>
 </buttongroup>
</buttongroups>
<customwidgets>
  <customwidget>
    <class>QuorvinSpinBox</class>
    <extends>QDoubleSpinBox</extends>
    <header>QuorvinSpinBox.h</header>
  </customwidget>
  <customwidget>
    <class>QuorvinTabWidget</class>
    <extends>QTabWidget</extends>
    <header>QuorvinTabWidget.h</header>
  </customwidget>
</customwidgets>
</ui>
)");
    // A modeless dialog: "  " and the empty modality text before the geometry.
    EXPECT_NE(out.find("name=\"WholeDialogUI\">\n    <property name=\"geometry\">"),
              std::string::npos);
}

} // namespace
} // namespace qgbtest
