#include "CallbacksVerb.h"

#include "options/Options.h"
#include "model/Settings.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

namespace qgb {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;

namespace {

// One definition of the generated callback file: a stub ("NAME_CB") or, in
// C and C++, an option list ("NAME_List"), with its exact text.
struct Unit {
    std::string name;
    std::string text;
};

bool ReadWhole(const fs::path &path, std::string &out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    out = content.str();
    return true;
}

// Writes beside the file and renames over it, keeping its mode: a failed
// write leaves the user's file as it was.
bool WriteReplacing(const fs::path &path, const std::string &text, std::string &error) {
    const fs::path temporary = path.string() + ".qgb-new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            error = "cannot write " + temporary.string();
            return false;
        }
    }
    std::error_code ec;
    if (fs::exists(path, ec))
        fs::permissions(temporary, fs::status(path, ec).permissions(), ec);
    fs::rename(temporary, path, ec);
    if (ec) {
        fs::remove(temporary, ec);
        error = "cannot replace " + path.string() + ": " + ec.message();
        return false;
    }
    return true;
}

// The text with C comments blanked out (offsets kept), so that a stub the
// user commented out does not count as defined.
std::string WithoutCComments(std::string text) {
    size_t i = 0;
    while (i + 1 < text.size()) {
        if (text[i] == '"' || text[i] == '\'') {
            const char quote = text[i++];
            while (i < text.size() && text[i] != quote && text[i] != '\n')
                i += text[i] == '\\' ? 2 : 1;
            ++i;
        } else if (text[i] == '/' && text[i + 1] == '*') {
            const size_t end = text.find("*/", i + 2);
            const size_t stop = end == std::string::npos ? text.size() : end + 2;
            for (; i < stop; ++i)
                if (text[i] != '\n')
                    text[i] = ' ';
        } else if (text[i] == '/' && text[i + 1] == '/') {
            for (; i < text.size() && text[i] != '\n'; ++i)
                text[i] = ' ';
        } else {
            ++i;
        }
    }
    return text;
}

// FORTRAN fixed form: a comment line starts with C, c, * or ! in column 1.
bool FortranComment(const std::string &line) {
    return !line.empty() && (line[0] == 'C' || line[0] == 'c' || line[0] == '*' || line[0] == '!');
}

// The names a C or C++ file defines: callbacks (a "NAME_CB(...)" head
// followed by a body, not a declaration) and option lists.
std::set<std::string> DefinedInC(const std::string &file) {
    const std::string text = WithoutCComments(file);
    std::set<std::string> names;
    static const std::regex head(
        R"((?:^|\n)[ \t]*(?:static[ \t]+)?(?:void|GUIInt_t)[ \t]+(\w+_CB)[ \t]*\()");
    for (std::sregex_iterator it(text.begin(), text.end(), head), end; it != end; ++it) {
        const size_t close = text.find(')', static_cast<size_t>(it->position(0) + it->length(0)));
        if (close == std::string::npos)
            continue;
        const size_t next = text.find_first_not_of(" \t\r\n", close + 1);
        if (next != std::string::npos && text[next] == '{')
            names.insert((*it)[1]);
    }
    static const std::regex list(
        R"((?:^|\n)[ \t]*(?:static[ \t]+)?(?:const[ \t]+)?char[ \t]*\*[ \t]*(?:const[ \t]+)?(\w+_List)\b)");
    for (std::sregex_iterator it(text.begin(), text.end(), list), end; it != end; ++it)
        names.insert((*it)[1]);
    return names;
}

// The logical lines of a FORTRAN file (continuation lines joined), each
// with the offset of its first line and the offset after its last.
struct LogicalLine {
    std::string text;
    size_t begin, end;
};

std::vector<LogicalLine> FortranLines(const std::string &file) {
    std::vector<LogicalLine> lines;
    size_t at = 0;
    while (at < file.size()) {
        size_t eol = file.find('\n', at);
        eol = eol == std::string::npos ? file.size() : eol + 1;
        std::string line = file.substr(at, eol - at);
        const bool continuation = line.size() > 6 && !FortranComment(line) &&
                                  line.compare(0, 5, "     ") == 0 && line[5] != ' ' &&
                                  line[5] != '\t' && line[5] != '\n';
        if (continuation && !lines.empty() && !FortranComment(lines.back().text)) {
            lines.back().text += line.substr(6);
            lines.back().end = eol;
        } else {
            lines.push_back({line, at, eol});
        }
        at = eol;
    }
    return lines;
}

// "NAME_CB" when the logical line opens a FORTRAN callback.
std::string FortranCallbackHead(const LogicalLine &line) {
    if (FortranComment(line.text))
        return "";
    static const std::regex head(
        R"(^[ \t]+(?:SUBROUTINE|(?:INTEGER\*4[ \t]+)?FUNCTION)[ \t]+(\w+_CB)[ \t]*\()",
        std::regex::icase);
    std::smatch m;
    return std::regex_search(line.text, m, head) ? m[1].str() : "";
}

bool FortranEnd(const LogicalLine &line) {
    if (FortranComment(line.text))
        return false;
    std::string word;
    for (char c : line.text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            word += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return word == "END";
}

// The stubs (and option lists) of the generated callback file, in order.
std::vector<Unit> GeneratedUnits(const std::string &file, bool fortran) {
    std::vector<Unit> units;
    if (fortran) {
        const std::vector<LogicalLine> lines = FortranLines(file);
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string name = FortranCallbackHead(lines[i]);
            if (name.empty())
                continue;
            size_t j = i;
            while (j + 1 < lines.size() && !FortranEnd(lines[j]))
                ++j;
            units.push_back({name, file.substr(lines[i].begin, lines[j].end - lines[i].begin)});
            i = j;
        }
        return units;
    }
    static const std::regex unit(
        R"(/\*\*\n \*/\nstatic (?:void|GUIInt_t) +(\w+_CB)\(|\nchar \*(\w+_List) = )");
    for (std::sregex_iterator it(file.begin(), file.end(), unit), end; it != end; ++it) {
        if ((*it)[1].matched) {
            const size_t begin = static_cast<size_t>(it->position(0));
            const size_t close = file.find("\n}\n", begin);
            if (close == std::string::npos)
                continue;
            units.push_back({(*it)[1], file.substr(begin, close + 3 - begin)});
        } else {
            const size_t begin = static_cast<size_t>(it->position(0)) + 1;
            const size_t eol = file.find('\n', begin);
            units.push_back(
                {(*it)[2], file.substr(begin, eol == std::string::npos ? std::string::npos
                                                                       : eol + 1 - begin)});
        }
    }
    return units;
}

const char *BuilderFile(int32_t language) {
    switch (language) {
    case qb::LanguageC:
        return "guibld.c";
    case qb::LanguageCPP:
        return "guibld.cpp";
    default:
        return "guibld.F";
    }
}

// Where the line that includes the builder file starts, or npos: the last
// such line of the file.
size_t IncludeLine(const std::string &file, const std::string &builder, size_t &lineEnd) {
    static const std::regex include(
        R"((?:^|\n)([ \t]*#?[ \t]*include[ \t]*["']([^"'\n]+)["'][ \t]*\r?(?:\n|$)))",
        std::regex::icase);
    size_t found = std::string::npos;
    for (std::sregex_iterator it(file.begin(), file.end(), include), end; it != end; ++it) {
        if ((*it)[2] != builder)
            continue;
        found = static_cast<size_t>(it->position(1));
        lineEnd = found + static_cast<size_t>(it->length(1));
    }
    return found;
}

bool OnlyBlanks(const std::string &text, size_t from) {
    return text.find_first_not_of(" \t\r\n", from) == std::string::npos;
}

// Replaces the user's file with the merged text unless nothing changed, and
// says which it did.
int WriteMerged(const fs::path &into, const std::string &merged, const std::string &user,
                bool existed) {
    if (existed && merged == user) {
        std::cout << into.string() << " is up to date\n";
        return kExitSuccess;
    }
    std::string error;
    if (!WriteReplacing(into, merged, error)) {
        PrintError(error);
        return kExitFailure;
    }
    std::cout << (existed ? "merged into " : "created ") << into.string() << "\n";
    return kExitSuccess;
}

int Merge(const fs::path &generatedPath, const fs::path &into, int32_t language) {
    std::string generated;
    if (!ReadWhole(generatedPath, generated)) {
        PrintError("cannot read " + generatedPath.string() + ": build the layout first");
        return kExitFailure;
    }
    const std::string builder = BuilderFile(language);
    size_t generatedIncludeEnd = 0;
    const size_t generatedInclude = IncludeLine(generated, builder, generatedIncludeEnd);
    if (generatedInclude == std::string::npos) {
        PrintError(generatedPath.string() + " does not include " + builder +
                   ": it was written for another language than the layout's dlb.cfg gives; "
                   "build the layout again");
        return kExitFailure;
    }
    std::error_code ec;
    if (!fs::exists(into, ec)) {
        std::string error;
        if (!WriteReplacing(into, generated, error)) {
            PrintError(error);
            return kExitFailure;
        }
        std::cout << "created " << into.string() << " from " << generatedPath.string() << "\n";
        return kExitSuccess;
    }
    std::string user;
    if (!ReadWhole(into, user)) {
        PrintError("cannot read " + into.string());
        return kExitFailure;
    }

    const bool fortran = language == qb::LanguageFORTRAN;
    const std::vector<Unit> units = GeneratedUnits(generated, fortran);
    std::set<std::string> defined;
    if (fortran) {
        for (const LogicalLine &line : FortranLines(user)) {
            const std::string name = FortranCallbackHead(line);
            if (!name.empty())
                defined.insert(name);
        }
    } else {
        defined = DefinedInC(user);
    }

    std::string added;
    std::set<std::string> generatedNames;
    for (const Unit &unit : units) {
        generatedNames.insert(unit.name);
        if (defined.count(unit.name))
            continue;
        added += unit.text + (fortran ? "\n\n" : "\n\n\n");
        defined.insert(unit.name);
        std::cout << "added " << unit.name << "\n";
    }
    for (const std::string &name : defined)
        if (!generatedNames.count(name))
            std::cout << "kept " << name << ": the design no longer generates it\n";

    // The new stubs go just before the include of the builder file, which
    // stays the file's last line.
    std::string merged = user;
    const std::string includeText =
        generated.substr(generatedInclude, generatedIncludeEnd - generatedInclude);
    size_t userIncludeEnd = 0;
    const size_t userInclude = IncludeLine(user, builder, userIncludeEnd);
    if (userInclude != std::string::npos && OnlyBlanks(user, userIncludeEnd)) {
        merged.insert(userInclude, added);
    } else {
        if (userInclude != std::string::npos) {
            merged.erase(userInclude, userIncludeEnd - userInclude);
            std::cout << "moved the include of " << builder << " to the end\n";
        }
        if (!merged.empty() && merged.back() != '\n')
            merged += '\n';
        merged += (added.empty() ? "" : "\n\n") + added + includeText;
        if (merged.back() != '\n')
            merged += '\n';
    }
    return WriteMerged(into, merged, user, true);
}

// The callbacks the Qt build's class headers declare ("extern void
// NAME_CB(...);"), each as a stub that compiles: in the order met, the files
// in path order.
std::vector<Unit> QtUnits(const fs::path &uiFolder) {
    std::vector<fs::path> headers;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(uiFolder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".h")
            headers.push_back(it->path());
    std::sort(headers.begin(), headers.end());
    static const std::regex declaration(R"(extern\s+(void|GUIInt_t)\s+(\w+_CB)\s*\(([^)]*)\)\s*;)");
    std::vector<Unit> units;
    std::set<std::string> seen;
    for (const fs::path &header : headers) {
        std::string text;
        if (!ReadWhole(header, text))
            continue;
        for (std::sregex_iterator it(text.begin(), text.end(), declaration), end; it != end; ++it) {
            const std::string result = (*it)[1], name = (*it)[2];
            std::string parameter = (*it)[3];
            parameter.erase(std::remove(parameter.begin(), parameter.end(), ' '), parameter.end());
            if (!seen.insert(name).second)
                continue;
            std::string head = result + " " + name + "(";
            if (parameter == "constchar*")
                head += "const char *text";
            else if (parameter == "constGUIInt_t*")
                head += "const GUIInt_t *value";
            else if (!parameter.empty() && parameter != "void")
                head += (*it)[3].str() + " /* value */";
            head += ")";
            std::string body = "{\n";
            if (parameter == "constchar*")
                body += "    (void)text;\n";
            else if (parameter == "constGUIInt_t*")
                body += "    (void)value;\n";
            if (result == "GUIInt_t")
                body += "    return 1;\n";
            units.push_back(
                {name, "// Added by qgb callbacks merge.\n" + head + "\n" + body + "}\n"});
        }
    }
    return units;
}

// Qt: the stubs FILE lacks are appended at its end (there is no builder
// file to include).
int MergeQt(const fs::path &uiFolder, const fs::path &into) {
    const std::vector<Unit> units = QtUnits(uiFolder);
    if (units.empty()) {
        PrintError("no callbacks are declared below " + uiFolder.string() +
                   ": build the layout first");
        return kExitFailure;
    }
    std::string user;
    std::error_code ec;
    const bool existed = fs::exists(into, ec);
    if (existed && !ReadWhole(into, user)) {
        PrintError("cannot read " + into.string());
        return kExitFailure;
    }
    if (!existed)
        user = "// The callbacks of the Qt dialogs, from the first build's declarations.\n"
               "#include \"QorGUICallbackUtil.h\"\n";
    const std::set<std::string> defined = DefinedInC(user);
    std::string merged = user;
    std::set<std::string> generatedNames;
    for (const Unit &unit : units) {
        generatedNames.insert(unit.name);
        if (defined.count(unit.name))
            continue;
        if (!merged.empty() && merged.back() != '\n')
            merged += '\n';
        merged += "\n" + unit.text;
        std::cout << "added " << unit.name << "\n";
    }
    for (const std::string &name : defined)
        if (!generatedNames.count(name))
            std::cout << "kept " << name << ": the design no longer generates it\n";
    return WriteMerged(into, merged, user, existed);
}

} // namespace

void AddCallbacksVerb(CLI::App &app, CallbacksArgs &args) {
    args.command = app.add_subcommand("callbacks", "Keep your callback code across builds");
    args.command->require_subcommand(1);
    args.merge = args.command->add_subcommand(
        "merge", "Append the stubs of the last build that FILE lacks, keeping FILE's code");
    args.merge->footer(
        "Reads the stubs of the last build (guicb.tmp beside LAYOUT) and FILE, your callbacks\n"
        "file (C, C++ or FORTRAN, by the language in the layout's dlb.cfg). Appends the stubs,\n"
        "and for C and C++ the option lists, that FILE lacks, just before the include of the\n"
        "builder file, which stays FILE's last line. Every function already in FILE is kept\n"
        "byte for byte; callbacks the design no longer generates are listed, never deleted.\n"
        "When FILE does not exist it becomes a copy of guicb.tmp. For Qt the stubs are made\n"
        "from the callbacks the class headers below ../ui declare, appended at FILE's end.");
    args.merge->add_option("LAYOUT", args.layout, "Layout file (JSON) of the last build")
        ->required();
    args.merge->add_option("--into", args.into, "Your callbacks file")->required();
}

int RunCallbacks(const GlobalOptions &options, const CallbacksArgs &args) {
    Session session(options);
    if (!session.loadLayout(args.layout))
        return kExitFailure;
    qb::BuilderSettings = qb::BuilderSettingsT{};
    qb::ReadConfigFile();
    const int32_t language = qb::BuilderSettings.Language;
    if (language == qb::LanguageQt) {
        // The Qt build writes its classes to ui/ beside the layout's folder.
        const fs::path layoutFolder = fs::absolute(args.layout).parent_path();
        const int status = MergeQt(layoutFolder.parent_path() / "ui", fs::path(args.into));
        return session.reportNewFaults() ? kExitFailure : status;
    }
    const fs::path generated = fs::path(args.layout).parent_path() / "guicb.tmp";
    const int status = Merge(generated, fs::path(args.into), language);
    return session.reportNewFaults() ? kExitFailure : status;
}

} // namespace qgb
