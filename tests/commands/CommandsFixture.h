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
#include <functional>
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

    using Cases = std::vector<std::pair<std::string, std::function<void()>>>;
    // Runs each case in an empty workspace (with a current dialog frame 8 by
    // 4 inches unless told otherwise) and compares what each case left, in
    // order, with the golden file.
    void ExpectCasesGolden(const std::string &golden, const Cases &cases, bool dialog = true) {
        std::string transcript;
        for (const auto &[name, run] : cases) {
            SCOPED_TRACE(name);
            FreshWorkspace();
            if (dialog)
                AddFrame("ID=1 TITLE=\"D\"");
            run();
            transcript += "== " + name + "\n" + Describe();
        }
        ExpectGolden(golden, transcript);
    }

    // Runs one command as the tool dialog does (inside the add-on lock) and
    // checks the host afterwards.
    void Run(void (*command)()) {
        {
            qb::LockGuard lock(qb::AddOnHandle);
            command();
        }
        ExpectHostSound("the command");
    }

    UniqueID_t AddFrame(const std::string &name, double x = 1, double y = 1, double width = 8,
                        double height = 4, int linkGroup = 0) {
        return host().addFrame({name, x, y, width, height, linkGroup, linkGroup != 0});
    }
    // A page frame linked to its group.
    UniqueID_t AddPage(const std::string &name, int group) {
        return AddFrame(name, 3, 0.7, 2, 2, group);
    }

    // A text in frame coordinates; by default a label (no box).
    Text_ID AddText(const std::string &string, double x = 50, double y = 50, double points = 12,
                    TextBox_e box = TextBox_None, double margin = 20) {
        TextSpec spec{string, "VarName=C", CoordSys_Frame, x, y, Units_Point, points};
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

    const quorvin::host::Frame &Current() { return *host().currentFrame(); }
    void MakeCurrent(UniqueID_t frame) { ASSERT_TRUE(host().makeCurrent(frame)); }

    void Pick(Text_ID text, bool add = false) { Do(&Host::pickText, text, add); }
    void PickGeom(Geom_ID geom, bool add = false) { Do(&Host::pickGeom, geom, add); }

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
        struct Field {
            const char *name;
            double value, usual;
        };
        auto fields = [&out](std::initializer_list<Field> list) {
            for (const Field &f : list) {
                char number[32];
                std::snprintf(number, sizeof number, "%.12g", f.value);
                if (f.value != f.usual)
                    out << " " << f.name << "=" << number;
            }
            out << "\n";
        };
        const FrameSpec f0;
        const TextSpec t0;
        for (const quorvin::host::Frame &f : host().frames()) {
            const FrameSpec &s = f.spec;
            const bool current =
                host().currentFrame() && host().currentFrame()->uniqueId == f.uniqueId;
            out << (current ? "* " : "") << "frame " << quote(s.name);
            // clang-format off
            fields({{"x", s.x, f0.x}, {"y", s.y, f0.y}, {"width", s.width, f0.width},
                    {"height", s.height, f0.height}, {"group", double(s.linkGroup), 0},
                    {"linked", double(s.linkSizeAndPosition), 0}, {"header", double(s.showHeader), 1},
                    {"background", double(s.backgroundColor), double(f0.backgroundColor)}});
            for (const quorvin::host::Text &text : f.texts) {
                const TextSpec &t = text.spec;
                out << "  text " << quote(t.string) << " command " << quote(t.command);
                fields({{"system", double(t.coordSys), double(t0.coordSys)}, {"x", t.x, t0.x},
                        {"y", t.y, t0.y}, {"units", double(t.sizeUnits), double(t0.sizeUnits)},
                        {"height", t.height, t0.height}, {"angle", t.angle, t0.angle},
                        {"anchor", double(t.anchor), double(t0.anchor)}, {"font", double(t.font), double(t0.font)},
                        {"color", double(t.color), double(t0.color)}, {"box", double(t.boxType), double(t0.boxType)},
                        {"margin", t.margin, t0.margin}, {"boxColor", double(t.boxColor), double(t0.boxColor)},
                        {"fill", double(t.fillColor), double(t0.fillColor)}, {"thickness", t.lineThickness, t0.lineThickness},
                        {"spacing", t.lineSpacing, t0.lineSpacing}, {"scope", double(t.scope), double(t0.scope)}});
            }
            for (const quorvin::host::Geom &g : f.geoms) {
                const GeomSpec &s = g.spec;
                out << "  geom " << s.type << " command " << quote(s.command);
                fields({{"system", double(s.coordSys), CoordSys_Frame}, {"x", s.x, 0}, {"y", s.y, 0},
                        {"width", s.width, 0}, {"height", s.height, 0}, {"order", double(g.drawOrder), 0}});
            }
            // clang-format on
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
