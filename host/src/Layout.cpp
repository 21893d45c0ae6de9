// Layout files: the workspace as JSON (docs/layout-format.md).
//
// Reading checks the whole file before the workspace is touched, and every
// problem is reported as "<file>: <place>: <problem>". Writing is canonical
// (fixed key order, every key written) and atomic (a temporary file beside
// the layout, renamed over it), so a failed save never harms the old file.
#include "HostImpl.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace quorvin::host {

namespace {

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

constexpr int kFormatVersion = 1;

// A problem found while reading: where and what.
struct LayoutError {
    std::string place, problem;
};

// ---- reading

class Reader {
  public:
    explicit Reader(const fs::path &layoutDir) : layoutDir_(layoutDir) {}

    // Checks an object's keys against the allowed ones.
    void keys(const Json &object, const std::string &place,
              std::initializer_list<const char *> allowed) {
        for (auto it = object.begin(); it != object.end(); ++it) {
            bool known = false;
            for (const char *key : allowed)
                known = known || it.key() == key;
            if (!known)
                throw LayoutError{join(place, it.key()), "unknown key"};
        }
    }

    const Json *find(const Json &object, const char *key) {
        auto it = object.find(key);
        return it == object.end() ? nullptr : &*it;
    }

    double number(const Json &object, const std::string &place, const char *key, double fallback,
                  bool required = false) {
        const Json *v = find(object, key);
        if (!v) {
            if (required)
                throw LayoutError{join(place, key), "missing"};
            return fallback;
        }
        if (!v->is_number())
            throw LayoutError{join(place, key), "must be a number"};
        double d = v->get<double>();
        if (!std::isfinite(d))
            throw LayoutError{join(place, key), "must be a finite number"};
        return d;
    }

    int64_t integer(const Json &object, const std::string &place, const char *key, int64_t fallback,
                    int64_t low, int64_t high) {
        const Json *v = find(object, key);
        if (!v)
            return fallback;
        if (!v->is_number_integer())
            throw LayoutError{join(place, key), "must be an integer"};
        if (v->is_number_unsigned() && v->get<uint64_t>() > static_cast<uint64_t>(INT64_MAX))
            throw LayoutError{join(place, key), "out of range"};
        int64_t i = v->get<int64_t>();
        if (i < low || i > high)
            throw LayoutError{join(place, key), "out of range (" + std::to_string(low) + " to " +
                                                    std::to_string(high) + ")"};
        return i;
    }

    bool boolean(const Json &object, const std::string &place, const char *key, bool fallback) {
        const Json *v = find(object, key);
        if (!v)
            return fallback;
        if (!v->is_boolean())
            throw LayoutError{join(place, key), "must be true or false"};
        return v->get<bool>();
    }

    std::string string(const Json &object, const std::string &place, const char *key,
                       const std::string &fallback, bool required = false) {
        const Json *v = find(object, key);
        if (!v) {
            if (required)
                throw LayoutError{join(place, key), "missing"};
            return fallback;
        }
        if (!v->is_string())
            throw LayoutError{join(place, key), "must be a string"};
        return v->get<std::string>();
    }

    int32_t choice(const Json &object, const std::string &place, const char *key, int32_t fallback,
                   std::initializer_list<std::pair<const char *, int32_t>> names) {
        const Json *v = find(object, key);
        if (!v)
            return fallback;
        std::string list;
        if (v->is_string())
            for (const auto &n : names)
                if (v->get<std::string>() == n.first)
                    return n.second;
        for (const auto &n : names)
            list += std::string(list.empty() ? "" : ", ") + "\"" + n.first + "\"";
        throw LayoutError{join(place, key), "must be one of " + list};
    }

    void range(bool ok, const std::string &place, const char *key, const char *rule) {
        if (!ok)
            throw LayoutError{join(place, key), std::string("out of range (") + rule + ")"};
    }

    const Json &array(const Json &object, const std::string &place, const char *key,
                      bool required) {
        static const Json empty = Json::array();
        const Json *v = find(object, key);
        if (!v) {
            if (required)
                throw LayoutError{join(place, key), "missing"};
            return empty;
        }
        if (!v->is_array())
            throw LayoutError{join(place, key), "must be an array"};
        return *v;
    }

    static std::string join(const std::string &place, const std::string &key) {
        return place.empty() ? key : place + "." + key;
    }
    static std::string at(const std::string &place, const char *key, size_t i) {
        return join(place, key) + "[" + std::to_string(i) + "]";
    }

    TextSpec text(const Json &j, const std::string &place) {
        if (!j.is_object())
            throw LayoutError{place, "must be an object"};
        keys(j, place,
             {"string", "command", "coordSys", "x", "y", "sizeUnits", "height", "angle", "anchor",
              "font", "color", "boxType", "margin", "boxColor", "fillColor", "lineThickness",
              "lineSpacing", "scope"});
        TextSpec t;
        t.string = string(j, place, "string", "", true);
        t.command = string(j, place, "command", "");
        t.coordSys = choice(
            j, place, "coordSys", t.coordSys,
            {{"frame", CoordSys_Frame}, {"paper", CoordSys_Paper}, {"screen", CoordSys_Screen}});
        t.x = number(j, place, "x", t.x);
        t.y = number(j, place, "y", t.y);
        t.sizeUnits = choice(j, place, "sizeUnits", t.sizeUnits,
                             {{"point", Units_Point}, {"frame", Units_Frame}});
        t.height = number(j, place, "height", t.height);
        range(t.height >= 0, place, "height", "0 or more");
        t.angle = number(j, place, "angle", t.angle);
        t.anchor = static_cast<int32_t>(integer(j, place, "anchor", t.anchor, 0, 2));
        t.font = static_cast<int32_t>(integer(j, place, "font", t.font, 0, 12));
        t.color =
            static_cast<ColorIndex_t>(integer(j, place, "color", t.color, 0, kColorCount - 1));
        t.boxType = choice(
            j, place, "boxType", t.boxType,
            {{"none", TextBox_None}, {"filled", TextBox_Filled}, {"hollow", TextBox_Hollow}});
        t.margin = number(j, place, "margin", t.margin);
        range(t.margin >= 0, place, "margin", "0 or more");
        t.boxColor = static_cast<ColorIndex_t>(
            integer(j, place, "boxColor", t.boxColor, 0, kColorCount - 1));
        t.fillColor = static_cast<ColorIndex_t>(
            integer(j, place, "fillColor", t.fillColor, 0, kColorCount - 1));
        t.lineThickness = number(j, place, "lineThickness", t.lineThickness);
        range(t.lineThickness >= 0, place, "lineThickness", "0 or more");
        t.lineSpacing = number(j, place, "lineSpacing", t.lineSpacing);
        range(t.lineSpacing >= 0, place, "lineSpacing", "0 or more");
        t.scope = static_cast<int32_t>(integer(j, place, "scope", t.scope, 1, 2));
        return t;
    }

    Geom geom(const Json &j, const std::string &place, const FrameRect &frame) {
        if (!j.is_object())
            throw LayoutError{place, "must be an object"};
        Geom g;
        g.spec.type = choice(j, place, "type", -1,
                             {{"line", GeomType_LineSegs},
                              {"rectangle", GeomType_Rectangle},
                              {"image", GeomType_Image}});
        if (g.spec.type < 0)
            throw LayoutError{join(place, "type"), "missing"};
        switch (g.spec.type) {
        case GeomType_Rectangle:
            keys(j, place,
                 {"type", "coordSys", "x", "y", "z", "command", "drawOrder", "width", "height"});
            break;
        case GeomType_Image:
            keys(j, place,
                 {"type", "coordSys", "x", "y", "z", "command", "drawOrder", "file", "width"});
            break;
        default:
            keys(j, place,
                 {"type", "coordSys", "x", "y", "z", "command", "drawOrder", "polylines"});
            break;
        }
        g.spec.coordSys = choice(
            j, place, "coordSys", CoordSys_Frame,
            {{"frame", CoordSys_Frame}, {"paper", CoordSys_Paper}, {"screen", CoordSys_Screen}});
        g.spec.x = number(j, place, "x", 0);
        g.spec.y = number(j, place, "y", 0);
        g.spec.z = number(j, place, "z", 0);
        g.spec.command = string(j, place, "command", "");
        g.drawOrder = static_cast<int32_t>(integer(j, place, "drawOrder", 0, 0, 1));
        if (g.spec.type == GeomType_Rectangle) {
            g.spec.width = number(j, place, "width", 0, true);
            g.spec.height = number(j, place, "height", 0, true);
        } else if (g.spec.type == GeomType_Image) {
            const std::string file = string(j, place, "file", "", true);
            if (file.empty())
                throw LayoutError{join(place, "file"), "must not be empty"};
            fs::path path(file);
            if (path.is_relative())
                path = layoutDir_ / path;
            g.spec.imageFile = path.lexically_normal().string();
            std::string why;
            if (!Host::Impl::loadImage(g.spec.imageFile, g, &why))
                throw LayoutError{join(place, "file"), why};
            if (find(j, "width")) {
                g.spec.width = number(j, place, "width", 0);
                range(g.spec.width > 0, place, "width", "above 0");
            } else {
                g.spec.width = paperToLengthX(g.spec.coordSys, g.pixelWidth / kScreenDpi, frame);
            }
        } else {
            const Json &polylines = array(j, place, "polylines", true);
            if (polylines.empty())
                throw LayoutError{join(place, "polylines"), "needs at least one polyline"};
            for (size_t p = 0; p < polylines.size(); ++p) {
                const std::string pplace = at(place, "polylines", p);
                if (!polylines[p].is_array() || polylines[p].size() < 2)
                    throw LayoutError{pplace, "must be an array of at least two points"};
                std::vector<Point2> points;
                for (size_t k = 0; k < polylines[p].size(); ++k) {
                    const Json &pt = polylines[p][k];
                    const std::string kplace = pplace + "[" + std::to_string(k) + "]";
                    if (!pt.is_array() || pt.size() != 2 || !pt[0].is_number() ||
                        !pt[1].is_number())
                        throw LayoutError{kplace, "must be a point [x, y]"};
                    Point2 point{pt[0].get<double>(), pt[1].get<double>()};
                    if (!std::isfinite(point.x) || !std::isfinite(point.y))
                        throw LayoutError{kplace, "must be finite"};
                    points.push_back(point);
                }
                g.spec.polylines.push_back(std::move(points));
            }
        }
        return g;
    }

  private:
    fs::path layoutDir_;
};

// Builds the document like the library's parser, but a failure, a number
// out of range included, is recorded with its place instead of thrown.
struct ParseRecorder : nlohmann::detail::json_sax_dom_parser<Json> {
    explicit ParseRecorder(Json &root) : json_sax_dom_parser(root, false) {}
    template <class Exception>
    bool parse_error(std::size_t position, const std::string &, const Exception &e) {
        failed = true;
        byte = position;
        what = e.what();
        outOfRange = e.id == 406;
        return false;
    }
    bool failed = false, outOfRange = false;
    size_t byte = 0;
    std::string what;
};

std::string lineAndColumn(const std::string &text, size_t byte) {
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
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return report("", std::string("cannot read: ") + std::strerror(errno));
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();

    Json root;
    {
        ParseRecorder sax(root);
        Json::sax_parse(text, &sax);
        if (sax.failed) {
            if (sax.outOfRange)
                return report(lineAndColumn(text, sax.byte), "number out of range");
            // The library's text is "[json.exception.parse_error.101] parse error at ...: detail"
            size_t detail = sax.what.rfind(": ");
            return report(
                lineAndColumn(text, sax.byte),
                "not valid JSON (" +
                    (detail == std::string::npos ? sax.what : sax.what.substr(detail + 2)) + ")");
        }
    }

    std::deque<std::unique_ptr<Frame>> loaded;
    size_t current = 0;
    try {
        Reader r(directoryOf(path));
        if (!root.is_object())
            throw LayoutError{"", "the file must hold a JSON object"};
        r.keys(root, "", {"formatVersion", "current", "frames"});
        const Json *version = r.find(root, "formatVersion");
        if (!version)
            throw LayoutError{"formatVersion", "missing"};
        if (!version->is_number_integer())
            throw LayoutError{"formatVersion", "must be an integer"};
        if (version->get<int64_t>() != kFormatVersion)
            throw LayoutError{"formatVersion", "unknown format version " + version->dump() +
                                                   " (this host reads version " +
                                                   std::to_string(kFormatVersion) + ")"};
        const Json &frames = r.array(root, "", "frames", true);
        const Json *given = r.find(root, "current");
        if (given && frames.empty() && given->is_number_integer() && given->get<int64_t>() == 0) {
            // What an empty workspace saves: there is no frame to name.
        } else if (given) {
            if (frames.empty())
                throw LayoutError{"current", "there are no frames"};
            current = static_cast<size_t>(
                r.integer(root, "", "current", 0, 0, static_cast<int64_t>(frames.size()) - 1));
        } else if (!frames.empty()) {
            current = frames.size() - 1;
        }
        for (size_t i = 0; i < frames.size(); ++i) {
            const std::string place = Reader::at("", "frames", i);
            const Json &j = frames[i];
            if (!j.is_object())
                throw LayoutError{place, "must be an object"};
            r.keys(j, place,
                   {"name", "x", "y", "width", "height", "linkGroup", "linkSizeAndPosition",
                    "showHeader", "backgroundColor", "texts", "geoms"});
            auto frame = std::make_unique<Frame>();
            FrameSpec &spec = frame->spec;
            spec.name = r.string(j, place, "name", "", true);
            spec.x = r.number(j, place, "x", 0, true);
            spec.y = r.number(j, place, "y", 0, true);
            spec.width = r.number(j, place, "width", 0, true);
            r.range(spec.width > 0, place, "width", "above 0");
            spec.height = r.number(j, place, "height", 0, true);
            r.range(spec.height > 0, place, "height", "above 0");
            spec.linkGroup =
                static_cast<int32_t>(r.integer(j, place, "linkGroup", 0, 0, INT32_MAX));
            spec.linkSizeAndPosition = r.boolean(j, place, "linkSizeAndPosition", false);
            spec.showHeader = r.boolean(j, place, "showHeader", true);
            spec.backgroundColor = static_cast<ColorIndex_t>(
                r.integer(j, place, "backgroundColor", spec.backgroundColor, 0, kColorCount - 1));
            if (spec.linkSizeAndPosition) {
                for (size_t k = 0; k < loaded.size(); ++k) {
                    const FrameSpec &other = loaded[k]->spec;
                    if (!other.linkSizeAndPosition || other.linkGroup != spec.linkGroup)
                        continue;
                    if (other.x != spec.x || other.y != spec.y || other.width != spec.width ||
                        other.height != spec.height)
                        throw LayoutError{place, "linked to group " +
                                                     std::to_string(spec.linkGroup) +
                                                     " but its position or size differs from "
                                                     "frames[" +
                                                     std::to_string(k) + "]"};
                    break;
                }
            }
            const Json &texts = r.array(j, place, "texts", false);
            for (size_t t = 0; t < texts.size(); ++t) {
                Text text;
                text.spec = r.text(texts[t], Reader::at(place, "texts", t));
                frame->texts.push_back(std::move(text));
            }
            const Json &geoms = r.array(j, place, "geoms", false);
            for (size_t g = 0; g < geoms.size(); ++g)
                frame->geoms.push_back(
                    r.geom(geoms[g], Reader::at(place, "geoms", g), rectOf(frame.get())));
            loaded.push_back(std::move(frame));
        }
    } catch (const LayoutError &e) {
        return report(e.place, e.problem);
    } catch (const std::exception &e) {
        return report("", e.what());
    }

    // Everything checked: replace the workspace.
    CommandScope command(*impl_, "load layout");
    impl_->clearWorkspace();
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
