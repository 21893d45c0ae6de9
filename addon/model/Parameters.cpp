// Readers of the key=value parameters of frame names, macro-function commands
// and tab/form control strings. One syntax for all three: items separated by
// blanks, a key found case-insensitively outside quoted and bracketed runs.
#include "model/Parameters.h"

#include "model/Format.h"
#include "model/HostResources.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace quorvin::builder {

namespace {

// Keys and words are ASCII, so ASCII letters alone fold: the same as the C
// library's toupper in the C and UTF-8 locales, without a call per byte of
// every parameter string searched.
char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithNoCase(const char *text, const char *word) {
    for (; *word; ++text, ++word) {
        if (AsciiUpper(*text) != AsciiUpper(*word))
            return false;
    }
    return true;
}

// atoi rules, but a value beyond the range of int saturates instead of being
// undefined.
int ReadInteger(const char *text) {
    const long value = std::strtol(text, nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

bool IsHexDigit(char c) {
    return c != '\0' && std::strchr("abcdefABCDEF0123456789", c) != nullptr;
}

// The title buffer lives as long as the add-on; each call overwrites it.
constexpr size_t kTitleLimit = 511;
char TitleBuffer[kTitleLimit + 1];

} // namespace

int FindParameter(const char *str, const char *key) {
    if (!str || !key || !*str || !*key)
        return -1;
    // Every parameter string of every control is searched several times a
    // build: the search jumps from one place the key could start (its first
    // letter in either case) or a quoted or bracketed run starts to the next.
    const char upper = AsciiUpper(*key);
    const char lower = upper >= 'A' && upper <= 'Z' ? static_cast<char>(upper - 'A' + 'a') : upper;
    const char stops[] = {'"', '[', upper, lower, '\0'};
    for (const char *at = std::strpbrk(str, stops); at; at = std::strpbrk(at, stops)) {
        if (*at == '"' || *at == '[') {
            // Quoted and bracketed runs are never searched.
            const char *close = std::strchr(at + 1, *at == '"' ? '"' : ']');
            if (!close || !close[1])
                return -1;
            at = close + 1;
            continue;
        }
        if (StartsWithNoCase(at + 1, key + 1)) {
            // The key may be followed by anything before its "=".
            const char *equals = std::strchr(at, '=');
            if (!equals)
                return -1;
            const char *value = equals + 1;
            while (*value == ' ')
                ++value;
            if (*value == '\0')
                return -1;
            return static_cast<int>(value - str);
        }
        ++at;
    }
    return -1;
}

int GetIntParameter(const char *str, const char *key, int defaultValue) {
    const int index = FindParameter(str, key);
    if (index < 0)
        return defaultValue;
    return ReadInteger(str + index);
}

int GetFrameId(const char *frameName) {
    return GetIntParameter(frameName, "ID", -1);
}

char *GetStringTag(const char *str, const char *key) {
    int index = FindParameter(str, key);
    if (index < 0)
        return nullptr;
    const char *value = str + index;
    if (*value == '"')
        ++value;
    const char *close = std::strchr(value, '"');
    const size_t length = close ? static_cast<size_t>(close - value) : std::strlen(value);
    if (length > static_cast<size_t>(INT32_MAX - 1))
        return nullptr;
    char *result = QorUtilStringAlloc(static_cast<LgIndex_t>(length), "GetStringTag");
    if (!result)
        return nullptr;
    std::memcpy(result, value, length);
    result[length] = '\0';
    return result;
}

bool ParseBoolean(const char *text, bool &value) {
    if (!text)
        return false;
    static const char *const kTrueWords[] = {"TRUE", "YES", "ON", "T", "1"};
    // "FALSE" is compared over its first four characters only.
    static const char *const kFalseWords[] = {"FALS", "NO", "OFF", "F", "0"};
    for (const char *word : kTrueWords) {
        if (StartsWithNoCase(text, word)) {
            value = true;
            return true;
        }
    }
    for (const char *word : kFalseWords) {
        if (StartsWithNoCase(text, word)) {
            value = false;
            return true;
        }
    }
    return false;
}

void ShowBooleanNotRecognized(const char *key) {
    const std::string message =
        FormatText("Value for dialog parameter %s not recognized. Must be \"TRUE\" or \"FALSE\"",
                   key ? key : "");
    QorUtilDialogMessageBox(message.c_str(), MessageBox_Warning);
}

bool GetBoolParameter(const char *str, const char *key, bool defaultValue) {
    const int index = FindParameter(str, key);
    if (index < 0)
        return defaultValue;
    bool value = defaultValue;
    if (!ParseBoolean(str + index, value)) {
        ShowBooleanNotRecognized(key);
        return defaultValue;
    }
    return value;
}

bool GetFlagParameter(const char *str, const char *key, bool report) {
    if (report)
        return GetBoolParameter(str, key, false);
    const int index = FindParameter(str, key);
    bool value = false;
    return index >= 0 && ParseBoolean(str + index, value) && value;
}

bool IsPlainDialogFrame(const char *frameName, bool report) {
    if (!frameName)
        return true;
    if (GetFlagParameter(frameName, "FORMPAGE", report))
        return false;
    return !GetFlagParameter(frameName, "TABPAGE", report);
}

bool IsModeless(const char *frameName) {
    const int index = FindParameter(frameName, "MODE");
    return index >= 0 && StartsWithNoCase(frameName + index, "MODELESS");
}

const char *GetDialogTitle(const char *frameName) {
    std::memset(TitleBuffer, 0, sizeof TitleBuffer);
    bool complete = false;
    const int index = FindParameter(frameName, "TITLE");
    if (index >= 0) {
        const char *p = std::strchr(frameName + index, '"');
        if (p) {
            ++p;
            size_t copied = 0;
            while (copied < kTitleLimit) {
                if (*p == '\0')
                    break;
                if (*p == '"') {
                    complete = true;
                    break;
                }
                if (p[0] == '\\' && p[1] == '"') {
                    TitleBuffer[copied++] = '"';
                    p += 2;
                    continue;
                }
                TitleBuffer[copied++] = *p++;
            }
            if (copied == kTitleLimit)
                complete = true;
        }
    }
    if (complete)
        return TitleBuffer;

    // Pages take the default title silently; every other frame is told.
    const bool isPage =
        GetFlagParameter(frameName, "TABPAGE") || GetFlagParameter(frameName, "FORMPAGE");
    if (!isPage)
        QorUtilDialogErrMsg(
            "Warning: title=\"Dialog Title\" not found. Default title will be used");
    std::snprintf(TitleBuffer, sizeof TitleBuffer, "%s", "Untitled");
    return TitleBuffer;
}

bool GetShowLabel(const char *command) {
    const int index = FindParameter(command, "SHOWLABEL");
    bool value = true;
    if (index >= 0)
        ParseBoolean(command + index, value);
    return value;
}

bool GetTransparentColor(const char *command, int &red, int &green, int &blue) {
    HostString value(GetStringTag(command, "TransparentColor"));
    if (!value || std::strlen(value.get()) < 6)
        return false;
    const char *digits = value.get();
    for (int i = 0; i < 6; ++i) {
        if (!IsHexDigit(digits[i]))
            return false;
    }
    unsigned bytes[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const char pair[3] = {digits[2 * i], digits[2 * i + 1], '\0'};
        if (std::sscanf(pair, "%02x", &bytes[i]) != 1)
            return false;
    }
    red = static_cast<int>(bytes[0]);
    green = static_cast<int>(bytes[1]);
    blue = static_cast<int>(bytes[2]);
    return true;
}

std::vector<TabOrderEntry> CollectTabOrder() {
    std::vector<TabOrderEntry> entries;
    for (Geom_ID geom = QorUtilGeomGetBase(); geom; geom = QorUtilGeomGetNext(geom)) {
        TabOrderEntry entry;
        entry.geom = geom;
        entry.command = GeomCommand(geom);
        entry.tabOrder = entry.command ? GetIntParameter(entry.command.get(), "TabOrder", 0) : 0;
        entries.push_back(std::move(entry));
    }
    for (Text_ID text = QorUtilTextGetBase(); text; text = QorUtilTextGetNext(text)) {
        TabOrderEntry entry;
        entry.isText = true;
        entry.text = text;
        entry.command = TextCommand(text);
        entry.tabOrder = entry.command ? GetIntParameter(entry.command.get(), "TabOrder", 0) : 0;
        entries.push_back(std::move(entry));
    }
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const TabOrderEntry &a, const TabOrderEntry &b) { return a.tabOrder < b.tabOrder; });
    return entries;
}

} // namespace quorvin::builder
