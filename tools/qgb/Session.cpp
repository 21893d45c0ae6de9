#include "Session.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace qgb {

using quorvin::host::Frame;
using quorvin::host::Geom;
using quorvin::host::Host;
using quorvin::host::Message;
using quorvin::host::Text;

namespace {

const char *BoxPrefix(MessageBoxType_e type) {
    switch (type) {
    case MessageBox_Error:
        return "error";
    case MessageBox_Warning:
    case MessageBox_WarningOkCancel:
        return "warning";
    case MessageBox_Information:
        return "info";
    default:
        return "question";
    }
}

bool IsQuestion(MessageBoxType_e type) {
    return type == MessageBox_YesNo || type == MessageBox_YesNoCancel ||
           type == MessageBox_Question;
}

} // namespace

std::string DescribeMessage(const Message &message) {
    switch (message.call) {
    case Message::Call::ErrMsg:
        return "error: " + message.text;
    case Message::Call::MessageBox: {
        std::string text = std::string(BoxPrefix(message.boxType)) + ": " + message.text;
        if (IsQuestion(message.boxType))
            text += message.answer ? " [answered yes]" : " [answered no]";
        return text;
    }
    case Message::Call::PleaseWait:
        return "wait: " + message.text;
    case Message::Call::Help:
        return "help: " + message.text;
    }
    return message.text;
}

void PrintError(const std::string &text) {
    std::fflush(stdout);
    std::cerr << "error: " << text << std::endl;
}

const char *LanguageWord(int32_t language) {
    switch (language) {
    case 0:
        return "C";
    case 1:
        return "CPP";
    case 2:
        return "FORTRAN";
    case 3:
        return "QT";
    default:
        return "?";
    }
}

std::string FormatNumber(double value) {
    if (!std::isfinite(value))
        return std::to_string(value);
    std::ostringstream out;
    out.precision(6);
    out << std::fixed << value;
    std::string text = out.str();
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    if (text == "-0")
        text = "0";
    return text;
}

Session::Session(const GlobalOptions &options) : options_(options) {
    Host &h = host();
    h.reset();
    if (options_.hostVersion)
        h.setVersion(*options_.hostVersion);
    // Messages are printed the moment the add-on shows them, so that a long
    // build shows its progress and its warnings in order.
    h.setMessageObserver([this](const Message &message) {
        if (message.call == Message::Call::PleaseWait)
            return;
        std::fflush(stdout);
        std::cerr << DescribeMessage(message) << std::endl;
        const std::string context = contextLine(message);
        if (!context.empty())
            std::cerr << context << std::endl;
    });
}

Session::~Session() {
    quit();
    host().setMessageObserver(nullptr);
}

void Session::quit() {
    if (quit_)
        return;
    quit_ = true;
    host().quit();
}

std::string LayoutPathProblem(const std::string &path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status))
        return path + ": no such file";
    if (fs::is_directory(status))
        return path + " is a folder, not a layout file";
    if (!std::ifstream(path))
        return path + ": the file cannot be read (permission denied?)";
    return "";
}

bool Session::loadLayout(const std::string &path) {
    const std::string problem = LayoutPathProblem(path);
    if (!problem.empty()) {
        PrintError(problem);
        return false;
    }
    std::string error;
    if (!host().loadLayout(path, &error)) {
        PrintError(error.empty() ? "cannot load layout " + path : error);
        return false;
    }
    rememberFrameOrder();
    return true;
}

void Session::rememberFrameOrder() {
    const std::vector<UniqueID_t> ids = host().frameIds();
    frameNumbers_.clear();
    frameNumbers_.reserve(ids.size());
    for (size_t i = 0; i < ids.size(); ++i)
        frameNumbers_.emplace(ids[i], i + 1);
}

namespace {

// One line of the object's own text: line breaks shown as "\n".
std::string OneLine(const std::string &text) {
    std::string line;
    for (char c : text)
        line += c == '\n' ? std::string("\\n") : std::string(1, c);
    return line;
}

// The 1-based place of an element of the vector, 0 when it is not one of them.
template <class T> size_t PlaceIn(const std::vector<T> &objects, const T *object) {
    const std::less<const T *> before;
    if (!object || objects.empty() || before(object, objects.data()) ||
        !before(object, objects.data() + objects.size()))
        return 0;
    return static_cast<size_t>(object - objects.data()) + 1;
}

} // namespace

std::string Session::contextLine(const Message &message) const {
    // Called for every message, so it looks things up by handle: a copy of the
    // workspace per message made a build with many warnings quadratic.
    const Host &h = host();
    const Frame *frame = h.findFrame(message.frame);
    if (!frame)
        return "";
    const std::string file = h.layoutFileName();
    std::string line = "  in " + (file.empty() ? std::string("the unsaved layout") : file);
    // Numbered as "qgb info" lists the frames when the layout was read; a
    // frame added since then by its place in the stack now.
    const auto known = frameNumbers_.find(message.frame);
    size_t number = known == frameNumbers_.end() ? 0 : known->second;
    if (known == frameNumbers_.end()) {
        const std::vector<UniqueID_t> ids = h.frameIds();
        number =
            static_cast<size_t>(std::find(ids.begin(), ids.end(), message.frame) - ids.begin()) + 1;
    }
    line += ", frame " + std::to_string(number) + " \"" + OneLine(frame->spec.name) + "\"";
    // Texts and geometries live in their frame's vectors, so a handle's
    // place is its distance from the first.
    const Text *text =
        message.textHandle ? h.findText(reinterpret_cast<Text_ID>(message.textHandle)) : nullptr;
    if (size_t i = PlaceIn(frame->texts, text))
        line += ", text #" + std::to_string(i) + " \"" + OneLine(text->spec.string) + "\"";
    if (size_t i =
            PlaceIn(frame->geoms, message.geomHandle
                                      ? h.findGeom(reinterpret_cast<Geom_ID>(message.geomHandle))
                                      : nullptr))
        line += ", geometry #" + std::to_string(i);
    return line;
}

bool Session::loadAddOn(const std::string &modulePath) {
    std::string error;
    if (!host().loadAddOnModule(modulePath, &error)) {
        PrintError(error.empty() ? "cannot load add-on module " + modulePath : error);
        return false;
    }
    return true;
}

bool Session::reportNewFaults() {
    const std::vector<std::string> &faults = host().faults();
    bool any = false;
    for (; faultsReported_ < faults.size(); ++faultsReported_) {
        PrintError("host fault: " + faults[faultsReported_]);
        any = true;
    }
    return any;
}

bool Session::errorShown() const {
    for (const Message &message : host().messages()) {
        if (message.call == Message::Call::ErrMsg)
            return true;
        if (message.call == Message::Call::MessageBox && message.boxType == MessageBox_Error)
            return true;
    }
    return false;
}

} // namespace qgb
