// Helpers of the classic build tests: workspaces placed in screen pixels,
// output files kept in memory, builds run into a directory of their own.
#pragma once

#include "AddOnFixture.h"
#include "PixelDesign.h"
#include "Run.h"

#include "classic/Emit.h"
#include "classic/Generator.h"

#include <cstdio>
#include <memory>

namespace qgbtest {

// A geometry at (x, y) of width w and height h (a line: to (x + w, y + h)).
inline Geom_ID AddPixelGeom(GeomType_e type, double x, double y, double w, double h,
                            const std::string &command, const std::string &imageFile = "") {
    quorvin::host::GeomSpec spec;
    spec.type = type;
    spec.coordSys = CoordSys_Screen;
    spec.x = 96 + x;
    spec.y = 24 + y;
    spec.command = command;
    spec.imageFile = imageFile;
    if (type == GeomType_LineSegs) {
        spec.polylines = {{{0, 0}, {w, h}}};
    } else {
        spec.width = w;
        spec.height = h;
    }
    return quorvin::host::Host::instance().addGeom(spec);
}
inline Geom_ID AddPixelRectangle(double x, double y, double w, double h,
                                 const std::string &command) {
    return AddPixelGeom(GeomType_Rectangle, x, y, w, h, command);
}
inline Geom_ID AddPixelLine(double x1, double y1, double x2, double y2) {
    return AddPixelGeom(GeomType_LineSegs, x1, y1, x2 - x1, y2 - y1, "");
}
// An image read from file, its lower-left corner at (x, yBottom).
inline Geom_ID AddPixelImage(const std::string &file, double x, double yBottom, double widthPixels,
                             const std::string &command) {
    return AddPixelGeom(GeomType_Image, x, yBottom, widthPixels, 0, command, file);
}
// Texts at x = 14, one a row of `pitch` pixels from y = 8; an empty string
// leaves its row free.
inline void AddPixelRows(double pitch, const std::vector<PixelText> &rows) {
    for (size_t row = 0; row < rows.size(); ++row)
        if (!rows[row].string.empty()) {
            PixelText text = rows[row];
            text.x = 14;
            text.y = 8 + pitch * static_cast<double>(row);
            AddPixelText(text);
        }
}
// A 24-bit BMP file (rgb: 3 bytes a pixel, rows from the top).
void WriteBmp(const std::string &path, int width, int height,
              const std::vector<unsigned char> &rgb);

// The five output files, written to memory.
class MemoryFiles {
  public:
    MemoryFiles();
    ~MemoryFiles() { Finish(); }
    MemoryFiles(const MemoryFiles &) = delete;
    MemoryFiles &operator=(const MemoryFiles &) = delete;

    const quorvin::builder::OutputFiles &files() const { return files_; }
    // Closes the files and returns what was written to all of them, in order.
    std::string Finish();

  private:
    std::unique_ptr<quorvin::builder::GeneratedFile> streams_[5];
    char *buffers_[5] = {};
    size_t sizes_[5] = {};
    quorvin::builder::OutputFiles files_;
};

// The classic output files of a language, in the order they are opened.
std::vector<std::string> OutputFileNames(int32_t language);
// A fixture with the add-on's objects made as start-up makes them and an
// empty directory to build into.
class ClassicFixture : public AddOnFixture {
  protected:
    void SetUp() override {
        AddOnFixture::SetUp();
        dir = OutputDir(std::string("classic-") +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name()) +
              "/";
    }

    // Names the layout dir/design.lay (unsaved until a build saves it).
    void NameLayout() { host().setLayoutFileName(dir + "design.lay"); }
    // Names the layout, builds and expects these warnings, then the success
    // message, and nothing else; the please-wait on and off; the layout and
    // "dlb.cfg" saved; drawing on again.
    void BuildExpectingSuccess(int32_t language, std::vector<std::string> warnings = {});
    // Copies a sample design (a SampleLayouts() entry) into dir and loads it
    // from there.
    void LoadExample(const fs::path &layout) {
        fs::copy(layout.parent_path(), dir,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        std::string error;
        ASSERT_TRUE(host().loadLayout(dir + layout.filename().string(), &error)) << error;
    }
    // "Building..." shown and then taken down, and no other please-wait.
    void ExpectPleaseWaitOnAndOff() const;
    std::string Output(const std::string &fileName) const { return ReadFile(dir + fileName); }

    std::string dir; // ends with "/"
};

// A design with every container and control kind, and designer texts that
// need escaping in every target language; its bitmap file is written to dir.
void AddEveryKindDesign(const std::string &dir);
// Its one warning: the dialog's title ends in a backslash, which escapes its
// closing quote, so the default title is used.
inline const char *const kEveryKindWarning =
    "Warning: title=\"Dialog Title\" not found. Default title will be used";

} // namespace qgbtest
