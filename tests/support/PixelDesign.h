// Designs placed in screen pixels for the build tests. Frames sit at paper
// (1, 0.25) inches: their top-left corner is at screen pixel (96, 24), and
// every position below is in pixels from that corner.
#pragma once

#include "QORADDON.h"
#include "quorvin/Host.h"

#include <algorithm>
#include <string>

namespace qgbtest {

inline UniqueID_t AddFrameAt(const std::string &name, double widthInches = 3.5,
                             double heightInches = 2, bool linked = false, int linkGroup = 0) {
    return quorvin::host::Host::instance().addFrame(
        {name, 1, 0.25, widthInches, heightInches, linkGroup, linked});
}

// A text whose box (no margin) has its upper-left corner at (x, y); each line
// is heightPixels high.
struct PixelText {
    std::string string;
    std::string command;
    TextBox_e box = TextBox_Filled;
    double x = 10, y = 5;
    double heightPixels = 16; // 12 points
};

inline Text_ID AddPixelText(const PixelText &text) {
    quorvin::host::TextSpec spec;
    spec.string = text.string;
    spec.command = text.command;
    spec.boxType = text.box;
    spec.coordSys = CoordSys_Screen;
    spec.height = text.heightPixels * 72 / 96;
    spec.margin = 0;
    // The position is the block's lower-left corner, a line height a line
    // below its top.
    const auto lines = 1 + std::count(text.string.begin(), text.string.end(), '\n');
    spec.x = 96 + text.x;
    spec.y = 24 + text.y + static_cast<double>(lines) * text.heightPixels;
    return quorvin::host::Host::instance().addText(spec);
}

} // namespace qgbtest
