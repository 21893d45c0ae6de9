// RAII holders for host resources: every string, set, string list and
// argument list the add-on receives is given back on every path.
#pragma once

#include "QORADDON.h"

#include <memory>
#include <string>

namespace quorvin::builder {

struct HostStringDeleter {
    void operator()(char *s) const {
        if (s)
            QorUtilStringDealloc(&s);
    }
};
// A string the host allocated; freed with QorUtilStringDealloc.
using HostString = std::unique_ptr<char, HostStringDeleter>;

struct HostSetDeleter {
    void operator()(Set_pa set) const {
        if (set)
            QorUtilSetDealloc(&set);
    }
};
using HostSet = std::unique_ptr<QorSet_s, HostSetDeleter>;

struct HostArgListDeleter {
    void operator()(ArgList_pa list) const {
        if (list)
            QorUtilArgListDealloc(&list);
    }
};
using HostArgList = std::unique_ptr<QorArgList_s, HostArgListDeleter>;

// Reads a host string into a HostString; null when the call fails.
inline HostString CurrentFrameName() {
    char *name = nullptr;
    if (!QorUtilFrameGetName(&name))
        return HostString(nullptr);
    return HostString(name);
}

inline HostString TextString(Text_ID text) {
    char *s = nullptr;
    if (!QorUtilTextGetString(text, &s))
        return HostString(nullptr);
    return HostString(s);
}

inline HostString TextCommand(Text_ID text) {
    char *s = nullptr;
    if (!QorUtilTextGetMacroFunctionCmd(text, &s))
        return HostString(nullptr);
    return HostString(s);
}

inline HostString GeomCommand(Geom_ID geom) {
    char *s = nullptr;
    if (!QorUtilGeomGetMacroFunctionCmd(geom, &s))
        return HostString(nullptr);
    return HostString(s);
}

// A copy of a possibly null host string ("" for null).
inline std::string ToStdString(const HostString &s) {
    return s ? std::string(s.get()) : std::string();
}

// Starts the add-on lock for the length of one callback.
struct LockGuard {
    explicit LockGuard(AddOn_pa addOn) : addOn_(addOn) { QorUtilLockStart(addOn_); }
    ~LockGuard() { QorUtilLockFinish(addOn_); }
    LockGuard(const LockGuard &) = delete;
    LockGuard &operator=(const LockGuard &) = delete;

  private:
    AddOn_pa addOn_;
};

// Switches drawing off for a walk and back on at its end.
struct DrawingOff {
    DrawingOff() { QorUtilDrawGraphics(FALSE); }
    ~DrawingOff() { QorUtilDrawGraphics(TRUE); }
    DrawingOff(const DrawingOff &) = delete;
    DrawingOff &operator=(const DrawingOff &) = delete;
};

} // namespace quorvin::builder
