// Control texts: the row values and the common look of every kind,
// variable names, the length limit and the linking groups of tab and form
// controls. The golden file shows each case's workspace afterwards.
#include "CommandsFixture.h"

namespace qgbtest {
namespace {

using InsertControlsTest = CommandsTest;

TEST_F(InsertControlsTest, EveryKindAndItsLimits) {
    auto insert = [this](qb::ControlKind kind, const std::string &text, const char *base) {
        {
            qb::LockGuard lock(qb::AddOnHandle);
            qb::InsertControl(kind, text.c_str(), base, TextBox_None, 0, 0.2, 1.0);
        }
        ExpectHostSound("the command");
    };
    Cases cases;
    for (auto command :
         {qb::InsertTab, qb::InsertForm, qb::InsertSpinTextField, qb::InsertTextField,
          qb::InsertMultiLineText, qb::InsertReadOnlyText, qb::InsertLabel, qb::InsertPushButton,
          qb::InsertOptionMenu, qb::InsertMultiList, qb::InsertSingleList, qb::InsertScale,
          qb::InsertToggle, qb::InsertRadioBox})
        cases.push_back({"one control", [this, command] { Run(command); }});
    cases.push_back({"variable names count the texts of the frame", [this] {
                         for (auto command :
                              {qb::InsertTextField, qb::InsertTextField, qb::InsertSpinTextField,
                               qb::InsertScale, qb::InsertRadioBox})
                             Run(command);
                     }});
    // Without a variable base the number goes into the text.
    cases.push_back({"221 characters are refused, 220 taken; no variable base", [&] {
                         insert(qb::Label, std::string(221, 'x'), "LBL");
                         insert(qb::Label, std::string(220, 'x'), "LBL");
                         insert(qb::PushButton, "Button", nullptr);
                     }});
    // The free group is found over all frames (the model tests that); here
    // it must land in the control's text.
    cases.push_back({"tabs and forms take the smallest free group", [this] {
                         AddGroupControl("TAB:", 1);
                         AddGroupControl("FM:", 3);
                         Run(qb::InsertForm);
                         Run(qb::InsertTab);
                     }});
    cases.push_back({"the 33rd tab or form is refused", [this] {
                         for (int group = 1; group <= 32; ++group)
                             AddGroupControl(group % 2 ? "TAB:" : "FM:", group);
                         Run(qb::InsertTab);
                         Run(qb::InsertForm);
                     }});
    ExpectCasesGolden("golden/commands/insert-controls.txt", cases);
}

} // namespace
} // namespace qgbtest
