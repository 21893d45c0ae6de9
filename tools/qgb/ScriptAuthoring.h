// Script commands that lay out a design: place and size texts and
// geometries, set a text's string and a macro-function command, set a frame's
// name or one key of it. Each is one call of the host's authoring API.
#pragma once

#include "QORTYPES.h"

#include <optional>
#include <string>
#include <vector>

namespace qgb {

// A text of the current frame as a script names it: "#3" (the third, from
// 1), its whole string, or a part of it that only one text's string
// contains. Null with *error saying why; several matches are listed.
Text_ID FindScriptText(const std::string &name, std::string &error);
// A geometry of the current frame: "#3" or "3".
Geom_ID FindScriptGeom(const std::string &name, std::string &error);

// The commands below, for "did you mean".
const std::vector<std::string> &AuthoringVerbs();

// Runs words when they are an authoring command: nullopt when words[0] is not
// one, "" when it succeeded, otherwise what went wrong.
std::optional<std::string> RunAuthoringCommand(const std::vector<std::string> &words);

// The frame name with KEY set to value (replaced in place, or appended); an
// empty value removes the key. Keys match without regard to case.
std::string SetFrameNameKey(const std::string &name, const std::string &key,
                            const std::string &value);

} // namespace qgb
