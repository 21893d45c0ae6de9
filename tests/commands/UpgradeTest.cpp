// Upgrading control texts to the current standard look.
#include "CommandsFixture.h"

#include <algorithm>

namespace qgbtest {
namespace {

class UpgradeTest : public CommandsTest {
  protected:
    Text_ID AddControl(const std::string &string, const std::string &command, TextBox_e box,
                       double margin, ColorIndex_t boxColor = 0, double spacing = 1.0,
                       double height = 16, int32_t anchor = 0) {
        TextSpec spec;
        spec.string = string;
        spec.command = command;
        spec.boxType = box;
        spec.margin = margin;
        spec.boxColor = boxColor;
        spec.lineSpacing = spacing;
        spec.height = height;
        spec.anchor = anchor;
        return host().addText(spec);
    }

    void Upgrade(bool answer) {
        host().queueAnswer(answer);
        host().recordCalls(true);
        Run(qb::UpgradeControls);
        host().recordCalls(false);
    }

    long StateChangesSent() {
        const std::vector<std::string> &calls = host().calls();
        return std::count(calls.begin(), calls.end(), "QorUtilStateChanged");
    }

    // The messages after the question.
    std::vector<std::string> Reports() {
        std::vector<std::string> texts = MessageTexts();
        EXPECT_FALSE(texts.empty());
        if (!texts.empty()) {
            EXPECT_EQ(texts.front(), "Upgrade controls to new standards?");
            EXPECT_EQ(host().messages().front().boxType, MessageBox_Question);
            texts.erase(texts.begin());
        }
        return texts;
    }
};

const char *const kAllStandard = "All controls are already using the current standards, therefore "
                                 "no changes were made to your layout.";
const char *const kModified =
    "At least one control was modified. Be sure to save the changes to your layout.";
const char *const kInvalid = "Some text objects were not valid DLB controls.";

TEST_F(UpgradeTest, DecliningChangesNothingAndAnEmptyWorkspaceIsStandard) {
    Upgrade(true);
    EXPECT_EQ(Reports(), std::vector<std::string>{kAllStandard});
    EXPECT_EQ(host().messages().back().boxType, MessageBox_Information);

    host().clearMessages();
    AddFrame("ID=1 TITLE=\"A\"");
    Text_ID radio = AddControl("<math>7</math> A", "VarName=R", TextBox_Hollow, 20);
    Upgrade(false);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Upgrade controls to new standards?"});
    EXPECT_EQ(TextOf(radio).boxColor, 0);
    EXPECT_DOUBLE_EQ(TextOf(radio).margin, 20);
}

TEST_F(UpgradeTest, SinglePrecisionMarginsAndSpacingsCountAsStandard) {
    AddFrame("ID=1 TITLE=\"A\"");
    Text_ID label = AddControl("Name", "VarName=N", TextBox_None, static_cast<float>(0.2));
    AddControl("<math>7</math> A", "VarName=R", TextBox_Hollow, static_cast<float>(55.0), 7,
               static_cast<float>(1.5));
    Upgrade(true);
    EXPECT_EQ(Reports(), std::vector<std::string>{kAllStandard});
    EXPECT_EQ(StateChangesSent(), 0);
    EXPECT_DOUBLE_EQ(TextOf(label).margin, static_cast<float>(0.2));
}

TEST_F(UpgradeTest, NonStandardTextsGetTheirKindsLook) {
    const UniqueID_t first = AddFrame("ID=1 TITLE=\"A\"");
    Text_ID radio = AddControl("<math>7</math> A\n<math>7</math> B", "VarName=R", TextBox_Hollow,
                               20, 0, 1.0, 12, 1);
    Text_ID field = AddControl("TF:   ", "VarName=F", TextBox_Filled, 30);
    Text_ID scale = AddControl("SC:   ", "VarName=S", TextBox_Filled, 25.0001);
    AddFrame("ID=2 TITLE=\"B\"");
    // The Type setting decides the kind, whatever the box and prefix.
    Text_ID typed = AddControl("Name", "VarName=N Type=RadioBox", TextBox_None, 0.2);
    AddFrame("ID=3 TITLE=\"C\"");
    AddControl("Fine", "VarName=L", TextBox_None, 0.2);
    MakeCurrent(first);

    Upgrade(true);
    EXPECT_EQ(Reports(), std::vector<std::string>{kModified});
    // Two frames changed texts: one notification each.
    EXPECT_EQ(StateChangesSent(), 2);

    for (Text_ID t : {radio, typed}) {
        EXPECT_EQ(TextOf(t).boxColor, 7);
        EXPECT_DOUBLE_EQ(TextOf(t).margin, 55);
        EXPECT_DOUBLE_EQ(TextOf(t).lineSpacing, 1.5);
        EXPECT_EQ(TextOf(t).anchor, 0);
        EXPECT_DOUBLE_EQ(TextOf(t).height, 16);
    }
    EXPECT_DOUBLE_EQ(TextOf(field).margin, 45);
    EXPECT_DOUBLE_EQ(TextOf(scale).margin, 25);
    // The look changes, nothing else.
    EXPECT_EQ(TextOf(typed).boxType, TextBox_None);
    EXPECT_EQ(TextOf(typed).string, "Name");
    EXPECT_EQ(TextOf(typed).command, "VarName=N Type=RadioBox");
    EXPECT_EQ(Current().uniqueId, first);
}

TEST_F(UpgradeTest, TheFirstTextThatIsNoControlStopsTheUpgrade) {
    const UniqueID_t first = AddFrame("ID=1 TITLE=\"A\"");
    AddControl("just a note", "", TextBox_None, 0.2); // no command: no control
    Text_ID radio = AddControl("<math>7</math> A", "VarName=R", TextBox_Hollow, 20);
    AddFrame("ID=2 TITLE=\"B\"");
    Text_ID later = AddControl("TF:  ", "VarName=F", TextBox_Filled, 10);
    MakeCurrent(first);

    Upgrade(true);
    EXPECT_EQ(Reports(), (std::vector<std::string>{kInvalid, kAllStandard}));
    EXPECT_EQ(host().messages()[1].call, Message::Call::ErrMsg);
    EXPECT_EQ(TextOf(radio).boxColor, 0);
    EXPECT_DOUBLE_EQ(TextOf(later).margin, 10);
    EXPECT_EQ(StateChangesSent(), 0);
    EXPECT_EQ(Current().uniqueId, first);
}

TEST_F(UpgradeTest, ChangesBeforeTheInvalidTextStay) {
    AddFrame("ID=2 TITLE=\"B\"");
    Text_ID later = AddControl("TF:  ", "VarName=F", TextBox_Filled, 10);
    const UniqueID_t first = AddFrame("ID=1 TITLE=\"A\"");
    Text_ID label = AddControl("Name", "VarName=N", TextBox_None, 0.2, 0, 1.0, 12);
    AddControl("TAB:  \n", "VarName=T", TextBox_Filled, 45); // a tab without a group
    Text_ID after = AddControl("Other", "VarName=O", TextBox_None, 3);

    Upgrade(true);
    EXPECT_EQ(Reports(), (std::vector<std::string>{kInvalid, kModified}));
    EXPECT_DOUBLE_EQ(TextOf(label).height, 16);
    EXPECT_DOUBLE_EQ(TextOf(after).margin, 3);
    EXPECT_DOUBLE_EQ(TextOf(later).margin, 10);
    EXPECT_EQ(StateChangesSent(), 1);
    EXPECT_EQ(Current().uniqueId, first);
}

} // namespace
} // namespace qgbtest
