// Qt Designer form and dialog class text for cases the sample designs do not
// show: the XML strings by table, and the writer's own golden
// design of every set of standard buttons and every element edge.
#include "QtTestSupport.h"

namespace qgbtest {
namespace {

using T = ElementType;
using qm::QtWriter;

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
    for (const auto &c : cases) {
        std::string written;
        QtWriter::writeXmlString(written, c.text);
        EXPECT_EQ(written, c.written) << c.text;
    }
}

// Written by the writer as tests/golden/qt/writer-cases/: a dialog for each set
// of standard buttons that the button box, its height, the modality and the
// close event, reject and accept handlers tell apart (the first also has a
// title to escape). In the first: labels raised to the smallest size shown,
// group frames (sorted first) and tab widgets moved up by their titles but kept
// inside the dialog, radio boxes with an escaped tool tip on every button, with
// no items, and with seven labels (five built, the empty one left out), icon
// names taken from image files and one to escape, and tab controls whose tab maps list pages at
// other positions in the order met, one page holding a tab control whose page holds a spin box. The
// later forms list no radio box of the first. A dialog without OK, Close, Apply or Cancel is
// reported twice.
TEST_F(QtGoldenTest, WriterCases) {
    MakeProject();
    // Tab pages by linking group and their positions, in the order the build meets them.
    const std::vector<std::pair<uint32_t, std::vector<uint32_t>>> pages = {
        {11, {3, 4}}, {12, {1, 3}}, {13, {101, 102}}, {14, {3, 1, 2}}};
    for (const auto &[group, positions] : pages)
        for (uint32_t page = 1; page <= positions.size(); ++page)
            TabPage(group, page, positions[page - 1], "P" + std::to_string(page));
    TabControl(14, 15, "Inner_TB_T3_14");
    TabPage(15, 1, 1, "Inner");
    Add(DialogElement::makeSpin(1, {0, 0, 10, 10}, "S_TFS_T1_15", "", "", "S_V", "S_U", "S_D"));

    Dialog(1, false, "Say \"Hi\" & <go>", true, true, true, true, 300, 150);
    Control(T::Label, "Small_LBL_D1", {1, 2, 5, 8}, "x");
    Control(T::Label, "AtSize_LBL_D1", {1, 2, 11, 12}, "x");
    Control(T::Label, "Wide_LBL_D1", {1, 2, 30, 40}, "x");
    Add(DialogElement::makeGroupFrame(1, {-2, 3, 40, 20}, "Left of the dialog"));
    Add(DialogElement::makeSeparator(1, 0, 0, 10, false));
    Add(DialogElement::makeGroupFrame(1, {1, 6, 1, 20}, "At the top"));
    const std::pair<uint32_t, ElementRect> tabs[] = {
        {11, {20, 10, 200, 100}}, {12, {-1, 25, 200, 100}}, {13, {0, 0, 9, 9}}, {14, {0, 0, 9, 9}}};
    for (const auto &[group, rect] : tabs)
        Add(DialogElement::makeTabControl(1, group, "G" + std::to_string(group) + "_TB_D1", rect,
                                          "A", "D"));
    Add(DialogElement::makeRadioBox(1, {5, 7, 80, 60}, "Four_RADIO_D1", " a <b> ", "", "Four_CB",
                                    {"1", "2", "3", "4"}));
    Add(DialogElement::makeRadioBox(1, {5, 7, 80, 60}, "None_RADIO_D1", "", "", "None_CB", {}));
    Add(DialogElement::makeRadioBox(1, {90, 7, 80, 60}, "Five_RADIO_D1", "", "", "Five_CB",
                                    {"a", "", "b", "c", "d", "e", "f"}));
    DialogElement::ImageData image;
    image.file = "/a/b&c.bmp";
    Add(DialogElement::makeBitmapButton(false, 1, {1, 2, 3, 4}, "Amp_BB_D1", "", "", "Amp_CB",
                                        image));
    // An icon takes the image's base name, or its whole name without a separator,
    // without a dot, or with its only dot before the last separator.
    for (const char *file : {"C:/mixed\\dirs/new.file.bmp", "plain", "some.dir/file", "image.bmp",
                             "/pics/noext", ""}) {
        image.file = file;
        Add(DialogElement::makeBitmapButton(true, 1, {1, 2, 3, 4}, "Icon_BB_D1", "", "", "Icon_CB",
                                            image));
    }

    // clang-format off
    const struct { const char *title; bool modeless, ok, cancel, apply, help; } dialogs[] = {
        {"Modal Ok", false, true, false, false, false}, {"Modal Cancel", false, false, true, false, false},
        {"Modal Apply", false, false, false, true, false}, {"Modal Ok Apply", false, true, false, true, false},
        {"Modal Ok Cancel", false, true, true, false, false}, {"Modal Help", false, false, false, false, true},
        {"Modal None", false, false, false, false, false}, {"Modeless Close", true, true, false, false, false},
        {"Modeless All", true, true, true, true, false}, {"Modeless Close Apply", true, true, false, true, false},
        {"Modeless Cancel Apply", true, false, true, true, false},
        {"Modeless Close Cancel Help", true, true, true, false, true}, {"Modeless Help", true, false, false, false, true},
    };
    // clang-format on
    uint32_t id = 2;
    for (const auto &d : dialogs)
        Dialog(id++, d.modeless, d.title, d.ok, d.cancel, d.apply, d.help, 300, 150);
    ASSERT_TRUE(WriteAll()) << DescribeMessages();
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>(
                  6, "Dialog must have at least one of: Ok, Close, Apply, Cancel buttons."));
    ExpectGoldenTree("qt", "writer-cases", QtOutput(root));
}

} // namespace
} // namespace qgbtest
