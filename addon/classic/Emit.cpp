#include "classic/Emit.h"

#include "classic/BuildState.h"
#include "shell/Settings.h"

#include <cstdarg>

namespace quorvin::builder {

namespace {

std::string FormatArgs(const char *format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(&text[0], text.size(), format, args);
        text.resize(static_cast<size_t>(length));
    }
    return text;
}

bool IsControlCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7f;
}

} // namespace

std::string FoldFortranText(const std::string &text, int maxLineLength) {
    const long limit = static_cast<long>(maxLineLength) + 6;
    const bool comment = !text.empty() && (text[0] == 'C' || text[0] == 'c');
    const char *lineBreak = comment ? "\nC " : "\n     &";
    std::string folded;
    folded.reserve(text.size() + 16);
    long column = 0;
    for (char c : text) {
        folded += c;
        if (c == '\n') {
            column = 0;
            continue;
        }
        if (++column >= limit) {
            folded += lineBreak;
            column = 6;
        }
    }
    return folded;
}

void EmitCode(std::FILE *file, const char *format, ...) {
    if (BuildState.Preview || !file)
        return;
    va_list args;
    va_start(args, format);
    if (BuildState.Language <= LanguageCPP) {
        std::vfprintf(file, format, args);
        va_end(args);
        return;
    }
    // FORTRAN: the whole formatted text is needed to fold it; most texts fit
    // the stack buffer, longer ones are formatted again into a string.
    char buffer[1024];
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, copy);
    va_end(copy);
    std::string text;
    if (length >= 0 && static_cast<size_t>(length) < sizeof buffer)
        text.assign(buffer, static_cast<size_t>(length));
    else
        text = FormatArgs(format, args);
    va_end(args);
    const std::string folded = FoldFortranText(text, BuilderSettings.MaxFortranLineLen);
    std::fwrite(folded.data(), 1, folded.size(), file);
}

std::string EscapeCString(const std::string &text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            if (next == 'n') {
                out += "\\n";
                ++i;
            } else {
                out += "\\\\";
            }
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '?':
            out += next == '?' ? "?\\" : "?";
            break;
        default:
            if (IsControlCharacter(c)) {
                char octal[8];
                std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned char>(c));
                out += octal;
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string EscapeFortranString(const std::string &text) {
    std::string out;
    out.reserve(text.size() + 4);
    for (char c : text) {
        if (c == '\'')
            out += "''";
        else if (c == '\n')
            out += "\\n";
        else if (IsControlCharacter(c))
            out += ' ';
        else
            out += c;
    }
    return out;
}

std::string CommentText(const std::string &text) {
    std::string out;
    out.reserve(text.size() + 4);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if ((c == '*' && next == '/') || (c == '/' && next == '*')) {
            out += c;
            out += ' ';
        } else if (IsControlCharacter(c)) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string TraceFormatText(const std::string &text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        out += c;
        if (c == '%')
            out += '%';
    }
    return out;
}

std::string EscapeNewlines(const std::string &text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

} // namespace quorvin::builder
