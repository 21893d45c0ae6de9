// Usage checks that come before the command line parser: an unknown verb or
// option is named with the nearest valid one, and qgb --version.
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace qgb {

// The candidate nearest to word by edit distance, or "" when none is close
// enough to be a likely slip.
std::string NearestWord(const std::string &word, const std::vector<std::string> &candidates);

// "unknown verb "biuld"; did you mean "build"?" style text.
std::string UnknownWordText(const char *what, const std::string &word,
                            const std::vector<std::string> &candidates);

// Checks argv against the verbs and options app knows. Returns -1 when the
// parser may go on, or the exit code (2) after printing the error.
int CheckCommandLine(CLI::App &app, int argc, char **argv);

// What "qgb --version" prints: qgb, the add-on and the SDK it talks to.
std::string VersionText();

} // namespace qgb
