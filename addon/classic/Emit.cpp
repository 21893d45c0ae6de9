#include "classic/Emit.h"

#include "classic/BuildState.h"
#include "model/Format.h"
#include "model/Settings.h"

#include <cerrno>
#include <cstring>

namespace quorvin::builder {

namespace {

bool IsControlCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7f;
}

bool IsCommentMark(char c) {
    return c == 'C' || c == 'c';
}

// Enough pending text for one write; small enough to keep memory flat: a
// quarter of a megabyte touches fewer fresh pages than a megabyte per file
// and costs fewer page faults than it adds writes.
constexpr size_t kWriteSize = size_t{1} << 18;

// The first character of the line open at the end of `text`, when the text
// from `from` on continues a line that began with `first` ('\0': it starts
// a line).
char OpenLineStart(const std::string &text, size_t from, char first) {
    for (size_t i = text.size(); i > from; --i)
        if (text[i - 1] == '\n')
            return i < text.size() ? text[i] : '\0';
    return first ? first : (from < text.size() ? text[from] : '\0');
}

// True when a line of the text from `start` on reaches `limit` characters
// (the column count starting at `start`).
bool HasLongLine(const std::string &text, size_t start, size_t limit) {
    const char *data = text.data();
    const size_t end = text.size();
    for (size_t i = start; end - i >= limit;) {
        const void *newline = std::memchr(data + i, '\n', end - i);
        if (!newline)
            return true;
        const size_t lineEnd = static_cast<size_t>(static_cast<const char *>(newline) - data);
        if (lineEnd - i >= limit)
            return true;
        i = lineEnd + 1;
    }
    return false;
}

// Folds the FORTRAN text from `start` to the end of `text` in place; the
// column count starts at `start`. A line goes on as a comment only when it
// began with "C" or "c" in column 1.
void FoldInPlace(std::string &text, size_t start, int maxLineLength, char lineStart) {
    const size_t limit = static_cast<size_t>(maxLineLength) + 6;
    if (!HasLongLine(text, start, limit))
        return;
    std::string folded;
    folded.reserve(text.size() - start + 64);
    const char *data = text.data();
    const size_t end = text.size();
    size_t column = 0;
    char first = lineStart;
    for (size_t i = start; i < end;) {
        const void *newline = std::memchr(data + i, '\n', end - i);
        const size_t contentEnd =
            newline ? static_cast<size_t>(static_cast<const char *>(newline) - data) : end;
        if (column == 0 && !first && i < contentEnd)
            first = data[i];
        // Each piece that reaches the limit is followed by a continuation.
        for (;;) {
            const size_t room = column < limit ? limit - column : 1;
            if (contentEnd - i < room)
                break;
            folded.append(data + i, room);
            i += room;
            folded += IsCommentMark(first) ? "\nC " : "\n     &";
            column = 6;
        }
        folded.append(data + i, contentEnd - i);
        column += contentEnd - i;
        i = contentEnd;
        if (newline) {
            folded += '\n';
            ++i;
            column = 0;
            first = '\0';
        }
    }
    text.replace(start, std::string::npos, folded);
}

// What every write does once its text is appended from `start` on: FORTRAN
// text is folded and its open line remembered; a large pending text is
// written.
void Appended(GeneratedFile *file, bool fold, size_t start) {
    std::string &text = file->Pending();
    if (BuildState.Language > LanguageCPP) {
        const char lineStart = file->LineStart();
        // Most writes are shorter than a line can be: nothing to fold.
        const size_t limit = static_cast<size_t>(BuilderSettings.MaxFortranLineLen) + 6;
        if (fold && text.size() - start >= limit)
            FoldInPlace(text, start, BuilderSettings.MaxFortranLineLen, lineStart);
        file->SetLineStart(OpenLineStart(text, start, lineStart));
    }
    file->WriteIfLarge();
}

void Emit(GeneratedFile *file, bool fold, const char *format, va_list args) {
    const size_t start = file->Pending().size();
    AppendFormatted(file->Pending(), format, args);
    Appended(file, fold, start);
}

} // namespace

GeneratedFile::~GeneratedFile() {
    if (stream_)
        std::fclose(stream_);
}

void GeneratedFile::WritePending() {
    if (!pending_.empty() && stream_ && !failed_ &&
        std::fwrite(pending_.data(), 1, pending_.size(), stream_) != pending_.size()) {
        failed_ = true;
        error_ = errno;
    }
    pending_.clear();
}

void GeneratedFile::WriteIfLarge() {
    if (pending_.size() >= kWriteSize)
        WritePending();
}

bool GeneratedFile::Close() {
    WritePending();
    if (!stream_)
        return !failed_;
    const bool flushed = std::ferror(stream_) == 0;
    const bool closed = std::fclose(stream_) == 0;
    if ((!flushed || !closed) && !error_)
        error_ = errno;
    stream_ = nullptr;
    return flushed && closed && !failed_;
}

std::string FoldFortranText(const std::string &text, int maxLineLength, char lineStart) {
    std::string folded = text;
    FoldInPlace(folded, 0, maxLineLength, lineStart);
    return folded;
}

void EmitCode(GeneratedFile *file, const char *format, ...) {
    if (BuildState.Preview || !file)
        return;
    va_list args;
    va_start(args, format);
    Emit(file, true, format, args);
    va_end(args);
}

void EmitUnfolded(GeneratedFile *file, const char *format, ...) {
    if (BuildState.Preview || !file)
        return;
    va_list args;
    va_start(args, format);
    Emit(file, false, format, args);
    va_end(args);
}

void EmitText(GeneratedFile *file, std::string_view text) {
    if (BuildState.Preview || !file)
        return;
    const size_t start = file->Pending().size();
    file->Pending().append(text);
    Appended(file, true, start);
}

void EmitPendingText(GeneratedFile *file, size_t start) {
    if (BuildState.Preview || !file)
        return;
    Appended(file, true, start);
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
