// Frame and control kinds, the generated identifiers of controls, and the
// free numbers handed to new dialogs, pages and linking groups.
#include "model/Kinds.h"

#include "model/Format.h"
#include "model/HostResources.h"
#include "model/Parameters.h"
#include "model/Settings.h"
#include "model/Frames.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <string_view>

namespace quorvin::builder {

namespace {

struct KindInfo {
    ControlKind kind;
    const char *typeName;
    const char *prefix; // string prefix of a filled box ("" for none)
    const char *tag;
    const char *displayName;
};

// In the order of the kind numbers; the Type override is matched in this order.
constexpr KindInfo kKinds[] = {
    {Tab, "Tab", "TAB:", "TB", "Tab Control"},
    {Form, "Form", "FM:", "FM", "Form Control"},
    {Spin, "Spin", "TFS:", "TFS", "Spin Control"},
    {TextField, "TextField", "TF:", "TF", "Text Field"},
    {Text, "Text", "T:", "T", "Multi-Line Text Field"},
    {ReadOnlyText, "ReadOnlyText", "TRO:", "T", "Multi-Line Text Field"},
    {Label, "Label", "", "LBL", "Label"},
    {PushButton, "PushButton", "", "BTN", "Button"},
    {OptionMenu, "OptionMenu", "OPT:", "OPT", "Option Menu"},
    {MultiList, "MultiList", "MLST:", "MLST", "Multi Selection List"},
    {SingleList, "SingleList", "SLST:", "SLST", "Single Selection List"},
    {Scale, "Scale", "SC:", "SC", "Scale"},
    {Toggle, "Toggle", "", "TOG", "Toggle"},
    {RadioBox, "RadioBox", "", "RADIO", "Radio Box"},
};

const KindInfo *FindKind(ControlKind kind) {
    // The table is in kind order: a kind is its own index.
    constexpr int kCount = static_cast<int>(sizeof kKinds / sizeof kKinds[0]);
    if (kind >= 0 && kind < kCount && kKinds[kind].kind == kind)
        return &kKinds[kind];
    for (const KindInfo &info : kKinds) {
        if (info.kind == kind)
            return &info;
    }
    return nullptr;
}

// Filled-box prefixes in the order they are tested: "TF:" comes first but
// does not match "TFS:".
constexpr ControlKind kPrefixOrder[] = {TextField, Text, ReadOnlyText, SingleList, Spin,
                                        Form,      Tab,  MultiList,    Scale,      OptionMenu};

bool StartsWith(const char *text, const char *prefix) {
    // Prefixes are a few characters: compared here without a call.
    for (; *prefix; ++text, ++prefix) {
        if (*text != *prefix)
            return false;
    }
    return true;
}

bool StartsWithNoCase(const char *text, const char *word) {
    for (; *word; ++text, ++word) {
        if (std::toupper(static_cast<unsigned char>(*text)) !=
            std::toupper(static_cast<unsigned char>(*word)))
            return false;
    }
    return true;
}

bool EqualsNoCase(const char *a, const char *b) {
    for (; *a && *b; ++a, ++b) {
        if (std::toupper(static_cast<unsigned char>(*a)) !=
            std::toupper(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == '\0' && *b == '\0';
}

bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool IsLetterOrDigit(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// The run of letters and digits at the start of a value.
std::string LetterDigitRun(const char *value) {
    const char *end = value;
    while (*end && IsLetterOrDigit(*end))
        ++end;
    return std::string(value, end);
}

// Where the name starts in a name source: white space, markup tags and
// whatever stands inside markup are passed over, and so is "~7"; the name starts
// at the first letter outside markup, so it never starts with a digit.
size_t NameStart(std::string_view source) {
    bool inMarkup = false;
    size_t p = 0;
    while (p < source.size()) {
        const char c = source[p];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++p;
        } else if (c == '<') {
            const bool closing = p + 1 < source.size() && source[p + 1] == '/';
            const size_t end = source.find('>', p);
            p = end == std::string_view::npos ? source.size() : end + 1;
            inMarkup = !closing;
        } else if (inMarkup) {
            ++p;
        } else if (c == '~' && p + 1 < source.size() && source[p + 1] == '7') {
            p += 2;
        } else if (IsLetter(c)) {
            return p;
        } else {
            ++p;
        }
    }
    return source.size();
}

// A name source longer than this is cut here.
constexpr size_t kNameSourceLimit = 583;

void ReportMissingName(const char *displayName, const char *labelText) {
    const std::string message =
        FormatText("Missing Control Name for: \n%s: %-30s", displayName ? displayName : "",
                   labelText ? labelText : "");
    QorUtilDialogErrMsg(message.c_str());
}

} // namespace

const char *ControlKindName(ControlKind kind) {
    const KindInfo *info = FindKind(kind);
    return info ? info->typeName : nullptr;
}

const char *ControlKindTag(ControlKind kind) {
    const KindInfo *info = FindKind(kind);
    return info ? info->tag : nullptr;
}

const char *ControlKindDisplayName(ControlKind kind) {
    const KindInfo *info = FindKind(kind);
    return info ? info->displayName : nullptr;
}

const char *ControlKindPrefix(ControlKind kind) {
    const KindInfo *info = FindKind(kind);
    return info ? info->prefix : "";
}

const char *ControlLabelText(ControlKind kind, const char *string) {
    if (!string)
        return "";
    const char *prefix = ControlKindPrefix(kind);
    if (*prefix && StartsWith(string, prefix))
        return string + std::strlen(prefix);
    return string;
}

FrameKind GetFrameKind(const char *frameName, bool report) {
    if (FrameLinking("LinkFrameSizeAndPosition") != 0) {
        if (GetFlagParameter(frameName, "FORMPAGE", report))
            return FormPage;
        if (GetFlagParameter(frameName, "TABPAGE", report))
            return TabPage;
    }
    if (GetFlagParameter(frameName, "SIDEBAR", report))
        return Sidebar;
    return IsModeless(frameName) ? ModelessDialog : ModalDialog;
}

bool StartsWithToggleMarker(const char *string) {
    return string && (StartsWith(string, "<math>7</math>") || StartsWith(string, "~7"));
}

ControlKind ClassifyByPrefix(TextBox_e boxType, const char *string) {
    if (!string)
        return NotAControl;
    switch (boxType) {
    case TextBox_Filled:
        for (ControlKind kind : kPrefixOrder) {
            if (StartsWith(string, ControlKindPrefix(kind)))
                return kind;
        }
        return PushButton;
    case TextBox_Hollow:
        return RadioBox;
    case TextBox_None:
        return StartsWithToggleMarker(string) ? Toggle : Label;
    default:
        return NotAControl;
    }
}

void ClassifyText(Text_ID text, ControlKind &kind, int &group) {
    kind = NotAControl;
    group = -1;
    HostString string = TextString(text);
    HostString command = TextCommand(text);
    if (!string || !command || command.get()[0] == '\0')
        return;

    bool typed = false;
    if (HostString type{GetStringTag(command.get(), "Type")}) {
        for (const KindInfo &info : kKinds) {
            if (EqualsNoCase(type.get(), info.typeName)) {
                kind = info.kind;
                typed = true;
                break;
            }
        }
    }
    if (!typed)
        kind = ClassifyByPrefix(QorUtilTextBoxGetType(text), string.get());

    if (kind == Tab || kind == Form) {
        group = GetIntParameter(string.get(), "GROUP", -1);
        if (group == -1)
            kind = NotAControl;
    }
}

bool IsBitmapButton(Geom_ID geom) {
    HostString command = GeomCommand(geom);
    if (!command || command.get()[0] == '\0')
        return false;
    HostString type(GetStringTag(command.get(), "Type"));
    if (!type)
        return true;
    return !StartsWithNoCase(type.get(), "Toggle");
}

namespace {

// The identifier MakeControlName makes, empty when there is none.
std::string ControlName(FrameKind frameKind, const char *labelText, const char *nameSource,
                        const char *tag, const char *displayName, int number, bool report) {
    if (!tag)
        tag = "";
    const int limit = BuilderSettings.LimitIdentLength ? BuilderSettings.MaxIdentLength : 256;

    char letter = 'D';
    int pageId = 0;
    bool page = false;
    switch (frameKind) {
    case Sidebar:
        letter = 'S';
        break;
    case FormPage:
    case TabPage:
        letter = frameKind == FormPage ? 'F' : 'T';
        if (HostString frameName = CurrentFrameName()) {
            page = true;
            pageId = GetFrameId(frameName.get());
        }
        break;
    default:
        break;
    }

    const char *source = nameSource && *nameSource ? nameSource : labelText;
    if (!source || !*source) {
        if (report)
            ReportMissingName(displayName, labelText);
        return {};
    }

    const std::string_view text(source);
    const long room = static_cast<long>(limit) - static_cast<long>(std::strlen(tag)) - 15;
    std::string name;
    for (size_t p = NameStart(text); p < text.size() && static_cast<long>(name.size()) < room;
         ++p) {
        if (IsLetterOrDigit(text[p]))
            name += text[p];
    }
    if (name.empty()) {
        if (report)
            ReportMissingName(displayName, labelText);
        return {};
    }
    if (page)
        AppendFormat(name, "_%s_%c%d_%d", tag, letter, pageId, number);
    else
        AppendFormat(name, "_%s_%c%d", tag, letter, number);
    return name;
}

// Where the name source of a text control comes from: VarName's run of
// letters and digits, else the whole command (at most kNameSourceLimit).
std::string CommandNameSource(const char *command) {
    std::string source;
    if (command && *command) {
        const int index = FindParameter(command, "VarName");
        source = index >= 0 ? LetterDigitRun(command + index) : std::string(command);
        if (source.size() > kNameSourceLimit)
            source.resize(kNameSourceLimit);
    }
    return source;
}

} // namespace

char *MakeControlName(FrameKind frameKind, const char *labelText, const char *nameSource,
                      const char *tag, const char *displayName, int number, bool report) {
    const std::string name =
        ControlName(frameKind, labelText, nameSource, tag, displayName, number, report);
    if (name.empty())
        return nullptr;
    const int limit = BuilderSettings.LimitIdentLength ? BuilderSettings.MaxIdentLength : 256;
    // The identifier has room for the limit, and more when the container's
    // numbers are long.
    const size_t capacity = std::max(name.size(), static_cast<size_t>(std::max(limit, 0)));
    char *result = QorUtilStringAlloc(static_cast<LgIndex_t>(capacity), "FunctionName");
    if (!result) {
        QorUtilDialogErrMsg("Memory Allocation Error");
        return nullptr;
    }
    std::memcpy(result, name.c_str(), name.size() + 1);
    return result;
}

char *GetControlVarName(FrameKind frameKind, const char *labelText, const char *command,
                        const char *tag, const char *displayName, int number, bool report) {
    return MakeControlName(frameKind, labelText, CommandNameSource(command).c_str(), tag,
                           displayName, number, report);
}

std::string ControlVarName(FrameKind frameKind, const char *labelText, const char *command,
                           const char *tag, const char *displayName, int number, bool report) {
    return ControlName(frameKind, labelText, CommandNameSource(command).c_str(), tag, displayName,
                       number, report);
}

char *GetImageVarName(FrameKind frameKind, Geom_ID geom, int number, bool report) {
    HostString command = GeomCommand(geom);
    const int index = command ? FindParameter(command.get(), "VarName") : -1;
    if (index < 0) {
        if (!report)
            return nullptr;
        char *fileName = nullptr;
        HostString file(QorUtilGeomImageGetFileName(geom, &fileName) ? fileName : nullptr);
        const std::string message =
            FormatText("No variable name specified for image:\n\"%s\"\nPlease add the "
                       "VARNAME=[varname] to the macro function text for this image.",
                       file ? file.get() : "");
        QorUtilDialogErrMsg(message.c_str());
        return nullptr;
    }
    const std::string source = LetterDigitRun(command.get() + index);
    const char *displayName = IsBitmapButton(geom) ? "Bitmap Button" : "Bitmap Toggle";
    return MakeControlName(frameKind, nullptr, source.c_str(), "BB", displayName, number, report);
}

int NextDialogId(bool sidebars) {
    std::set<int> used;
    bool unnamed = false;
    ForEachFrameLightweight([&] {
        HostString name = CurrentFrameName();
        if (!name || name.get()[0] == '\0') {
            unnamed = true;
            return false;
        }
        const bool isSidebar = GetFrameKind(name.get()) == Sidebar;
        if (isSidebar == sidebars)
            used.insert(GetFrameId(name.get()));
        return true;
    });
    if (unnamed) {
        QorUtilDialogErrMsg("All frames must have names");
        return 0;
    }
    int id = 1;
    while (used.count(id))
        ++id;
    return id;
}

int NextLinkGroup() {
    std::set<int> used;
    ForEachFrameLightweight([&] {
        HostString name = CurrentFrameName();
        if (name && FrameLinking("LinkFrameSizeAndPosition") != 0 &&
            (GetFlagParameter(name.get(), "TABPAGE") || GetFlagParameter(name.get(), "FORMPAGE")))
            used.insert(FrameLinking("LinkGroup"));
        for (Text_ID text = QorUtilTextGetBase(); text; text = QorUtilTextGetNext(text)) {
            HostString string = TextString(text);
            if (string && (StartsWith(string.get(), "FM") || StartsWith(string.get(), "TAB"))) {
                const int group = GetIntParameter(string.get(), "GROUP", -1);
                if (group != -1)
                    used.insert(group);
            }
        }
        return true;
    });
    for (int group = 1; group <= kLinkGroupCount; ++group) {
        if (!used.count(group))
            return group;
    }
    return -1;
}

int NextPageId(int group) {
    int largest = 0;
    ForEachFrameLightweight([&] {
        if (IsLinkedPageOfGroup(group)) {
            HostString name = CurrentFrameName();
            largest = std::max(largest, name ? GetFrameId(name.get()) : -1);
        }
        return true;
    });
    return largest < INT_MAX ? largest + 1 : largest;
}

int NextPagePosition(int group) {
    int largest = 0;
    ForEachFrameLightweight([&] {
        if (IsLinkedPageOfGroup(group)) {
            HostString name = CurrentFrameName();
            largest = std::max(largest, name ? GetIntParameter(name.get(), "POS", 0) : 0);
        }
        return true;
    });
    return largest < INT_MAX ? largest + 1 : largest;
}

} // namespace quorvin::builder
