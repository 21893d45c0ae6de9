// Helpers for the Qt output tests: element trees made by hand inside host
// frames, a scratch directory laid out as a designer's project, and the sample
// design that exercises every kind of element.
#pragma once

#include "HostFixture.h"
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

std::string ReadFile(const std::filesystem::path &path);
void WriteFile(const std::filesystem::path &path, const std::string &text);

struct Result {
    int status = -1;
    std::string output; // standard output and error together (or only output)
};
// Runs a command, each word quoted for the shell.
Result RunCommand(const std::vector<std::string> &command, bool withErrors = true);

class QtFixture : public HostFixture {
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

    // The sample design: pages, a modal and a modeless dialog and two
    // sidebars holding every kind of element, added in the order a build
    // meets them.
    void AddSampleDesign();

    std::unique_ptr<qm::Parser> parser = std::make_unique<qm::Parser>();
};

// Frames and texts of a design made in the host for a build. Frames sit at
// paper (1, 0.25) inches, screen (96, 24); a link group above 0 links the
// frame's size and position in that group.
void AddFrameAt(const std::string &name, double widthInches, double heightInches,
                int linkGroup = 0);
// A one-line 12-point text (16 pixels high) whose box has its upper-left
// corner at (x, y) pixels from the frame's corner.
void AddText(const std::string &string, const std::string &command, TextBox_e box, double x,
             double y);

// A QtFixture with the add-on's build objects made as start-up makes them,
// for tests that run the build command itself.
class QtBuildFixture : public QtFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh host and freshly made build objects (cases of one test).
    void ResetWorkspace();
    // The build command with the given language, inside the add-on lock.
    void Build(int32_t language = 3);
    // Error and message box texts shown so far, in order.
    static std::vector<std::string> Shown();

  private:
    void StartAddOn();
    void StopAddOn();
};

// Golden outputs under tests/golden/qt/<design>/, compared byte for byte.
// scripts/update-golden.sh runs the tests of QtGoldenTest with
// QGB_UPDATE_GOLDEN naming a directory: the outputs are written there instead
// of compared.
class QtGoldenTest : public QtBuildFixture {
  protected:
    // The Qt output of a project: every file under "ui" and the resource file,
    // by path relative to the project's root. Directories are listed with an
    // empty text and a trailing "/", so an empty "_build" counts too.
    static std::map<std::string, std::string> QtOutput(const std::filesystem::path &project);
    // Compares the files (directories left out) with the design's golden files.
    static void ExpectGolden(const std::string &design,
                             const std::map<std::string, std::string> &files);
};

} // namespace qgbtest
