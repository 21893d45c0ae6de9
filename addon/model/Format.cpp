#include "model/Format.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace quorvin::builder {

namespace {

// The formatted text gathers in a buffer on the stack and reaches the string
// in one append: most formats make a few dozen bytes from several pieces.
class Gathered {
  public:
    explicit Gathered(std::string &out) : out_(out) {}
    ~Gathered() { flush(); }
    Gathered(const Gathered &) = delete;
    Gathered &operator=(const Gathered &) = delete;

    void append(const char *text, size_t length) {
        if (length > sizeof buffer_ - used_) {
            flush();
            if (length > sizeof buffer_) {
                out_.append(text, length);
                return;
            }
        }
        std::memcpy(buffer_ + used_, text, length);
        used_ += length;
    }
    void append(size_t count, char c) {
        while (count) {
            if (used_ == sizeof buffer_)
                flush();
            const size_t n = std::min(count, sizeof buffer_ - used_);
            std::memset(buffer_ + used_, c, n);
            used_ += n;
            count -= n;
        }
    }
    void flush() {
        out_.append(buffer_, used_);
        used_ = 0;
    }

  private:
    std::string &out_;
    char buffer_[256];
    size_t used_ = 0;
};

void AppendWithPad(Gathered &out, const char *text, size_t length, size_t pad, bool left,
                   char fill) {
    if (!left && pad && fill == '0' && length && (*text == '-' || *text == '+')) {
        // "-0042": the sign goes before the zeros.
        out.append(text++, 1);
        --length;
    }
    if (!left)
        out.append(pad, fill);
    out.append(text, length);
    if (left)
        out.append(pad, ' ');
}

// Most conversions have no width: they are copied without looking at padding.
inline void AppendPadded(Gathered &out, const char *text, size_t length, int width, bool left,
                         char fill) {
    if (width <= 0 || static_cast<size_t>(width) <= length)
        out.append(text, length);
    else
        AppendWithPad(out, text, length, static_cast<size_t>(width) - length, left, fill);
}

template <typename T>
void AppendNumber(Gathered &out, T value, int base, int width, bool left, char fill) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, base);
    AppendPadded(out, digits, static_cast<size_t>(result.ptr - digits), width, left, fill);
}

} // namespace

void AppendFormatted(std::string &text, const char *format, va_list args) {
    Gathered out(text);
    const char *p = format;
    while (*p) {
        const char *percent = std::strchr(p, '%');
        if (!percent) {
            out.append(p, std::strlen(p));
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
            out.append(1, '%');
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
            out.flush();
            char small[512];
            va_list copy;
            va_copy(copy, args);
            const int length = std::vsnprintf(small, sizeof small, percent, copy);
            va_end(copy);
            if (length >= 0 && static_cast<size_t>(length) < sizeof small) {
                text.append(small, static_cast<size_t>(length));
            } else if (length > 0) {
                const size_t at = text.size();
                text.resize(at + static_cast<size_t>(length) + 1);
                std::vsnprintf(&text[at], static_cast<size_t>(length) + 1, percent, args);
                text.resize(at + static_cast<size_t>(length));
            }
            return;
        }
        }
        p = spec + 1;
    }
}

} // namespace quorvin::builder
