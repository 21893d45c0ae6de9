#include "Properties.h"

#include "QORADDON.h"
#include "classic/BuildState.h"
#include "classic/Emit.h"
#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Parameters.h"
#include "model/Settings.h"
#include "options/Options.h"
#include "qtgen/QtText.h"
#include "quorvin/Host.h"
#include "shell/Startup.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace qgbfuzz {

namespace {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;
using quorvin::host::Host;

Host &TheHost() {
    return Host::instance();
}

void WriteBytes(const fs::path &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// An empty directory below the scratch directory; with pictures, holding a
// copy of every picture the seed layouts name (so that their images load).
fs::path FreshDirectory(const std::string &name, bool pictures = true) {
    const fs::path dir = fs::path(ScratchDirectory()) / name;
    std::error_code error;
    fs::remove_all(dir, error);
    fs::create_directories(dir);
    if (!pictures)
        return dir;
    std::istringstream imageDirs(QGB_FUZZ_IMAGE_DIRS);
    std::string imageDir;
    while (std::getline(imageDirs, imageDir, '|')) {
        for (const fs::directory_entry &entry : fs::directory_iterator(imageDir, error)) {
            const std::string extension = entry.path().extension().string();
            if (extension == ".bmp" || extension == ".png")
                fs::copy_file(entry.path(), dir / entry.path().filename(),
                              fs::copy_options::overwrite_existing, error);
        }
    }
    return dir;
}

// A fresh host and add-on state, as at the start of a qgb run.
void ResetEverything() {
    TheHost().reset();
    TheHost().clearFaults();
    TheHost().clearMessages();
    qb::BuilderSettings = qb::BuilderSettingsT{};
    qb::AddOnHandle = nullptr;
    for (int i = 0; i < qb::kLinkGroupCount; ++i)
        qb::FormPageSets[i] = qb::TabPageSets[i] = nullptr;
    qb::BuildNameList = nullptr;
    qb::BuildState = qb::BuildStateT{};
}

// What the host says was left behind: faults, live resources, a held lock.
std::string HostInvariants() {
    Host &h = TheHost();
    std::string problems;
    for (const std::string &fault : h.faults())
        problems += "host fault: " + fault + "\n";
    for (const auto &[tag, count] : h.liveStringsByTag())
        problems += "leaked " + std::to_string(count) + " host string(s) tagged " + tag + "\n";
    if (h.liveSets() != 0)
        problems += "leaked " + std::to_string(h.liveSets()) + " host set(s)\n";
    if (h.liveStringLists() != 0)
        problems += "leaked " + std::to_string(h.liveStringLists()) + " string list(s)\n";
    if (h.liveArgLists() != 0)
        problems += "leaked " + std::to_string(h.liveArgLists()) + " argument list(s)\n";
    if (h.lockHeld())
        problems += "a lock is still held\n";
    return problems;
}

// Strings handed to the C readers end at their first NUL, as host strings do.
std::string AsCString(const std::string &bytes) {
    return std::string(bytes.c_str());
}

bool IsIdentifier(const std::string &name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
        return false;
    for (const char c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_') ||
            static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

// Reads the inside of a C "..." literal back as a compiler does; false when
// no compiler would take it (a bare quote or line break, an unknown escape,
// a trailing backslash, a trigraph).
bool ReadCLiteral(const std::string &literal, std::string &text) {
    text.clear();
    for (size_t i = 0; i < literal.size(); ++i) {
        const char c = literal[i];
        if (c == '"' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
        if (c == '?' && i + 2 < literal.size() && literal[i + 1] == '?' &&
            std::strchr("=/'()!<>-", literal[i + 2]))
            return false;
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++i == literal.size())
            return false;
        switch (literal[i]) {
        case 'n':
            text += '\n';
            break;
        case 'r':
            text += '\r';
            break;
        case 't':
            text += '\t';
            break;
        case '"':
        case '\\':
        case '?':
        case '\'':
            text += literal[i];
            break;
        default: {
            if (!IsOctal(literal[i]))
                return false;
            int value = 0;
            size_t digits = 0;
            for (; digits < 3 && i < literal.size() && IsOctal(literal[i]); ++digits, ++i)
                value = value * 8 + (literal[i] - '0');
            --i;
            if (value > 0xff)
                return false;
            text += static_cast<char>(value);
        }
        }
    }
    return true;
}

// The inside of a FORTRAN '...' string: apostrophes come in pairs.
bool ReadFortranLiteral(const std::string &literal, std::string &text) {
    text.clear();
    for (size_t i = 0; i < literal.size(); ++i) {
        const char c = literal[i];
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
        if (c == '\'' && (++i == literal.size() || literal[i] != '\''))
            return false;
        text += c;
    }
    return true;
}

// XML character data or an attribute value: no markup characters, only the
// five predefined entities, no control byte XML cannot hold.
bool ReadXmlText(const std::string &xml, std::string &text) {
    static const std::pair<const char *, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    text.clear();
    for (size_t i = 0; i < xml.size(); ++i) {
        const char c = xml[i];
        if (c == '<' || c == '>' || c == '"' || c == '\'')
            return false;
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
        if (c != '&') {
            text += c;
            continue;
        }
        bool known = false;
        for (const auto &[entity, character] : kEntities) {
            if (xml.compare(i, std::strlen(entity), entity) == 0) {
                text += character;
                i += std::strlen(entity) - 1;
                known = true;
                break;
            }
        }
        if (!known)
            return false;
    }
    return true;
}

// What each literal is meant to show. C: a typed backslash-n is a line
// break. FORTRAN: a line feed is written backslash-n, other control bytes
// as blanks. XML: control bytes it cannot hold are dropped.
std::string MeantInC(const std::string &text) {
    std::string meant;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            meant += '\n';
            ++i;
        } else {
            meant += text[i];
        }
    }
    return meant;
}

std::string MeantInFortran(const std::string &text) {
    std::string meant;
    for (const char c : text) {
        if (c == '\n')
            meant += "\\n";
        else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            meant += ' ';
        else
            meant += c;
    }
    return meant;
}

std::string MeantInXml(const std::string &text) {
    std::string meant;
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            meant += c;
    return meant;
}

std::string CheckEscapers(const std::string &text) {
    std::string read;
    const std::string c = qb::EscapeCString(text);
    if (!ReadCLiteral(c, read))
        return "C literal not valid: \"" + c + "\"";
    if (read != MeantInC(text))
        return "C literal \"" + c + "\" reads back as other text";
    const std::string fortran = qb::EscapeFortranString(text);
    if (!ReadFortranLiteral(fortran, read))
        return "FORTRAN string not valid: '" + fortran + "'";
    if (read != MeantInFortran(text))
        return "FORTRAN string '" + fortran + "' reads back as other text";
    const std::string xml = quorvin::qorutilmisc::qt::XmlEscaped(text);
    if (!ReadXmlText(xml, read))
        return "XML text not valid: " + xml;
    if (read != MeantInXml(text))
        return "XML text " + xml + " reads back as other text";
    const std::string comment = qb::CommentText(text);
    if (comment.find("*/") != std::string::npos || comment.find("/*") != std::string::npos ||
        comment.find('\n') != std::string::npos)
        return "comment text can end or open a comment: " + comment;
    return "";
}

// The parameter value found for a key lies inside the text, and the string
// value is a piece of the text right at it.
std::string CheckParameterReaders(const std::string &text, const std::string &key) {
    const int index = qb::FindParameter(text.c_str(), key.c_str());
    if (index < -1 || index >= static_cast<int>(std::max<size_t>(text.size(), 1)))
        return "FindParameter(" + key + ") gave " + std::to_string(index) + " outside the text";
    qb::HostString value(qb::GetStringTag(text.c_str(), key.c_str()));
    if ((index < 0) != !value)
        return "GetStringTag(" + key + ") disagrees with FindParameter";
    if (value) {
        const size_t start = static_cast<size_t>(index) + (text[index] == '"' ? 1 : 0);
        if (text.compare(start, std::strlen(value.get()), value.get()) != 0)
            return "GetStringTag(" + key + ") gave text that is not at its value";
    }
    qb::GetIntParameter(text.c_str(), key.c_str(), 0);
    qb::GetBoolParameter(text.c_str(), key.c_str(), true);
    qb::GetFlagParameter(text.c_str(), key.c_str(), false);
    return "";
}

std::string CheckNames(const std::string &text) {
    static const char *const kKindNames[] = {"modal", "modeless", "tab page", "form page",
                                             "sidebar"};
    for (const bool limit : {true, false}) {
        qb::BuilderSettings.LimitIdentLength = limit;
        for (unsigned kind = qb::ModalDialog; kind <= qb::Sidebar; ++kind) {
            const auto frameKind = static_cast<qb::FrameKind>(kind);
            qb::HostString fromLabel(
                qb::MakeControlName(frameKind, text.c_str(), nullptr, "TOG", "Toggle", 1, true));
            qb::HostString fromCommand(qb::GetControlVarName(frameKind, "Label", text.c_str(), "TF",
                                                             "Text Field", 2, true));
            for (const qb::HostString *name : {&fromLabel, &fromCommand})
                if (*name && !IsIdentifier(name->get()))
                    return std::string("control name \"") + name->get() + "\" in a " +
                           kKindNames[kind] + " is no identifier";
        }
    }
    qb::BuilderSettings = qb::BuilderSettingsT{};
    return "";
}

} // namespace

const std::string &ScratchDirectory() {
    // Never destroyed: the exit handler that removes the directory reads it.
    static const std::string *const dir = [] {
        std::string pattern = (fs::temp_directory_path() / "qgb-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(ScratchDirectory(), ignored);
        });
        return new std::string(pattern);
    }();
    return *dir;
}

std::string CheckLayoutRoundTrip(const std::string &bytes) {
    ResetEverything();
    Host &h = TheHost();
    const fs::path dir = FreshDirectory("layout");
    const std::string input = (dir / "input.lay.json").string();
    WriteBytes(input, bytes);
    std::string error;
    if (!h.loadLayout(input, &error)) {
        if (error.rfind(input + ": ", 0) != 0 || error.size() <= input.size() + 2)
            return "a refused layout is not reported as <file>: <place>: <problem>: " + error;
        if (!h.frames().empty())
            return "a refused layout changed the workspace";
        return HostInvariants();
    }
    const std::string first = (dir / "first.lay.json").string();
    const std::string second = (dir / "second.lay.json").string();
    if (!h.saveLayout(first, &error))
        return "a loaded layout does not save: " + error;
    h.reset();
    if (!h.loadLayout(first, &error))
        return "a saved layout does not load again: " + error;
    if (!h.saveLayout(second, &error))
        return "a reloaded layout does not save: " + error;
    if (ReadBytes(first) != ReadBytes(second))
        return "saving a reloaded layout gives other bytes";
    return HostInvariants();
}

std::string CheckConfigFile(const std::string &bytes) {
    ResetEverything();
    const fs::path dir = FreshDirectory("config", false);
    WriteBytes(dir / "dlb.cfg", bytes);
    TheHost().setLayoutFileName((dir / "design.lay.json").string());

    qb::ReadConfigFile();
    const qb::BuilderSettingsT read = qb::BuilderSettings;
    if (read.Language < qb::LanguageC || read.Language > qb::LanguageQt)
        return "dlb.cfg read to language " + std::to_string(read.Language);
    qb::WriteConfigFile();
    qb::BuilderSettings.Language = (read.Language + 1) % 4;
    qb::BuilderSettings.LimitIdentLength = !read.LimitIdentLength;
    qb::ReadConfigFile();
    if (qb::BuilderSettings.Language != read.Language ||
        qb::BuilderSettings.LimitIdentLength != read.LimitIdentLength)
        return "the dlb.cfg the builder wrote reads to other settings:\n" +
               ReadBytes(dir / "dlb.cfg");
    return HostInvariants();
}

std::string CheckTextReaders(const std::string &bytes) {
    ResetEverything();
    const std::string text = AsCString(bytes);
    // A page frame with an ID, for the names of page controls.
    TheHost().addFrame({"TABPAGE=TRUE ID=3 POS=1"});

    std::vector<std::string> keys = {"ID",   "VarName",   "GROUP",    "TITLE",
                                     "MODE", "TABPAGE",   "FORMPAGE", "SIDEBAR",
                                     "POS",  "SHOWLABEL", "TabOrder", "TransparentColor"};
    // Bytes after the first NUL name one more key.
    if (bytes.size() > text.size() + 1)
        keys.push_back(AsCString(bytes.substr(text.size() + 1)));
    for (const std::string &key : keys)
        if (std::string problem = CheckParameterReaders(text, key); !problem.empty())
            return problem;

    if (std::strlen(qb::GetDialogTitle(text.c_str())) > 511)
        return "a dialog title over 511 characters";
    int red = -1, green = -1, blue = -1;
    if (qb::GetTransparentColor(text.c_str(), red, green, blue) &&
        (red < 0 || red > 255 || green < 0 || green > 255 || blue < 0 || blue > 255))
        return "a transparent colour component outside 0 to 255";
    const unsigned kind = qb::GetFrameKind(text.c_str(), true);
    if (kind > qb::Sidebar)
        return "frame kind " + std::to_string(kind);
    for (const TextBox_e box : {TextBox_None, TextBox_Filled, TextBox_Hollow}) {
        const qb::ControlKind control = qb::ClassifyByPrefix(box, text.c_str());
        const char *label = qb::ControlLabelText(control, text.c_str());
        if (control != qb::NotAControl &&
            (label < text.c_str() || label > text.c_str() + text.size()))
            return "a control's label text lies outside its string";
    }
    if (std::string problem = CheckNames(text); !problem.empty())
        return problem;
    if (std::string problem = CheckEscapers(text); !problem.empty())
        return problem;
    return HostInvariants();
}

std::string CheckWholeBuild(const std::string &bytes) {
    ResetEverything();
    Host &h = TheHost();
    // The classic files land beside the layout, the Qt files in "ui" beside
    // the layout's directory.
    std::error_code ignored;
    fs::remove_all(fs::path(ScratchDirectory()) / "build", ignored);
    const fs::path dir = FreshDirectory("build/design");
    fs::create_directories(dir / ".." / "ui" / "mainwindow" / "qt");
    const std::string layout = (dir / "design.lay.json").string();
    WriteBytes(layout, bytes);
    std::string error;
    if (!h.loadLayout(layout, &error))
        return HostInvariants();

    h.startAddOn(qb::InitAddOn);
    for (const int32_t language :
         {qb::LanguageC, qb::LanguageCPP, qb::LanguageFORTRAN, qb::LanguageQt}) {
        if (!h.chooseMenuOption("Tools", "Quorvin GUI Builder", &error))
            return "the tool dialog does not open: " + error;
        qb::BuilderSettings.Language = language;
        if (!h.press("Go Build", &error))
            return "\"Go Build\" cannot be pressed: " + error;
        if (!h.faults().empty())
            return "after a build in language " + std::to_string(language) + ":\n" +
                   HostInvariants();
    }
    h.quit();
    return HostInvariants();
}

} // namespace qgbfuzz
