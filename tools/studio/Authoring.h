// The editing a person does on the paper, as authoring calls of the driving API: move a
// picked text or geometry, set a text's string or macro-function command, set
// a frame's name. Each is one host command; false with *error when refused.
#pragma once

#include "quorvin/Host.h"

#include <string>

namespace studio {

// Moves a text or geometry of the current frame by (dx, dy) paper inches.
bool moveObject(const quorvin::host::Host::PickedObject &object, double dx, double dy,
                std::string *error);
bool setTextString(uint64_t text, const std::string &value, std::string *error);
bool setTextCommand(uint64_t text, const std::string &value, std::string *error);
bool setFrameName(UniqueID_t frame, const std::string &value, std::string *error);

} // namespace studio
