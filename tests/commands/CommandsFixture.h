// Shared set-up of the editing command tests: a registered add-on, helpers
// that build small workspaces, and the check that a command left the host
// clean (no fault, no live string or argument list, lock balanced).
#pragma once

#include "HostFixture.h"
#include "commands/Commands.h"
#include "model/HostResources.h"
#include "shell/Settings.h"
#include "shell/StateChange.h"
#include "shell/ToolDialog.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <cstdint>
#include <string>
#include <vector>

namespace qgbtest {

namespace qb = quorvin::builder;
using quorvin::host::FrameSpec;
using quorvin::host::GeomSpec;
using quorvin::host::Message;
using quorvin::host::TextSpec;

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
        EXPECT_TRUE(host().faults().empty()) << "host faults:\n" << faults;
        EXPECT_EQ(host().liveStrings(), 0u);
        EXPECT_EQ(host().liveArgLists(), 0u);
        EXPECT_EQ(host().lockHeld(), dialogHoldsLock);
        EXPECT_TRUE(host().drawingOn());
    }

    UniqueID_t AddFrame(const std::string &name, double x = 1, double y = 1, double width = 8,
                        double height = 4, int linkGroup = 0, bool linked = false) {
        FrameSpec spec;
        spec.name = name;
        spec.x = x;
        spec.y = y;
        spec.width = width;
        spec.height = height;
        spec.linkGroup = linkGroup;
        spec.linkSizeAndPosition = linked;
        return host().addFrame(spec);
    }

    // A label (no box) in frame coordinates.
    Text_ID AddLabel(const std::string &string, double x, double y, double points = 12) {
        TextSpec spec;
        spec.string = string;
        spec.command = "VarName=L";
        spec.x = x;
        spec.y = y;
        spec.height = points;
        return host().addText(spec);
    }

    static Text_ID TextHandle(const quorvin::host::Text &text) {
        return reinterpret_cast<Text_ID>(static_cast<uintptr_t>(text.handle));
    }
    static Geom_ID GeomHandle(const quorvin::host::Geom &geom) {
        return reinterpret_cast<Geom_ID>(static_cast<uintptr_t>(geom.handle));
    }

    const quorvin::host::TextSpec &TextOf(Text_ID text) {
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

    void Pick(Text_ID text, bool add = false) {
        std::string error;
        ASSERT_TRUE(host().pickText(text, add, &error)) << error;
    }
    void PickGeom(Geom_ID geom, bool add = false) {
        std::string error;
        ASSERT_TRUE(host().pickGeom(geom, add, &error)) << error;
    }
    // A 24-bit BMP of the given size (red left half, blue right half) in a
    // directory of this test program; returns its path.
    static std::string WriteBmp(const std::string &name, int width, int height) {
        const std::filesystem::path dir =
            std::filesystem::temp_directory_path() / ("qgb-commands-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        const std::string path = (dir / name).string();
        const int rowSize = (width * 3 + 3) / 4 * 4;
        const uint32_t dataSize = static_cast<uint32_t>(rowSize * height);
        std::vector<unsigned char> file(54 + dataSize, 0);
        auto put32 = [&file](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i)
                file[at + i] = static_cast<unsigned char>(v >> (8 * i));
        };
        file[0] = 'B';
        file[1] = 'M';
        put32(2, 54 + dataSize);
        put32(10, 54);
        put32(14, 40);
        put32(18, static_cast<uint32_t>(width));
        put32(22, static_cast<uint32_t>(height));
        file[26] = 1;
        file[28] = 24;
        put32(34, dataSize);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                unsigned char *p = &file[54 + static_cast<size_t>(y * rowSize + x * 3)];
                p[0] = x < width / 2 ? 0 : 255; // blue
                p[2] = x < width / 2 ? 255 : 0; // red
            }
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char *>(file.data()),
                  static_cast<std::streamsize>(file.size()));
        return path;
    }

    void MakeCurrent(UniqueID_t frame) { ASSERT_TRUE(host().makeCurrent(frame)); }
};

} // namespace qgbtest
