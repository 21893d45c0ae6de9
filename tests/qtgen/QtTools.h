// Qt's own tools and the compiler, as found when the tests were configured,
// for checking written Qt files (tests skip themselves without Qt).
#pragma once

#include "QtTestSupport.h"

#include <algorithm>
#include <sstream>

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
inline const char *const kCxx = QGB_CXX;
inline const fs::path kQtSdk = fs::path(QGB_SOURCE_DIR) / "sdk" / "qt";

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

// The parts of a list joined by "|" (as the build passes them), each after
// the prefix, at the end of the words.
inline void AppendList(std::vector<std::string> &words, const std::string &list,
                       const std::string &prefix = "") {
    std::istringstream in(list);
    for (std::string part; std::getline(in, part, '|');)
        if (!part.empty())
            words.push_back(prefix + part);
}

inline std::vector<fs::path> FilesWithExtension(const fs::path &directory, const std::string &ext) {
    std::vector<fs::path> files;
    for (const auto &entry : fs::recursive_directory_iterator(directory))
        if (entry.is_regular_file() && entry.path().extension() == ext)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Runs a Qt tool (uic, moc, rcc) on a file, writing the output file; the tool
// must succeed without a word.
inline void ExpectToolAccepts(const char *tool, const fs::path &input, const fs::path &output) {
    const Result result = RunCommand({tool, input.string(), "-o", output.string()});
    ASSERT_EQ(result.status, 0) << input << ":\n" << result.output;
    EXPECT_EQ(result.output, "") << input;
}

// Compiles one translation unit of a project (its root as QtFixture lays it
// out) into an object file against the SDK and Qt 5 Widgets, with the extra
// flags before the project's.
inline void CompileAgainstQt(const fs::path &root, const fs::path &source, const fs::path &object,
                             const std::vector<std::string> &extraFlags = {}) {
    std::vector<std::string> command = {kCxx, "-c", source.string(), "-o", object.string()};
    command.insert(command.end(), extraFlags.begin(), extraFlags.end());
    for (const fs::path &dir :
         {fs::path(QGB_SOURCE_DIR) / "sdk", kQtSdk, root / "ui" / "mainwindow" / "qt"})
        command.push_back("-I" + dir.string());
    for (const auto &dir : fs::directory_iterator(root / "ui" / "dialogs"))
        command.push_back("-I" + dir.path().string());
    AppendList(command, QGB_QT_INCLUDES, "-I");
    command.insert(command.end(), {"-std=c++17", "-fPIC", "-O0"});
    const Result result = RunCommand(command);
    ASSERT_EQ(result.status, 0) << "compiling " << source << ":\n" << result.output;
}

} // namespace qgbtest
