// "dlb.cfg": the output language and the identifier-length option of a
// design, kept beside its layout file.
#include "options/Options.h"

#include "model/HostResources.h"
#include "model/Settings.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quorvin::builder {

namespace {

constexpr const char *kConfigFileName = "dlb.cfg";
// Every read takes at most 511 characters; a longer line comes in pieces,
// each handled as a line of its own.
constexpr int kReadBufferSize = 512;

bool EqualsNoCase(const char *a, const char *b) {
    return std::strlen(a) == std::strlen(b) &&
           PrefixMatchNoCase(a, b, static_cast<int>(std::strlen(b)));
}

// True when the value, at least one character long, is a leading part of the
// word (without regard to case).
bool LeadingPartOf(const char *value, const char *word) {
    const size_t length = std::strlen(value);
    return length >= 1 && PrefixMatchNoCase(value, word, static_cast<int>(length));
}

// The first line must begin with "#!DLB" and end, after its last blank, in a
// number no newer than this release.
bool HeaderAccepted(const char *line) {
    if (std::strncmp(line, "#!DLB", 5) != 0)
        return false;
    const char *blank = std::strrchr(line, ' ');
    if (!blank)
        return false;
    const char *number = blank + 1;
    const char *digits = (*number == '+' || *number == '-') ? number + 1 : number;
    if (!std::isdigit(static_cast<unsigned char>(*digits)))
        return false;
    char *end = nullptr;
    errno = 0;
    const long version = std::strtol(number, &end, 10);
    if (*end != '\0')
        return false;
    // A number past the range of long is still a number: far below the
    // release when negative, far above it when positive.
    if (errno == ERANGE)
        return version < 0;
    return version <= kReleaseMajor;
}

const char *LanguageWord(int32_t language) {
    switch (language) {
    case LanguageC:
        return "C";
    case LanguageFORTRAN:
        return "FORTRAN";
    case LanguageQt:
        return "QT";
    default:
        return "CPP";
    }
}

} // namespace

void TrimSpace(char *text) {
    if (!text)
        return;
    size_t length = std::strlen(text);
    while (length > 0 && std::isspace(static_cast<unsigned char>(text[length - 1])))
        text[--length] = '\0';
    size_t start = 0;
    while (start < length && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    if (start > 0)
        std::memmove(text, text + start, length - start + 1);
}

bool PrefixMatchNoCase(const char *a, const char *b, int n) {
    if (n < 1)
        return true;
    if (!a || !b)
        return false;
    for (int i = 0; i < n; ++i) {
        const int ca = std::toupper(static_cast<unsigned char>(a[i]));
        const int cb = std::toupper(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return false;
        if (ca == '\0')
            return true;
    }
    return true;
}

std::FILE *OpenConfigFile(const char *mode) {
    HostString layout(QorUtilGetCurLayoutFName());
    if (!layout)
        return nullptr;
    TrimSpace(layout.get());
    if (layout.get()[0] == '\0')
        return nullptr;
    HostString directory(QorUtilGetBasePath(layout.get()));
    if (!directory)
        return nullptr;
    const size_t directoryLength = std::strlen(directory.get());
    HostString path(
        QorUtilStringAlloc(static_cast<LgIndex_t>(directoryLength + 8), "config file name"));
    if (!path)
        return nullptr;
    std::snprintf(path.get(), directoryLength + 9, "%s%s", directory.get(), kConfigFileName);
    return std::fopen(path.get(), mode);
}

void ApplyConfigEntry(const char *key, const char *value) {
    if (!key || !value)
        return;
    if (EqualsNoCase(key, "Language")) {
        // The three classic words first, then "QT" for the Qt output.
        if (LeadingPartOf(value, "C"))
            BuilderSettings.Language = LanguageC;
        else if (LeadingPartOf(value, "FORTRAN"))
            BuilderSettings.Language = LanguageFORTRAN;
        else if (LeadingPartOf(value, "CPP"))
            BuilderSettings.Language = LanguageCPP;
        else if (LeadingPartOf(value, "QT"))
            BuilderSettings.Language = LanguageQt;
    } else if (EqualsNoCase(key, "LimitIdentLength")) {
        BuilderSettings.LimitIdentLength = LeadingPartOf(value, "TRUE");
    }
}

void ReadConfigFile() {
    std::FILE *file = OpenConfigFile("r");
    if (!file)
        return;
    char line[kReadBufferSize];
    if (std::fgets(line, sizeof line, file)) {
        TrimSpace(line);
        if (HeaderAccepted(line)) {
            while (std::fgets(line, sizeof line, file)) {
                TrimSpace(line);
                if (char *comment = std::strrchr(line, '#'))
                    *comment = '\0';
                char *equals = std::strchr(line, '=');
                if (!equals)
                    continue;
                *equals = '\0';
                char *key = line;
                char *value = equals + 1;
                TrimSpace(key);
                TrimSpace(value);
                ApplyConfigEntry(key, value);
            }
        }
    }
    std::fclose(file);
}

void WriteConfigLines(std::FILE *file) {
    if (!file)
        return;
    std::fprintf(file, "#!DLB %d\n", kReleaseMajor);
    std::fprintf(file, "%s=%s\n", "Language", LanguageWord(BuilderSettings.Language));
    std::fprintf(file, "%s=%s\n", "LimitIdentLength",
                 BuilderSettings.LimitIdentLength ? "TRUE" : "FALSE");
    std::fprintf(file, "%s=%d\n", "MaxFortranLineLen", BuilderSettings.MaxFortranLineLen);
}

void WriteConfigFile() {
    std::FILE *file = OpenConfigFile("w");
    if (!file)
        return;
    WriteConfigLines(file);
    std::fclose(file);
}

} // namespace quorvin::builder
