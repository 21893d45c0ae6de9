// Small builders of host workspaces for the layout model tests.
#pragma once

#include "QORADDON.h"
#include "quorvin/Host.h"

#include <string>
#include <vector>

namespace qgbtest {

// A frame 9 x 8 inches at (1, 0.25) on the paper.
inline UniqueID_t AddFrame(const std::string &name, bool linked = false, int linkGroup = 0) {
    return quorvin::host::Host::instance().addFrame({name, 1, 0.25, 9, 8, linkGroup, linked});
}

struct TextOptions {
    TextBox_e box = TextBox_None;
    Units_e units = Units_Point;
    double height = 12;
    double angle = 0;
};

inline Text_ID AddText(const std::string &string, const std::string &command = "",
                       TextOptions options = {}) {
    // string, command, system, x, y, units, height, angle, anchor, font, colour, box
    return quorvin::host::Host::instance().addText({string, command, CoordSys_Frame, 50, 50,
                                                    options.units, options.height, options.angle, 0,
                                                    1, 0, options.box});
}

// Texts of the given height in points, in a filled box or none.
inline TextOptions Filled(double height = 12) {
    return {TextBox_Filled, Units_Point, height};
}
inline TextOptions NoBox(double height = 12) {
    return {TextBox_None, Units_Point, height};
}

inline UniqueID_t CurrentFrameId() {
    const quorvin::host::Frame *frame = quorvin::host::Host::instance().currentFrame();
    return frame ? frame->uniqueId : 0;
}

// Unique IDs of the frames from the bottom of the stack to the top.
inline std::vector<UniqueID_t> FrameOrder() {
    std::vector<UniqueID_t> order;
    for (const quorvin::host::Frame &frame : quorvin::host::Host::instance().frames())
        order.push_back(frame.uniqueId);
    return order;
}

} // namespace qgbtest
