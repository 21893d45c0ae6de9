#include "ScriptAuthoring.h"

#include "Session.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace qgb {

namespace {

using quorvin::host::Frame;
using quorvin::host::Host;

Host &host() {
    return Session::host();
}

// "#3" or, where allowed, "3": the number from 1; 0 when name is not one.
size_t IndexWord(const std::string &name, bool hashOptional) {
    std::string digits = name;
    if (!digits.empty() && digits[0] == '#')
        digits.erase(0, 1);
    else if (!hashOptional)
        return 0;
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
        return 0;
    return static_cast<size_t>(std::strtoul(digits.c_str(), nullptr, 10));
}

std::string Listed(const Frame &frame, const std::vector<size_t> &indexes) {
    std::string list;
    for (size_t i : indexes)
        list += (list.empty() ? "" : ", ") + ("#" + std::to_string(i + 1)) + " \"" +
                frame.texts[i].spec.string + "\"";
    return list;
}

bool Number(const std::string &word, double &value, std::string &error) {
    char *end = nullptr;
    value = std::strtod(word.c_str(), &end);
    if (word.empty() || *end != '\0') {
        error = "not a number: " + word;
        return false;
    }
    return true;
}

// Items of a frame name: blank-separated, quoted and bracketed runs kept whole.
std::vector<std::string> NameItems(const std::string &name) {
    std::vector<std::string> items;
    std::string item;
    char closing = 0;
    for (char c : name) {
        if (closing) {
            closing = c == closing ? 0 : closing;
        } else if (c == '"' || c == '[') {
            closing = c == '"' ? '"' : ']';
        } else if (c == ' ' || c == '\t') {
            if (!item.empty())
                items.push_back(item);
            item.clear();
            continue;
        }
        item += c;
    }
    if (!item.empty())
        items.push_back(item);
    return items;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

Text_ID FindScriptText(const std::string &name, std::string &error) {
    const Frame *frame = host().currentFrame();
    if (!frame) {
        error = "there is no frame";
        return nullptr;
    }
    if (const size_t n = IndexWord(name, false)) {
        if (n > frame->texts.size()) {
            error = "the current frame has " + std::to_string(frame->texts.size()) +
                    " texts, no text " + name;
            return nullptr;
        }
        return reinterpret_cast<Text_ID>(frame->texts[n - 1].handle);
    }
    std::vector<size_t> whole, containing;
    for (size_t i = 0; i < frame->texts.size(); ++i) {
        const std::string &string = frame->texts[i].spec.string;
        if (string == name)
            whole.push_back(i);
        else if (string.find(name) != std::string::npos)
            containing.push_back(i);
    }
    const std::vector<size_t> &found = whole.empty() ? containing : whole;
    if (found.size() == 1)
        return reinterpret_cast<Text_ID>(frame->texts[found.front()].handle);
    if (found.empty())
        error = "no text \"" + name + "\" in the current frame";
    else
        error = std::to_string(found.size()) + " texts of the current frame " +
                (whole.empty() ? "contain" : "are") + " \"" + name +
                "\": " + Listed(*frame, found) + "; name one by its number, such as \"#" +
                std::to_string(found.front() + 1) + "\"";
    return nullptr;
}

Geom_ID FindScriptGeom(const std::string &name, std::string &error) {
    const Frame *frame = host().currentFrame();
    if (!frame) {
        error = "there is no frame";
        return nullptr;
    }
    const size_t n = IndexWord(name, true);
    if (n == 0 || n > frame->geoms.size()) {
        error = "the current frame has no geometry " + name + " (it has " +
                std::to_string(frame->geoms.size()) + ")";
        return nullptr;
    }
    return reinterpret_cast<Geom_ID>(frame->geoms[n - 1].handle);
}

const std::vector<std::string> &AuthoringVerbs() {
    static const std::vector<std::string> verbs = {"place",   "size",       "relabel",
                                                   "command", "frame-name", "frame-key"};
    return verbs;
}

std::string SetFrameNameKey(const std::string &name, const std::string &key,
                            const std::string &value) {
    const bool quoted = value.find_first_of(" \t") != std::string::npos && value.front() != '"' &&
                        value.front() != '[';
    const std::string item =
        value.empty() ? "" : key + "=" + (quoted ? "\"" + value + "\"" : value);
    std::string result;
    bool replaced = false;
    for (const std::string &existing : NameItems(name)) {
        const size_t equals = existing.find('=');
        std::string text = existing;
        if (equals != std::string::npos && Upper(existing.substr(0, equals)) == Upper(key)) {
            if (replaced)
                continue; // a repeated key goes: the name then says one thing
            replaced = true;
            text = item;
        }
        if (!text.empty())
            result += (result.empty() ? "" : " ") + text;
    }
    if (!replaced && !item.empty())
        result += (result.empty() ? "" : " ") + item;
    return result;
}

std::optional<std::string> RunAuthoringCommand(const std::vector<std::string> &w) {
    const std::string &verb = w[0];
    if (std::find(AuthoringVerbs().begin(), AuthoringVerbs().end(), verb) == AuthoringVerbs().end())
        return std::nullopt;
    Host &h = host();
    std::string error;
    const bool onText = w.size() > 1 && w[1] == "text", onGeom = w.size() > 1 && w[1] == "geom";
    // The object the command is about, for "place", "size" and "command".
    Text_ID text = nullptr;
    Geom_ID geom = nullptr;
    auto object = [&]() {
        text = onText ? FindScriptText(w[2], error) : nullptr;
        geom = onGeom ? FindScriptGeom(w[2], error) : nullptr;
        return text || geom;
    };
    double a = 0, b = 0;
    if (verb == "place") {
        if (w.size() != 5 || !(onText || onGeom))
            return std::string("usage: place text|geom WHICH X Y (paper inches)");
        if (!object() || !Number(w[3], a, error) || !Number(w[4], b, error))
            return error;
        if (!(text ? h.placeText(text, a, b, &error) : h.placeGeom(geom, a, b, &error)))
            return error;
    } else if (verb == "size") {
        if (!((onText && w.size() == 4) || (onGeom && (w.size() == 4 || w.size() == 5))))
            return std::string("usage: size text WHICH HEIGHT-POINTS | size geom WHICH WIDTH "
                               "[HEIGHT] (paper inches)");
        if (!object() || !Number(w[3], a, error) || (w.size() == 5 && !Number(w[4], b, error)))
            return error;
        if (!(text ? h.sizeText(text, a, &error) : h.sizeGeom(geom, a, b, &error)))
            return error;
    } else if (verb == "relabel") {
        if (w.size() != 3)
            return std::string("usage: relabel WHICH STRING");
        text = FindScriptText(w[1], error);
        if (!text || !h.setTextString(text, w[2], &error))
            return error;
    } else if (verb == "command") {
        if (w.size() != 4 || !(onText || onGeom))
            return std::string("usage: command text|geom WHICH COMMAND");
        if (!object())
            return error;
        if (!(text ? h.setTextCommand(text, w[3], &error) : h.setGeomCommand(geom, w[3], &error)))
            return error;
    } else {
        const Frame *frame = h.currentFrame();
        if (verb == "frame-name" ? w.size() != 2 : w.size() != 3)
            return std::string(verb == "frame-name" ? "usage: frame-name NAME"
                                                    : "usage: frame-key KEY VALUE");
        if (!frame)
            return std::string("there is no frame");
        const std::string name =
            verb == "frame-name" ? w[1] : SetFrameNameKey(frame->spec.name, w[1], w[2]);
        if (!h.setFrameName(frame->uniqueId, name, &error))
            return error;
    }
    return std::string();
}

} // namespace qgb
