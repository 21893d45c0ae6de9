// Shared by the preview tests: a fixture with a started builder, helpers to
// lay out frames and control texts, and reading pictures back (PNG pixels).
#pragma once

#include "AddOnFixture.h"
#include "Run.h"

#ifdef QGB_HAVE_DESIGN_GENERATOR
#include "DesignGenerator.h"
#endif

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace qgbtest {

class PreviewFixture : public AddOnFixture {
  protected:
    // As the tool dialog's Preview button does: inside the add-on lock.
    static void Preview();
    // The dialog or sidebar the last preview made.
    static GUIInt_t Handle();
};

// A 4 x 3 inch frame, linked in the group when it is not 0.
UniqueID_t AddFrame(const std::string &name, int linkGroup = 0);
// A 12-point control text at (x, y) percent of the current frame.
Text_ID AddControl(const std::string &string, const std::string &command,
                   TextBox_e box = TextBox_Filled, double x = 10, double y = 80);
using Rgb8 = std::array<int, 3>;
const Rgb8 kFace{236, 236, 236}; // a dialog's background

struct Picture {
    int width = 0, height = 0;
    std::string rgb; // 3 bytes a pixel, rows from the top

    // False when the file is no readable PNG.
    bool load(const std::string &path);
    bool decode(const std::string &bytes);
    Rgb8 at(int x, int y) const;
    // Pixels in [x, x+w) x [y, y+h) whose three components are all below
    // the limit (ink of text and lines).
    int darkPixels(int x, int y, int w, int h, int limit = 110) const;
    // Pixels of the area with exactly this colour.
    int pixelsOf(const Rgb8 &colour, int x, int y, int w, int h) const;
};

#ifdef QGB_HAVE_DESIGN_GENERATOR
// The random design of a seed that the preview tests build: one to three
// dialogs of 17 to 21 controls, a sidebar for odd seeds, one to three pages
// per tab or form control, images from imageFile.
qgbbench::DesignOptions RandomDesignOptions(uint32_t seed, const std::string &imageFile);
#endif

} // namespace qgbtest
