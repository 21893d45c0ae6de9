// Hooks of the studio block of the driving API that the SDK implementation
// consults (StudioDriving.cpp). Internal to host/src.
#pragma once

#include "HostImpl.h"

namespace quorvin::host {

// When nothing is queued and a prompter is set, asks it and queues its answer.
void promptForAnswer(Host::Impl &impl, const std::string &text, MessageBoxType_e type);
void promptForFileName(Host::Impl &impl, SelectFileOption_e option, const char *typeName,
                       const char *defaultName, const char *filter);
void promptForColor(Host::Impl &impl);

} // namespace quorvin::host
