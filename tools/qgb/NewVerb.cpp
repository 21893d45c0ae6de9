#include "NewVerb.h"

#include "BuildVerb.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace qgb {

namespace fs = std::filesystem;

namespace {

constexpr const char *kLayout = "design/greeting.lay.json";

// The template with every {{KEY}} replaced.
std::string Filled(const std::string &name, const std::map<std::string, std::string> &values) {
    std::string text = StarterTemplates().at(name);
    for (const auto &[key, value] : values) {
        const std::string marker = "{{" + key + "}}";
        for (size_t at = text.find(marker); at != std::string::npos;
             at = text.find(marker, at + value.size()))
            text.replace(at, marker.size(), value);
    }
    return text;
}

bool Write(const fs::path &path, const std::string &text) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        PrintError("cannot write " + path.string());
        return false;
    }
    return true;
}

// The project's name as CMake and the linker take it: the folder's name
// with every character that is not a letter, digit or '_' made '_'.
std::string ProjectName(const fs::path &directory) {
    std::string name = fs::absolute(directory).lexically_normal().filename().string();
    if (name.empty())
        name = fs::absolute(directory).lexically_normal().parent_path().filename().string();
    for (char &c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            c = '_';
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0])))
        name = "addon_" + name;
    return name;
}

// Builds a copy of the design as "Go Build" does and reads what the build
// wrote: the stubs (guicb.tmp) and the dlb.cfg that records the language.
bool FirstBuild(const GlobalOptions &options, const fs::path &layout, int32_t language,
                std::string &stubs, std::string &config) {
    char pattern[] = "/tmp/qgb-new-XXXXXX";
    if (!::mkdtemp(pattern)) {
        PrintError("cannot make a temporary folder for the first build");
        return false;
    }
    const fs::path work = fs::path(pattern) / "design";
    std::error_code ec;
    fs::create_directories(work.parent_path() / "ui" / "mainwindow" / "qt", ec);
    fs::create_directories(work, ec);
    fs::copy_file(layout, work / layout.filename(), ec);
    // The build lists the files it wrote; the starter shows only its own.
    std::ostringstream listed;
    std::streambuf *saved = std::cout.rdbuf(listed.rdbuf());
    const int status = RunBuild(options, (work / layout.filename()).string(), language);
    std::cout.rdbuf(saved);
    bool ok = status == kExitSuccess;
    if (ok) {
        std::ifstream cfg(work / "dlb.cfg", std::ios::binary);
        config.assign(std::istreambuf_iterator<char>(cfg), {});
        if (language != 3) {
            std::ifstream in(work / "guicb.tmp", std::ios::binary);
            stubs.assign(std::istreambuf_iterator<char>(in), {});
            ok = !stubs.empty();
        }
    }
    if (!ok)
        PrintError("the first build of the starter design failed");
    fs::remove_all(pattern, ec);
    return ok;
}

} // namespace

void AddNewVerb(CLI::App &app, NewArgs &args) {
    args.command = app.add_subcommand("new", "Make a starter add-on project in DIR");
    args.command->footer(
        "Writes a project that builds and runs at once: a design with one modal dialog\n"
        "(design/greeting.lay.json), the add-on's own headers, the add-on's source (its entry\n"
        "point registers it, adds Tools > Greeting and launches the dialog), the callbacks\n"
        "file made from the first build's stubs, a CMakeLists.txt that uses the installed\n"
        "QuorvinGuiBuilder package, a qgb script that runs it and a README. For Qt: a\n"
        "main.cpp and the ui/mainwindow/qt folder instead of the add-on files. DIR must be\n"
        "new or empty.");
    args.command->add_option("DIR", args.directory, "The project's folder (new or empty)")
        ->required();
    args.command->add_option("--language", args.language, "c, cpp, fortran or qt")
        ->check(CLI::IsMember({"c", "cpp", "fortran", "qt"}, CLI::ignore_case))
        ->capture_default_str();
}

int RunNew(const GlobalOptions &options, const NewArgs &args) {
    const fs::path dir(args.directory);
    std::error_code ec;
    if (fs::exists(dir, ec) && (!fs::is_directory(dir, ec) || !fs::is_empty(dir, ec))) {
        PrintError(dir.string() + " is not an empty folder: qgb new writes a project only into "
                                  "a new or empty folder, so nothing of yours is overwritten");
        return kExitFailure;
    }
    const std::optional<int32_t> language = ParseLanguage(args.language);
    const std::string word = [&] {
        std::string w = args.language;
        for (char &c : w)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return w;
    }();
    const bool qt = word == "qt", fortran = word == "fortran";
    const std::string ext = word == "c" ? "c" : word == "cpp" ? "cpp" : fortran ? "F" : "cpp";
    const std::string name = ProjectName(dir);
    const std::map<std::string, std::string> values = {
        {"NAME", name},
        {"EXT", ext},
        {"LANGUAGE", word},
        {"LANGUAGES", word == "c" ? "C" : fortran ? "C Fortran" : "C CXX"},
        {"LANGUAGE_NAME", word == "c" ? "C" : fortran ? "FORTRAN" : "C++"},
        {"KIND", fortran ? "OBJECT" : "MODULE"}};

    fs::create_directories(dir / "design", ec);
    if (ec) {
        PrintError("cannot make " + (dir / "design").string() + ": " + ec.message());
        return kExitFailure;
    }
    if (!Write(dir / kLayout, StarterTemplates().at("greeting.lay.json")))
        return kExitFailure;
    std::string stubs, config;
    if (!FirstBuild(options, dir / kLayout, *language, stubs, config))
        return kExitFailure;
    bool ok = Write(dir / "design" / "dlb.cfg", config);
    if (qt) {
        fs::create_directories(dir / "ui" / "mainwindow" / "qt", ec);
        ok = ok && Write(dir / "main.cpp", Filled("main-qt.cpp", values)) &&
             Write(dir / "callbacks.cpp", StarterTemplates().at("callbacks-qt.cpp")) &&
             Write(dir / "CMakeLists.txt", Filled("CMakeLists-qt.txt", values)) &&
             Write(dir / "README.md", Filled("README-qt.md", values));
    } else {
        if (fortran)
            ok = ok && Write(dir / "ADDGLBL.INC", StarterTemplates().at("ADDGLBL.INC")) &&
                 Write(dir / "FGLUE.INC", StarterTemplates().at("FGLUE.INC")) &&
                 Write(dir / "addon.F", Filled("addon.F", values));
        else
            ok = ok && Write(dir / "ADDGLBL.h", StarterTemplates().at("ADDGLBL.h")) &&
                 Write(dir / ("addon." + ext), Filled("addon.c", values));
        ok = ok && Write(dir / ("callbacks." + ext), stubs) &&
             Write(dir / "CMakeLists.txt", Filled("CMakeLists-classic.txt", values)) &&
             Write(dir / "greeting.qgb", Filled("greeting.qgb", values)) &&
             Write(dir / "README.md", Filled("README-classic.md", values));
    }
    if (!ok)
        return kExitFailure;
    std::cout << "A " << values.at("LANGUAGE_NAME") << (qt ? " (Qt)" : "") << " project "
              << name << " is in " << dir.string() << "; see its README.md\n";
    return kExitSuccess;
}

} // namespace qgb
