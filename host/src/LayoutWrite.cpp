// Writing layout files (docs/layout-format.md): canonical and atomic.
//
// The workspace is written straight into one reused buffer, key by key in
// the order of the format's tables, with two-blank indentation. Numbers and
// strings are written exactly as the JSON library the reader once used
// wrote them, so files saved before and after stay byte for byte the same.
// The buffer goes to "<file>.tmp" beside the layout a piece at a time; that
// file is flushed to disk and renamed over the layout, keeping its mode.
#include "HostImpl.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvin::host {

namespace {

namespace fs = std::filesystem;

const char *coordSysName(CoordSys_e cs) {
    switch (cs) {
    case CoordSys_Paper:
        return "paper";
    case CoordSys_Screen:
        return "screen";
    default:
        return "frame";
    }
}

const char *boxTypeName(TextBox_e t) {
    switch (t) {
    case TextBox_Filled:
        return "filled";
    case TextBox_Hollow:
        return "hollow";
    default:
        return "none";
    }
}

const char *geomTypeName(GeomType_e t) {
    switch (t) {
    case GeomType_LineSegs:
        return "line";
    case GeomType_Image:
        return "image";
    default:
        return "rectangle";
    }
}

} // namespace

int utf8Length(unsigned char lead, unsigned char *low, unsigned char *high) {
    *low = 0x80;
    *high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (lead == 0xE0)
            *low = 0xA0; // no overlong forms
        if (lead == 0xED)
            *high = 0x9F; // no surrogates
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (lead == 0xF0)
            *low = 0x90;
        if (lead == 0xF4)
            *high = 0x8F; // nothing above U+10FFFF
        return 4;
    }
    return 0;
}

namespace {

// The canonical layout text, built in one buffer. Every piece is put in
// place with a check of the room left and a copy, without the bookkeeping of
// std::string's appends: a file has some twenty-five pieces a text.
class LayoutText {
  public:
    const char *data() const { return bytes_.get(); }
    size_t size() const { return size_; }
    void clear() { size_ = 0; }
    void reserve(size_t room) {
        if (room <= capacity_)
            return;
        std::unique_ptr<char[]> bigger(new char[room]);
        if (size_)
            std::memcpy(bigger.get(), bytes_.get(), size_);
        bytes_ = std::move(bigger);
        capacity_ = room;
    }

    void put(char c) { *room(1) = c; }
    void put(const char *s, size_t n) {
        if (n)
            std::memcpy(room(n), s, n);
    }

    void open(char bracket) { put(bracket); }
    void close(int level, char bracket) {
        newline(level);
        put(bracket);
    }
    // A member of an object at `level`: the comma before all but the first.
    void key(int level, std::string_view name, bool first = false) {
        const size_t indent = static_cast<size_t>(level) * 2;
        char *p = room(name.size() + indent + 6);
        if (!first)
            *p++ = ',';
        *p++ = '\n';
        p = std::fill_n(p, indent, ' ');
        *p++ = '"';
        p = std::copy_n(name.data(), name.size(), p);
        p = std::copy_n("\": ", 3, p);
        size_ = static_cast<size_t>(p - bytes_.get());
    }
    // An element of an array at `level`.
    void element(int level, bool first) {
        if (!first)
            put(',');
        newline(level);
    }

    void integer(int64_t value) {
        char digits[24];
        append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    }
    void boolean(bool value) { value ? put("true", 4) : put("false", 5); }
    // The shortest digits that read back as the same double (Grisu2, as the
    // JSON library writes them: "12.0", "0.1", "1e+16"); never called with a
    // value that is not finite, the workspace holds none. Whole numbers below
    // ten million, most of a layout's numbers, are written as their integer
    // and ".0" without Grisu2: checked against the library for every one of
    // them, the bytes are the same (the sign is written alike by both).
    void number(double value) {
        char digits[64];
        const double magnitude = std::fabs(value);
        if (magnitude < 1e7 && magnitude == std::floor(magnitude)) {
            char *p = digits;
            if (std::signbit(value))
                *p++ = '-';
            // Seven digits at most: room is left for ".0" after them.
            p = std::to_chars(p, digits + 16, static_cast<int32_t>(magnitude)).ptr;
            *p++ = '.';
            *p++ = '0';
            append(digits, p);
            return;
        }
        // Layouts repeat their fractions ("lineThickness": 0.1 in every
        // text): the digits of the last one are kept.
        if (std::memcmp(&value, &lastFraction_, sizeof value) != 0 || lastDigits_ == 0) {
            lastDigits_ = static_cast<size_t>(
                nlohmann::detail::to_chars(digits, digits + sizeof digits, value) - digits);
            std::memcpy(lastFractionDigits_, digits, lastDigits_);
            lastFraction_ = value;
        }
        put(lastFractionDigits_, lastDigits_);
    }
    // A JSON string: '"', '\\' and control characters escaped, every byte
    // that is not part of well-formed UTF-8 replaced by U+FFFD. Runs of bytes
    // that need neither are copied at once.
    void string(std::string_view text) {
        put('"');
        const auto *s = reinterpret_cast<const unsigned char *>(text.data());
        const size_t n = text.size();
        size_t i = 0;
        while (i < n) {
            size_t plain = i;
            while (plain < n && s[plain] >= 0x20 && s[plain] < 0x80 && s[plain] != '"' &&
                   s[plain] != '\\')
                ++plain;
            if (plain > i) {
                put(text.data() + i, plain - i);
                i = plain;
                if (i == n)
                    break;
            }
            const unsigned char c = s[i];
            if (c >= 0x80) {
                unsigned char low, high;
                const int length = utf8Length(c, &low, &high);
                int valid = length == 0 ? 0 : 1;
                while (valid > 0 && valid < length && i + static_cast<size_t>(valid) < n &&
                       s[i + valid] >= low && s[i + valid] <= high) {
                    ++valid;
                    low = 0x80;
                    high = 0xBF;
                }
                // A byte that starts no sequence (length 0) is broken too.
                if (length > 0 && valid == length) {
                    put(text.data() + i, static_cast<size_t>(length));
                    i += static_cast<size_t>(length);
                } else {
                    // The broken sequence becomes one replacement character;
                    // the byte that broke it starts the next one.
                    put("\xEF\xBF\xBD", 3);
                    i += valid == 0 ? 1 : static_cast<size_t>(valid);
                }
                continue;
            }
            switch (c) {
            case '"':
                put("\\\"", 2);
                break;
            case '\\':
                put("\\\\", 2);
                break;
            case '\b':
                put("\\b", 2);
                break;
            case '\t':
                put("\\t", 2);
                break;
            case '\n':
                put("\\n", 2);
                break;
            case '\f':
                put("\\f", 2);
                break;
            case '\r':
                put("\\r", 2);
                break;
            default: { // the other control characters
                static const char hex[] = "0123456789abcdef";
                const char escape[] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 0xF]};
                put(escape, sizeof escape);
            }
            }
            ++i;
        }
        put('"');
    }

  private:
    // Room for n more bytes at the end, which then count as written.
    char *room(size_t n) {
        if (size_ + n > capacity_)
            reserve(std::max(size_ + n, capacity_ * 2));
        char *p = bytes_.get() + size_;
        size_ += n;
        return p;
    }
    void append(const char *begin, const char *end) {
        put(begin, static_cast<size_t>(end - begin));
    }
    void newline(int level) {
        const size_t indent = static_cast<size_t>(level) * 2;
        char *p = room(1 + indent);
        *p = '\n';
        std::fill_n(p + 1, indent, ' ');
    }

    std::unique_ptr<char[]> bytes_;
    size_t size_ = 0, capacity_ = 0;
    double lastFraction_ = 0;
    char lastFractionDigits_[64];
    size_t lastDigits_ = 0; // 0: none yet
};

void writeText(LayoutText &out, int level, const TextSpec &t) {
    out.open('{');
    out.key(level + 1, "string", true);
    out.string(t.string);
    out.key(level + 1, "command");
    out.string(t.command);
    out.key(level + 1, "coordSys");
    out.string(coordSysName(t.coordSys));
    out.key(level + 1, "x");
    out.number(t.x);
    out.key(level + 1, "y");
    out.number(t.y);
    out.key(level + 1, "sizeUnits");
    out.string(t.sizeUnits == Units_Frame ? "frame" : "point");
    out.key(level + 1, "height");
    out.number(t.height);
    out.key(level + 1, "angle");
    out.number(t.angle);
    out.key(level + 1, "anchor");
    out.integer(t.anchor);
    out.key(level + 1, "font");
    out.integer(t.font);
    out.key(level + 1, "color");
    out.integer(t.color);
    out.key(level + 1, "boxType");
    out.string(boxTypeName(t.boxType));
    out.key(level + 1, "margin");
    out.number(t.margin);
    out.key(level + 1, "boxColor");
    out.integer(t.boxColor);
    out.key(level + 1, "fillColor");
    out.integer(t.fillColor);
    out.key(level + 1, "lineThickness");
    out.number(t.lineThickness);
    out.key(level + 1, "lineSpacing");
    out.number(t.lineSpacing);
    out.key(level + 1, "scope");
    out.integer(t.scope);
    out.close(level, '}');
}

std::string imagePathFor(const std::string &image, const fs::path &layoutDir, bool relative) {
    if (!relative)
        return image;
    std::error_code ec;
    fs::path absoluteImage = fs::absolute(image, ec);
    if (ec)
        return image;
    fs::path rel = absoluteImage.lexically_normal().lexically_relative(layoutDir);
    return rel.empty() ? image : rel.generic_string();
}

// The image paths as the file names them, each worked out once: a design
// names the same few images from thousands of geometries.
class ImagePaths {
  public:
    ImagePaths(fs::path layoutDir, bool relative)
        : layoutDir_(std::move(layoutDir)), relative_(relative) {}
    const std::string &of(const std::string &image) {
        auto known = written_.find(image);
        if (known == written_.end())
            known = written_.emplace(image, imagePathFor(image, layoutDir_, relative_)).first;
        return known->second;
    }

  private:
    fs::path layoutDir_;
    bool relative_;
    std::map<std::string, std::string> written_;
};

void writeGeom(LayoutText &out, int level, const Geom &g, ImagePaths &imagePaths) {
    out.open('{');
    out.key(level + 1, "type", true);
    out.string(geomTypeName(g.spec.type));
    out.key(level + 1, "coordSys");
    out.string(coordSysName(g.spec.coordSys));
    out.key(level + 1, "x");
    out.number(g.spec.x);
    out.key(level + 1, "y");
    out.number(g.spec.y);
    out.key(level + 1, "z");
    out.number(g.spec.z);
    out.key(level + 1, "command");
    out.string(g.spec.command);
    out.key(level + 1, "drawOrder");
    out.integer(g.drawOrder);
    if (g.spec.type == GeomType_Rectangle) {
        out.key(level + 1, "width");
        out.number(g.spec.width);
        out.key(level + 1, "height");
        out.number(g.spec.height);
    } else if (g.spec.type == GeomType_Image) {
        out.key(level + 1, "file");
        out.string(imagePaths.of(g.spec.imageFile));
        out.key(level + 1, "width");
        out.number(g.spec.width);
    } else {
        out.key(level + 1, "polylines");
        out.open('[');
        for (size_t p = 0; p < g.spec.polylines.size(); ++p) {
            out.element(level + 2, p == 0);
            out.open('[');
            const auto &points = g.spec.polylines[p];
            for (size_t k = 0; k < points.size(); ++k) {
                out.element(level + 3, k == 0);
                out.open('[');
                out.element(level + 4, true);
                out.number(points[k].x);
                out.element(level + 4, false);
                out.number(points[k].y);
                out.close(level + 3, ']');
            }
            if (points.empty())
                out.put(']');
            else
                out.close(level + 2, ']');
        }
        if (g.spec.polylines.empty())
            out.put(']');
        else
            out.close(level + 1, ']');
    }
    out.close(level, '}');
}

// An array of objects written by `item`; "[]" when there are none.
template <class List, class Item>
void writeArray(LayoutText &out, int level, const List &list, Item item) {
    out.open('[');
    bool first = true;
    for (const auto &entry : list) {
        out.element(level + 1, first);
        first = false;
        item(entry);
    }
    if (first)
        out.put(']');
    else
        out.close(level, ']');
}

// Writes all of the bytes to the open file descriptor.
bool writeAll(int fd, const char *bytes, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The text goes to the file in pieces of about this size from one reused
// buffer: a buffer of the whole text cost a page fault per 4 KiB of it.
constexpr size_t kPieceBytes = size_t{1} << 20;

// Writes what the buffer holds once it fills a piece (or at the end); false
// with errno when the file cannot take it.
bool writePiece(int fd, LayoutText &out, bool last) {
    if (!last && out.size() < kPieceBytes)
        return true;
    const bool ok = writeAll(fd, out.data(), out.size());
    out.clear();
    return ok;
}

// Writes the canonical layout text to the open file, a frame at a time.
bool writeLayoutText(int fd, const Host::Impl &impl, const std::string &path, bool relativePaths) {
    ImagePaths imagePaths(directoryOf(path), relativePaths);
    LayoutText out;
    // Room for a piece and the largest frame after it, so that the buffer
    // is seldom copied to grow: each text and geometry takes some 500 bytes
    // besides its strings.
    size_t largest = 0;
    for (const auto &f : impl.stack) {
        size_t room = 1024 + f->spec.name.size();
        for (const Text &t : f->texts)
            room += 640 + t.spec.string.size() + t.spec.command.size();
        for (const Geom &g : f->geoms) {
            room += 640 + g.spec.command.size() + g.spec.imageFile.size();
            for (const auto &points : g.spec.polylines)
                room += 64 + points.size() * 128;
        }
        largest = std::max(largest, room);
    }
    out.reserve(4096 + kPieceBytes + largest);
    bool ok = true;
    out.open('{');
    out.key(1, "formatVersion", true);
    out.integer(1);
    // A saved file always names the last frame; an empty workspace writes 0,
    // which the reader takes for "no frame".
    out.key(1, "current");
    out.integer(impl.stack.empty() ? 0 : static_cast<int64_t>(impl.stack.size() - 1));
    out.key(1, "frames");
    writeArray(out, 1, impl.stack, [&](const std::unique_ptr<Frame> &f) {
        const FrameSpec &spec = f->spec;
        out.open('{');
        out.key(3, "name", true);
        out.string(spec.name);
        out.key(3, "x");
        out.number(spec.x);
        out.key(3, "y");
        out.number(spec.y);
        out.key(3, "width");
        out.number(spec.width);
        out.key(3, "height");
        out.number(spec.height);
        out.key(3, "linkGroup");
        out.integer(spec.linkGroup);
        out.key(3, "linkSizeAndPosition");
        out.boolean(spec.linkSizeAndPosition);
        out.key(3, "showHeader");
        out.boolean(spec.showHeader);
        out.key(3, "backgroundColor");
        out.integer(spec.backgroundColor);
        out.key(3, "texts");
        writeArray(out, 3, f->texts, [&](const Text &t) { writeText(out, 4, t.spec); });
        out.key(3, "geoms");
        writeArray(out, 3, f->geoms, [&](const Geom &g) { writeGeom(out, 4, g, imagePaths); });
        out.close(2, '}');
        ok = ok && writePiece(fd, out, false);
    });
    out.close(0, '}');
    out.put('\n');
    return ok && writePiece(fd, out, true);
}

} // namespace

bool writeLayoutFile(Host::Impl &impl, const std::string &path, bool relativePaths,
                     std::string *error) {
    auto fail = [&](const std::string &what, int why) {
        if (error)
            *error = path + ": " + what + ": " + std::strerror(why);
        return false;
    };
    // A layout the user may not write is not replaced, though its folder
    // would allow the rename. A file with no write permission at all counts
    // as read-only for every user, the superuser included.
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return fail("cannot write", EACCES);
    if (exists && ::access(path.c_str(), W_OK) != 0)
        return fail("cannot write", errno);

    const std::string temp = path + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail("cannot create " + temp, errno);
    bool ok = true;
    std::string what = "cannot write";
    if (exists) {
        // The new file takes the old one's permissions (and, when we may,
        // its owner), so a private design stays private.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)!::fchown(fd, old.st_uid, old.st_gid);
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    ok = ok && writeLayoutText(fd, impl, path, relativePaths) && ::fsync(fd) == 0;
    int why = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        why = errno;
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        why = errno;
        what = "cannot replace the file";
    }
    if (!ok) {
        std::remove(temp.c_str());
        return fail(what, why);
    }
    return true;
}

} // namespace quorvin::host
