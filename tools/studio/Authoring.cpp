// Placeholder until the authoring calls of the driving API are merged.
#include "Authoring.h"

namespace studio {

bool moveObject(const quorvin::host::Host::PickedObject &, double, double, std::string *error) {
    *error = "moving objects needs the authoring calls of the driving API";
    return false;
}
bool setTextString(uint64_t, const std::string &, std::string *error) {
    *error = "editing texts needs the authoring calls of the driving API";
    return false;
}
bool setTextCommand(uint64_t, const std::string &, std::string *error) {
    *error = "editing texts needs the authoring calls of the driving API";
    return false;
}
bool setFrameName(UniqueID_t, const std::string &, std::string *error) {
    *error = "naming frames needs the authoring calls of the driving API";
    return false;
}

} // namespace studio
