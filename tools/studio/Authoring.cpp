// The paper's edits as authoring calls of the driving API.
#include "Authoring.h"

#include "quorvin/Render.h"

namespace studio {

using quorvin::host::Host;

namespace {

template <class T> T handleOf(uint64_t value) {
    return reinterpret_cast<T>(static_cast<uintptr_t>(value));
}

} // namespace

bool moveObject(const Host::PickedObject &object, double dx, double dy, std::string *error) {
    for (const quorvin::host::DrawnFrame &f : quorvin::host::workspaceDrawing()) {
        if (f.uniqueId != object.frame)
            continue;
        for (const auto &t : f.texts)
            if (t.handle == object.handle)
                return Host::instance().placeText(handleOf<Text_ID>(t.handle), t.anchorX + dx,
                                                  t.anchorY + dy, error);
        for (const auto &g : f.geoms)
            if (g.handle == object.handle)
                return Host::instance().placeGeom(handleOf<Geom_ID>(g.handle), g.anchorX + dx,
                                                  g.anchorY + dy, error);
    }
    *error = "the picked object is no longer in the workspace";
    return false;
}

bool setTextString(uint64_t text, const std::string &value, std::string *error) {
    return Host::instance().setTextString(handleOf<Text_ID>(text), value, error);
}

bool setTextCommand(uint64_t text, const std::string &value, std::string *error) {
    return Host::instance().setTextCommand(handleOf<Text_ID>(text), value, error);
}

bool setFrameName(UniqueID_t frame, const std::string &value, std::string *error) {
    return Host::instance().setFrameName(frame, value, error);
}

} // namespace studio
