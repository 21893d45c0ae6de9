// The build command: turns the whole design into source files (or, with the
// preview flag, into one live dialog).
#pragma once

#include <cstdint>

namespace quorvin::builder {

// language: 0 C, 1 C++, 2 FORTRAN, 3 Qt. Every outcome is reported to the
// user through the host; the caller holds the add-on lock.
void GoBuild(int32_t language, bool preview);

} // namespace quorvin::builder
