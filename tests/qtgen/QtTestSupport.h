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

#include <filesystem>
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
    void SetUp() override;

    // A new host frame, which becomes current: the elements made next belong
    // to it.
    void NewFrame();
    // Adds the element to the parser and gives it back for further use.
    DialogElement *Add(std::unique_ptr<DialogElement> element);
    DialogElement *Dialog(uint32_t id, bool modeless, const std::string &title, bool ok = true,
                          bool cancel = true, bool apply = false, bool help = false,
                          int32_t width = 300, int32_t height = 200);
    DialogElement *TabPage(uint32_t group, uint32_t pageId, uint32_t position,
                           const std::string &title);
    DialogElement *Control(ElementType type, const std::string &name, ElementRect rect,
                           const std::string &text = "", const std::string &toolTip = "");

    // A project directory: "<root>/layout/design.lay" is the layout (not
    // written); with mainWindowDirectory "<root>/ui/mainwindow/qt" exists.
    void MakeProject(bool mainWindowDirectory = true);
    std::filesystem::path root;
    std::filesystem::path layoutDirectory() const { return root / "layout"; }
    std::filesystem::path dialogsDirectory() const { return root / "ui" / "dialogs"; }
    std::filesystem::path mainWindowDirectory() const { return root / "ui" / "mainwindow" / "qt"; }
    // The base path as the writer sees it ("<root>/layout/").
    std::string basePath() const { return layoutDirectory().string() + "/"; }

    // Runs the three writing steps as a build does; true when all succeeded.
    bool WriteAll();
    // The build command with the given language, inside the add-on lock.
    void Build(int32_t language = 3);
    // Error and message box texts shown so far, in order.
    static std::vector<std::string> Shown();

    // The sample design: pages, a modal and a modeless dialog and two
    // sidebars holding every kind of element, added in the order a build
    // meets them.
    void AddSampleDesign();

    std::unique_ptr<qm::Parser> parser = std::make_unique<qm::Parser>();
};

// The Qt output of a project: every file under "ui" and the resource file, by
// path relative to the project's root. Directories are listed with an empty
// text and a trailing "/", so an empty "_build" counts too.
std::map<std::string, std::string> QtOutput(const std::filesystem::path &project);

// The golden outputs under tests/golden/qt/ (scripts/update-golden.sh runs
// this suite's tests).
using QtGoldenTest = QtFixture;

} // namespace qgbtest
