#include "model/Format.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace quorvin::builder {

namespace {

void AppendPadded(std::string &out, const char *text, size_t length, int width, bool left,
                  char fill) {
    const size_t pad =
        width > 0 && static_cast<size_t>(width) > length ? static_cast<size_t>(width) - length : 0;
    if (!left && pad && fill == '0' && length && (*text == '-' || *text == '+')) {
        // "-0042": the sign goes before the zeros.
        out += *text++;
        --length;
    }
    if (!left)
        out.append(pad, fill);
    out.append(text, length);
    if (left)
        out.append(pad, ' ');
}

template <typename T>
void AppendNumber(std::string &out, T value, int base, int width, bool left, char fill) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, base);
    AppendPadded(out, digits, static_cast<size_t>(result.ptr - digits), width, left, fill);
}

} // namespace

void AppendFormatted(std::string &out, const char *format, va_list args) {
    const char *p = format;
    while (*p) {
        const char *percent = std::strchr(p, '%');
        if (!percent) {
            out.append(p);
            return;
        }
        out.append(p, static_cast<size_t>(percent - p));
        const char *spec = percent + 1;
        bool left = false;
        char fill = ' ';
        for (;; ++spec) {
            if (*spec == '-')
                left = true;
            else if (*spec == '0')
                fill = '0';
            else
                break;
        }
        int width = 0;
        if (*spec == '*') {
            width = va_arg(args, int);
            if (width < 0) {
                left = true;
                width = -width;
            }
            ++spec;
        } else {
            while (*spec >= '0' && *spec <= '9')
                width = width * 10 + (*spec++ - '0');
        }
        const bool isLong = *spec == 'l';
        if (isLong)
            ++spec;
        if (left)
            fill = ' ';
        switch (*spec) {
        case '%':
            out += '%';
            break;
        case 's': {
            const char *s = va_arg(args, const char *);
            if (!s)
                s = "(null)";
            AppendPadded(out, s, std::strlen(s), width, left, ' ');
            break;
        }
        case 'c': {
            const char c = static_cast<char>(va_arg(args, int));
            AppendPadded(out, &c, 1, width, left, ' ');
            break;
        }
        case 'd':
        case 'i':
            if (isLong)
                AppendNumber(out, va_arg(args, long), 10, width, left, fill);
            else
                AppendNumber(out, va_arg(args, int), 10, width, left, fill);
            break;
        case 'u':
        case 'x':
            if (isLong)
                AppendNumber(out, va_arg(args, unsigned long), *spec == 'x' ? 16 : 10, width, left,
                             fill);
            else
                AppendNumber(out, va_arg(args, unsigned), *spec == 'x' ? 16 : 10, width, left,
                             fill);
            break;
        default: {
            // Precision, other conversions: the rest of the format and the
            // arguments not yet taken go to vsnprintf.
            char small[512];
            va_list copy;
            va_copy(copy, args);
            const int length = std::vsnprintf(small, sizeof small, percent, copy);
            va_end(copy);
            if (length >= 0 && static_cast<size_t>(length) < sizeof small) {
                out.append(small, static_cast<size_t>(length));
            } else if (length > 0) {
                const size_t at = out.size();
                out.resize(at + static_cast<size_t>(length) + 1);
                std::vsnprintf(&out[at], static_cast<size_t>(length) + 1, percent, args);
                out.resize(at + static_cast<size_t>(length));
            }
            return;
        }
        }
        p = spec + 1;
    }
}

} // namespace quorvin::builder
