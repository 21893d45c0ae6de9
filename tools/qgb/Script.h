// qgb run: a small line-based script language that drives the reference host
// as a person would (docs/scripts.md).
#pragma once

#include "Session.h"

#include <map>
#include <string>
#include <vector>

namespace qgb {

// The words of one script line: blanks separate them, a double-quoted word
// may hold blanks and the escapes \" \\ \n \t. ${NAME} is replaced by a
// variable (or an environment variable). False with a reason on bad quoting
// or an unknown variable.
bool SplitScriptLine(const std::string &line, const std::map<std::string, std::string> &variables,
                     std::vector<std::string> &words, std::string &error);

// Runs the script; exit code 0 when every line succeeded, 1 at the first
// failing line (reported as "SCRIPT:LINE: error: ...").
int RunScript(const GlobalOptions &options, const std::string &scriptPath,
              const std::map<std::string, std::string> &variables);

} // namespace qgb
