// Helpers for the tests of the add-on shell: the add-on started in-process,
// the tool dialog opened, controls and menu items found by name, and the
// checks that every command leaves the host sound.
#pragma once

#include "HostFixture.h"

#include "QORADDON.h"
#include "quorvin/Host.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qgbtest {

class ShellFixture : public HostFixture {
  protected:
    void SetUp() override;
    // Quits the add-on (a second quit is harmless) and checks that nothing
    // it allocated is still live.
    void TearDown() override;

    // Starts the add-on as the host does when it loads it.
    void StartAddOn(int32_t hostVersion = 1000300);
    // Chooses Tools > Quorvin GUI Builder; fails the test when refused.
    void OpenToolDialog();

    // A control of the tool dialog by tool tip or label; a menu item by its
    // path of labels ({"Layout", "Align", "Left"}). Fail the test when absent.
    const quorvin::host::GuiControl &ToolControl(const std::string &toolTipOrLabel);
    const quorvin::host::GuiControl &MenuItem(const std::vector<std::string> &path);

    // Presses and expects the host to accept (or to refuse: insensitive).
    void Press(GUIInt_t control);
    bool TryPress(GUIInt_t control);

    // Host invariants after a command: no fault, no leaked string or arg
    // list, no lock held.
    void ExpectHostSound(const std::string &after);

    // A fresh directory for layouts and "dlb.cfg" files of this test.
    std::filesystem::path TempDir();
    static void WriteFile(const std::filesystem::path &path, const std::string &content);

    // Adds a frame (made current) with the given name and a label in it.
    UniqueID_t AddFrame(const std::string &name, double width = 9, double height = 8);
    Text_ID AddText(const std::string &string, TextBox_e box = TextBox_None,
                    const std::string &command = "", double x = 50, double y = 50,
                    double angle = 0);

    // Paper position (inches) of a text of the current frame.
    static void TextPaperPosition(Text_ID text, double &x, double &y);

  private:
    std::filesystem::path tempDir_;
};

} // namespace qgbtest
