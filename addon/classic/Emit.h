// The line writer of generated classic text and the escaping of designer
// text for each target: C and C++ string literals, FORTRAN strings, comments
// and TRACE formats.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

namespace quorvin::builder {

// One generated output file: its text is built in memory and written to the
// stream in large pieces, so that a build costs a few writes per file. A
// failed write is remembered; Close reports it after writing the rest.
class GeneratedFile {
  public:
    // Takes over the stream (closed by Close or the destructor).
    explicit GeneratedFile(std::FILE *stream) : stream_(stream) {}
    ~GeneratedFile();
    GeneratedFile(const GeneratedFile &) = delete;
    GeneratedFile &operator=(const GeneratedFile &) = delete;

    // Text not yet written; writers append to it.
    std::string &Pending() { return pending_; }
    // Writes the pending text once there is enough of it for one large write.
    void WriteIfLarge();
    // Writes what is pending and closes the stream: false when any write or
    // the close failed.
    bool Close();
    // The system's error number of the first failed write or close (0: none).
    int Error() const { return error_; }

    // The first character of the line being written ('\0' while it is
    // empty), which decides how FORTRAN continues that line.
    char LineStart() const { return lineStart_; }
    void SetLineStart(char c) { lineStart_ = c; }

  private:
    void WritePending();

    std::FILE *stream_;
    std::string pending_;
    int error_ = 0;
    bool failed_ = false;
    char lineStart_ = '\0';
};

// The one writer of generated classic text. Writes nothing while a preview is
// built or when the file is null. Formats take %s, %d, %i, %u, %x, %c and %%
// as AppendFormatted (model/Format.h) does.
//
// FORTRAN text is folded: when a line reaches MaxFortranLineLen + 6
// characters it continues on a new line that starts with "C " (a comment: the
// line began with "C" or "c" in column 1) or "     &" (code, including code
// text that begins with "c" in the middle of a line). The column count starts
// anew with every call.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void EmitCode(GeneratedFile *file, const char *format, ...);
// As EmitCode, but FORTRAN text is written as it is, never folded.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void EmitUnfolded(GeneratedFile *file, const char *format, ...);

// As EmitCode(file, "%s", text) without the formatting: for text already
// put together (bitmap data). FORTRAN text is folded as one call's.
void EmitText(GeneratedFile *file, std::string_view text);

// For text put together straight into file->Pending() (bitmap data, the bulk
// of a build's output): the text from `start` on is folded and written as
// EmitText would fold and write it, without a copy of its own.
void EmitPendingText(GeneratedFile *file, size_t start);

// Folds one piece of FORTRAN text as EmitCode does; lineStart is the first
// character of the line the piece continues ('\0' when it starts a line).
std::string FoldFortranText(const std::string &text, int maxLineLength, char lineStart = '\0');

// Designer text for inside a C or C++ "..." literal: a double quote becomes
// \", a typed backslash-n stays a line break, every other backslash is
// doubled (so a trailing one can never swallow the closing quote), a line
// feed becomes \n, other control characters octal escapes, and "??" is
// broken so that no trigraph forms.
std::string EscapeCString(const std::string &text);
// Designer text for inside a FORTRAN '...' string: an apostrophe is doubled,
// a line feed becomes backslash-n, other control characters blanks.
std::string EscapeFortranString(const std::string &text);
// Designer text inside a generated comment (C block comment or FORTRAN
// comment line): "*/" is written "* /", "/*" as "/ *", line feeds and other
// control characters as blanks.
std::string CommentText(const std::string &text);
// Designer text inside a TRACE format: every "%" doubled.
std::string TraceFormatText(const std::string &text);
// Every line feed replaced by a backslash and "n".
std::string EscapeNewlines(const std::string &text);

} // namespace quorvin::builder
