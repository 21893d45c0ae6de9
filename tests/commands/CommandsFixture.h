// Shared set-up of the editing command tests: a registered add-on, helpers
// that build small workspaces, and the check that a command left the host
// clean (no fault, no live string or argument list, lock balanced).
#pragma once

#include "HostFixture.h"
#include "../shell/DialogGolden.h"
#include "commands/Commands.h"
#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Settings.h"
#include "shell/StateChange.h"
#include "shell/ToolDialog.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <sstream>
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

    // The workspace as text for the golden files: every frame ("*" marks
    // the current one) with the fields of its texts and geometries that are
    // not the host's defaults, then the messages shown.
    static std::string Describe() {
        auto quote = [](const std::string &text) {
            std::string quoted = "\"";
            for (char c : text)
                quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
            return quoted + "\"";
        };
        std::ostringstream out;
        auto field = [&out](const char *name, double value, double usual) {
            char number[32];
            std::snprintf(number, sizeof number, "%.12g", value);
            if (value != usual)
                out << " " << name << "=" << number;
        };
        const FrameSpec frame0;
        const TextSpec text0;
        for (const quorvin::host::Frame &f : host().frames()) {
            const FrameSpec &s = f.spec;
            const bool current =
                host().currentFrame() && host().currentFrame()->uniqueId == f.uniqueId;
            out << (current ? "* " : "") << "frame " << quote(s.name);
            field("x", s.x, frame0.x);
            field("y", s.y, frame0.y);
            field("width", s.width, frame0.width);
            field("height", s.height, frame0.height);
            field("group", s.linkGroup, 0);
            field("linked", s.linkSizeAndPosition, 0);
            field("header", s.showHeader, 1);
            field("background", s.backgroundColor, frame0.backgroundColor);
            out << "\n";
            for (const quorvin::host::Text &text : f.texts) {
                const TextSpec &t = text.spec;
                out << "  text " << quote(t.string) << " command " << quote(t.command);
                field("system", t.coordSys, text0.coordSys);
                field("x", t.x, text0.x);
                field("y", t.y, text0.y);
                field("units", t.sizeUnits, text0.sizeUnits);
                field("height", t.height, text0.height);
                field("angle", t.angle, text0.angle);
                field("anchor", t.anchor, text0.anchor);
                field("font", t.font, text0.font);
                field("color", t.color, text0.color);
                field("box", t.boxType, text0.boxType);
                field("margin", t.margin, text0.margin);
                field("boxColor", t.boxColor, text0.boxColor);
                field("fill", t.fillColor, text0.fillColor);
                field("thickness", t.lineThickness, text0.lineThickness);
                field("spacing", t.lineSpacing, text0.lineSpacing);
                field("scope", t.scope, text0.scope);
                out << "\n";
            }
            for (const quorvin::host::Geom &g : f.geoms) {
                out << "  geom " << g.spec.type << " command " << quote(g.spec.command);
                field("system", g.spec.coordSys, CoordSys_Frame);
                field("x", g.spec.x, 0);
                field("y", g.spec.y, 0);
                field("width", g.spec.width, 0);
                field("height", g.spec.height, 0);
                field("order", g.drawOrder, 0);
                out << "\n";
            }
        }
        const char *const calls[] = {"error", "box", "wait", "help"};
        for (const Message &m : host().messages())
            out << calls[static_cast<int>(m.call)] << " " << m.boxType << " " << quote(m.text)
                << "\n";
        return out.str();
    }

    // The single message shown, with its call.
    void ExpectOnlyMessage(Message::Call call, const std::string &text) {
        ASSERT_EQ(host().messages().size(), 1u) << DescribeMessages();
        EXPECT_EQ(host().messages()[0].call, call);
        EXPECT_EQ(host().messages()[0].text, text);
    }
};

} // namespace qgbtest
