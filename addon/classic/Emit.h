// The line writer of generated classic text and the escaping of designer
// text for each target: C and C++ string literals, FORTRAN strings, comments
// and TRACE formats.
#pragma once

#include <cstdio>
#include <string>

namespace quorvin::builder {

// The one writer of generated classic text. Writes nothing while a preview is
// built or when the file is null. FORTRAN text is folded: when a line reaches
// MaxFortranLineLen + 6 characters it continues on a new line that starts
// with "C " (the text began with "C" or "c", a comment) or "     &". The
// column count starts anew with every call.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void EmitCode(std::FILE *file, const char *format, ...);

// Folds one piece of FORTRAN text as EmitCode does.
std::string FoldFortranText(const std::string &text, int maxLineLength);

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
