// Shared set-up of the editing command tests: a registered add-on, helpers
// that build small workspaces, and the check that a command left the host
// clean (no fault, no live string or argument list, lock balanced).
#pragma once

#include "HostFixture.h"
#include "commands/Commands.h"
#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Settings.h"
#include "shell/StateChange.h"
#include "shell/ToolDialog.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace qgbtest {

namespace qb = quorvin::builder;
using quorvin::host::FrameSpec;
using quorvin::host::GeomSpec;
using quorvin::host::Message;
using quorvin::host::TextSpec;

// An 8 by 8 pixel 24-bit bitmap committed beside the design script.
inline const std::string kBitmap = QGB_SOURCE_DIR "/tests/commands/scripts/button.bmp";

class CommandsTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        // A fresh host has none of the add-on's dialogs: forget those of
        // earlier tests.
        qb::ForgetBitmapButtonDialog();
        qb::ResetToolDialogIds();
        qb::ResetStateChangeState();
        RegisterAddOn();
    }

    // An empty workspace again, within one test case of a table.
    void FreshWorkspace() {
        host().reset();
        host().clearMessages();
        RegisterAddOn();
    }

    // Runs one command as the tool dialog does (inside the add-on lock) and
    // checks the host afterwards.
    void Run(void (*command)()) {
        {
            qb::LockGuard lock(qb::AddOnHandle);
            command();
        }
        ExpectClean();
    }

    void ExpectClean(bool dialogHoldsLock = false) {
        std::string faults;
        for (const std::string &f : host().faults())
            faults += "  " + f + "\n";
        EXPECT_TRUE(faults.empty()) << "host faults:\n" << faults;
        EXPECT_EQ(host().liveStrings(), 0u);
        EXPECT_EQ(host().liveArgLists(), 0u);
        EXPECT_EQ(host().lockHeld(), dialogHoldsLock);
        EXPECT_TRUE(host().drawingOn());
    }

    UniqueID_t AddFrame(const std::string &name, double x = 1, double y = 1, double width = 8,
                        double height = 4, int linkGroup = 0) {
        FrameSpec spec;
        spec.name = name;
        spec.x = x;
        spec.y = y;
        spec.width = width;
        spec.height = height;
        spec.linkGroup = linkGroup;
        spec.linkSizeAndPosition = linkGroup != 0;
        return host().addFrame(spec);
    }
    // A page frame linked to its group.
    UniqueID_t AddPage(const std::string &name, int group) {
        return AddFrame(name, 3, 0.7, 2, 2, group);
    }

    // A text in frame coordinates; by default a label (no box).
    Text_ID AddText(const std::string &string, double x = 50, double y = 50, double points = 12,
                    TextBox_e box = TextBox_None, double margin = 20) {
        TextSpec spec;
        spec.string = string;
        spec.command = "VarName=C";
        spec.x = x;
        spec.y = y;
        spec.height = points;
        spec.boxType = box;
        spec.margin = margin;
        return host().addText(spec);
    }
    // A tab or form control text of the given group ("TAB:" or "FM:").
    Text_ID AddGroupControl(const char *prefix, int group) {
        return AddText(prefix + ("Group=" + std::to_string(group)) + "  \n\n\n\n\n", 50, 50, 16,
                       TextBox_Filled, 45);
    }

    static Text_ID TextHandle(const quorvin::host::Text &text) {
        return reinterpret_cast<Text_ID>(static_cast<uintptr_t>(text.handle));
    }

    const TextSpec &TextOf(Text_ID text) {
        static const TextSpec none;
        const quorvin::host::Text *t = host().findText(text);
        EXPECT_NE(t, nullptr);
        return t ? t->spec : none;
    }

    std::vector<std::string> FrameNames() {
        std::vector<std::string> names;
        for (const quorvin::host::Frame &f : host().frames())
            names.push_back(f.spec.name);
        return names;
    }

    const quorvin::host::Frame &Current() { return *host().currentFrame(); }
    void MakeCurrent(UniqueID_t frame) { ASSERT_TRUE(host().makeCurrent(frame)); }

    void Pick(Text_ID text, bool add = false) {
        std::string error;
        ASSERT_TRUE(host().pickText(text, add, &error)) << error;
    }
    void PickGeom(Geom_ID geom, bool add = false) {
        std::string error;
        ASSERT_TRUE(host().pickGeom(geom, add, &error)) << error;
    }

    // The single message shown, with its call.
    void ExpectOnlyMessage(Message::Call call, const std::string &text) {
        ASSERT_EQ(host().messages().size(), 1u) << DescribeMessages();
        EXPECT_EQ(host().messages()[0].call, call);
        EXPECT_EQ(host().messages()[0].text, text);
    }
};

} // namespace qgbtest
