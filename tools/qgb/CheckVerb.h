// qgb check: the design's problems before anything is written.
#pragma once

#include "Session.h"

#include <optional>
#include <string>

namespace qgb {

// Prints every finding (text, or JSON with json set); exit 1 when one is an error.
int RunCheck(const GlobalOptions &options, const std::string &layoutPath,
             std::optional<int32_t> language, bool json);

} // namespace qgb
