// printf-style formatting into a std::string, so that messages built from
// designer text never depend on a fixed buffer.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

namespace quorvin::builder {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
inline std::string
FormatText(const char *format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string result;
    if (length > 0) {
        result.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(&result[0], result.size(), format, args);
        result.resize(static_cast<size_t>(length));
    }
    va_end(args);
    return result;
}

} // namespace quorvin::builder
