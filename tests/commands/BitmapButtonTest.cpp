// The insert bitmap button command, its dialog and the sizing of the image.
#include "CommandsFixture.h"
#include "../shell/DialogGolden.h"

namespace qgbtest {
namespace {

class BitmapButtonTest : public CommandsTest {
  protected:
    void SetUp() override {
        CommandsTest::SetUp();
        AddFrame("ID=1 TITLE=\"D\"", 1, 1, 8, 4);
        AddText("Label", 10, 10, 16); // gives the character cell
    }

    void TearDown() override {
        // A test that fails with the dialog up should not report a held lock.
        if (ids().dialog != BADDIALOGID && QorGUIDialogIsUp(ids().dialog)) {
            std::string error;
            host().pressDialogButton(ids().dialog, "Cancel", &error);
        }
        CommandsTest::TearDown();
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
        ExpectClean(true);
    }

    void Press(const char *which) {
        std::string error;
        ASSERT_TRUE(host().pressDialogButton(ids().dialog, which, &error)) << error;
    }
    void SetField(GUIInt_t field, const std::string &value) {
        std::string error;
        ASSERT_TRUE(host().setTextField(field, value, &error)) << error;
    }
    void SetUseColor(bool on) {
        std::string error;
        ASSERT_TRUE(host().setToggle(ids().useColor, on, &error)) << error;
    }

    std::vector<const quorvin::host::Geom *> Images() {
        std::vector<const quorvin::host::Geom *> images;
        for (const quorvin::host::Geom &g : Current().geoms)
            if (g.spec.type == GeomType_Image)
                images.push_back(&g);
        return images;
    }

    std::string LastCommand() {
        return Images().empty() ? "<no image>" : Images().back()->spec.command;
    }

    bool DialogUp() { return QorGUIDialogIsUp(ids().dialog); }

    const std::string bitmap = kBitmap;
};

// Its controls in creation order; the chosen file is filled in, "Push
// Button" selected, the colour field follows the toggle (off).
TEST_F(BitmapButtonTest, DialogHasItsContentsInCreationOrder) {
    qb::AnchorTable.Count = 3;
    Open();
    ExpectGolden("commands/golden/bitmap-button-dialog.txt",
                 DescribeDialog(*host().findDialog(ids().dialog)));
    EXPECT_EQ(host().findControl(ids().fileName)->stringValue, bitmap);
    Press("Cancel");
    EXPECT_FALSE(DialogUp());
    EXPECT_TRUE(Images().empty());
    EXPECT_EQ(qb::AnchorTable.Count, 3);
    ExpectClean();
}

TEST_F(BitmapButtonTest, CancellingTheFileChooserShowsNoDialog) {
    host().queueFileName(std::nullopt);
    Run(qb::InsertBitmapButton);
    EXPECT_FALSE(DialogUp());
    EXPECT_TRUE(Images().empty());
}

TEST_F(BitmapButtonTest, ButtonsAreNumberedFromTwoAndTakeTheirType) {
    Open(qb::InsertBitmapToggle);
    EXPECT_EQ(host().findControl(ids().buttonType)->intValue, 2);
    Press("OK");
    ExpectClean();
    EXPECT_FALSE(DialogUp());
    EXPECT_EQ(LastCommand(), "VarName=BB2 Type=Toggle");

    // The next plain bitmap button starts at "Push Button" again.
    Open();
    EXPECT_EQ(host().findControl(ids().buttonType)->intValue, 1);
    SetField(ids().toolTip, "Open file");
    Press("OK");
    ExpectClean();
    ASSERT_EQ(Images().size(), 2u);
    EXPECT_EQ(LastCommand(), "VarName=BB3 Type=PushButton ToolTip=\"Open file\"");
    EXPECT_EQ(Images().back()->drawOrder, DrawOrder_AfterData);
    EXPECT_EQ(Images().back()->spec.imageFile, bitmap);
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

TEST_F(BitmapButtonTest, TransparentColorIsCheckedAndWrittenOnlyWhenUsed) {
    struct Case {
        bool use;
        const char *color;
        std::string command;
        bool warns;
    };
    const Case cases[] = {
        // Five characters warn and are written as typed.
        {true, "FF000", "VarName=BB2 Type=PushButton TransparentColor=FF000", true},
        {true, "00FF00", "VarName=BB3 Type=PushButton TransparentColor=00FF00", false},
        {false, "garbage", "VarName=BB4 Type=PushButton", false},
    };
    // The colour field follows the toggle, whose state the next launch keeps.
    bool used = false;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.color);
        host().clearMessages();
        Open();
        EXPECT_EQ(host().findControl(ids().color)->sensitive, used);
        SetUseColor(true);
        SetField(ids().color, c.color);
        SetUseColor(c.use);
        EXPECT_EQ(host().findControl(ids().color)->sensitive, c.use);
        used = c.use;
        Press("OK");
        ExpectClean();
        EXPECT_EQ(LastCommand(), c.command);
        if (!c.warns) {
            EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
            continue;
        }
        ExpectOnlyMessage(Message::Call::MessageBox,
                          "Transparent color is missing or may be incorrectly formatted.\nThe "
                          "format for the transparent color is RRGGBB, where RR,GG,BB are 2 digit "
                          "hex values for the R,G, and B components of transparent color.");
        EXPECT_EQ(host().messages()[0].boxType, MessageBox_Warning);
    }
}

TEST_F(BitmapButtonTest, FailedOkKeepsTheDialogUpAndTheAnchorTable) {
    qb::AnchorTable.Count = 5;
    Open();

    SetField(ids().fileName, "");
    Press("OK");
    SetField(ids().fileName, bitmap + ".missing");
    Press("OK");
    SetField(ids().fileName, bitmap);
    SetField(ids().toolTip, "Say \"hi\"");
    Press("OK");
    SetField(ids().toolTip, std::string(600, 't'));
    Press("OK");

    EXPECT_TRUE(DialogUp());
    ExpectClean(true);
    EXPECT_EQ(qb::AnchorTable.Count, 5);
    EXPECT_TRUE(Images().empty()); // the refused image was removed again
    const std::vector<std::string> texts = MessageTexts();
    ASSERT_EQ(texts.size(), 4u) << DescribeMessages();
    EXPECT_EQ(texts[0], "Please enter a file name.");
    EXPECT_EQ(texts[1], "Could not create image geometry.");
    EXPECT_NE(texts[2].find("double quote"), std::string::npos) << texts[2];
    EXPECT_NE(texts[2].find("ID=1 TITLE=\"D\""), std::string::npos) << texts[2];
    EXPECT_NE(texts[3].find("511"), std::string::npos) << texts[3];
    for (const Message &m : host().messages())
        EXPECT_EQ(m.call, Message::Call::ErrMsg);

    // The longest tool tip that fits: 511 characters in all.
    const std::string head = "VarName=BB2 Type=PushButton ToolTip=\"";
    SetField(ids().toolTip, std::string(511 - head.size() - 1, 't'));
    Press("OK");
    ExpectClean();
    EXPECT_FALSE(DialogUp());
    EXPECT_EQ(LastCommand().size(), 511u);
    EXPECT_EQ(qb::AnchorTable.Count, 5);
}

TEST_F(BitmapButtonTest, FailedLayoutCheckRemovesTheImageAndRestoresTheAnchorTable) {
    qb::AnchorTable.Count = 4;
    // Controls of two heights: the layout checks fail and report it.
    AddFrame("ID=2 TITLE=\"E\"");
    AddText("Small", 10, 10, 12);
    Open();
    Press("OK");
    ExpectClean();
    EXPECT_FALSE(DialogUp());
    EXPECT_TRUE(Images().empty());
    EXPECT_EQ(qb::AnchorTable.Count, 4);
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{
                  "All non-text field controls must use the same character height."});
}

TEST_F(BitmapButtonTest, HelpAndBrowse) {
    Open();
    Press("Help");
    ExpectOnlyMessage(Message::Call::MessageBox, "On-line Help not available for this dialog.");
    EXPECT_EQ(host().messages()[0].boxType, MessageBox_Information);

    host().queueFileName(std::string("/elsewhere/other.bmp"));
    std::string error;
    ASSERT_TRUE(host().pressControl(ids().browse, &error)) << error;
    EXPECT_EQ(host().findControl(ids().fileName)->stringValue, "/elsewhere/other.bmp");
    host().queueFileName(std::nullopt);
    ASSERT_TRUE(host().pressControl(ids().browse, &error)) << error;
    EXPECT_EQ(host().findControl(ids().fileName)->stringValue, "/elsewhere/other.bmp");
    ExpectClean(true);
    Press("Cancel");
    ExpectClean();
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

TEST_F(BitmapButtonTest, ImageWidthFollowsTheBuiltDialog) {
    // 8 inch frame, 16 point controls: the cell is 1.1 * 16 * 0.42 / 72
    // inches = 9.856 pixels, the frame 768 pixels = 7792 dialog units, so
    // P = 462 and the 8 pixel bitmap gets (8 + 7.9) * 100 / 462. A frame
    // of 0.05 inches keeps P at 7.
    for (const auto &[width, pixels] : {std::make_pair(8.0, 462), {0.05, 7}}) {
        SCOPED_TRACE(width);
        AddFrame("ID=2 TITLE=\"E\"", 1, 1, width, 4);
        AddText("Label", 10, 10, 16);
        Open();
        Press("OK");
        ASSERT_EQ(Images().size(), 1u);
        EXPECT_NEAR(Images()[0]->spec.width, (8 + 7.9) * 100 / pixels, 1e-9);
    }
}

} // namespace
} // namespace qgbtest
