// The workspace as drawing data (see quorvin/Render.h): the host's own text
// metrics and coordinate conversions, so that what a front end draws is what
// the add-on measures.
#include "quorvin/Render.h"

#include "HostImpl.h"

#include <algorithm>

namespace quorvin::host {

namespace {

Color8 color8(ColorIndex_t index) {
    Color8 c;
    colorRGB(validColor(index) ? index : 0, &c.r, &c.g, &c.b);
    return c;
}

PaperRect rectFrom(const PaperBox &b) {
    return {b.left, b.top, b.right, b.bottom};
}

DrawnText drawnText(const Text &t, const FrameRect &frame) {
    DrawnText d;
    d.handle = t.handle;
    d.string = t.spec.string;
    d.box = rectFrom(textPaperBox(t.spec, frame));
    TextSpec bare = t.spec;
    bare.boxType = TextBox_None;
    d.block = rectFrom(textPaperBox(bare, frame));
    d.anchorX = positionToPaperX(t.spec.coordSys, t.spec.x, frame);
    d.anchorY = positionToPaperY(t.spec.coordSys, t.spec.y, frame);
    d.glyphHeight = t.spec.sizeUnits == Units_Point ? t.spec.height / 72.0
                                                    : t.spec.height / 100.0 * frame.height;
    d.lineSpacing = t.spec.lineSpacing;
    d.anchor = t.spec.anchor;
    d.boxType = t.spec.boxType;
    d.color = color8(t.spec.color);
    d.boxColor = color8(t.spec.boxColor);
    d.fillColor = color8(t.spec.fillColor);
    return d;
}

DrawnGeom drawnGeom(const Geom &g, const FrameRect &frame) {
    DrawnGeom d;
    d.handle = g.handle;
    d.type = g.spec.type;
    const CoordSys_e cs = g.spec.coordSys;
    const double x = positionToPaperX(cs, g.spec.x, frame);
    const double y = positionToPaperY(cs, g.spec.y, frame);
    d.anchorX = x;
    d.anchorY = y;
    if (g.spec.type == GeomType_Rectangle) {
        // The anchor is the upper-left corner; the height extends downwards.
        d.bounds = {x, y, x + lengthToPaperX(cs, g.spec.width, frame),
                    y + lengthToPaperY(cs, g.spec.height, frame)};
    } else if (g.spec.type == GeomType_Image) {
        // The anchor is the lower-left corner.
        const double w = lengthToPaperX(cs, g.spec.width, frame);
        const double h = lengthToPaperY(cs, imageHeight(g, frame), frame);
        d.bounds = {x, y - h, x + w, y};
        d.pixelWidth = g.pixelWidth;
        d.pixelHeight = g.pixelHeight;
        d.rgb = g.rgb.get();
    } else {
        bool first = true;
        for (const auto &line : g.spec.polylines) {
            std::vector<double> points;
            for (const Point2 &p : line) {
                // Offsets from the anchor, in the anchor's system (frame y is up).
                const double px = x + lengthToPaperX(cs, p.x, frame);
                const double py = cs == CoordSys_Frame ? y - lengthToPaperY(cs, p.y, frame)
                                                       : y + lengthToPaperY(cs, p.y, frame);
                points.push_back(px);
                points.push_back(py);
                if (first)
                    d.bounds = {px, py, px, py};
                first = false;
                d.bounds.left = std::min(d.bounds.left, px);
                d.bounds.right = std::max(d.bounds.right, px);
                d.bounds.top = std::min(d.bounds.top, py);
                d.bounds.bottom = std::max(d.bounds.bottom, py);
            }
            d.polylines.push_back(std::move(points));
        }
    }
    return d;
}

} // namespace

std::vector<DrawnFrame> workspaceDrawing() {
    std::vector<DrawnFrame> out;
    for (const auto &f : Host::instance().impl().stack) {
        const FrameRect rect = rectOf(f.get());
        DrawnFrame d;
        d.uniqueId = f->uniqueId;
        d.name = f->spec.name;
        d.rect = {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
        d.showHeader = f->spec.showHeader;
        d.background = color8(f->spec.backgroundColor);
        for (const Text &t : f->texts)
            d.texts.push_back(drawnText(t, rect));
        for (const Geom &g : f->geoms)
            d.geoms.push_back(drawnGeom(g, rect));
        out.push_back(std::move(d));
    }
    return out;
}

} // namespace quorvin::host
