// Helpers of the classic build tests: workspaces placed in screen pixels,
// output files kept in memory, builds run into a directory of their own.
#pragma once

#include "HostFixture.h"

#include "QORADDON.h"
#include "classic/Generator.h"
#include "quorvin/Host.h"

#include <cstdio>
#include <string>
#include <vector>

namespace qgbtest {

// The default frame of these tests: paper (1, 0.25) inches, so its top-left
// corner is at screen pixel (96, 24).
constexpr double kFrameLeftPixels = 96;
constexpr double kFrameTopPixels = 24;

UniqueID_t AddFrameAt(const std::string &name, double widthInches = 3.5, double heightInches = 2,
                      bool linked = false, int linkGroup = 0);

// A text whose box (no margin) has its upper-left corner at (x, y) pixels
// from the default frame's top-left corner; each line is heightPixels high
// and half that wide per glyph.
struct PixelText {
    std::string string;
    std::string command;
    TextBox_e box = TextBox_Filled;
    double x = 10, y = 5;
    double heightPixels = 16; // 12 points
    double margin = 0;
};
Text_ID AddPixelText(const PixelText &text);

// A rectangle with its upper-left corner at (x, y) pixels from the frame's
// top-left corner.
Geom_ID AddPixelRectangle(double x, double y, double w, double h, const std::string &command);
// A line from (x1, y1) to (x2, y2) pixels from the frame's top-left corner.
Geom_ID AddPixelLine(double x1, double y1, double x2, double y2);
// An image read from file, its lower-left corner at (x, yBottom) pixels,
// widthPixels wide.
Geom_ID AddPixelImage(const std::string &file, double x, double yBottom, double widthPixels,
                      const std::string &command);

// Writes a 24-bit BMP file of width x height pixels (rgb: 3 bytes a pixel,
// rows from the top).
void WriteBmp(const std::string &path, int width, int height,
              const std::vector<unsigned char> &rgb);

// The five output files in memory.
class MemoryFiles {
  public:
    MemoryFiles();
    ~MemoryFiles();
    MemoryFiles(const MemoryFiles &) = delete;
    MemoryFiles &operator=(const MemoryFiles &) = delete;

    const quorvin::builder::OutputFiles &files() const { return files_; }
    // Closes the files and returns what was written to each.
    struct Texts {
        std::string builder, callback, definitionsHeader, definitionsSource, callbackInclude;
    };
    Texts Finish();

  private:
    struct Stream {
        char *buffer = nullptr;
        size_t size = 0;
        std::FILE *file = nullptr;
    };
    Stream streams_[5];
    quorvin::builder::OutputFiles files_;
};

std::string ReadFile(const std::string &path);
bool FileExists(const std::string &path);
// A new empty directory under the build tree.
std::string MakeTempDir(const std::string &tag);
void RemoveTree(const std::string &path);

// The classic output files of a language (in the order they are opened).
std::vector<std::string> OutputFileNames(int32_t language);

// The lines of a text (each without its line feed); a final line feed ends
// the last line.
std::vector<std::string> Lines(const std::string &text);

// A fixture that knows the character cell of 12-point controls and the
// builder settings' defaults, and builds into a temporary directory.
class ClassicFixture : public HostFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh host and fresh build objects (page sets, name list, add-on).
    void ResetWorkspace();
    // Names the layout dir/design.lay (unsaved until a build saves it).
    void NameLayout();
    // Runs the build command inside a lock, as the tool dialog does.
    void Build(int32_t language);
    // Error and message box texts shown, without the please-wait.
    std::vector<std::string> Shown() const;
    std::string Output(const std::string &fileName) const { return ReadFile(dir + fileName); }

    std::string dir; // ends with "/"

  private:
    void AllocateBuildObjects();
    void FreeBuildObjects();
};

} // namespace qgbtest

namespace qgbtest {

// The sample designs under examples/: the layout file of each, relative to
// the source tree (one directory per design).
std::vector<std::string> ExampleLayouts();

// A design with every container and control kind, and designer texts that
// need escaping in every target language. Built in the current workspace;
// bitmap files are written into dir.
void AddEveryKindDesign(const std::string &dir);

// Runs a shell command; its output (stdout and stderr) in *output.
int RunCommand(const std::string &command, std::string *output);

} // namespace qgbtest
