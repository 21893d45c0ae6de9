// What every QorUtil function shares: the handle and argument checks that
// record a fault for anything invalid, and the entry that records the call.
#pragma once

#include "HostImpl.h"
#include "StudioHooks.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace quorvin::host::sdkargs {

using quorvin::host::Frame;
using quorvin::host::FrameRect;
using quorvin::host::Geom;
using quorvin::host::Host;
using quorvin::host::Message;
using quorvin::host::Text;
using quorvin::host::TextSpec;
namespace qh = quorvin::host;

inline std::string fn(const char *name) {
    return std::string(name) + ": ";
}

inline bool isFinite(double v) {
    return std::isfinite(v);
}

// The text behind a handle; records a fault when there is none.
inline Text *textArg(Host::Impl &h, Text_ID id, const char *func, Frame **owner = nullptr) {
    Text *t = h.text(qh::fromHandle(id), owner);
    if (!t)
        h.fault(fn(func) + "invalid text handle");
    h.touchedText = t ? qh::fromHandle(id) : 0;
    h.touchedGeom = 0;
    return t;
}

inline Geom *geomArg(Host::Impl &h, Geom_ID id, const char *func, Frame **owner = nullptr) {
    Geom *g = h.geom(qh::fromHandle(id), owner);
    if (!g)
        h.fault(fn(func) + "invalid geometry handle");
    h.touchedGeom = g ? qh::fromHandle(id) : 0;
    h.touchedText = 0;
    return g;
}

inline Geom *geomOfType(Host::Impl &h, Geom_ID id, GeomType_e type, const char *func,
                        Frame **owner = nullptr) {
    Geom *g = geomArg(h, id, func, owner);
    if (g && g->spec.type != type) {
        h.fault(fn(func) + "geometry is of type " + std::to_string(g->spec.type) + ", not " +
                std::to_string(type));
        return nullptr;
    }
    return g;
}

inline bool nonNull(Host::Impl &h, const void *p, const char *func, const char *what) {
    if (!p)
        h.fault(fn(func) + what + " is NULL");
    return p != nullptr;
}

inline bool validAddOn(Host::Impl &h, AddOn_pa addOn) {
    for (const auto &r : h.registrations)
        if (r.handle == addOn)
            return true;
    return false;
}

// Hands a string to the add-on through an output argument.
inline Boolean_t giveString(Host::Impl &h, char **out, const std::string &value, const char *tag) {
    *out = h.newString(value, tag);
    return *out ? TRUE : FALSE;
}

inline void removePicks(Host::Impl &h, uint64_t handle) {
    h.picks.erase(std::remove_if(h.picks.begin(), h.picks.end(),
                                 [&](const Host::Impl::Pick &p) { return p.handle == handle; }),
                  h.picks.end());
}

inline std::string upper(std::string s) {
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

inline std::string trim(const std::string &s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// Colour names of macro commands: the eight basic colours, CUSTOM1..CUSTOM56.
inline int colorByName(const std::string &name) {
    static const char *const basic[] = {"BLACK", "RED",    "GREEN",  "BLUE",
                                        "CYAN",  "YELLOW", "PURPLE", "WHITE"};
    std::string n = upper(name);
    for (int i = 0; i < 8; ++i)
        if (n == basic[i])
            return i;
    if (n.rfind("CUSTOM", 0) == 0 && n.size() > 6 && n.size() <= 8) {
        int k = 0;
        for (size_t i = 6; i < n.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(n[i])))
                return -1;
            k = k * 10 + (n[i] - '0');
        }
        if (k >= 1 && k <= qh::kColorCount - 8)
            return 7 + k;
    }
    return -1;
}

inline bool frameSystemNeedsFrame(Host::Impl &h, CoordSys_e a, CoordSys_e b, const char *func) {
    if (!qh::validCoordSys(a) || !qh::validCoordSys(b)) {
        h.fault(fn(func) + "unknown coordinate system " +
                std::to_string(qh::validCoordSys(a) ? b : a) + " (1 frame, 3 paper, 4 screen)");
        return false;
    }
    if ((a == CoordSys_Frame || b == CoordSys_Frame) && !h.current()) {
        h.fault(fn(func) + "frame coordinates need a current frame");
        return false;
    }
    return true;
}

} // namespace quorvin::host::sdkargs
