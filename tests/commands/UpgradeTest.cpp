// Upgrading control texts to the current standard look. The golden file
// shows each case's workspace, messages and notifications afterwards.
#include "CommandsFixture.h"

#include <algorithm>
#include <functional>

namespace qgbtest {
namespace {

class UpgradeTest : public CommandsTest {
  protected:
    void AddControl(const std::string &string, const std::string &command, TextBox_e box,
                    double margin, ColorIndex_t boxColor = 0, double spacing = 1.0,
                    double height = 16, int32_t anchor = 0) {
        // At the frame's centre, in the host's font and colours.
        host().addText({string, command, CoordSys_Frame, 50, 50, Units_Point, height, 0, anchor, 1,
                        0, box, margin, boxColor, 9, 0.1, spacing});
    }
};

TEST_F(UpgradeTest, EachTextGetsItsKindsLookUntilTheFirstTextThatIsNoControl) {
    const std::string radio = "<math>7</math> A";
    const std::pair<const char *, std::function<void()>> cases[] = {
        {"an empty workspace is standard", [] {}},
        {"single precision margins and spacings count as standard",
         [&] {
             AddFrame("ID=1 TITLE=\"A\"");
             AddControl("Name", "VarName=N", TextBox_None, static_cast<float>(0.2));
             AddControl(radio, "VarName=R", TextBox_Hollow, static_cast<float>(55.0), 7,
                        static_cast<float>(1.5));
         }},
        // The Type setting decides the kind, whatever the box and prefix;
        // the look changes, nothing else. One notification a changed frame.
        {"non-standard texts",
         [&] {
             const UniqueID_t first = AddFrame("ID=1 TITLE=\"A\"");
             AddControl(radio + "\n" + radio, "VarName=R", TextBox_Hollow, 20, 0, 1.0, 12, 1);
             AddControl("TF:   ", "VarName=F", TextBox_Filled, 30);
             AddControl("SC:   ", "VarName=S", TextBox_Filled, 25.0001);
             AddFrame("ID=2 TITLE=\"B\"");
             AddControl("Name", "VarName=N Type=RadioBox", TextBox_None, 0.2);
             AddFrame("ID=3 TITLE=\"C\"");
             AddControl("Fine", "VarName=L", TextBox_None, 0.2);
             MakeCurrent(first);
         }},
        {"the first text that is no control stops the upgrade",
         [&] {
             const UniqueID_t first = AddFrame("ID=1 TITLE=\"A\"");
             AddControl("just a note", "", TextBox_None, 0.2); // no command: no control
             AddControl(radio, "VarName=R", TextBox_Hollow, 20);
             AddFrame("ID=2 TITLE=\"B\"");
             AddControl("TF:  ", "VarName=F", TextBox_Filled, 10);
             MakeCurrent(first);
         }},
        {"changes before the invalid text stay",
         [&] {
             AddFrame("ID=2 TITLE=\"B\"");
             AddControl("TF:  ", "VarName=F", TextBox_Filled, 10);
             AddFrame("ID=1 TITLE=\"A\"");
             AddControl("Name", "VarName=N", TextBox_None, 0.2, 0, 1.0, 12);
             AddControl("TAB:  \n", "VarName=T", TextBox_Filled, 45); // a tab without a group
             AddControl("Other", "VarName=O", TextBox_None, 3);
         }},
    };
    std::string transcript;
    for (bool answer : {true, false}) {
        for (const auto &[name, setUp] : cases) {
            SCOPED_TRACE(name);
            FreshWorkspace();
            setUp();
            host().queueAnswer(answer);
            host().recordCalls(true);
            Run(qb::UpgradeControls);
            host().recordCalls(false);
            const auto &calls = host().calls();
            transcript +=
                std::string("== ") + name + (answer ? "" : ", declined") + "\n" + Describe() +
                "notifications " +
                std::to_string(std::count(calls.begin(), calls.end(), "QorUtilStateChanged")) +
                "\n";
        }
    }
    ExpectGolden("golden/commands/upgrade.txt", transcript);
}

} // namespace
} // namespace qgbtest
