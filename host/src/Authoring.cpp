// Authoring calls of the driving API: the edits a user makes in the host's own
// text, geometry and frame editors, each one command with the state change the
// host sends for it.
#include "HostImpl.h"

#include <cmath>

namespace quorvin::host {

namespace {

bool fail(std::string *error, const std::string &why) {
    if (error)
        *error = why;
    return false;
}

bool finite(double v) {
    return std::isfinite(v);
}

std::string handleText(const char *what, uint64_t handle) {
    return std::string("there is no ") + what + " with handle " + std::to_string(handle);
}

} // namespace

bool Host::placeText(Text_ID text, double x, double y, std::string *error) {
    Frame *owner = nullptr;
    Text *t = impl_->text(fromHandle(text), &owner);
    if (!t)
        return fail(error, handleText("text", fromHandle(text)));
    if (!finite(x) || !finite(y))
        return fail(error, "a text needs a finite position");
    CommandScope command(*impl_, "place text");
    const FrameRect frame = rectOf(owner);
    t->spec.x = paperToPositionX(t->spec.coordSys, x, frame);
    t->spec.y = paperToPositionY(t->spec.coordSys, y, frame);
    impl_->deliverStateChange(StateChange_Text, 0);
    return true;
}

bool Host::sizeText(Text_ID text, double heightPoints, std::string *error) {
    Text *t = impl_->text(fromHandle(text));
    if (!t)
        return fail(error, handleText("text", fromHandle(text)));
    if (!finite(heightPoints) || heightPoints <= 0)
        return fail(error, "a text needs a finite, positive height");
    CommandScope command(*impl_, "size text");
    t->spec.sizeUnits = Units_Point;
    t->spec.height = heightPoints;
    impl_->deliverStateChange(StateChange_Text, 0);
    return true;
}

bool Host::setTextString(Text_ID text, const std::string &string, std::string *error) {
    Text *t = impl_->text(fromHandle(text));
    if (!t)
        return fail(error, handleText("text", fromHandle(text)));
    CommandScope command(*impl_, "set text string");
    t->spec.string = string;
    impl_->deliverStateChange(StateChange_Text, 0);
    return true;
}

bool Host::setTextCommand(Text_ID text, const std::string &commandText, std::string *error) {
    Text *t = impl_->text(fromHandle(text));
    if (!t)
        return fail(error, handleText("text", fromHandle(text)));
    CommandScope command(*impl_, "set text command");
    t->spec.command = commandText;
    impl_->deliverStateChange(StateChange_Text, 0);
    return true;
}

bool Host::placeGeom(Geom_ID geom, double x, double y, std::string *error) {
    Frame *owner = nullptr;
    Geom *g = impl_->geom(fromHandle(geom), &owner);
    if (!g)
        return fail(error, handleText("geometry", fromHandle(geom)));
    if (!finite(x) || !finite(y))
        return fail(error, "a geometry needs a finite anchor");
    CommandScope command(*impl_, "place geometry");
    const FrameRect frame = rectOf(owner);
    g->spec.x = paperToPositionX(g->spec.coordSys, x, frame);
    g->spec.y = paperToPositionY(g->spec.coordSys, y, frame);
    return true;
}

bool Host::sizeGeom(Geom_ID geom, double width, double height, std::string *error) {
    Frame *owner = nullptr;
    Geom *g = impl_->geom(fromHandle(geom), &owner);
    if (!g)
        return fail(error, handleText("geometry", fromHandle(geom)));
    const bool image = g->spec.type == GeomType_Image;
    if (g->spec.type != GeomType_Rectangle && !image)
        return fail(error, "only rectangles and images have a size (geometry type " +
                               std::to_string(g->spec.type) + ")");
    if (!finite(width) || width <= 0 || (!image && (!finite(height) || height <= 0)))
        return fail(error, image ? "an image needs a finite, positive width"
                                 : "a rectangle needs a finite, positive width and height");
    CommandScope command(*impl_, "size geometry");
    const FrameRect frame = rectOf(owner);
    g->spec.width = paperToLengthX(g->spec.coordSys, width, frame);
    if (!image)
        g->spec.height = paperToLengthY(g->spec.coordSys, height, frame);
    return true;
}

bool Host::setGeomCommand(Geom_ID geom, const std::string &commandText, std::string *error) {
    Geom *g = impl_->geom(fromHandle(geom));
    if (!g)
        return fail(error, handleText("geometry", fromHandle(geom)));
    CommandScope command(*impl_, "set geometry command");
    g->spec.command = commandText;
    return true;
}

bool Host::setFrameName(UniqueID_t frame, const std::string &name, std::string *error) {
    Frame *f = impl_->frameOf(frame);
    if (!f)
        return fail(error, "there is no frame with unique ID " + std::to_string(frame));
    CommandScope command(*impl_, "set frame name");
    f->spec.name = name;
    return true;
}

} // namespace quorvin::host
