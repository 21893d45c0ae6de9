// Layout files: the workspace as JSON (docs/layout-format.md).
//
// Reading checks the whole file before the workspace is touched, and every
// problem is reported as "<file>: <place>: <problem>". Writing is canonical
// (fixed key order, every key written) and atomic (a temporary file beside
// the layout, renamed over it), so a failed save never harms the old file.
#include "HostImpl.h"

#include <nlohmann/json.hpp>
// RapidJSON's parse stack starts empty and computes "null + size" before its
// first allocation; clang's pointer-overflow check reports that idiom, so it
// is left out for the library's own code only. (Its own number conversion is
// not used: "0e40" makes it count the leading zeros of 0.)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((no_sanitize("pointer-overflow"))), apply_to = function)
#endif
#include <rapidjson/reader.h>
#if defined(__clang__)
#pragma clang attribute pop
#endif
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// White space between tokens: a layout's is a line break and the blanks of
// its indentation, so each run is looked at 16 bytes at a time from where it
// starts (the file's bytes are followed by 16 NULs, which end every run).
template <> inline void rapidjson::SkipWhitespace(InsituStringStream &is) {
    char *p = is.src_;
    if (static_cast<unsigned char>(*p) > ' ') // most tokens follow the one before at once
        return;
#if defined(__SSE2__)
    for (;;) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i blank =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')),
                                      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))),
                         _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')),
                                      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t'))));
        const unsigned other = ~static_cast<unsigned>(_mm_movemask_epi8(blank)) & 0xFFFFu;
        if (other) {
            p += __builtin_ctz(other);
            break;
        }
        p += 16;
    }
#else
    while (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t')
        ++p;
#endif
    is.src_ = p;
}

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvin::host {

namespace {

namespace fs = std::filesystem;

constexpr int kFormatVersion = 1;

// A problem found while reading: where and what.
struct LayoutError {
    std::string place, problem;
};

// ---- reading

// One value as the parser delivered it; of an array or object, only that.
struct Value {
    enum Kind : uint8_t { Absent, Null, Boolean, Signed, Unsigned, Float, String, Array, Object };
    Kind kind = Absent;
    bool boolean = false;
    int64_t signedValue = 0;
    uint64_t unsignedValue = 0;
    double floatValue = 0;
    std::string string;

    bool present() const { return kind != Absent; }
    bool isNumber() const { return kind == Signed || kind == Unsigned || kind == Float; }
    bool isInteger() const { return kind == Signed || kind == Unsigned; }
    double number() const {
        return kind == Signed     ? static_cast<double>(signedValue)
               : kind == Unsigned ? static_cast<double>(unsignedValue)
                                  : floatValue;
    }
    int64_t integer() const {
        return kind == Unsigned ? static_cast<int64_t>(unsignedValue) : signedValue;
    }
};

std::string join(const std::string &place, const std::string &key) {
    return place.empty() ? key : place + "." + key;
}
std::string at(const std::string &place, const char *key, size_t i) {
    return join(place, key) + "[" + std::to_string(i) + "]";
}

// The keys of one kind of object, in the order the writer puts them.
constexpr const char *kRootKeys[] = {"formatVersion", "current", "frames"};
enum RootKey { R_formatVersion, R_current, R_frames, kRootKeyCount };
constexpr const char *kFrameKeys[] = {"name",
                                      "x",
                                      "y",
                                      "width",
                                      "height",
                                      "linkGroup",
                                      "linkSizeAndPosition",
                                      "showHeader",
                                      "backgroundColor",
                                      "texts",
                                      "geoms"};
enum FrameKey {
    F_name,
    F_x,
    F_y,
    F_width,
    F_height,
    F_linkGroup,
    F_linkSizeAndPosition,
    F_showHeader,
    F_backgroundColor,
    F_texts,
    F_geoms,
    kFrameKeyCount
};
constexpr const char *kTextKeys[] = {
    "string",    "command",       "coordSys",    "x",     "y",       "sizeUnits", "height",
    "angle",     "anchor",        "font",        "color", "boxType", "margin",    "boxColor",
    "fillColor", "lineThickness", "lineSpacing", "scope"};
enum TextKey {
    T_string,
    T_command,
    T_coordSys,
    T_x,
    T_y,
    T_sizeUnits,
    T_height,
    T_angle,
    T_anchor,
    T_font,
    T_color,
    T_boxType,
    T_margin,
    T_boxColor,
    T_fillColor,
    T_lineThickness,
    T_lineSpacing,
    T_scope,
    kTextKeyCount
};
constexpr const char *kGeomKeys[] = {"type",   "coordSys", "x",         "y",
                                     "z",      "command",  "drawOrder", "width",
                                     "height", "file",     "polylines"};
enum GeomKey {
    G_type,
    G_coordSys,
    G_x,
    G_y,
    G_z,
    G_command,
    G_drawOrder,
    G_width,
    G_height,
    G_file,
    G_polylines,
    kGeomKeyCount
};

// The fields of the object being read, by key, and its keys in the order
// they came; a key of no field is -1, the first such key kept by name.
template <size_t N> struct Fields {
    const char *const *names;
    Value values[N];
    std::vector<int8_t> order;
    std::string firstUnknown;
    bool hasUnknown = false;
    int at = -1; // the field the next value fills

    size_t lengths[N]; // of the names, so that a key is compared without strlen

    explicit Fields(const char *const *keyNames) : names(keyNames) {
        for (size_t i = 0; i < N; ++i)
            lengths[i] = std::strlen(names[i]);
    }
    void clear() {
        for (Value &v : values)
            v.kind = Value::Absent;
        order.clear();
        hasUnknown = false;
        at = -1;
    }
    // Files are written in key order, so the key after the last one is
    // tried first.
    void key(std::string_view name) {
        const int next = at + 1 < static_cast<int>(N) ? at + 1 : 0;
        at = -1;
        for (size_t k = 0; k < N && at < 0; ++k) {
            const size_t i = (static_cast<size_t>(next) + k) % N;
            if (name.size() == lengths[i] && std::memcmp(name.data(), names[i], lengths[i]) == 0)
                at = static_cast<int>(i);
        }
        if (at < 0 && !hasUnknown) {
            hasUnknown = true;
            firstUnknown = std::string(name);
        }
        order.push_back(static_cast<int8_t>(at));
    }
    Value *field() { return at < 0 ? nullptr : &values[at]; }
    const Value &operator[](int key) const { return values[key]; }
    Value &operator[](int key) { return values[key]; }
    // The first key, in the order they came, that `allowed` does not hold.
    template <class Allowed> void checkKeys(const std::string &place, Allowed allowed) const {
        for (int8_t k : order)
            if (k < 0 || !allowed(k))
                throw LayoutError{join(place, k < 0 ? firstUnknown : names[k]), "unknown key"};
    }
};

// The checks of one value: each names the value's place when it fails.
double number(const Value &v, const std::string &place, const char *key, double fallback,
              bool required = false) {
    if (!v.present()) {
        if (required)
            throw LayoutError{join(place, key), "missing"};
        return fallback;
    }
    if (!v.isNumber())
        throw LayoutError{join(place, key), "must be a number"};
    const double d = v.number();
    if (!std::isfinite(d))
        throw LayoutError{join(place, key), "must be a finite number"};
    return d;
}

int64_t integer(const Value &v, const std::string &place, const char *key, int64_t fallback,
                int64_t low, int64_t high) {
    if (!v.present())
        return fallback;
    if (!v.isInteger())
        throw LayoutError{join(place, key), "must be an integer"};
    if (v.kind == Value::Unsigned && v.unsignedValue > static_cast<uint64_t>(INT64_MAX))
        throw LayoutError{join(place, key), "out of range"};
    const int64_t i = v.integer();
    if (i < low || i > high)
        throw LayoutError{join(place, key), "out of range (" + std::to_string(low) + " to " +
                                                std::to_string(high) + ")"};
    return i;
}

bool boolean(const Value &v, const std::string &place, const char *key, bool fallback) {
    if (!v.present())
        return fallback;
    if (v.kind != Value::Boolean)
        throw LayoutError{join(place, key), "must be true or false"};
    return v.boolean;
}

// Takes the string out of the value, which is read once.
std::string string(Value &v, const std::string &place, const char *key, const std::string &fallback,
                   bool required = false) {
    if (!v.present()) {
        if (required)
            throw LayoutError{join(place, key), "missing"};
        return fallback;
    }
    if (v.kind != Value::String)
        throw LayoutError{join(place, key), "must be a string"};
    return std::move(v.string);
}

// The names are views, so that each is compared without counting its
// letters first.
int32_t choice(const Value &v, const std::string &place, const char *key, int32_t fallback,
               std::initializer_list<std::pair<std::string_view, int32_t>> names) {
    if (!v.present())
        return fallback;
    if (v.kind == Value::String)
        for (const auto &n : names)
            if (std::string_view(v.string) == n.first)
                return n.second;
    std::string list;
    for (const auto &n : names)
        list += std::string(list.empty() ? "" : ", ") + "\"" + std::string(n.first) + "\"";
    throw LayoutError{join(place, key), "must be one of " + list};
}

void range(bool ok, const std::string &place, const char *key, const char *rule) {
    if (!ok)
        throw LayoutError{join(place, key), std::string("out of range (") + rule + ")"};
}

// An array's value: absent (an error when required) or an array.
void array(const Value &v, const std::string &place, const char *key, bool required) {
    if (!v.present()) {
        if (required)
            throw LayoutError{join(place, key), "missing"};
        return;
    }
    if (v.kind != Value::Array)
        throw LayoutError{join(place, key), "must be an array"};
}

// The layout as the parser streams it: each object is checked when it
// closes, keys and values alike, and kept only when it passes. Problems are
// reported as the checks of a whole document in key order would report them:
// the first problem of an object wins over those of what it holds, and of
// the objects in an array the first with a problem wins; so each level keeps
// the first problem below it and settles it when it closes.
class LayoutStream {
  public:
    explicit LayoutStream(fs::path layoutDir) : layoutDir_(std::move(layoutDir)) {
        stack_.reserve(16);
        stack_.push_back(In::Top);
    }

    // The parser's events, in document order.
    void nullValue() { scalar(Value::Null); }
    void booleanValue(bool b) {
        if (Value *v = scalar(Value::Boolean))
            v->boolean = b;
    }
    void signedValue(int64_t i) {
        if (Value *v = scalar(Value::Signed))
            v->signedValue = i;
        point(static_cast<double>(i));
    }
    void unsignedValue(uint64_t u) {
        if (Value *v = scalar(Value::Unsigned))
            v->unsignedValue = u;
        point(static_cast<double>(u));
    }
    void floatValue(double d) {
        if (Value *v = scalar(Value::Float))
            v->floatValue = d;
        point(d);
    }
    void stringValue(std::string_view s) {
        if (Value *v = scalar(Value::String))
            v->string.assign(s.data(), s.size());
    }
    void beginObject() { stack_.push_back(open(Value::Object)); }
    void beginArray() { stack_.push_back(open(Value::Array)); }
    void key(std::string_view name);
    void end();

    // After the whole document parsed: the frames to load and the current
    // one, or the first problem.
    void finish(std::deque<std::unique_ptr<Frame>> &frames, size_t &current);

  private:
    enum class In : uint8_t {
        Top,
        Root,
        Frames,
        Frame,
        Texts,
        Text,
        Geoms,
        Geom,
        Polylines,
        Polyline,
        Point,
        Skip
    };

    Value *scalar(Value::Kind kind);
    In open(Value::Kind kind);
    void point(double coordinate) {
        if (stack_.back() == In::Point && pointCoordinates_ <= 2)
            (pointCoordinates_ == 1 ? point_.x : point_.y) = coordinate;
    }
    std::string framePlace() const { return at("", "frames", frameCount_ - 1); }
    std::string textPlace() const { return at(framePlace(), "texts", frame_->texts.size()); }
    std::string geomPlace() const { return at(framePlace(), "geoms", geomCount_ - 1); }
    void finishText();
    void finishGeom();
    void finishFrame();

    // The image file a geometry names, made absolute and normal once per
    // name: a design names the same few images from thousands of geometries.
    const std::string &imagePath(const std::string &file) {
        auto known = imagePaths_.find(file);
        if (known == imagePaths_.end()) {
            fs::path path(file);
            if (path.is_relative())
                path = layoutDir_ / path;
            known = imagePaths_.emplace(file, path.lexically_normal().string()).first;
        }
        return known->second;
    }

    fs::path layoutDir_;
    std::map<std::string, std::string> imagePaths_; // by the name in the file
    // Images decoded so far by this load, by file: every geometry that names
    // a file shares its one decode.
    std::map<std::string, Geom> decoded_;
    std::vector<In> stack_;
    bool rootIsObject_ = false;
    Fields<kRootKeyCount> root_{kRootKeys};
    Fields<kFrameKeyCount> frameFields_{kFrameKeys};
    Fields<kTextKeyCount> text_{kTextKeys};
    Fields<kGeomKeyCount> geomFields_{kGeomKeys};
    std::deque<std::unique_ptr<Frame>> frames_;
    size_t frameCount_ = 0;
    std::optional<LayoutError> frameProblem_;
    // The frame being read: its texts and geometries as they pass.
    std::unique_ptr<Frame> frame_;
    size_t lastTextCount_ = 0, lastGeomCount_ = 0; // of the frame read before
    size_t geomCount_ = 0;
    std::optional<LayoutError> textProblem_, geomProblem_;
    std::vector<size_t> widthFromImage_; // image geometries sized by their pixels
    // The line geometry being read.
    std::vector<std::vector<Point2>> polylines_;
    std::optional<LayoutError> polylineProblem_;
    size_t pointCount_ = 0;
    const char *pointProblem_ = nullptr; // of the polyline's last point
    size_t pointCoordinates_ = 0;
    bool pointIsNumbers_ = true;
    Point2 point_;
};

Value *LayoutStream::scalar(Value::Kind kind) {
    const In in = stack_.back();
    Value *v = nullptr;
    switch (in) {
    case In::Root:
        v = root_.field();
        break;
    case In::Frame:
        v = frameFields_.field();
        break;
    case In::Text:
        v = text_.field();
        break;
    case In::Geom:
        v = geomFields_.field();
        break;
    default:
        open(kind);
        return nullptr;
    }
    if (v)
        v->kind = kind;
    return v;
}

// A value begins: what it means to the array or object it is in, and how
// its own content (when it has any) is to be read.
LayoutStream::In LayoutStream::open(Value::Kind kind) {
    const bool object = kind == Value::Object, array = kind == Value::Array;
    switch (stack_.back()) {
    case In::Top:
        rootIsObject_ = object;
        return object ? In::Root : In::Skip;
    case In::Root:
    case In::Frame:
    case In::Text:
    case In::Geom: {
        // A container as a field's value: only the arrays of frames, texts,
        // geometries and polylines are read.
        const In in = stack_.back();
        Value *v = in == In::Root    ? root_.field()
                   : in == In::Frame ? frameFields_.field()
                   : in == In::Text  ? text_.field()
                                     : geomFields_.field();
        if (v)
            v->kind = kind;
        if (!array || !v)
            return In::Skip;
        if (in == In::Root && v == &root_.values[R_frames])
            return In::Frames;
        if (in == In::Frame && v == &frameFields_.values[F_texts])
            return In::Texts;
        if (in == In::Frame && v == &frameFields_.values[F_geoms])
            return In::Geoms;
        if (in == In::Geom && v == &geomFields_.values[G_polylines])
            return In::Polylines;
        return In::Skip;
    }
    case In::Frames:
        ++frameCount_;
        if (frameProblem_)
            return In::Skip;
        if (!object) {
            frameProblem_ = LayoutError{framePlace(), "must be an object"};
            return In::Skip;
        }
        frameFields_.clear();
        frame_ = std::make_unique<Frame>();
        // Frames of one design are much alike: room for as many texts and
        // geometries as the frame before spares the vectors' regrowth.
        frame_->texts.reserve(lastTextCount_);
        frame_->geoms.reserve(lastGeomCount_);
        geomCount_ = 0;
        textProblem_.reset();
        geomProblem_.reset();
        widthFromImage_.clear();
        return In::Frame;
    case In::Texts:
        if (textProblem_)
            return In::Skip;
        if (!object) {
            textProblem_ = LayoutError{textPlace(), "must be an object"};
            return In::Skip;
        }
        text_.clear();
        return In::Text;
    case In::Geoms:
        ++geomCount_;
        if (geomProblem_)
            return In::Skip;
        if (!object) {
            geomProblem_ = LayoutError{geomPlace(), "must be an object"};
            return In::Skip;
        }
        geomFields_.clear();
        polylines_.clear();
        polylineProblem_.reset();
        return In::Geom;
    case In::Polylines:
        polylines_.emplace_back();
        pointCount_ = 0;
        pointProblem_ = nullptr;
        if (polylineProblem_ || !array) {
            if (!polylineProblem_)
                polylineProblem_ = LayoutError{at(geomPlace(), "polylines", polylines_.size() - 1),
                                               "must be an array of at least two points"};
            return In::Skip;
        }
        return In::Polyline;
    case In::Polyline:
        ++pointCount_;
        if (pointProblem_ || polylineProblem_)
            return In::Skip;
        if (!array) {
            pointProblem_ = "must be a point [x, y]";
            polylines_.back().push_back({});
            return In::Skip;
        }
        pointCoordinates_ = 0;
        pointIsNumbers_ = true;
        point_ = Point2{};
        return In::Point;
    case In::Point:
        ++pointCoordinates_;
        pointIsNumbers_ = pointIsNumbers_ && kind >= Value::Signed && kind <= Value::Float;
        return In::Skip;
    default:
        return In::Skip;
    }
}

void LayoutStream::key(std::string_view name) {
    switch (stack_.back()) {
    case In::Root:
        root_.key(name);
        if (root_.at == R_frames) { // a repeated key: the last value counts
            frames_.clear();
            frameCount_ = 0;
            frameProblem_.reset();
        }
        break;
    case In::Frame:
        frameFields_.key(name);
        if (frameFields_.at == F_texts) {
            frame_->texts.clear();
            textProblem_.reset();
        } else if (frameFields_.at == F_geoms) {
            frame_->geoms.clear();
            geomCount_ = 0;
            geomProblem_.reset();
            widthFromImage_.clear();
        }
        break;
    case In::Text:
        text_.key(name);
        break;
    case In::Geom:
        geomFields_.key(name);
        if (geomFields_.at == G_polylines) {
            polylines_.clear();
            polylineProblem_.reset();
        }
        break;
    default:
        break;
    }
}

void LayoutStream::end() {
    const In in = stack_.back();
    stack_.pop_back();
    switch (in) {
    case In::Point:
        // A point is two finite numbers; the first point of a polyline that
        // is not ends the polyline's reading.
        if (!pointIsNumbers_ || pointCoordinates_ != 2)
            pointProblem_ = "must be a point [x, y]";
        else if (!std::isfinite(point_.x) || !std::isfinite(point_.y))
            pointProblem_ = "must be finite";
        polylines_.back().push_back(point_);
        break;
    case In::Polyline: {
        if (polylineProblem_)
            break;
        const std::string place = at(geomPlace(), "polylines", polylines_.size() - 1);
        const std::vector<Point2> &points = polylines_.back();
        if (pointCount_ < 2)
            polylineProblem_ = LayoutError{place, "must be an array of at least two points"};
        else if (pointProblem_)
            polylineProblem_ =
                LayoutError{place + "[" + std::to_string(points.size() - 1) + "]", pointProblem_};
        break;
    }
    case In::Text:
        finishText();
        break;
    case In::Geom:
        finishGeom();
        break;
    case In::Frame:
        finishFrame();
        break;
    default:
        break;
    }
}

void LayoutStream::finishText() {
    Fields<kTextKeyCount> &j = text_;
    // The checks name the key alone; the text's place goes before it only
    // when one fails, which most texts never do.
    const std::string place;
    try {
        j.checkKeys(place, [](int) { return true; });
        TextSpec t;
        t.string = string(j[T_string], place, "string", "", true);
        t.command = string(j[T_command], place, "command", "");
        t.coordSys = choice(
            j[T_coordSys], place, "coordSys", t.coordSys,
            {{"frame", CoordSys_Frame}, {"paper", CoordSys_Paper}, {"screen", CoordSys_Screen}});
        t.x = number(j[T_x], place, "x", t.x);
        t.y = number(j[T_y], place, "y", t.y);
        t.sizeUnits = choice(j[T_sizeUnits], place, "sizeUnits", t.sizeUnits,
                             {{"point", Units_Point}, {"frame", Units_Frame}});
        t.height = number(j[T_height], place, "height", t.height);
        range(t.height >= 0, place, "height", "0 or more");
        t.angle = number(j[T_angle], place, "angle", t.angle);
        t.anchor = static_cast<int32_t>(integer(j[T_anchor], place, "anchor", t.anchor, 0, 2));
        t.font = static_cast<int32_t>(integer(j[T_font], place, "font", t.font, 0, 12));
        t.color = static_cast<ColorIndex_t>(
            integer(j[T_color], place, "color", t.color, 0, kColorCount - 1));
        t.boxType = choice(
            j[T_boxType], place, "boxType", t.boxType,
            {{"none", TextBox_None}, {"filled", TextBox_Filled}, {"hollow", TextBox_Hollow}});
        t.margin = number(j[T_margin], place, "margin", t.margin);
        range(t.margin >= 0, place, "margin", "0 or more");
        t.boxColor = static_cast<ColorIndex_t>(
            integer(j[T_boxColor], place, "boxColor", t.boxColor, 0, kColorCount - 1));
        t.fillColor = static_cast<ColorIndex_t>(
            integer(j[T_fillColor], place, "fillColor", t.fillColor, 0, kColorCount - 1));
        t.lineThickness = number(j[T_lineThickness], place, "lineThickness", t.lineThickness);
        range(t.lineThickness >= 0, place, "lineThickness", "0 or more");
        t.lineSpacing = number(j[T_lineSpacing], place, "lineSpacing", t.lineSpacing);
        range(t.lineSpacing >= 0, place, "lineSpacing", "0 or more");
        t.scope = static_cast<int32_t>(integer(j[T_scope], place, "scope", t.scope, 1, 2));
        Text text;
        text.spec = std::move(t);
        frame_->texts.push_back(std::move(text));
    } catch (const LayoutError &e) {
        textProblem_ = LayoutError{join(textPlace(), e.place), e.problem};
    }
}

void LayoutStream::finishGeom() {
    if (geomProblem_)
        return;
    Fields<kGeomKeyCount> &j = geomFields_;
    const std::string place; // as of a text: put before the key on a failure
    try {
        Geom g;
        g.spec.type = choice(j[G_type], place, "type", -1,
                             {{"line", GeomType_LineSegs},
                              {"rectangle", GeomType_Rectangle},
                              {"image", GeomType_Image}});
        if (g.spec.type < 0)
            throw LayoutError{join(place, "type"), "missing"};
        const int32_t type = g.spec.type;
        j.checkKeys(place, [type](int key) {
            switch (key) {
            case G_width:
                return type != GeomType_LineSegs;
            case G_height:
                return type == GeomType_Rectangle;
            case G_file:
                return type == GeomType_Image;
            case G_polylines:
                return type == GeomType_LineSegs;
            default:
                return true;
            }
        });
        g.spec.coordSys = choice(
            j[G_coordSys], place, "coordSys", CoordSys_Frame,
            {{"frame", CoordSys_Frame}, {"paper", CoordSys_Paper}, {"screen", CoordSys_Screen}});
        g.spec.x = number(j[G_x], place, "x", 0);
        g.spec.y = number(j[G_y], place, "y", 0);
        g.spec.z = number(j[G_z], place, "z", 0);
        g.spec.command = string(j[G_command], place, "command", "");
        g.drawOrder = static_cast<int32_t>(integer(j[G_drawOrder], place, "drawOrder", 0, 0, 1));
        bool sizedByPixels = false;
        if (g.spec.type == GeomType_Rectangle) {
            g.spec.width = number(j[G_width], place, "width", 0, true);
            g.spec.height = number(j[G_height], place, "height", 0, true);
        } else if (g.spec.type == GeomType_Image) {
            const std::string file = string(j[G_file], place, "file", "", true);
            if (file.empty())
                throw LayoutError{join(place, "file"), "must not be empty"};
            g.spec.imageFile = imagePath(file);
            auto decoded = decoded_.find(g.spec.imageFile);
            if (decoded == decoded_.end()) {
                std::string why;
                if (!Host::Impl::loadImage(g.spec.imageFile, g, &why))
                    throw LayoutError{join(place, "file"), why};
                decoded_.emplace(g.spec.imageFile, g);
            } else {
                g.pixelWidth = decoded->second.pixelWidth;
                g.pixelHeight = decoded->second.pixelHeight;
                g.rgb = decoded->second.rgb;
            }
            sizedByPixels = !j[G_width].present();
            if (!sizedByPixels) {
                g.spec.width = number(j[G_width], place, "width", 0);
                range(g.spec.width > 0, place, "width", "above 0");
            }
        } else {
            array(j[G_polylines], place, "polylines", true);
            if (polylines_.empty())
                throw LayoutError{join(place, "polylines"), "needs at least one polyline"};
            if (polylineProblem_) { // named in full already
                geomProblem_ = polylineProblem_;
                return;
            }
            g.spec.polylines = std::move(polylines_);
            polylines_.clear();
        }
        if (sizedByPixels)
            widthFromImage_.push_back(frame_->geoms.size());
        frame_->geoms.push_back(std::move(g));
    } catch (const LayoutError &e) {
        geomProblem_ = LayoutError{join(geomPlace(), e.place), e.problem};
    }
}

void LayoutStream::finishFrame() {
    if (frameProblem_)
        return;
    Fields<kFrameKeyCount> &j = frameFields_;
    try {
        const std::string place = framePlace();
        j.checkKeys(place, [](int) { return true; });
        FrameSpec &spec = frame_->spec;
        spec.name = string(j[F_name], place, "name", "", true);
        spec.x = number(j[F_x], place, "x", 0, true);
        spec.y = number(j[F_y], place, "y", 0, true);
        spec.width = number(j[F_width], place, "width", 0, true);
        range(spec.width > 0, place, "width", "above 0");
        spec.height = number(j[F_height], place, "height", 0, true);
        range(spec.height > 0, place, "height", "above 0");
        spec.linkGroup =
            static_cast<int32_t>(integer(j[F_linkGroup], place, "linkGroup", 0, 0, INT32_MAX));
        spec.linkSizeAndPosition =
            boolean(j[F_linkSizeAndPosition], place, "linkSizeAndPosition", false);
        spec.showHeader = boolean(j[F_showHeader], place, "showHeader", true);
        spec.backgroundColor =
            static_cast<ColorIndex_t>(integer(j[F_backgroundColor], place, "backgroundColor",
                                              spec.backgroundColor, 0, kColorCount - 1));
        if (spec.linkSizeAndPosition) {
            for (size_t k = 0; k < frames_.size(); ++k) {
                const FrameSpec &other = frames_[k]->spec;
                if (!other.linkSizeAndPosition || other.linkGroup != spec.linkGroup)
                    continue;
                if (other.x != spec.x || other.y != spec.y || other.width != spec.width ||
                    other.height != spec.height)
                    throw LayoutError{place, "linked to group " + std::to_string(spec.linkGroup) +
                                                 " but its position or size differs from "
                                                 "frames[" +
                                                 std::to_string(k) + "]"};
                break;
            }
        }
        array(j[F_texts], place, "texts", false);
        if (textProblem_)
            throw *textProblem_;
        array(j[F_geoms], place, "geoms", false);
        if (geomProblem_)
            throw *geomProblem_;
        // An image without a width is as wide as its pixels on the screen,
        // which needs the frame's size.
        for (size_t g : widthFromImage_) {
            Geom &geom = frame_->geoms[g];
            geom.spec.width = paperToLengthX(geom.spec.coordSys, geom.pixelWidth / kScreenDpi,
                                             rectOf(frame_.get()));
        }
        lastTextCount_ = frame_->texts.size();
        lastGeomCount_ = frame_->geoms.size();
        frames_.push_back(std::move(frame_));
    } catch (const LayoutError &e) {
        frameProblem_ = e;
    }
}

void LayoutStream::finish(std::deque<std::unique_ptr<Frame>> &frames, size_t &current) {
    if (!rootIsObject_)
        throw LayoutError{"", "the file must hold a JSON object"};
    const Fields<kRootKeyCount> &root = root_;
    root.checkKeys("", [](int) { return true; });
    const Value &version = root[R_formatVersion];
    if (!version.present())
        throw LayoutError{"formatVersion", "missing"};
    if (!version.isInteger())
        throw LayoutError{"formatVersion", "must be an integer"};
    if (version.integer() != kFormatVersion)
        throw LayoutError{"formatVersion", "unknown format version " +
                                               (version.kind == Value::Unsigned
                                                    ? std::to_string(version.unsignedValue)
                                                    : std::to_string(version.signedValue)) +
                                               " (this host reads version " +
                                               std::to_string(kFormatVersion) + ")"};
    array(root[R_frames], "", "frames", true);
    const Value &given = root[R_current];
    if (given.present() && frameCount_ == 0 && given.isInteger() && given.integer() == 0) {
        // What an empty workspace saves: there is no frame to name.
    } else if (given.present()) {
        if (frameCount_ == 0)
            throw LayoutError{"current", "there are no frames"};
        current = static_cast<size_t>(
            integer(given, "", "current", 0, 0, static_cast<int64_t>(frameCount_) - 1));
    } else if (frameCount_ > 0) {
        current = frameCount_ - 1;
    }
    if (frameProblem_)
        throw *frameProblem_;
    frames = std::move(frames_);
}

// The JSON library's events to the stream. Its parser is the reference for
// what a layout file may hold: it names the place of every syntax error and
// reports a number out of the range of double as such.
struct LibraryEvents {
    using Json = nlohmann::json;
    explicit LibraryEvents(LayoutStream &s) : stream(s) {}
    LayoutStream &stream;
    bool failed = false, outOfRange = false;
    size_t byte = 0;
    std::string what;

    bool null() { return stream.nullValue(), true; }
    bool boolean(bool b) { return stream.booleanValue(b), true; }
    bool number_integer(Json::number_integer_t i) { return stream.signedValue(i), true; }
    bool number_unsigned(Json::number_unsigned_t u) { return stream.unsignedValue(u), true; }
    bool number_float(Json::number_float_t d, const Json::string_t &) {
        return stream.floatValue(d), true;
    }
    bool string(Json::string_t &s) { return stream.stringValue(s), true; }
    bool binary(Json::binary_t &) { return true; }
    bool start_object(std::size_t) { return stream.beginObject(), true; }
    bool key(Json::string_t &k) { return stream.key(k), true; }
    bool end_object() { return stream.end(), true; }
    bool start_array(std::size_t) { return stream.beginArray(), true; }
    bool end_array() { return stream.end(), true; }
    template <class Exception>
    bool parse_error(std::size_t position, const std::string &, const Exception &e) {
        failed = true;
        byte = position;
        what = e.what();
        outOfRange = e.id == 406;
        return false;
    }
};

// A string the fast parser made from an escaped lone surrogate ("\uDC00"),
// which the library's parser refuses: the bytes ED A0-BF, never well-formed
// UTF-8, which the parser checks the file's own bytes to be.
bool holdsSurrogate(const char *s, size_t n) {
    const char *end = s + n;
    for (const char *p = s;
         (p = static_cast<const char *>(std::memchr(p, 0xED, static_cast<size_t>(end - p)))); ++p)
        if (p + 1 < end && static_cast<unsigned char>(p[1]) >= 0xA0)
            return true;
    return false;
}

// RapidJSON's events to the stream: the fast reading of a well-formed file.
// Whatever the library's parser would refuse stops it (a number past the
// range of double, which it reads as infinity, and a lone surrogate).
struct FastEvents {
    LayoutStream &stream;
    // Only a "\u" escape makes a surrogate in well-formed UTF-8.
    bool mayHoldSurrogates = true;

    bool Null() { return stream.nullValue(), true; }
    bool Bool(bool b) { return stream.booleanValue(b), true; }
    bool Int(int i) { return stream.signedValue(i), true; }
    bool Uint(unsigned u) { return stream.unsignedValue(u), true; }
    bool Int64(int64_t i) { return stream.signedValue(i), true; }
    bool Uint64(uint64_t u) { return stream.unsignedValue(u), true; }
    bool Double(double d) { return std::isfinite(d) && (stream.floatValue(d), true); }
    // Numbers come as their text and are converted here, exactly and without
    // the locale, as the library's parser converts them; one it would treat
    // otherwise (an integer past 64 bits, a double out of range) stops the
    // fast reading, and the library's parser decides.
    bool RawNumber(const char *s, rapidjson::SizeType n, bool) {
        const char *end = s + n;
        if (std::find_if(s, end, [](char c) { return c == '.' || c == 'e' || c == 'E'; }) == end) {
            if (*s == '-') {
                int64_t i = 0;
                const auto r = std::from_chars(s, end, i);
                return r.ec == std::errc() && r.ptr == end && (stream.signedValue(i), true);
            }
            uint64_t u = 0;
            const auto r = std::from_chars(s, end, u);
            return r.ec == std::errc() && r.ptr == end && (stream.unsignedValue(u), true);
        }
        double d = 0;
        if (shortDecimal(s, end, d))
            return stream.floatValue(d), true;
        const auto r = std::from_chars(s, end, d);
        return r.ec == std::errc() && r.ptr == end && std::isfinite(d) &&
               (stream.floatValue(d), true);
    }
    // Most of a layout's numbers are short decimals such as "106.0" or
    // "0.375": with at most 15 digits and no exponent, the digits as an
    // integer and the power of ten are both exact doubles, and one division,
    // rounded correctly as every IEEE division is, gives the same double as
    // the correctly rounded conversion of the text. Anything else is left to
    // from_chars. The parser has checked the number's form already.
    static bool shortDecimal(const char *s, const char *end, double &d) {
        static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const bool negative = *s == '-';
        uint64_t digits = 0;
        int count = 0, afterPoint = -1;
        for (const char *p = s + (negative ? 1 : 0); p < end; ++p) {
            if (*p == '.') {
                afterPoint = 0;
                continue;
            }
            if (*p < '0' || *p > '9' || ++count > 15)
                return false;
            digits = digits * 10 + static_cast<uint64_t>(*p - '0');
            if (afterPoint >= 0)
                ++afterPoint;
        }
        if (afterPoint < 0)
            return false;
        d = static_cast<double>(digits) / kPowersOfTen[afterPoint];
        if (negative)
            d = -d;
        return true;
    }
    bool String(const char *s, rapidjson::SizeType n, bool) {
        return !(mayHoldSurrogates && holdsSurrogate(s, n)) &&
               (stream.stringValue(std::string_view(s, n)), true);
    }
    bool StartObject() { return ++depth <= kMaxDepth && (stream.beginObject(), true); }
    bool Key(const char *s, rapidjson::SizeType n, bool) {
        return !(mayHoldSurrogates && holdsSurrogate(s, n)) &&
               (stream.key(std::string_view(s, n)), true);
    }
    bool EndObject(rapidjson::SizeType) { return --depth, stream.end(), true; }
    bool StartArray() { return ++depth <= kMaxDepth && (stream.beginArray(), true); }
    bool EndArray(rapidjson::SizeType) { return --depth, stream.end(), true; }

    // The fast parser descends by recursion; a file nested deeper than any
    // layout (a point is eight levels down) is left to the library's parser,
    // which keeps its own stack, so that no file can exhaust this one.
    static constexpr int kMaxDepth = 64;
    int depth = 0;
};

// A file's bytes and a NUL after them (the fast parser reads up to it),
// with room the reads fill without being cleared first.
struct FileBytes {
    std::unique_ptr<char[]> data;
    size_t size = 0, capacity = 0;

    std::string_view view() const { return {data.get(), size}; }
    // Room for `more` bytes and the NUL (and the parser's 16-byte reads).
    void reserve(size_t more) {
        if (size + more + 16 <= capacity)
            return;
        const size_t room = std::max(size + more + 16, capacity * 2);
        std::unique_ptr<char[]> bigger(new char[room]);
        if (size)
            std::memcpy(bigger.get(), data.get(), size);
        data = std::move(bigger);
        capacity = room;
    }
};

// Whether the bytes are well-formed UTF-8 throughout, as the library's
// parser wants every string to be; runs of ASCII are passed 32 bytes at a
// time.
bool wellFormedUtf8(std::string_view text) {
    const auto *s = reinterpret_cast<const unsigned char *>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        if (i + 32 <= n) {
            uint64_t words[4];
            std::memcpy(words, s + i, 32);
            if (((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080u) == 0) {
                i += 32;
                continue;
            }
        }
        if (i + 8 <= n) {
            uint64_t word;
            std::memcpy(&word, s + i, 8);
            if ((word & 0x8080808080808080u) == 0) {
                i += 8;
                continue;
            }
        }
        if (s[i] < 0x80) {
            ++i;
            continue;
        }
        unsigned char low, high;
        const int length = utf8Length(s[i], &low, &high);
        if (length == 0 || i + static_cast<size_t>(length) > n)
            return false;
        for (int k = 1; k < length; ++k, low = 0x80, high = 0xBF)
            if (s[i + k] < low || s[i + k] > high)
                return false;
        i += static_cast<size_t>(length);
    }
    return true;
}

// Streams the file's bytes through the fast parser; false when it did not
// take them all (a syntax error, or something only the library's parser
// accepts, such as a byte order mark). The bytes are checked to be UTF-8 in
// one pass first, so that the parser takes strings without checking them.
// Strings and numbers are read where they lie, so the parser changes the
// bytes: after a false, they are no longer the file's.
bool parseFast(FileBytes &file, LayoutStream &stream) {
    constexpr unsigned kFlags = rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseInsituFlag;
    if (!wellFormedUtf8(file.view()))
        return false;
    rapidjson::InsituStringStream bytes(file.data.get());
    FastEvents events{stream, file.view().find("\\u") != std::string_view::npos};
    rapidjson::Reader reader;
    // An embedded NUL looks like the end of the text to the parser.
    return !reader.Parse<kFlags>(bytes, events).IsError() && bytes.Tell() == file.size;
}

std::string lineAndColumn(std::string_view text, size_t byte) {
    size_t line = 1, column = 1;
    for (size_t i = 0; i + 1 < byte && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The whole file in one read; false with the system's reason.
bool readFile(const std::string &path, FileBytes &file, std::string &why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    // A regular file is read into room of its size; anything else, or a file
    // that grew, in pieces of 64 KiB and more.
    file.reserve(ok && S_ISREG(st.st_mode) ? static_cast<size_t>(st.st_size) + 1 : 1 << 16);
    while (ok) {
        if (file.size + 16 == file.capacity)
            file.reserve(1 << 16);
        const ssize_t n = ::read(fd, file.data.get() + file.size, file.capacity - 16 - file.size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        file.size += static_cast<size_t>(n);
    }
    if (!ok)
        why = std::strerror(errno);
    else
        std::memset(file.data.get() + file.size, 0, 16);
    ::close(fd);
    return ok;
}

} // namespace

fs::path directoryOf(const std::string &path) {
    std::error_code ec;
    fs::path absolutePath = fs::absolute(path, ec);
    if (ec)
        absolutePath = fs::path(path);
    return absolutePath.lexically_normal().parent_path();
}

bool Host::loadLayout(const std::string &path, std::string *error) {
    auto report = [&](const std::string &place, const std::string &problem) {
        if (error)
            *error = path + ": " + (place.empty() ? "" : place + ": ") + problem;
        return false;
    };
    FileBytes file;
    std::string why;
    if (!readFile(path, file, why))
        return report("", "cannot read: " + why);

    std::deque<std::unique_ptr<Frame>> loaded;
    size_t current = 0;
    try {
        const fs::path layoutDir = directoryOf(path);
        auto stream = std::make_unique<LayoutStream>(layoutDir);
        if (!parseFast(file, *stream)) {
            // The library's parser decides, and names the place of a fault,
            // on the file's bytes as they were.
            file = FileBytes();
            if (!readFile(path, file, why))
                return report("", "cannot read: " + why);
            stream = std::make_unique<LayoutStream>(layoutDir);
            LibraryEvents events(*stream);
            const std::string_view text = file.view();
            nlohmann::json::sax_parse(text.begin(), text.end(), &events);
            if (events.failed) {
                if (events.outOfRange)
                    return report(lineAndColumn(text, events.byte), "number out of range");
                // The library's text is "[json.exception.parse_error.101] parse error at ...:
                // detail"
                const size_t detail = events.what.rfind(": ");
                return report(lineAndColumn(text, events.byte),
                              "not valid JSON (" +
                                  (detail == std::string::npos ? events.what
                                                               : events.what.substr(detail + 2)) +
                                  ")");
            }
        }
        stream->finish(loaded, current);
    } catch (const LayoutError &e) {
        return report(e.place, e.problem);
    } catch (const std::exception &e) {
        return report("", e.what());
    }

    // Everything checked: replace the workspace.
    CommandScope command(*impl_, "load layout");
    impl_->clearWorkspace();
    size_t texts = 0, geoms = 0;
    for (const auto &frame : loaded) {
        texts += frame->texts.size();
        geoms += frame->geoms.size();
    }
    // Texts and geometries take their handles from one count: each table
    // spans the handles of both.
    impl_->textSlots.reserve(texts + geoms);
    impl_->geomSlots.reserve(texts + geoms);
    for (auto &frame : loaded)
        impl_->adoptFrame(std::move(frame), true);
    impl_->popFrame(current);
    impl_->layoutFile = path;
    impl_->deliverStateChange(StateChange_LayoutOpened, 0);
    return true;
}

bool Host::saveLayout(const std::string &path, std::string *error) {
    if (impl_->failSave) {
        impl_->failSave = false;
        if (error)
            *error = path + ": the save was made to fail";
        return false;
    }
    if (!writeLayoutFile(*impl_, path, true, error))
        return false;
    if (impl_->layoutFile != path) {
        CommandScope command(*impl_, "save layout as");
        impl_->layoutFile = path;
        impl_->deliverStateChange(StateChange_LayoutOpened, 0);
    }
    return true;
}

} // namespace quorvin::host
