// Runs the qgb tool as a user does, for the check area's tests.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace qgbtest {

// Runs qgb with the arguments; its exit status, standard output in *out.
inline int RunQgb(const std::string &arguments, std::string *out) {
    out->clear();
    FILE *pipe =
        ::popen((std::string(QGB_CLI_PATH) + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out->append(buffer, n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace qgbtest
