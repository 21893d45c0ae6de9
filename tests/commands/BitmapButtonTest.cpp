// The insert bitmap button command, its dialog and the sizing of the image.
#include "CommandsFixture.h"

#include <sstream>

namespace qgbtest {
namespace {

class BitmapButtonTest : public CommandsTest {
  protected:
    void SetUp() override {
        CommandsTest::SetUp();
        AddFrame("ID=1 TITLE=\"D\"", 1, 1, 8, 4);
        AddText("Label", 10, 10, 16); // gives the character cell
    }

    static const qb::BitmapButtonDialogIds &ids() { return qb::BitmapButtonDialog(); }

    // Chooses the file and shows the dialog; the dialog holds the lock.
    void Open(void (*command)() = qb::InsertBitmapButton) {
        host().queueFileName(bitmap);
        {
            qb::LockGuard lock(qb::AddOnHandle);
            command();
        }
        ASSERT_TRUE(QorGUIDialogIsUp(ids().dialog));
        ExpectHostSound("opening the dialog", true);
    }

    void Press(const char *which) { Do(&Host::pressDialogButton, ids().dialog, which); }
    void SetField(GUIInt_t field, const std::string &value) {
        Do(&Host::setTextField, field, value);
    }
    void SetUseColor(bool on) { Do(&Host::setToggle, ids().useColor, on); }

    std::vector<const quorvin::host::Geom *> Images() {
        std::vector<const quorvin::host::Geom *> images;
        for (const quorvin::host::Geom &g : Current().geoms)
            if (g.spec.type == GeomType_Image)
                images.push_back(&g);
        return images;
    }

    bool DialogUp() { return QorGUIDialogIsUp(ids().dialog); }

    // What a launch left: the dialog, the anchor table, the images of the
    // current frame and the messages.
    std::string Status() {
        std::ostringstream out;
        out.precision(12);
        out << "dialog " << (DialogUp() ? "up" : "down") << ", anchors " << qb::AnchorTable.Count
            << "\n";
        for (const quorvin::host::Geom *image : Images())
            out << "  image " << image->spec.command << " width " << image->spec.width << " order "
                << image->drawOrder << (image->spec.imageFile == bitmap ? "" : " other file")
                << "\n";
        for (const Message &m : host().messages())
            out << "  message " << static_cast<int>(m.call) << " " << m.boxType << " " << m.text
                << "\n";
        host().clearMessages();
        return out.str();
    }

    const std::string bitmap = kBitmap;
};

// Its controls in creation order; the chosen file is filled in, "Push
// Button" selected, the colour field follows the toggle (off); then its
// Help and Browse buttons.
TEST_F(BitmapButtonTest, DialogContentsHelpAndBrowse) {
    Open();
    ExpectGolden("golden/commands/bitmap-button-dialog.txt",
                 DescribeDialog(*host().findDialog(ids().dialog)));
    EXPECT_EQ(host().findControl(ids().fileName)->stringValue, bitmap);
    Press("Help");
    ExpectOnlyMessage(Message::Call::MessageBox, "On-line Help not available for this dialog.");
    EXPECT_EQ(host().messages()[0].boxType, MessageBox_Information);
    // Browse fills in the chosen file; a cancelled chooser changes nothing.
    host().queueFileName(std::string("/elsewhere/other.bmp"));
    Do(&Host::pressControl, ids().browse);
    EXPECT_EQ(host().findControl(ids().fileName)->stringValue, "/elsewhere/other.bmp");
    host().queueFileName(std::nullopt);
    Do(&Host::pressControl, ids().browse);
    EXPECT_EQ(host().findControl(ids().fileName)->stringValue, "/elsewhere/other.bmp");
    ExpectHostSound("help and browse", true);
    Press("Cancel");
    ExpectHostSound("cancel");
}

// Launch after launch in one frame; the golden file shows what each left.
// A failed OK keeps the dialog up, the anchor table as it was and no image;
// the colour field follows the toggle, whose state the next launch keeps.
TEST_F(BitmapButtonTest, LaunchesAndWhatTheyLeave) {
    qb::AnchorTable.Count = 3;
    std::string transcript;
    auto launch = [&](const std::string &name, void (*command)(),
                      std::vector<std::pair<GUIInt_t, std::string>> fields, int useColor,
                      std::vector<const char *> presses) {
        SCOPED_TRACE(name);
        Open(command);
        transcript += "== " + name + ": type " +
                      std::to_string(host().findControl(ids().buttonType)->intValue) +
                      ", colour field " +
                      (host().findControl(ids().color)->sensitive ? "on" : "off") + "\n";
        if (useColor >= 0)
            SetUseColor(true);
        for (const auto &[field, value] : fields)
            SetField(field, value);
        if (useColor >= 0)
            SetUseColor(useColor == 1);
        for (const char *press : presses)
            Press(press);
        ExpectHostSound(name, DialogUp());
        transcript += Status();
    };
    host().queueFileName(std::nullopt);
    Run(qb::InsertBitmapButton);
    transcript += "== the file chooser cancelled\n" + Status();
    launch("cancelled", qb::InsertBitmapButton, {}, -1, {"Cancel"});
    launch("a bitmap toggle", qb::InsertBitmapToggle, {}, -1, {"OK"});
    launch("a button with a tool tip", qb::InsertBitmapButton, {{ids().toolTip, "Open file"}}, -1,
           {"OK"});
    // Five characters warn and are written as typed.
    launch("a colour of five characters", qb::InsertBitmapButton,
           {{ids().toolTip, ""}, {ids().color, "FF000"}}, 1, {"OK"});
    launch("a colour", qb::InsertBitmapButton, {{ids().color, "00FF00"}}, 1, {"OK"});
    launch("a colour not used", qb::InsertBitmapButton, {{ids().color, "garbage"}}, 0, {"OK"});
    qb::AnchorTable.Count = 5;
    launch("no file name", qb::InsertBitmapButton, {{ids().fileName, ""}}, -1, {"OK"});
    launch("a missing file", qb::InsertBitmapButton, {{ids().fileName, bitmap + ".missing"}}, -1,
           {"OK"});
    launch("a double quote in the tool tip", qb::InsertBitmapButton,
           {{ids().toolTip, "Say \"hi\""}}, -1, {"OK"});
    launch("a tool tip too long", qb::InsertBitmapButton, {{ids().toolTip, std::string(600, 't')}},
           -1, {"OK"});
    // The longest tool tip that fits: 511 characters in all.
    const std::string head = "VarName=BB5 Type=PushButton ToolTip=\"";
    launch("the longest tool tip", qb::InsertBitmapButton,
           {{ids().toolTip, std::string(511 - head.size() - 1, 't')}}, -1, {"OK"});
    EXPECT_EQ(Images().back()->spec.command.size(), 511u);
    // 8 inch frame, 16 point controls: the cell is 1.1 * 16 * 0.42 / 72
    // inches = 9.856 pixels, the frame 768 pixels = 7792 dialog units, so
    // P = 462 and the 8 pixel bitmap gets (8 + 7.9) * 100 / 462 = 3.44 %.
    // A frame of 0.05 inches keeps P at 7: 227 %.
    for (double width : {8.0, 0.05}) {
        AddFrame("ID=2 TITLE=\"E\"", 1, 1, width, 4);
        AddText("Label", 10, 10, 16);
        launch("a frame " + std::to_string(width) + " inches wide", qb::InsertBitmapButton,
               {{ids().toolTip, ""}}, -1, {"OK"});
    }
    // Controls of two heights: the layout checks fail and report it.
    AddFrame("ID=3 TITLE=\"F\"");
    AddText("Small", 10, 10, 12);
    AddText("Large", 10, 50, 16);
    launch("a failed layout check", qb::InsertBitmapButton, {}, -1, {"OK"});
    ExpectGolden("golden/commands/bitmap-button-launches.txt", transcript);
}

// P from the frame width in dialog units, the base font size and the dots
// per inch ratio: Wdu / 100 is a real division, P is at least 7, then 12 %
// less (rounded down).
TEST(BitmapPixelWidth, FollowsTheSizingRule) {
    struct Case {
        int wdu, font;
        double ratio;
        int expected;
    };
    const Case cases[] = {
        {7792, 16, 1.0, 462}, // 523.62 -> 524, less 62
        {1000, 16, 1.0, 59},  // 67.2 -> 67, less 8
        {1000, 16, 2.0, 118}, // 134.4 -> 134, less 16
        {150, 16, 1.0, 9},    // 10.08 -> 10, less 1 (an integer division would give 7)
        {100, 16, 1.0, 7},    // 6.72 + 0.499 -> 7
        {48, 16, 1.0, 7},     // 3.2 -> 3, raised to 7
        {0, 16, 1.0, 7},
    };
    for (const Case &c : cases)
        EXPECT_EQ(quorvin::builder::BitmapPixelWidth(c.wdu, c.font, c.ratio), c.expected)
            << c.wdu << " " << c.font << " " << c.ratio;
}

} // namespace
} // namespace qgbtest
