// Small builders of host workspaces for the layout model tests.
#pragma once

#include "QORADDON.h"
#include "quorvin/Host.h"

#include <string>
#include <vector>

namespace qgbtest {

inline UniqueID_t AddFrame(const std::string &name, bool linked = false, int linkGroup = 0) {
    quorvin::host::FrameSpec spec;
    spec.name = name;
    spec.linkSizeAndPosition = linked;
    spec.linkGroup = linkGroup;
    return quorvin::host::Host::instance().addFrame(spec);
}

struct TextOptions {
    TextBox_e box = TextBox_None;
    Units_e units = Units_Point;
    double height = 12;
    double angle = 0;
};

inline Text_ID AddText(const std::string &string, const std::string &command = "",
                       TextOptions options = {}) {
    quorvin::host::TextSpec spec;
    spec.string = string;
    spec.command = command;
    spec.boxType = options.box;
    spec.sizeUnits = options.units;
    spec.height = options.height;
    spec.angle = options.angle;
    return quorvin::host::Host::instance().addText(spec);
}

// Texts of the given height in points, in a filled box or none.
inline TextOptions Filled(double height = 12) {
    return {TextBox_Filled, Units_Point, height};
}
inline TextOptions NoBox(double height = 12) {
    return {TextBox_None, Units_Point, height};
}

inline Geom_ID AddRectangle(const std::string &command) {
    quorvin::host::GeomSpec spec;
    spec.type = GeomType_Rectangle;
    spec.x = 10;
    spec.y = 90;
    spec.width = 20;
    spec.height = 10;
    spec.command = command;
    return quorvin::host::Host::instance().addGeom(spec);
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
