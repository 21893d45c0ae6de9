// printf-style formatting into a std::string, the one formatter of every
// generated text and message: nothing depends on a fixed buffer, and the
// conversions generators use most are formatted here without vsnprintf.
#pragma once

#include <cstdarg>
#include <cstring>
#include <string>

namespace quorvin::builder {

// Appends printf-formatted text. %s, %d, %i, %u, %x, %c and %% with an
// optional "-" or "0" flag, a width (or "*") and an "l" length are formatted
// here; anything else (a precision, other conversions) is left to vsnprintf
// from that conversion on.
void AppendFormatted(std::string &out, const char *format, va_list args);

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
inline void
AppendFormat(std::string &out, const char *format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatted(out, format, args);
    va_end(args);
}

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
inline std::string
FormatText(const char *format, ...) {
    std::string result;
    va_list args;
    va_start(args, format);
    AppendFormatted(result, format, args);
    va_end(args);
    return result;
}

// The system's reason for a failed call ("No space left on device"), for
// the line a write-failure message ends with.
inline std::string SystemReason(int error) {
    return error ? std::strerror(error) : "unknown error";
}

} // namespace quorvin::builder
