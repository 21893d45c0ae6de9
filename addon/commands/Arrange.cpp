// Align, space evenly and center the picked controls. Everything is measured
// in frame coordinates (percent of the frame, y upward); the first picked
// object is the reference of the align commands.
#include "commands/Commands.h"
#include "model/Picked.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorvin::builder {

namespace {

double ToFrameX(CoordSys_e system, double x) {
    return QorUtilConvertXPosition(system, CoordSys_Frame, x);
}
double ToFrameY(CoordSys_e system, double y) {
    return QorUtilConvertYPosition(system, CoordSys_Frame, y);
}

// Positions closer than this many paper inches are one position: the same
// place reached through different coordinate systems may differ by rounding.
constexpr double kSameInches = 1e-9;

bool SamePosition(bool horizontal, double a, double b) {
    const double apart = std::fabs(a - b);
    const double inches = horizontal
                              ? QorUtilConvertXDimension(CoordSys_Frame, CoordSys_Paper, apart)
                              : QorUtilConvertYDimension(CoordSys_Frame, CoordSys_Paper, apart);
    return inches <= kSameInches;
}

struct Extent {
    double left = 0, bottom = 0, width = 0, height = 0;
};

Extent TextExtent(Text_ID text) {
    double x[4] = {}, y[4] = {};
    QorUtilTextBoxGetPosition(text, &x[0], &y[0], &x[1], &y[1], &x[2], &y[2], &x[3], &y[3]);
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 0; i < 4; ++i) {
        const double fx = ToFrameX(CoordSys_Screen, x[i]);
        const double fy = ToFrameY(CoordSys_Screen, y[i]);
        minX = i == 0 ? fx : std::min(minX, fx);
        maxX = i == 0 ? fx : std::max(maxX, fx);
        minY = i == 0 ? fy : std::min(minY, fy);
        maxY = i == 0 ? fy : std::max(maxY, fy);
    }
    return {minX, minY, maxX - minX, maxY - minY};
}

Extent GeomExtent(Geom_ID geom) {
    const CoordSys_e system = QorUtilGeomGetPositionCoordSys(geom);
    double ax = 0, ay = 0, az = 0;
    QorUtilGeomGetXYZAnchorPos(geom, &ax, &ay, &az);
    Extent extent;
    switch (QorUtilGeomGetType(geom)) {
    case GeomType_LineSegs: {
        // The two points are offsets from the anchor; the line may run in
        // any direction from it.
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        QorUtilGeom2DMPolyGetPoint(geom, 1, 1, &x1, &y1);
        QorUtilGeom2DMPolyGetPoint(geom, 1, 2, &x2, &y2);
        const double fx1 = ToFrameX(system, ax + x1), fx2 = ToFrameX(system, ax + x2);
        const double fy1 = ToFrameY(system, ay + y1), fy2 = ToFrameY(system, ay + y2);
        extent.left = std::min(fx1, fx2);
        extent.bottom = std::min(fy1, fy2);
        extent.width = std::fabs(fx2 - fx1);
        extent.height = std::fabs(fy2 - fy1);
        break;
    }
    case GeomType_Rectangle: {
        // The anchor is the upper-left corner.
        double width = 0, height = 0;
        QorUtilGeomRectangleGetSize(geom, &width, &height);
        extent.width = QorUtilConvertXDimension(system, CoordSys_Frame, std::fabs(width));
        extent.height = QorUtilConvertYDimension(system, CoordSys_Frame, std::fabs(height));
        extent.left = ToFrameX(system, ax);
        extent.bottom = ToFrameY(system, ay) - extent.height;
        break;
    }
    default: {
        // Images: the anchor is the lower-left corner.
        double width = 0, height = 0;
        QorUtilGeomImageGetSize(geom, &width, &height);
        extent.width = QorUtilConvertXDimension(system, CoordSys_Frame, std::fabs(width));
        extent.height = QorUtilConvertYDimension(system, CoordSys_Frame, std::fabs(height));
        extent.left = ToFrameX(system, ax);
        extent.bottom = ToFrameY(system, ay);
        break;
    }
    }
    return extent;
}

Extent ExtentOf(const PickedObject &object) {
    return object.IsText ? TextExtent(object.Text) : GeomExtent(object.Geom);
}

// Moves the object by a distance in frame coordinates along x or y. Its
// position (a text's position, a geometry's anchor) keeps its distance to
// the extent's edge, so the edge lands where the caller wants it.
void MoveBy(const PickedObject &object, double dx, double dy) {
    if (SamePosition(true, dx, 0))
        dx = 0;
    if (SamePosition(false, dy, 0))
        dy = 0;
    if (dx == 0 && dy == 0)
        return;
    if (object.IsText) {
        const CoordSys_e system = QorUtilTextGetPositionCoordSys(object.Text);
        double x = 0, y = 0;
        QorUtilTextGetXYPos(object.Text, &x, &y);
        if (dx != 0)
            x = QorUtilConvertXPosition(CoordSys_Frame, system, ToFrameX(system, x) + dx);
        if (dy != 0)
            y = QorUtilConvertYPosition(CoordSys_Frame, system, ToFrameY(system, y) + dy);
        QorUtilTextSetXYPos(object.Text, x, y);
    } else {
        const CoordSys_e system = QorUtilGeomGetPositionCoordSys(object.Geom);
        double x = 0, y = 0, z = 0;
        QorUtilGeomGetXYZAnchorPos(object.Geom, &x, &y, &z);
        if (dx != 0)
            x = QorUtilConvertXPosition(CoordSys_Frame, system, ToFrameX(system, x) + dx);
        if (dy != 0)
            y = QorUtilConvertYPosition(CoordSys_Frame, system, ToFrameY(system, y) + dy);
        QorUtilGeomSetXYZAnchorPos(object.Geom, x, y, z);
    }
}

struct Measured {
    PickedObject object;
    Extent extent;
};

std::vector<Measured> CollectMeasured() {
    int count = 0;
    CollectPicked(count, PickedObjects, true);
    std::vector<Measured> result;
    for (int i = 0; i < count; ++i)
        result.push_back({PickedObjects[i], ExtentOf(PickedObjects[i])});
    return result;
}

enum class Edge { Low, Center, High };

// Aligns every object but the first on an edge or center of the first.
void Align(bool horizontal, Edge edge) {
    const std::vector<Measured> objects = CollectMeasured();
    if (objects.size() < 2)
        return;
    auto low = [horizontal](const Extent &e) { return horizontal ? e.left : e.bottom; };
    auto size = [horizontal](const Extent &e) { return horizontal ? e.width : e.height; };
    auto factor = [edge]() { return edge == Edge::Low ? 0.0 : edge == Edge::Center ? 0.5 : 1.0; };
    const Extent &reference = objects.front().extent;
    const double value = low(reference) + size(reference) * factor();
    for (size_t i = 1; i < objects.size(); ++i) {
        const double target = value - size(objects[i].extent) * factor();
        if (horizontal)
            MoveLeftTo(objects[i].object, target);
        else
            MoveBottomTo(objects[i].object, target);
    }
    QorUtilRedraw(TRUE);
}

void SortByLowEdge(std::vector<Measured> &objects, bool horizontal) {
    std::stable_sort(objects.begin(), objects.end(),
                     [horizontal](const Measured &a, const Measured &b) {
                         const double low = horizontal ? a.extent.left : a.extent.bottom;
                         const double high = horizontal ? b.extent.left : b.extent.bottom;
                         return low < high && !SamePosition(horizontal, low, high);
                     });
}

void Space(bool horizontal) {
    std::vector<Measured> objects = CollectMeasured();
    if (objects.size() < 3)
        return;
    SortByLowEdge(objects, horizontal);
    auto center = [horizontal](const Extent &e) {
        return horizontal ? e.left + e.width / 2 : e.bottom + e.height / 2;
    };
    const double first = center(objects.front().extent);
    const double last = center(objects.back().extent);
    if (!(last > first) || SamePosition(horizontal, first, last))
        return;
    const double step = (last - first) / static_cast<double>(objects.size() - 1);
    for (size_t i = 1; i + 1 < objects.size(); ++i) {
        const Extent &e = objects[i].extent;
        const double target = first + static_cast<double>(i) * step;
        if (horizontal)
            MoveLeftTo(objects[i].object, target - e.width / 2);
        else
            MoveBottomTo(objects[i].object, target - e.height / 2);
    }
    QorUtilRedraw(TRUE);
}

// Centers the group in the frame. The span runs from the lowest edge to the
// far edge of the object whose low edge is largest.
void Center(bool horizontal) {
    std::vector<Measured> objects = CollectMeasured();
    if (objects.empty())
        return;
    SortByLowEdge(objects, horizontal);
    const Extent &first = objects.front().extent;
    const Extent &last = objects.back().extent;
    const double span =
        horizontal ? last.left + last.width - first.left : last.bottom + last.height - first.bottom;
    const double shift = 50 - span / 2 - (horizontal ? first.left : first.bottom);
    for (const Measured &m : objects) {
        if (horizontal)
            MoveLeftTo(m.object, m.extent.left + shift);
        else
            MoveBottomTo(m.object, m.extent.bottom + shift);
    }
    QorUtilRedraw(TRUE);
}

} // namespace

void GetExtent(const PickedObject &object, double *left, double *bottom, double *width,
               double *height) {
    const Extent extent = ExtentOf(object);
    if (left)
        *left = extent.left;
    if (bottom)
        *bottom = extent.bottom;
    if (width)
        *width = extent.width;
    if (height)
        *height = extent.height;
}

void MoveLeftTo(const PickedObject &object, double x) {
    MoveBy(object, x - ExtentOf(object).left, 0);
}

void MoveBottomTo(const PickedObject &object, double y) {
    MoveBy(object, 0, y - ExtentOf(object).bottom);
}

void AlignLeft() {
    Align(true, Edge::Low);
}
void AlignHorzCenter() {
    Align(true, Edge::Center);
}
void AlignRight() {
    Align(true, Edge::High);
}
void AlignBottom() {
    Align(false, Edge::Low);
}
void AlignVertCenter() {
    Align(false, Edge::Center);
}
void AlignTop() {
    Align(false, Edge::High);
}
void SpaceHorizontally() {
    Space(true);
}
void SpaceVertically() {
    Space(false);
}
void CenterHorizontally() {
    Center(true);
}
void CenterVertically() {
    Center(false);
}

} // namespace quorvin::builder
