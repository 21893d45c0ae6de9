#include "StarterSupport.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace qgbtest {

std::string Quote(const std::string &word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

int Shell(const std::string &command, std::string *output) {
    FILE *pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return -1;
    std::array<char, 4096> buffer;
    std::string text;
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        text.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    if (output)
        *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Slurp(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void Spit(const fs::path &path, const std::string &text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

void TempFolderTest::SetUp() {
    std::random_device random;
    dir = fs::temp_directory_path() / ("qgb-starter-" + std::to_string(random()));
    fs::create_directories(dir);
}

void TempFolderTest::TearDown() {
    std::error_code ec;
    if (!HasFailure())
        fs::remove_all(dir, ec);
}

} // namespace qgbtest
