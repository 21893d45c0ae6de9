// Qt's own tools and the compiler, as found when the tests were configured,
// for checking written Qt files (tests skip themselves without Qt).
#pragma once

#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace qgbtest {

#if !defined(QGB_QT_UIC)
#define QGB_QT_UIC ""
#define QGB_QT_MOC ""
#define QGB_QT_RCC ""
#define QGB_QT_INCLUDES ""
#define QGB_QT_LIBRARIES ""
#define QGB_CXX ""
#endif
constexpr bool kHaveQt = sizeof(QGB_QT_UIC) > 1;
inline const char *const kUic = QGB_QT_UIC;
inline const char *const kMoc = QGB_QT_MOC;
inline const char *const kRcc = QGB_QT_RCC;
inline const char *const kQtIncludes = QGB_QT_INCLUDES;
inline const char *const kQtLibraries = QGB_QT_LIBRARIES;
inline const char *const kCxx = QGB_CXX;

struct Result {
    int status = -1;
    std::string output; // standard output and error together (or only output)
};
// Runs a command, each word quoted for the shell.
inline Result RunCommand(const std::vector<std::string> &command, bool withErrors = true) {
    std::string line;
    for (const std::string &word : command)
        line += Quote(word) + " ";
    Result result;
    result.status = Capture(line + (withErrors ? "2>&1" : "2>/dev/null"), &result.output);
    return result;
}

inline std::vector<std::string> Split(const std::string &text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

inline std::vector<std::filesystem::path> FilesWithExtension(const std::filesystem::path &directory,
                                                             const std::string &ext) {
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(directory))
        if (entry.is_regular_file() && entry.path().extension() == ext)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

inline std::filesystem::path FixtureDirectory() {
    return std::filesystem::path(QGB_SOURCE_DIR) / "tests/fixtures/qt";
}
inline std::filesystem::path QtSdkDirectory() {
    return std::filesystem::path(QGB_SOURCE_DIR) / "sdk/qt";
}

// The flags that compile a project's generated files (its root as QtFixture
// lays it out) against the SDK and Qt 5 Widgets.
inline std::vector<std::string> QtCompileFlags(const std::filesystem::path &root) {
    const std::string sdk = std::string(QGB_SOURCE_DIR) + "/sdk";
    std::vector<std::string> flags = {"-std=c++17",
                                      "-fPIC",
                                      "-O0",
                                      "-I" + sdk,
                                      "-I" + QtSdkDirectory().string(),
                                      "-I" + (root / "ui" / "mainwindow" / "qt").string()};
    for (const auto &dir : std::filesystem::directory_iterator(root / "ui" / "dialogs"))
        flags.push_back("-I" + dir.path().string());
    for (const std::string &dir : Split(kQtIncludes, '|'))
        flags.push_back("-I" + dir);
    return flags;
}

// Runs a Qt tool (uic, moc, rcc) on a file, writing the output file; the tool
// must succeed without a word.
inline void ExpectToolAccepts(const char *tool, const std::filesystem::path &input,
                              const std::filesystem::path &output) {
    const Result result = RunCommand({tool, input.string(), "-o", output.string()});
    ASSERT_EQ(result.status, 0) << input << ":\n" << result.output;
    EXPECT_EQ(result.output, "") << input;
}

// Compiles one translation unit into an object file, with the extra flags
// before the project's.
inline void CompileAgainstQt(const std::filesystem::path &root, const std::filesystem::path &source,
                             const std::filesystem::path &object,
                             const std::vector<std::string> &extraFlags = {}) {
    std::vector<std::string> command = {kCxx, "-c", source.string(), "-o", object.string()};
    command.insert(command.end(), extraFlags.begin(), extraFlags.end());
    for (const std::string &flag : QtCompileFlags(root))
        command.push_back(flag);
    const Result result = RunCommand(command);
    ASSERT_EQ(result.status, 0) << "compiling " << source << ":\n" << result.output;
}

} // namespace qgbtest
