// Helpers for the Qt output tests: element trees made by hand inside host
// frames, a scratch directory laid out as a designer's project, the sample
// design that exercises every kind of element, and the build command run with
// the add-on's objects made as start-up makes them.
#pragma once

#include "AddOnFixture.h"
#include "GoldenTree.h"
#include "PixelDesign.h"
#include "model/DialogElement.h"
#include "model/Parser.h"
#include "qtgen/QtWriter.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qgbtest {

namespace qm = quorvin::qorutilmisc;
using qm::DialogElement;
using qm::ElementRect;
using qm::ElementType;

class QtFixture : public AddOnFixture {
  protected:
    void SetUp() override {
        AddOnFixture::SetUp();
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        root = OutputDir(std::string("qtgen-") + info->test_suite_name() + "." + info->name());
    }

    // A new host frame, which becomes current: the elements made next belong
    // to it.
    static void NewFrame() { host().addFrame(quorvin::host::FrameSpec{}); }
    // Adds the element to the parser and gives it back for further use.
    DialogElement *Add(std::unique_ptr<DialogElement> element) {
        DialogElement *e = element.get();
        EXPECT_TRUE(parser->add(std::move(element)));
        return e;
    }
    DialogElement *Dialog(uint32_t id, bool modeless, const std::string &title, bool ok = true,
                          bool cancel = true, bool apply = false, bool help = false,
                          int32_t width = 300, int32_t height = 200) {
        NewFrame();
        return Add(
            DialogElement::makeDialog(id, modeless, width, height, title, ok, cancel, apply, help));
    }
    DialogElement *TabPage(uint32_t group, uint32_t pageId, uint32_t position,
                           const std::string &title) {
        NewFrame();
        const std::string name =
            "Tab" + std::to_string(pageId) + "_" + std::to_string(group) + "Manager";
        return Add(DialogElement::makeTabPage(group, pageId, name, title, position));
    }
    // A tab control of the given number showing the pages of the group.
    DialogElement *TabControl(uint32_t number, uint32_t group, const std::string &name) {
        return Add(DialogElement::makeTabControl(number, group, name, {0, 0, 9, 9}, name + "A",
                                                 name + "D"));
    }
    DialogElement *Control(ElementType type, const std::string &name, ElementRect rect,
                           const std::string &text = "", const std::string &toolTip = "") {
        return Add(DialogElement::makeControl(type, 1, rect, name, toolTip, text, name + "_CB"));
    }

    // A project directory: "<root>/layout/design.lay" is the layout (not
    // written); with mainWindowDirectory "<root>/ui/mainwindow/qt" exists.
    void MakeProject(bool withMainWindowDirectory = true) {
        fs::create_directories(layoutDirectory());
        if (withMainWindowDirectory)
            fs::create_directories(mainWindowDirectory());
        host().setLayoutFileName((layoutDirectory() / "design.lay").string());
    }
    fs::path root;
    fs::path layoutDirectory() const { return root / "layout"; }
    fs::path dialogsDirectory() const { return root / "ui" / "dialogs"; }
    fs::path mainWindowDirectory() const { return root / "ui" / "mainwindow" / "qt"; }
    // The base path as the writer sees it ("<root>/layout/").
    std::string basePath() const { return layoutDirectory().string() + "/"; }

    // Runs the three writing steps as a build does; true when all succeeded.
    bool WriteAll() {
        qm::QtWriter writer;
        const bool dialogs = writer.writeDialogFiles(*parser);
        const bool mainWindow = writer.writeMainWindowFiles(*parser);
        return writer.writeResourceFile() && dialogs && mainWindow;
    }
    static void Build(int32_t language = 3) { AddOnFixture::Build(language); }

    // The sample design: pages, a modal and a modeless dialog and two
    // sidebars holding every kind of element, added in the order a build
    // meets them.
    void AddSampleDesign();

    std::unique_ptr<qm::Parser> parser = std::make_unique<qm::Parser>();
};

// The Qt output of a project: every file under "ui" and the resource file, by
// path relative to the project's root. Directories are listed with an empty
// text and a trailing "/", so an empty "_build" counts too.
std::map<std::string, std::string> QtOutput(const fs::path &project);

// The golden outputs under tests/golden/qt/ (scripts/update-golden.sh runs
// this suite's tests).
using QtGoldenTest = QtFixture;

} // namespace qgbtest
