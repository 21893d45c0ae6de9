// Design checks: the problems of the layout in the host's workspace that the
// build would refuse or warn about, and those the compilers would refuse
// later, found before anything is written. qgb check prints them; the studio
// shows them beside the design.
#pragma once

#include <string>
#include <vector>

namespace qgb {

struct Finding {
    enum class Severity { Error, Warning };
    Severity severity = Severity::Warning;
    int frameIndex = 0;      // place in qgb info's list (1 = bottom), 0: the whole layout
    std::string frameName;   // the frame's name
    std::string control;     // the control's identifier, empty when it has none
    std::string controlText; // the control's text (an image's file name)
    std::string key;         // the frame-name or command key concerned, if any
    std::string message;     // what is wrong
    std::string advice;      // what to do
};

const char *SeverityName(Finding::Severity severity); // "error", "warning"

// Checks every frame of the workspace. language: 0 C, 1 C++, 2 FORTRAN,
// 3 Qt; -1 takes the add-on's settings (read beforehand from dlb.cfg). The
// frame that was current stays current; nothing is shown to the user.
std::vector<Finding> CheckDesign(int language = -1);

} // namespace qgb
