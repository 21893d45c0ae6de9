// Synthetic designs for benchmarks and randomised tests: N dialogs with M
// controls each, of every control kind, with tab and form pages and
// sidebars, built in the reference host's workspace. The same options (seed
// included) always give the same design.
#pragma once

#include <cstdint>
#include <string>

namespace qgbbench {

struct DesignOptions {
    int dialogs = 10;           // modal and modeless dialogs, in turn
    int controlsPerDialog = 50; // controls of each dialog (tab and form controls included)
    int sidebars = 1;           // extra sidebar frames, each with a few controls
    // Every fifth dialog gets a tab control with this many pages (in the
    // reverse of their POS order) and a form control with as many pages.
    int pagesPerControl = 2;
    uint32_t seed = 1;
    // A BMP or PNG file for bitmap buttons and toggles; none when empty.
    std::string imageFile;
    // Dialog titles with the number spelled in letters, one a digit ("Dialog
    // BC" for 12), so that every dialog makes its own Qt class name: the class
    // name keeps only the letters of a title.
    bool letterTitles = false;
};

struct DesignSummary {
    int frames = 0;
    int dialogs = 0;
    int sidebars = 0;
    int pages = 0;
    int texts = 0;
    int geometries = 0;
};

// Adds the design to the current workspace (after what is already there).
// The last dialog frame added is current at the end. All texts are 12-point,
// so the design passes the layout checks.
DesignSummary AddSyntheticDesign(const DesignOptions &options);

// Writes a small 24-bit BMP image (width x height pixels, a deterministic
// pattern) for the bitmap controls of a design.
bool WriteSyntheticImage(const std::string &path, int width, int height);

} // namespace qgbbench
